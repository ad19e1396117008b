#include "core/board/operations_journal.h"

#include "core/badges/list_table.h"
#include "core/badges/record_fields.h"
#include "core/board/journal_view.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"

#include <algorithm>
#include <array>
#include <map>

namespace platine {

namespace {

// Where each column of the journal stands in a file whose header row is
// `names`: under its name; a column the header does not name at its own
// place when no other stands there, else after the header's last. Rows are
// read and added through the same places, so that a journal a spreadsheet
// saved with its columns moved keeps each new cell under its name.
std::array<std::size_t, kOperationColumns> placesOf(const std::vector<std::string> &names)
{
    const std::vector<std::string> ours = operationsHeader();
    std::array<int, kOperationColumns> found{};
    std::vector<bool> taken(std::max(names.size(), kOperationColumns), false);
    for (std::size_t k = 0; k < kOperationColumns; ++k) {
        found[k] = csv::column(names, ours[k]);
        if (found[k] >= 0)
            taken[std::size_t(found[k])] = true;
    }
    std::array<std::size_t, kOperationColumns> at{};
    std::size_t next = taken.size();
    for (std::size_t k = 0; k < kOperationColumns; ++k) {
        if (found[k] >= 0)
            at[k] = std::size_t(found[k]);
        else if (!taken[k]) {
            taken[k] = true;
            at[k] = k;
        } else
            at[k] = next++;
    }
    return at;
}

} // namespace

std::vector<std::string> OperationRow::fields() const
{
    return {date, time, user, board, list, operation, badge, field, before, after, detail};
}

std::vector<std::string> operationsHeader()
{
    return {"date",  "heure", "utilisateur", "platine", "liste", "opération",
            "badge", "champ", "avant",       "après",   "détail"};
}

namespace {

std::string utf8(std::string_view cp1252Bytes)
{
    return cp1252::toUtf8(cp1252Bytes);
}

OperationRow stamped(const OperationRow &stamp, std::string_view operation, std::string badge)
{
    OperationRow r;
    r.date = stamp.date;
    r.time = stamp.time;
    r.user = stamp.user;
    r.board = stamp.board;
    r.list = stamp.list;
    r.operation = std::string(operation);
    r.badge = std::move(badge);
    return r;
}

// The record's values, each field as it is stored: "nom=Zoé Martin, ...".
std::string recordText(const RecordFields &record)
{
    std::string text;
    for (const RecordField &f : kRecordFields) {
        if (f.value == &RecordFields::numero || f.value == &RecordFields::jour_texte)
            continue; // the badge has a column of its own; the day's code says it
        if (!text.empty())
            text += ", ";
        text += utf8(f.key) + "=" + utf8(record.*f.value);
    }
    return text;
}

} // namespace

std::vector<OperationRow> recordChanges(std::string_view before, std::string_view after,
                                        const OperationRow &stamp, std::string_view changedOp)
{
    // Matched by badge number: a record whose section was renamed but whose
    // number stayed is the same badge.
    const std::vector<RecordFields> was = storedRecords(before), is = storedRecords(after);
    std::map<std::string, const RecordFields *> old;
    for (const RecordFields &r : was)
        old.emplace(r.numero, &r);
    std::vector<OperationRow> rows;
    std::map<std::string, bool> seen;
    for (const RecordFields &r : is) {
        if (!seen.emplace(r.numero, true).second)
            continue;
        const auto o = old.find(r.numero);
        if (o == old.end()) {
            OperationRow row = stamped(stamp, op::kAdded, utf8(r.numero));
            row.after = recordText(r);
            rows.push_back(std::move(row));
            continue;
        }
        for (const RecordField &f : kRecordFields) {
            if (o->second->*f.value == r.*f.value)
                continue;
            OperationRow row = stamped(stamp, changedOp, utf8(r.numero));
            row.field = utf8(f.key);
            row.before = utf8(o->second->*f.value);
            row.after = utf8(r.*f.value);
            rows.push_back(std::move(row));
        }
    }
    for (const RecordFields &r : was)
        if (!seen.count(r.numero)) {
            seen.emplace(r.numero, true);
            OperationRow row = stamped(stamp, op::kRemoved, utf8(r.numero));
            row.before = recordText(r);
            rows.push_back(std::move(row));
        }
    return rows;
}

std::string appendOperations(std::string_view journal, const std::vector<OperationRow> &rows)
{
    const bool blank = journal.find_first_not_of(" \t\r\n") == std::string_view::npos ||
                       journal == csv::kBom;
    std::string out;
    char separator = ';';
    std::string_view lineEnd = "\r\n";
    bool utf8Journal = true;
    std::array<std::size_t, kOperationColumns> at{};
    for (std::size_t k = 0; k < kOperationColumns; ++k)
        at[k] = k;
    if (blank) {
        out = std::string(csv::kBom) + csv::row(operationsHeader());
    } else {
        out = std::string(journal);
        // A spreadsheet may have saved it in its own code page, or with its
        // columns moved: the rows follow both. (Decoded once: its byte-order
        // mark off, a copy only when it is not UTF-8.)
        std::string converted;
        const std::string_view text = csv::decode(journal, converted);
        utf8Journal = converted.empty();
        at = placesOf(csv::firstRow(text));
        const std::size_t end = text.find_first_of("\r\n");
        separator = csv::separatorOf(text.substr(0, end));
        if (end != std::string_view::npos && text[end] == '\n')
            lineEnd = "\n";
        if (out.back() != '\n' && out.back() != '\r')
            out += lineEnd;
    }
    const std::size_t width = *std::max_element(at.begin(), at.end()) + 1;
    for (const OperationRow &r : rows) {
        std::vector<std::string> cells(width);
        const std::vector<std::string> fields = r.fields();
        for (std::size_t k = 0; k < kOperationColumns; ++k)
            cells[at[k]] = fields[k];
        const std::string line = csv::row(cells, separator, lineEnd);
        out += utf8Journal ? line : cp1252::fromUtf8(line);
    }
    return out;
}

std::vector<OperationRow> readOperations(std::string_view bytes)
{
    std::string converted;
    const std::string_view text = csv::decode(bytes, converted);
    std::vector<OperationRow> rows;
    std::array<std::size_t, kOperationColumns> at{};
    bool header = true;
    csv::scan(text, [&](std::span<const std::string> cells, int) {
        if (header) {
            header = false;
            at = placesOf({cells.begin(), cells.end()});
            return;
        }
        const auto cell = [&](std::size_t k) {
            return at[k] < cells.size() ? cells[at[k]] : std::string();
        };
        rows.push_back({cell(0), cell(1), cell(2), cell(3), cell(4), cell(5), cell(6), cell(7),
                        cell(8), cell(9), cell(10)});
    });
    return rows;
}

std::string operationSearchKey(const OperationRow &row)
{
    std::string key;
    for (const std::string &cell : row.fields()) {
        key += foldUtf8ForSearch(cell);
        key += '\n';
    }
    return key;
}

std::vector<int> filterOperations(const std::vector<OperationRow> &rows,
                                  const std::vector<std::string> &keys, std::string_view text,
                                  std::string_view from, std::string_view to)
{
    const std::string key = foldUtf8ForSearch(text);
    std::vector<int> shown;
    for (int i = int(rows.size()) - 1; i >= 0; --i) {
        const OperationRow &r = rows[std::size_t(i)];
        // A date that is not a day passes a range open at both ends only.
        if ((!from.empty() || !to.empty()) && r.date.size() != 10)
            continue;
        if ((!from.empty() && r.date < from) || (!to.empty() && r.date > to))
            continue;
        if (!key.empty() && (keys.size() == rows.size() ? keys[std::size_t(i)]
                                                         : operationSearchKey(r))
                                    .find(key) == std::string::npos)
            continue;
        shown.push_back(i);
    }
    return shown;
}

Sheet operationsSheet(const std::vector<OperationRow> &rows, const std::vector<int> &shown)
{
    Sheet sheet;
    sheet.name = "Opérations";
    sheet.header = operationsHeader();
    sheet.widths = {11, 9, 12, 16, 24, 16, 12, 14, 20, 20, 30};
    sheet.rowCount = shown.size();
    sheet.rowAt = [&rows, shown](std::size_t r) {
        std::vector<SheetCell> cells;
        for (std::string &text : rows[std::size_t(shown[r])].fields()) {
            SheetCell c;
            c.text = std::move(text);
            cells.push_back(std::move(c));
        }
        return cells;
    };
    return sheet;
}

std::string hexBytes(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        if (!out.empty())
            out += ' ';
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool minutesOf(std::string_view date, std::string_view time, long long &minutes)
{
    const auto number = [](std::string_view s, std::size_t from, std::size_t n, int &v) {
        if (s.size() < from + n)
            return false;
        v = 0;
        for (std::size_t i = from; i < from + n; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return false;
            v = v * 10 + (s[i] - '0');
        }
        return true;
    };
    int y = 0, m = 0, d = 0, hh = 0, mm = 0;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !number(date, 0, 4, y) ||
        !number(date, 5, 2, m) || !number(date, 8, 2, d) || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    if ((time.size() != 5 && time.size() != 8) || time[2] != ':' || !number(time, 0, 2, hh) ||
        !number(time, 3, 2, mm) || hh > 23 || mm > 59)
        return false;
    // Days from the civil date (proleptic Gregorian), then minutes.
    const int yy = y - (m <= 2);
    const int era = (yy >= 0 ? yy : yy - 399) / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = era * 146097LL + doe - 730425; // days since 2000-01-01
    minutes = (days * 24 + hh) * 60 + mm;
    return true;
}

} // namespace platine
