#pragma once
// The journal of passages: every passage ever downloaded, once, with the
// holder's name, as a table a spreadsheet opens (platform/csv.h). Each
// download adds the passages the journal does not hold yet: a passage is new
// when the download holds its badge, date, time and place more times than the
// journal does. Only lines of the board's passage shape are passages. The
// journal is read a line at a time and only ever added to. Pure standard
// C++; the history text is Windows-1252, the journal UTF-8 (or the code page
// a spreadsheet saved it in).

#include "core/badges/list_table.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

inline constexpr const char *kJournalFile = "journal des passages.csv";
// The passages downloaded that the journal could not take yet, in the
// journal's own form, beside it: added to it at the next download or start.
inline constexpr const char *kBacklogFile = "passages en attente.csv";

// One row of the journal (UTF-8).
struct JournalRow {
    std::string date;       // "2026-12-07"; the fields as they stand when not digits
    std::string time;       // "08:37"; likewise
    std::string badge;      // the badge number, without the blanks around it
    std::string name;       // the holder's name in the open list, or empty
    std::string place;      // without the blanks around it
    std::string downloaded; // when the passage was downloaded: "2026-12-07 15:04"
    std::string board;      // the board it came from; empty in rows written before it was kept

    std::vector<std::string> fields() const;
};

// The header row's names, in column order.
std::vector<std::string> journalHeader();

// The journal's columns, in the header's order.
enum class JournalColumn { Date, Time, Badge, Name, Place, Downloaded, Board };
// Where each column stands in a journal whose header row is `header`: found
// by its name (letter case, accents and blanks aside), else the journal's
// own place, so that a header renamed or missing still reads.
using JournalColumns = std::array<int, 7>;
JournalColumns journalColumns(const std::vector<std::string> &header);

// A line of the board's log that is a passage: ten hexadecimal digits in
// columns 1-10 and blanks to column 15, a time (hour 00-23 in 16-17, minute
// 00-59 in 19-20), a date (day 1-31 in 21-23, a blank before one digit or
// two; month 01-12 in 25-26; year in 28-29), a place of one to three digits
// in 30-32, and a "*" after it. Columns 18, 24 and 27 are not read. Noise on
// the line, a line cut short, the board's other texts are not passages.
bool isPassageLine(std::string_view line);

// The row of one passage line (the history's fixed columns, history_table.h).
// The date takes its year in four digits when the day, month and year are
// digits; otherwise, as does a time that is not digits, it keeps the fields
// as they stand on the line joined by "/" (":"), so nothing is dropped. A
// line break in the name becomes a blank: a journal's row is one line.
JournalRow passageRow(std::string_view passageLine, std::string name, std::string downloaded);

// The passages of one history file content, in order (two equal lines are
// two passages), and how many of its other lines were set aside: every line
// but the passages, blank lines, the board's announcement and its end marker.
struct HistoryPassages {
    std::vector<JournalRow> rows;
    int ignored = 0;
};
HistoryPassages historyPassages(std::string_view history, const NamesByBadge &names,
                                std::string_view downloaded);

// Two passages are the same when this text of theirs is: the badge padded to
// ten with zeros (hexadecimal digits upper-cased), the date as yyyy-mm-dd
// (also read from dd/mm/yyyy and dd/mm/yy), the time to the minute ("7:30",
// "07:30:00" -> "07:30"), the place as a number ("01" -> "1"); what is not of
// those shapes stands as it is, blanks around it left out. A journal saved
// again by a spreadsheet keeps its passages the same.
std::string passageKey(std::string_view badge, std::string_view date, std::string_view time,
                       std::string_view place);

// A journal's lines end with CR LF, LF or a lone CR (a spreadsheet's or an
// old Mac's). Where the line starting at `at` ends (its line end, or the end
// of the text), and where the next one starts, past the line end at `end`.
inline std::size_t lineEndFrom(std::string_view text, std::size_t at)
{
    while (at < text.size() && text[at] != '\r' && text[at] != '\n')
        ++at;
    return at;
}
inline std::size_t pastLineEnd(std::string_view text, std::size_t end)
{
    if (end >= text.size())
        return end;
    return end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
}

// "dddd-dd-dd" and "dd:dd": texts whose order is that of their digits, and
// the forms a passage's key gives a date and a time.
inline bool dateShaped(std::string_view s)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return s.size() == 10 && s[4] == '-' && s[7] == '-' && digit(s[0]) && digit(s[1]) &&
           digit(s[2]) && digit(s[3]) && digit(s[5]) && digit(s[6]) && digit(s[8]) &&
           digit(s[9]);
}
inline bool timeShaped(std::string_view s)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return s.size() == 5 && s[2] == ':' && digit(s[0]) && digit(s[1]) && digit(s[3]) &&
           digit(s[4]);
}
// Minutes since midnight of "hh:mm", or -1.
inline int minutesOf(std::string_view s)
{
    if (!timeShaped(s))
        return -1;
    const int h = (s[0] - '0') * 10 + (s[1] - '0'), m = (s[3] - '0') * 10 + (s[4] - '0');
    return h < 24 && m < 60 ? h * 60 + m : -1;
}

// The lines of `text` from `at` on, a piece of about `budget` bytes at a time
// (a line is never cut): each non-empty one given to onLine(line, its start,
// its end), every line counted in `lineNo`. Where the next piece starts.
template <class OnLine>
std::size_t walkLines(std::string_view text, std::size_t at, std::size_t budget, int &lineNo,
                      OnLine &&onLine)
{
    const std::size_t n = text.size();
    const std::size_t stop = budget >= n - std::min(n, at) ? n : at + budget;
    while (at < n) {
        const std::size_t end = lineEndFrom(text, at);
        if (end > at)
            onLine(text.substr(at, end - at), at, end);
        ++lineNo;
        at = pastLineEnd(text, end);
        if (at >= stop)
            break;
    }
    return at;
}

// One row of a journal as it is read, a line at a time (the program never
// writes a line break inside a cell): a quote left open ends with its line,
// and that row is not readable; it never swallows the next.
struct JournalLine {
    std::span<const std::string> cells;
    const JournalColumns &at;
    int line = 0; // in the file, from 1
    bool readable = true;
    std::string_view text; // the line as read (UTF-8), without its line end
    // The cell of column `c`, empty when the row is shorter.
    std::string_view cell(JournalColumn c) const;
};

// What reading a journal found of its form, so rows added to it take its
// separator, line end and code page.
struct JournalShape {
    bool any = false;             // a header row at least
    char separator = ';';         // from the header row
    std::string lineEnd = "\r\n"; // the header row's
    bool utf8 = true;             // else Windows-1252, as a spreadsheet may save it
    bool endsWithLineEnd = true;  // the last line has its line end
    int rows = 0;                 // rows after the header
    int unreadable = 0;           // of which a quote left open
};

// Reads the journal's bytes a line at a time, handing each row after the
// header to `onRow` (the cells stay valid during the call only).
JournalShape scanJournal(std::string_view bytes,
                         const std::function<void(const JournalLine &)> &onRow);

// The same reading a slice at a time, so that a caller may attend to other
// work between slices: `bytes` must outlive the scanner.
class JournalScanner {
public:
    explicit JournalScanner(std::string_view bytes);
    JournalScanner(const JournalScanner &) = delete; // the text may be a view of m_converted
    JournalScanner &operator=(const JournalScanner &) = delete;
    // Reads the lines that start within the next `budget` bytes of the text
    // (one line at least); false once the whole text is read.
    bool next(std::size_t budget, const std::function<void(const JournalLine &)> &onRow);
    bool atEnd() const { return m_at >= m_text.size(); }
    std::size_t done() const { return m_at; } // bytes of the text read
    std::size_t total() const { return m_text.size(); }
    const JournalShape &shape() const { return m_shape; }

private:
    JournalShape m_shape;
    std::string m_converted; // a journal saved by a spreadsheet in its own code page
    std::string_view m_text;
    JournalColumns m_columns{};
    std::vector<std::string> m_cells;
    int m_line = 1;
    std::size_t m_at = 0;
};

// The rows of a journal (the backlog of passages is one), readable or not.
std::vector<JournalRow> journalRows(std::string_view bytes);

// What a download adds to the journal, to be written after its bytes.
struct JournalAddition {
    // The journal holds no row (none yet, or blank text): it starts anew.
    bool fresh = false;
    // Before the rows: the byte-order mark and the header row of a journal
    // started anew, a line end when the journal's last line has none.
    std::string head;
    std::string rows; // the new rows, in the journal's separator, line end and code page
    std::vector<JournalRow> newRows; // the same rows
    int added = 0;                   // passages new to the journal
    int ignored = 0;                 // lines of the histories that are not passages

    // The whole journal after the download: its bytes as they were (unless
    // started anew), then the head and the rows.
    std::string content(std::string_view journal) const;
    // The same as the pieces to write one after the other, without a copy
    // of the journal (files::writeAtomic takes them so).
    std::array<std::string_view, 3> pieces(std::string_view journal) const;
    // False when the journal after the download is the journal as it was.
    bool changes(std::string_view journal) const;
};

// The rows of `groups` (downloads in their order, a backlog first) that the
// journal `journal` (its bytes; empty when there is none yet) does not hold:
// a passage of a group is new when the group holds it more times than the
// journal does, with what the earlier groups added (passageKey compares).
// Reads the journal in the memory of one row.
JournalAddition addRows(std::string_view journal,
                        const std::vector<std::vector<JournalRow>> &groups);

// The same for history file contents (historyPassages of each).
JournalAddition newPassages(std::string_view journal,
                            const std::vector<std::string_view> &histories,
                            const NamesByBadge &names, std::string_view downloaded);

struct JournalUpdate {
    std::string content; // the whole journal after the download
    int added = 0;       // passages new to it
};

// The journal `journal` (its bytes; empty when there is none yet) with the
// passages of the history file content `history` added, in file order: each
// line of the history is one passage (two equal lines are two passages), and
// the journal's rows of the same badge, date, time and place stand for as
// many lines of it, which are not added again. The rows already there stay byte for byte; a journal
// that did not exist starts with the byte-order mark and the header row.
JournalUpdate addPassages(std::string_view journal, std::string_view history,
                          const NamesByBadge &names, std::string_view downloaded);

} // namespace platine
