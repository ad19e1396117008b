// The table reader on any bytes: rows that the writer gives back unchanged,
// a list table that either names its faults or becomes a list that reads back
// the same, and a journal to which a download adds its passages only once.
#include "core/badges/list_table.h"
#include "core/badges/listfile.h"
#include "core/board/journal.h"
#include "core/board/journal_view.h"
#include "core/platform/csv.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

using fuzzcheck::check;
using namespace platine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // Reader and writer: every row written again reads back field for field.
    const csv::Table table = csv::read(csv::decode(bytes));
    check(table.rows.size() == table.lines.size());
    std::string again;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        check(!table.rows[i].empty());
        check(i == 0 || table.lines[i] > table.lines[i - 1]);
        if (table.rows[i].size() == 1 && table.rows[i][0].empty())
            continue; // one empty field is written as an empty line
        again += csv::row(table.rows[i]);
        ++kept;
    }
    const csv::Table reread = csv::read(again);
    check(reread.rows.size() == kept);
    for (std::size_t i = 0, j = 0; i < table.rows.size(); ++i) {
        if (table.rows[i].size() == 1 && table.rows[i][0].empty())
            continue;
        check(reread.rows[j++] == table.rows[i]);
    }

    // A list table: refused with its reasons, or a list whose table reads back the same.
    const TableImport import = readListTable(bytes);
    check(import.ok() || import.records.empty()); // nothing of a refused table
    if (import.ok()) {
        check(import.records.size() <= std::size_t(kBoardRecords));
        for (const RecordFields &r : import.records)
            check(validateRecord(r).empty());
        const std::string list =
            listFromRecords(newListHeader("07/12/2026", "15:04", "l.txt"), import.records);
        const TableImport back = readListTable(listTable(list));
        check(back.ok() && back.records.size() == import.records.size());
        for (std::size_t i = 0; i < back.records.size(); ++i) {
            const RecordFields &a = import.records[i], &b = back.records[i];
            check(a.numero == b.numero && a.heure_debut == b.heure_debut &&
                  a.minute_debut == b.minute_debut && a.heure_fin == b.heure_fin &&
                  a.minute_fin == b.minute_fin && a.jour_code == b.jour_code && a.lieu == b.lieu &&
                  a.jour_du_mois == b.jour_du_mois);
            // The list file takes one pair of quotes off a value.
            if (a.nom.empty() || (a.nom.front() != '"' && a.nom.front() != '\''))
                check(a.nom == b.nom);
        }
    } else {
        for (const TableProblem &p : import.problems)
            check(p.line >= 1 && !p.reason.empty());
    }

    // The bytes as a history, downloaded into a new journal, then again.
    const JournalUpdate first = addPassages("", bytes, {}, "2026-12-07 15:04");
    const JournalUpdate second = addPassages(first.content, bytes, {}, "2026-12-07 16:00");
    check(second.added == 0 && second.content == first.content);
    check(csv::read(csv::decode(first.content)).rows.size() == std::size_t(first.added) + 1);
    // Two downloads in one go, as in turn; and on a journal of other bytes,
    // those bytes stay in front whole.
    const JournalAddition both = newPassages("", {bytes, bytes}, {}, "2026-12-07 15:04");
    check(both.content("") == first.content && both.added == first.added);
    const JournalAddition after = newPassages(bytes, {bytes}, {}, "2026-12-07 15:04");
    check(after.fresh || after.content(bytes).compare(0, bytes.size(), bytes) == 0);
    // The table read in one piece and row by row agree.
    std::size_t scanned = 0;
    csv::scan(csv::decode(bytes), [&](std::span<const std::string> row, int line) {
        check(scanned < table.rows.size() && table.lines[scanned] == line &&
              std::equal(row.begin(), row.end(), table.rows[scanned].begin(),
                         table.rows[scanned].end()));
        ++scanned;
    });
    check(scanned == table.rows.size());

    // The bytes as a journal in the window: every row kept, each passage
    // counted once in the attendance, whatever the filter (the bytes' start).
    // The journal is read a line at a time: one entry a non-empty line after
    // the header, a quote left open marking its own row only.
    const JournalData journal = readJournal(bytes, {{"0000000001", "Valmire"}});
    const std::string decoded = csv::decode(bytes);
    std::size_t lines = 0, quoted = 0; // non-empty lines; those after the first holding a quote
    for (std::size_t at = 0; at <= decoded.size();) {
        const std::size_t end = std::min(decoded.find_first_of("\r\n", at), decoded.size());
        if (end > at) {
            ++lines;
            quoted += lines > 1 && decoded.substr(at, end - at).find('"') != std::string::npos;
        }
        at = end + 1;
    }
    check(journal.entries.size() + 1 == std::max<std::size_t>(lines, 1));
    // An unreadable line is a quote left open or a line without a passage's
    // cells: it stands as its text alone, and is no passage.
    std::size_t withQuote = 0, marked = 0;
    for (const JournalEntry &e : journal.entries) {
        if (!e.unreadable)
            continue;
        ++marked;
        withQuote += e.text.find('"') != std::string::npos;
        check(!e.text.empty() && e.row.date.empty() && e.row.badge.empty() && e.row.name.empty());
    }
    check(marked == std::size_t(journal.unreadable) && withQuote <= quoted);
    const JournalFilter filter{std::string(bytes.substr(0, 3)), std::string(bytes.substr(0, 10)),
                               "", ""};
    const std::vector<int> rows = filterJournal(journal, filter);
    const Attendance a = attendance(journal, rows);
    std::size_t counted = 0;
    for (const AttendanceDay &d : a.days)
        counted += std::size_t(d.passages);
    check(counted == rows.size());
    check(passagesSheet(journal, rows).rows.size() == rows.size());
    check(attendanceSheets(a).front().rows.size() == a.days.size());
    return 0;
}
