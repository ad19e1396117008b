#pragma once
// A badge list as a spreadsheet table (platform/csv.h): one row per record,
// nine columns, and back. The table is checked row by row with the list's own
// rules (record_fields.h) before any list is made of it. Pure standard C++:
// list values are Windows-1252, table texts and messages UTF-8.

#include "core/badges/record_fields.h"
#include "core/platform/message.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

// The records of a list file as it stores them, one per section in file
// order (a repeated section counts once, as the reader looks it up).
std::vector<RecordFields> storedRecords(std::string_view listContent);

// Badge numbers (as stored, Windows-1252) and the holders' names (UTF-8).
using NamesByBadge = std::map<std::string, std::string>;

// Each badge number of the list with its holder's name.
NamesByBadge namesByBadge(std::string_view listContent);

// The table of the list: byte-order mark, the header "badge;nom;heure de
// début;minute de début;heure de fin;minute de fin;jours;lieu;jour du mois",
// then one row per record with the values as stored. "jours" gives the
// name of the day choice of the record's day code, empty for no code.
std::string listTable(std::string_view listContent);

// A row that cannot become a record.
struct TableProblem {
    int line = 0;       // in the file, from 1
    std::string column; // the header name; empty when the whole table is concerned
    std::string reason; // French
    Message why;        // the same, to be shown in the window's language
    // "Ligne 4, colonne « heure de début » : ..." (UTF-8).
    std::string text() const;
    // The same, to be shown in the window's language.
    Message message() const;
};

// A badge number a spreadsheet showed without its leading zeros, given them back.
struct PaddedBadge {
    int line = 0;      // in the file, from 1
    std::string typed; // as the cell held it ("101")
    std::string badge; // as the list keeps it ("0000000101")
};

struct TableImport {
    std::vector<RecordFields> records; // every row, when no row failed
    std::vector<TableProblem> problems;
    std::vector<PaddedBadge> padded;
    bool ok() const { return problems.empty(); }
};

// Reads a table's bytes (any separator, UTF-8 or Windows-1252; columns found
// by their header names in any order). Every row is checked: the values
// against the list's rules, the day by its name or code, the name against
// what Windows-1252 can hold, each badge once, at most 100 rows (what the
// board keeps). "24 h 24" and "tous lieux" follow the times and the place as
// the editor sets them (99). Records only when no row failed.
// As a spreadsheet saves a table: rows of blank cells (spaces, tabs,
// no-break spaces) are skipped; a badge of
// one to nine decimal digits (its leading zeros dropped) gets them back
// (listed in `padded`), lower-case hexadecimal is upper-cased; a badge the
// spreadsheet turned into a figure ("1,23E+09", "101,5") is refused saying so.
// A row without a day is refused.
TableImport readListTable(std::string_view bytes);

// A new list: `header` (newListHeader) then every record written as the
// editor saves one.
std::string listFromRecords(std::string_view header, const std::vector<RecordFields> &records);

} // namespace platine
