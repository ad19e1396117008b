#pragma once
// Spreadsheet files (.xlsx) of the journal's sheets (journal_view.h), written
// with libxlsxwriter: the header row bold and frozen, an auto-filter over
// the table, the columns as wide as their texts, each cell typed as planned.

#include "board/journal_view.h"

#include <functional>
#include <string>
#include <vector>

namespace platine {

// Told the rows written so far and the rows in all; false: stop, nothing is made.
using XlsxProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The file's bytes; false with `error` (French) when it could not be made.
// The rows go to the file as they come (the library's constant-memory
// mode), so a journal of a million rows costs no more than its sheets.
bool xlsxBytes(const std::vector<Sheet> &sheets, std::string &bytes, std::string &error,
               const XlsxProgress &progress = {});

} // namespace platine
