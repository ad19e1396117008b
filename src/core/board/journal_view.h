#pragma once
// The journal of passages as the window "Journal des passages" shows it: the
// rows read from the journal's file, the filters (badge or name, a range of
// days, a place), the attendance per holder and day, and the two tables as
// they are exported (a CSV text, the typed cells of a spreadsheet sheet).
// Pure standard C++; texts are UTF-8.

#include "core/board/journal.h"
#include "core/platform/message.h"
#include "core/platform/sheet.h"

#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

namespace platine {

// Where the name of a passage comes from. A passage downloaded while the
// open list lacked its badge has no name in the journal; it is shown under
// the newest name the journal knows for that badge, else the open list's,
// marked as such (the journal is not rewritten).
enum class NameSource : std::uint8_t {
    Journal,  // the row's own name
    OtherRow, // the newest name of the badge's other rows in the journal
    OpenList, // the holder of the open list
    Unknown,  // nobody knows the badge: the name stays empty
};

// One passage of the journal as the window shows it, read from the
// journal's text when it is asked for (JournalEntries).
struct JournalEntry {
    JournalRow row;
    NameSource nameSource = NameSource::Journal;
    // `row.name` was not in the journal's row (taken elsewhere, or unknown).
    bool nameTaken() const { return nameSource != NameSource::Journal; }
    int line = 0; // the row's place in the file, from 0
    // The line cannot be read as a passage: a quote was left open on it (a
    // hand or a spreadsheet put it there), or it lacks the cells of a
    // passage (noise, a line cut short). Its row is then empty, `text` holds
    // the line as it stands, and it is no passage: no name, no attendance,
    // no date nor place for the filters.
    bool unreadable = false;
    int fileLine = 0; // the line of the file, from 1
    std::string text; // an unreadable row's line as read
    // Badge and name folded for the search (see foldUtf8ForSearch), "\n" between.
    std::string searchKey;
};

// What the window keeps of one row: where its line starts in the journal's
// text and what reading it once taught. The text is indexed with 32-bit
// offsets: a journal of 4 GiB or more is not read (JournalData::tooLarge).
struct JournalIndexRow {
    std::uint32_t offset = 0;   // of the line, in the text
    std::uint32_t line = 0;     // the row's place in the file, from 0
    std::uint32_t fileLine = 0; // the line of the file, from 1
    NameSource nameSource = NameSource::Journal;
    bool unreadable = false;
};

// The cells of one line of the journal: views of the line itself when no
// quote or apostrophe asks for a copy. They stay valid until the next split
// (and while the line's text lives).
class JournalCells {
public:
    // False when a quote is left open at the end of the line.
    bool split(std::string_view line, char separator);
    std::size_t size() const { return m_views.size(); }
    // Cell `k`, empty when the row is shorter.
    std::string_view operator[](std::size_t k) const
    {
        return k < m_views.size() ? m_views[k] : std::string_view();
    }

private:
    std::vector<std::string_view> m_views;
    std::vector<std::string> m_owned;
};

struct JournalData;
void nameUnnamedRows(JournalData &data, const NamesByBadge &names);

// A passage's texts as read from its line, without a copy (views valid
// until the next read with the same JournalCells).
struct JournalFields {
    std::string_view date, time, badge, place, downloaded, board;
    // The name shown: the row's own, or the one it was given (nameSource);
    // empty for a badge nobody knows.
    std::string_view name;
    std::string_view text; // the line as it stands
};

// The journal's rows, newest passage first (by date, then time, then the
// later line of the file first): the journal's text, kept whole, and an
// index of its rows. A row is read from the text when it is asked for, so
// the window holds little more than the file; a column the journal gains
// costs nothing (the cells are found by the header's names).
class JournalEntries {
public:
    std::size_t size() const { return m_index.size(); }
    bool empty() const { return m_index.empty(); }
    const JournalIndexRow &info(std::size_t i) const { return m_index[i]; }
    // Row `i` read whole.
    JournalEntry operator[](std::size_t i) const;
    // Row `i`'s texts (unreadable: its text only), its cells split in `cells`.
    void read(std::size_t i, JournalCells &cells, JournalFields &out) const;
    // The line of row `i`, without its line end.
    std::string_view lineOf(std::size_t i) const;
    // The rows, in order, whose badge or name (an unreadable row: its line),
    // folded for the search, hold `folded`. The folded texts of every row
    // are made at the first search and kept (about half the journal's size).
    std::vector<int> rowsFinding(std::string_view folded) const;

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = JournalEntry;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = JournalEntry;
        const_iterator() = default;
        const_iterator(const JournalEntries *e, std::size_t i) : m_entries(e), m_i(i) {}
        JournalEntry operator*() const { return (*m_entries)[m_i]; }
        const_iterator &operator++() { return ++m_i, *this; }
        const_iterator operator++(int) { return {m_entries, m_i++}; }
        bool operator==(const const_iterator &o) const { return m_i == o.m_i; }
        difference_type operator-(const const_iterator &o) const
        {
            return difference_type(m_i) - difference_type(o.m_i);
        }

    private:
        const JournalEntries *m_entries = nullptr;
        std::size_t m_i = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_index.size()}; }

private:
    friend class JournalReader;
    friend void nameUnnamedRows(JournalData &data, const NamesByBadge &names);
    std::string_view text() const { return std::string_view(m_bytes).substr(m_start); }

    std::string m_bytes;      // the file as read, or its conversion to UTF-8
    std::size_t m_start = 0;  // the text's start (after the byte-order mark)
    std::vector<JournalIndexRow> m_index;
    char m_separator = ';';
    JournalColumns m_columns{0, 1, 2, 3, 4, 5};
    // The name given to the unnamed rows of a badge (NameSource::OtherRow, OpenList).
    std::unordered_map<std::string, std::string> m_givenNames;
    // The search's texts, each row's ended by a NUL, and where each starts
    // (one more at the end); empty until the first search.
    mutable std::string m_searchText;
    mutable std::vector<std::uint32_t> m_searchAt;
};

// The whole journal, newest passage first.
struct JournalData {
    JournalEntries entries;
    std::vector<std::string> places; // the places found, in ascending order
    std::string firstDate, lastDate; // the range of the dates "yyyy-mm-dd"; empty: none
    int unreadable = 0;              // rows marked unreadable (not passages)
    bool tooLarge = false;           // 4 GiB or more: not read
};

// Reads the journal's bytes a line at a time (columns found by their
// header names, the journal's own order otherwise). A row whose name is
// empty takes a name as nameUnnamedRows says.
JournalData readJournal(std::string_view bytes, const NamesByBadge &names);

// The same reading a slice at a time, so that a window stays alive while a
// large journal is read: step() until it answers false, then finish().
class JournalReader {
public:
    explicit JournalReader(std::string_view bytes) : JournalReader(std::string(bytes)) {}
    explicit JournalReader(std::string bytes); // kept as the journal's text
    JournalReader(const JournalReader &) = delete;
    JournalReader &operator=(const JournalReader &) = delete;
    // Reads the lines that start within the next `budget` bytes; false at the end.
    bool step(std::size_t budget);
    std::size_t done() const { return m_at; }
    std::size_t total() const { return m_text.size(); }
    // The journal read, in its order, its unnamed rows named.
    JournalData finish(const NamesByBadge &names);

private:
    void addRow(std::string_view line, std::size_t at);

    JournalData m_data;
    std::string_view m_text; // of m_data.entries
    std::size_t m_at = 0;
    int m_line = 1;
    bool m_header = false;
    std::size_t m_needed = 3; // cells a passage has at least
    JournalCells m_cells;
    // The order's keys, beside the index: date and time as one number
    // (yyyymmddhhmm) when both have their usual digits, else their texts.
    struct SortKey {
        std::uint64_t stamp = 0;
        std::uint32_t other = UINT32_MAX; // in m_otherKeys
        std::uint32_t row = 0;            // in the index, in file order
    };
    std::vector<SortKey> m_keys;
    std::vector<std::pair<std::string, std::string>> m_otherKeys;
    std::set<std::string, std::less<>> m_places;
    std::string m_lastPlace;
    bool m_anyPlace = false;
    std::size_t m_unnamed = 0;
};

// "ligne illisible du journal (ligne 12)"
std::string unreadableLine(const JournalEntry &e);

// Gives each row whose name is empty the newest name that the journal's
// other rows give its badge, else the holder of `names` (the open list),
// else none (NameSource::Unknown); its search key follows.
void nameUnnamedRows(JournalData &data, const NamesByBadge &names);

// The name of a passage as the tables show it: marked when the journal's
// row has none ("Zoé Martin (d'après le journal)", "(inconnu)"). An
// unreadable row is its line, marked: "ligne illisible du journal (ligne 12) : …".
std::string shownName(const JournalEntry &e);
inline constexpr const char *kUnknownName = PLATINE_TR_NOOP("Journal", "(inconnu)");

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
// A date outside "yyyy-mm-dd" only passes a range open at both ends; an
// unreadable row passes with the range open and every place, when the
// search finds its text.
std::vector<int> filterJournal(const JournalData &data, const JournalFilter &filter);

// --- Attendance ------------------------------------------------------------------

// One holder on one working day. A working day runs from the day's start
// time (`dayStart`, minutes after midnight) to the same time the next day
// and is dated by its start: with a start at 12:00, a passage at 22:00 on
// the 3rd and one at 05:30 on the 4th are one day, the 3rd, of 7:30. A
// holder is a badge number; its name is the one of its newest passage that
// has one, so a holder renamed between two downloads stays one holder,
// under the newer name; a badge nobody knows is named "(inconnu)" and comes
// after the named ones, by its number.
struct AttendanceDay {
    std::string name, badge, date;
    std::string first, last; // "hh:mm" (the last may be on the next calendar day)
    int passages = 0;
    std::string duration; // last minus first, "h:mm"; empty for one passage or an unreadable time
    std::string note;     // "1 passage : sortie manquante"; empty otherwise
    int minutes = -1;     // the duration in minutes; -1 when there is none
};

struct AttendanceTotal {
    std::string name, badge;
    int days = 0;
    int passages = 0;
    int minutes = 0;   // the days' durations added up
    std::string hours; // the same as "h:mm"
};

struct Attendance {
    std::vector<AttendanceDay> days;     // by name, badge, then date
    std::vector<AttendanceTotal> totals; // by name, badge
};

inline constexpr const char *kMissingExit = "1 passage : sortie manquante";

Attendance attendance(const JournalData &data, const std::vector<int> &rows, int dayStart = 0);

// "hh:mm" as minutes after midnight (0 to 1439); -1 when it is not a time.
int dayStartMinutes(std::string_view hhmm);

// --- The tables as exported ---------------------------------------------------------

std::vector<std::string> passagesHeader();   // "Date", "Heure", "N° du badge", ...
std::vector<std::string> attendanceHeader(); // "Nom", "N° du badge", "Date", ...
std::vector<std::string> totalsHeader();     // "Nom", "N° du badge", "Jours", ...
std::vector<std::string> passageCells(const JournalEntry &e);
std::vector<std::string> attendanceCells(const AttendanceDay &d);
std::vector<std::string> totalsCells(const AttendanceTotal &t);

// The rows as a CSV text (platform/csv.h): byte-order mark, header, rows.
std::string passagesCsv(const JournalData &data, const std::vector<int> &rows);
// The days, then an empty line, then the totals under their own header.
std::string attendanceCsv(const Attendance &a);

Sheet passagesSheet(const JournalData &data, const std::vector<int> &rows);
// The same sheet with its rows made as they are written: a million rows
// cost no more than one. `data` and `rows` must outlive the sheet.
Sheet passagesSheetOnDemand(const JournalData &data, const std::vector<int> &rows);
// Two sheets: "Présences" (the days) and "Totaux".
std::vector<Sheet> attendanceSheets(const Attendance &a);

} // namespace platine
