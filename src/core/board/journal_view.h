#pragma once
// The journal of passages as the window "Journal des passages" shows it: the
// rows read from the journal's file, the filters (badge or name, a range of
// days, a place), the attendance per holder and day, and the two tables as
// they are exported (a CSV text, the typed cells of a spreadsheet sheet).
// Pure standard C++; texts are UTF-8.

#include "board/journal.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

// One passage of the journal as the window holds it.
struct JournalEntry {
    JournalRow row;
    // The journal's name was empty and `row.name` is the holder of the open
    // list (shown marked; the journal is not rewritten).
    bool nameFromList = false;
    int line = 0; // the row's place in the file, from 0
    // A quote was left open on its line (a hand or a spreadsheet put it
    // there): its cells are what the line holds, the open cell to its end.
    bool unreadable = false;
    // Badge and name folded for the search (see foldUtf8ForSearch), "\n" between.
    std::string searchKey;
};

// The whole journal, newest passage first (by date, then time, then the
// later line of the file first).
struct JournalData {
    std::vector<JournalEntry> entries;
    std::vector<std::string> places; // the places found, in ascending order
    std::string firstDate, lastDate; // the range of the dates "yyyy-mm-dd"; empty: none
    int unreadable = 0;              // rows marked unreadable
};

// Reads the journal's bytes a line at a time (scanJournal; columns found by
// their header names, the journal's own order otherwise). A row whose name
// is empty takes the holder of `names` (the open list) for its badge.
JournalData readJournal(std::string_view bytes, const NamesByBadge &names);

// Lower case, accents of Latin letters dropped ("Zoé" -> "zoe", "Œ" -> "oe").
std::string foldUtf8ForSearch(std::string_view utf8);

struct JournalFilter {
    std::string text;     // part of the badge or of the name; empty: any
    std::string from, to; // "yyyy-mm-dd", both included; empty: open at that end
    std::string place;    // empty: every place
};

// The filter in words, for a report's title: "du 2026-12-01 au 2026-12-07,
// lieu 2, recherche « zoe »" ("tout le journal" when nothing is filtered).
std::string describe(const JournalFilter &filter);

// The indexes into `data.entries` of the rows that pass `filter`, in order.
// A date outside "yyyy-mm-dd" only passes a range open at both ends.
std::vector<int> filterJournal(const JournalData &data, const JournalFilter &filter);

// --- Attendance ------------------------------------------------------------------

// One holder on one day. A holder is a badge number; its name is the one
// of its newest passage that has one, so a holder renamed between two
// downloads stays one holder, under the newer name.
struct AttendanceDay {
    std::string name, badge, date;
    std::string first, last; // "hh:mm"
    int passages = 0;
    std::string duration; // last minus first, "h:mm"; empty when a time is not "hh:mm"
};

struct AttendanceTotal {
    std::string name, badge;
    int days = 0;
    int passages = 0;
};

struct Attendance {
    std::vector<AttendanceDay> days;     // by name, badge, then date
    std::vector<AttendanceTotal> totals; // by name, badge
};

Attendance attendance(const JournalData &data, const std::vector<int> &rows);

// --- The tables as exported ---------------------------------------------------------

std::vector<std::string> passagesHeader();   // "Date", "Heure", "N° du badge", ...
std::vector<std::string> attendanceHeader(); // "Nom", "N° du badge", "Date", ...
std::vector<std::string> totalsHeader();     // "Nom", "N° du badge", "Jours", "Passages"
std::vector<std::string> passageCells(const JournalEntry &e);
std::vector<std::string> attendanceCells(const AttendanceDay &d);
std::vector<std::string> totalsCells(const AttendanceTotal &t);

// The rows as a CSV text (platform/csv.h): byte-order mark, header, rows.
std::string passagesCsv(const JournalData &data, const std::vector<int> &rows);
// The days, then an empty line, then the totals under their own header.
std::string attendanceCsv(const Attendance &a);

// A sheet of a spreadsheet file, cell by cell with its type, so the file
// keeps badge numbers as text and dates as dates.
enum class CellFormat : std::uint8_t { None, Date, Time, DateTime, Duration };
struct SheetCell {
    bool isNumber = false;
    double number = 0; // days since 1899-12-30 for dates and times
    std::string text;
    CellFormat format = CellFormat::None;
};
struct Sheet {
    std::string name;
    std::vector<std::string> header;
    std::vector<std::vector<SheetCell>> rows;
    std::vector<double> widths; // per column, in characters: header and cells fit
};

// The number format a spreadsheet shows a cell of `format` with.
const char *numberFormat(CellFormat format);

Sheet passagesSheet(const JournalData &data, const std::vector<int> &rows);
// Two sheets: "Présences" (the days) and "Totaux".
std::vector<Sheet> attendanceSheets(const Attendance &a);

} // namespace platine
