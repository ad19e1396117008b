#pragma once
// Spreadsheet files (.xlsx) of the journal's sheets (journal_view.h), written
// with libxlsxwriter: the header row bold and frozen, an auto-filter over
// the table, the columns as wide as their texts, each cell typed as planned.

#include "board/journal_view.h"

#include <string>
#include <vector>

namespace platine {

// The file's bytes; false with `error` (French) when it could not be made.
bool xlsxBytes(const std::vector<Sheet> &sheets, std::string &bytes, std::string &error);

} // namespace platine
