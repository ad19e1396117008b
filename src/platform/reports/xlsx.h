#pragma once
// Spreadsheet files (.xlsx) of sheets (core platform/sheet.h), written
// with libxlsxwriter: the header row bold and frozen, an auto-filter over
// the table, the columns as wide as their texts, each cell typed as planned.

#include "core/platform/sheet.h"

#include <functional>
#include <string>
#include <vector>

namespace platine {

// Told the rows written so far and the rows in all; false: stop, nothing is made.
using XlsxProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The file's bytes; false with `error` (French) when it could not be made.
// The rows go to the file as they come (the library's constant-memory
// mode), so a sheet of a million rows costs no more than its rows made one at a time.
bool xlsxBytes(const std::vector<Sheet> &sheets, std::string &bytes, std::string &error,
               const XlsxProgress &progress = {});

} // namespace platine
