#pragma once
// The journal of passages: every passage ever downloaded, once, with the
// holder's name, as a table a spreadsheet opens (platform/csv.h). Each
// download adds the passages the journal does not hold yet: a passage is new
// when the download holds its badge, date, time and place more times than the
// journal does. Pure standard C++; the
// history text is Windows-1252, the journal UTF-8.

#include "badges/list_table.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

inline constexpr const char *kJournalFile = "journal des passages.csv";

// One row of the journal (UTF-8).
struct JournalRow {
    std::string date;       // "2026-12-07"; the fields as they stand when not digits
    std::string time;       // "08:37"; likewise
    std::string badge;      // the badge number, without the blanks around it
    std::string name;       // the holder's name in the open list, or empty
    std::string place;      // without the blanks around it
    std::string downloaded; // when the passage was downloaded: "2026-12-07 15:04"

    std::vector<std::string> fields() const;
};

// The header row's names, in column order.
std::vector<std::string> journalHeader();

// The journal's columns, in the header's order.
enum class JournalColumn { Date, Time, Badge, Name, Place, Downloaded };
// Where each column stands in a journal whose header row is `header`: found
// by its name (letter case, accents and blanks aside), else the journal's
// own place, so that a header renamed or missing still reads.
using JournalColumns = std::array<int, 6>;
JournalColumns journalColumns(const std::vector<std::string> &header);

// The row of one passage line (the history's fixed columns, history_table.h).
// The date takes its year in four digits when the day, month and year are
// digits; otherwise, as does a time that is not digits, it keeps the fields
// as they stand on the line joined by "/" (":"), so nothing is dropped.
JournalRow passageRow(std::string_view passageLine, std::string name, std::string downloaded);

// What a download adds to the journal, to be written after its bytes.
struct JournalAddition {
    // The journal holds no row (none yet, or blank text): it starts anew.
    bool fresh = false;
    // Before the rows: the byte-order mark and the header row of a journal
    // started anew, a line end when the journal's last line has none.
    std::string head;
    std::string rows; // the new rows
    int added = 0;    // passages new to the journal

    // The whole journal after the download: its bytes as they were (unless
    // started anew), then the head and the rows.
    std::string content(std::string_view journal) const;
};

// The passages of the history file contents `histories` (downloads in their
// order) that the journal `journal` (its bytes; empty when there is none
// yet) does not hold: each line of a history is one passage (two equal
// lines are two passages), and the journal's rows of the same badge, date,
// time and place, with those an earlier download added, stand for as many
// of its lines. Reads the journal in the memory of one row: a download
// costs what the journal's length costs to read, not more.
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
