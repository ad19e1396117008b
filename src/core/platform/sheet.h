#pragma once
// A table as the program writes it out: sheets of typed cells (a badge
// number stays text, a date stays a date), each with its header, under a
// title and the filters that chose its rows. The formats (a CSV text, a
// workbook, a printed page) all write the same tables. Pure standard C++;
// texts are UTF-8.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platine {

enum class CellFormat : std::uint8_t { None, Date, Time, DateTime, Duration };

// A cell: its text as shown, and for a number its value and how a
// spreadsheet shows it.
struct SheetCell {
    bool isNumber = false;
    double number = 0; // days since 1899-12-30 for dates and times
    std::string text;  // as the table shows it (also for a number)
    CellFormat format = CellFormat::None;
};

struct Sheet {
    std::string name;
    std::vector<std::string> header;
    std::vector<std::vector<SheetCell>> rows;
    std::vector<double> widths; // per column, in characters: header and cells fit
    // A large table makes its rows as they are written instead: `rowCount`
    // of them, the r-th by rowAt(r) (`rows` stays empty).
    std::size_t rowCount = 0;
    std::function<std::vector<SheetCell>(std::size_t r)> rowAt;

    std::size_t size() const { return rowAt ? rowCount : rows.size(); }
    std::vector<SheetCell> row(std::size_t r) const { return rowAt ? rowAt(r) : rows[r]; }
};

// What a report or an export writes: one or more sheets under a title
// ("Tableau des badges") and the filters in words ("recherche « zoe »").
struct Report {
    std::string title;
    std::string filters;
    std::vector<Sheet> sheets;
};

// The number format a spreadsheet shows a cell of `format` with.
const char *numberFormat(CellFormat format);

// A sheet of plain texts, its widths fitted to them.
Sheet textSheet(std::string name, std::vector<std::string> header,
                const std::vector<std::vector<std::string>> &rows);

// The sheets as one CSV text (csv.h): byte-order mark, then each sheet's
// header and rows, an empty line between two sheets.
std::string sheetsCsv(const std::vector<Sheet> &sheets);

} // namespace platine
