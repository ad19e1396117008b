#include "core/board/journal.h"

#include "core/board/history_table.h"
#include "core/board/protocol.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace platine {

namespace {

// Characters `start` (from 1) to `start` + `width` - 1 of the line, cut at its end.
std::string_view column(std::string_view line, std::size_t start, std::size_t width)
{
    if (start > line.size())
        return {};
    return line.substr(start - 1, width);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool digits(std::string_view s, std::size_t min, std::size_t max)
{
    return s.size() >= min && s.size() <= max &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string text(std::string_view cp1252Bytes)
{
    return cp1252::toUtf8(cp1252Bytes);
}

} // namespace

std::vector<std::string> JournalRow::fields() const
{
    return {date, time, badge, name, place, downloaded, board};
}

std::vector<std::string> journalHeader()
{
    return {"date", "heure", "badge", "nom", "lieu", "téléchargement", "platine"};
}

JournalColumns journalColumns(const std::vector<std::string> &header)
{
    const std::vector<std::string> ours = journalHeader();
    JournalColumns at{};
    for (std::size_t k = 0; k < at.size(); ++k) {
        at[k] = csv::column(header, ours[k]);
        if (at[k] < 0)
            at[k] = int(k);
    }
    return at;
}

bool isPassageLine(std::string_view line)
{
    const auto hex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    const auto number = [](std::string_view s) {
        int v = 0;
        for (char c : s)
            v = v * 10 + (c - '0');
        return v;
    };
    if (line.size() < 33 || line.find('*', 32) == std::string_view::npos)
        return false;
    if (!std::all_of(line.begin(), line.begin() + 10, hex) ||
        line.substr(10, 5).find_first_not_of(' ') != std::string_view::npos)
        return false;
    const std::string_view hour = column(line, 16, 2), minute = column(line, 19, 2);
    const std::string_view day = trimmed(column(line, 21, 3)), month = column(line, 25, 2),
                           year = column(line, 28, 2), place = trimmed(column(line, 30, 3));
    // The day's blanks stand in front of it only.
    if (!digits(hour, 2, 2) || !digits(minute, 2, 2) || !digits(day, 1, 2) ||
        column(line, 21, 3).substr(3 - day.size()) != day || !digits(month, 2, 2) ||
        !digits(year, 2, 2) || !digits(place, 1, 3) ||
        column(line, 30, 3).substr(3 - place.size()) != place)
        return false;
    return number(hour) <= 23 && number(minute) <= 59 && number(day) >= 1 && number(day) <= 31 &&
           number(month) >= 1 && number(month) <= 12;
}

JournalRow passageRow(std::string_view line, std::string name, std::string downloaded)
{
    JournalRow r;
    const std::string_view hour = column(line, 16, 2), minute = column(line, 19, 2);
    const std::string_view day = trimmed(column(line, 21, 3)), month = column(line, 25, 2),
                           year = column(line, 28, 2);
    if (digits(day, 1, 2) && digits(month, 2, 2) && digits(year, 2, 2))
        r.date = "20" + std::string(year) + "-" + std::string(month) + "-" +
                 (day.size() == 1 ? "0" : "") + std::string(day);
    else
        r.date =
            text(trimmed(std::string(day) + "/" + std::string(month) + "/" + std::string(year)));
    if (digits(hour, 2, 2) && digits(minute, 2, 2))
        r.time = std::string(hour) + ":" + std::string(minute);
    else
        r.time = text(std::string(hour) + ":" + std::string(minute));
    r.badge = text(trimmed(column(line, 1, 14)));
    r.place = text(trimmed(column(line, 30, 3)));
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    r.name = std::move(name);
    r.downloaded = std::move(downloaded);
    return r;
}

HistoryPassages historyPassages(std::string_view history, const NamesByBadge &names,
                                std::string_view downloaded)
{
    HistoryPassages out;
    for (std::string_view whole : fileLines(history)) {
        const std::string_view line = withoutAnnouncement(whole);
        if (isPassageLine(line)) {
            const std::string badge(trimmed(column(line, 1, 14)));
            const auto name = names.find(badge);
            out.rows.push_back(passageRow(line, name == names.end() ? std::string() : name->second,
                                          std::string(downloaded)));
            continue;
        }
        // What is left of a line once its blanks and line feeds are gone.
        std::string_view rest = line;
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\n'))
            rest.remove_prefix(1);
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\n'))
            rest.remove_suffix(1);
        if (!rest.empty() && rest != protocol::kHistorique)
            ++out.ignored;
    }
    return out;
}

namespace {

// The parts of `s` between `sep`s: how many there are, the first three in `parts`.
std::size_t splitParts(std::string_view s, char sep, std::array<std::string_view, 3> &parts)
{
    std::size_t count = 0;
    for (;;) {
        const std::size_t at = s.find(sep);
        if (count < parts.size())
            parts[count] = s.substr(0, at);
        ++count;
        if (at == std::string_view::npos)
            return count;
        s.remove_prefix(at + 1);
    }
}

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void appendTwoDigits(std::string &out, std::string_view s)
{
    if (s.size() == 1)
        out += '0';
    out.append(s);
}

// passageKey written into `out` (emptied first): a journal's million rows
// each make their key in the same buffer.
void passageKeyInto(std::string &out, std::string_view badge, std::string_view date,
                    std::string_view time, std::string_view place)
{
    out.clear();
    std::array<std::string_view, 3> p;
    // The badge: a spreadsheet takes "0123456789" for a number and drops its zeros.
    badge = trimmed(badge);
    const auto hex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    if (!badge.empty() && badge.size() <= 10 && std::all_of(badge.begin(), badge.end(), hex)) {
        out.append(10 - badge.size(), '0');
        for (char c : badge)
            out += c >= 'a' ? char(c - 'a' + 'A') : c;
    } else
        out.append(badge);
    out += '\x1F';
    // The date: yyyy-mm-dd as written, dd/mm/yyyy or dd/mm/yy as a French spreadsheet shows it.
    date = trimmed(date);
    if (splitParts(date, '-', p) == 3 && p[0].size() == 4 && allDigits(p[0]) && allDigits(p[1]) &&
        p[1].size() <= 2 && allDigits(p[2]) && p[2].size() <= 2) {
        out.append(p[0]).append("-");
        appendTwoDigits(out, p[1]);
        out += '-';
        appendTwoDigits(out, p[2]);
    } else if (splitParts(date, '/', p) == 3 && allDigits(p[0]) && p[0].size() <= 2 &&
               allDigits(p[1]) && p[1].size() <= 2 && allDigits(p[2]) &&
               (p[2].size() == 2 || p[2].size() == 4)) {
        out.append(p[2].size() == 2 ? "20" : "").append(p[2]).append("-");
        appendTwoDigits(out, p[1]);
        out += '-';
        appendTwoDigits(out, p[0]);
    } else
        out.append(date);
    out += '\x1F';
    // The time to the minute.
    time = trimmed(time);
    if (const std::size_t n = splitParts(time, ':', p);
        (n == 2 || n == 3) && allDigits(p[0]) && p[0].size() <= 2 && allDigits(p[1]) &&
        p[1].size() == 2 && (n == 2 || allDigits(p[2]))) {
        appendTwoDigits(out, p[0]);
        out.append(":").append(p[1]);
    } else
        out.append(time);
    out += '\x1F';
    // The place as a number.
    place = trimmed(place);
    if (allDigits(place)) {
        const std::size_t first = place.find_first_not_of('0');
        out.append(first == std::string_view::npos ? std::string_view("0") : place.substr(first));
    } else
        out.append(place);
}

} // namespace

std::string passageKey(std::string_view badge, std::string_view date, std::string_view time,
                       std::string_view place)
{
    std::string out;
    passageKeyInto(out, badge, date, time, place);
    return out;
}

std::string_view JournalLine::cell(JournalColumn c) const
{
    const std::size_t k = std::size_t(at[std::size_t(c)]);
    return k < cells.size() ? std::string_view(cells[k]) : std::string_view();
}

JournalScanner::JournalScanner(std::string_view bytes)
{
    std::string_view body = bytes;
    if (body.substr(0, csv::kBom.size()) == csv::kBom)
        body.remove_prefix(csv::kBom.size());
    m_shape.utf8 = cp1252::isUtf8(body);
    m_text = csv::decode(bytes, m_converted);
    m_shape.endsWithLineEnd = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r';
}

bool JournalScanner::next(std::size_t budget,
                          const std::function<void(const JournalLine &)> &onRow)
{
    const std::string_view text = m_text;
    m_at = walkLines(text, m_at, budget, m_line,
                     [&](std::string_view piece, std::size_t, std::size_t end) {
        if (!m_shape.any) {
            m_shape.any = true;
            m_shape.separator = csv::separatorOf(piece);
            m_shape.lineEnd = std::string(text.substr(end, pastLineEnd(text, end) - end));
            if (m_shape.lineEnd.empty())
                m_shape.lineEnd = "\r\n";
            csv::splitLine(piece, m_shape.separator, m_cells);
            m_columns = journalColumns(m_cells);
        } else {
            const bool readable = csv::splitLine(piece, m_shape.separator, m_cells);
            ++m_shape.rows;
            m_shape.unreadable += !readable;
            onRow(JournalLine{m_cells, m_columns, m_line, readable, piece});
        }
    });
    return !atEnd();
}

JournalShape scanJournal(std::string_view bytes,
                         const std::function<void(const JournalLine &)> &onRow)
{
    JournalScanner scanner(bytes);
    while (scanner.next(std::string_view::npos, onRow)) {
    }
    return scanner.shape();
}

std::vector<JournalRow> journalRows(std::string_view bytes)
{
    std::vector<JournalRow> rows;
    scanJournal(bytes, [&](const JournalLine &l) {
        JournalRow &r = rows.emplace_back();
        r.date = l.cell(JournalColumn::Date);
        r.time = l.cell(JournalColumn::Time);
        r.badge = l.cell(JournalColumn::Badge);
        r.name = l.cell(JournalColumn::Name);
        r.place = l.cell(JournalColumn::Place);
        r.downloaded = l.cell(JournalColumn::Downloaded);
        r.board = l.cell(JournalColumn::Board);
    });
    return rows;
}

std::array<std::string_view, 3> JournalAddition::pieces(std::string_view journal) const
{
    return {fresh ? std::string_view() : journal, head, rows};
}

std::string JournalAddition::content(std::string_view journal) const
{
    std::string out;
    out.reserve((fresh ? 0 : journal.size()) + head.size() + rows.size());
    for (std::string_view piece : pieces(journal))
        out.append(piece);
    return out;
}

bool JournalAddition::changes(std::string_view journal) const
{
    if (!fresh)
        return !head.empty() || !rows.empty();
    const std::size_t size = head.size() + rows.size();
    return journal.size() != size || journal.substr(0, head.size()) != head ||
           journal.substr(head.size()) != rows;
}

namespace {

// Reads the journal's rows as scanJournal does, adding one to the count in
// `held` (the keys of the rows of `groups`) of each row's passage that is there, and gives the journal's shape.
// Made for a journal of a million rows: each row is read in one pass over
// its bytes, a row without quotes (every row the program writes) cut at its
// separators into views of the bytes and its key made in one buffer, so that
// it costs no allocation; a row with quotes is split as the scanner splits it.
JournalShape countHeld(std::string_view bytes, const std::vector<std::vector<JournalRow>> &groups,
                       std::unordered_map<std::string, int> &held, JournalColumns &columns)
{
    for (std::size_t k = 0; k < columns.size(); ++k)
        columns[k] = int(k);
    JournalShape shape;
    std::string_view body = bytes;
    if (body.substr(0, csv::kBom.size()) == csv::kBom)
        body.remove_prefix(csv::kBom.size());
    std::string converted;
    const std::string_view text = csv::decode(bytes, converted);
    shape.utf8 = text.data() == body.data(); // else converted from Windows-1252
    shape.endsWithLineEnd = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r';

    constexpr std::array<JournalColumn, 4> kWanted{JournalColumn::Badge, JournalColumn::Date,
                                                   JournalColumn::Time, JournalColumn::Place};
    std::vector<int> wantedAt; // for each cell of a row up to the last wanted: which, or -1
    std::vector<std::string> cells; // the header, a row with quotes
    std::string key;
    // The minutes of the day the passages looked for fall on: a row whose
    // time is written "hh:mm" (its key's own form) at another minute is
    // none of them, and its key need not be made. Off when a passage's
    // time is of another form.
    std::vector<bool> minutes(24 * 60);
    bool byMinute = true;
    // The days of those passages as their keys write them: a row whose date
    // is written "yyyy-mm-dd" (its key's own form) on another day is none of
    // them either.
    std::vector<std::string> days;
    for (const std::vector<JournalRow> &rows : groups)
        for (const JournalRow &r : rows) {
            // The time as its key holds it.
            const std::string k = passageKey({}, {}, r.time, {});
            const int m = minutesOf(std::string_view(k).substr(2, k.size() - 3));
            if (m < 0)
                byMinute = false;
            else
                minutes[std::size_t(m)] = true;
            const std::string d = passageKey({}, r.date, {}, {});
            days.emplace_back(d, 1, d.size() - 3);
        }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    const char *const base = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        // One line, to the first CR or LF: the bounds of its cells that are
        // wanted, and whether it holds a quote.
        std::array<std::string_view, 4> c{}; // badge, date, time, place
        std::size_t cell = 0, cellStart = i, j = i;
        bool quote = false;
        const char separator = shape.separator;
        const auto endCell = [&] {
            if (cell < wantedAt.size() && wantedAt[cell] >= 0)
                c[std::size_t(wantedAt[cell])] = std::string_view(base + cellStart, j - cellStart);
            ++cell;
            cellStart = j + 1;
        };
        for (; j < n; ++j) {
            const char ch = base[j];
            if (ch == '\n' || ch == '\r')
                break;
            if (ch == separator)
                endCell();
            else if (ch == '"')
                quote = true;
        }
        endCell();
        const std::size_t end = j;
        const std::size_t next = pastLineEnd(text, end);
        const std::string_view piece = text.substr(i, end - i);
        const std::string_view lineEnd = text.substr(end, next - end);
        i = next;
        if (piece.empty())
            continue;
        if (!shape.any) {
            shape.any = true;
            shape.separator = csv::separatorOf(piece);
            shape.lineEnd = lineEnd.empty() ? std::string("\r\n") : std::string(lineEnd);
            csv::splitLine(piece, shape.separator, cells);
            const JournalColumns at = columns = journalColumns(cells);
            for (std::size_t w = 0; w < kWanted.size(); ++w) {
                const std::size_t k = std::size_t(at[std::size_t(kWanted[w])]);
                if (k >= wantedAt.size())
                    wantedAt.resize(k + 1, -1);
                wantedAt[k] = int(w);
            }
            continue;
        }
        ++shape.rows;
        if (quote) {
            shape.unreadable += !csv::splitLine(piece, shape.separator, cells);
            c = {};
            for (std::size_t k = 0; k < wantedAt.size() && k < cells.size(); ++k)
                if (wantedAt[k] >= 0)
                    c[std::size_t(wantedAt[k])] = cells[k];
        } else {
            for (std::string_view &v : c)
                v = csv::unguarded(v);
        }
        if (held.empty())
            continue; // only the shape is asked for
        if (const int m = minutesOf(c[2]); byMinute && m >= 0 && !minutes[std::size_t(m)])
            continue;
        if (dateShaped(c[1]) && !std::binary_search(days.begin(), days.end(), c[1]))
            continue;
        passageKeyInto(key, c[0], c[1], c[2], c[3]);
        if (const auto it = held.find(key); it != held.end())
            ++it->second;
    }
    return shape;
}

// A row's fields in the journal's own column order: a journal whose columns
// a spreadsheet moved gets each new cell under its own header. Ours where two
// of them would share a column (a header that names few of ours).
std::vector<std::string> inColumns(const std::vector<std::string> &fields,
                                   const JournalColumns &at)
{
    std::vector<std::string> out;
    std::vector<bool> taken;
    std::size_t k = 0;
    for (; k < at.size() && k < fields.size(); ++k) {
        const std::size_t c = std::size_t(at[k]);
        if (c >= out.size()) {
            out.resize(c + 1);
            taken.resize(c + 1);
        }
        if (taken[c])
            return fields;
        taken[c] = true;
        out[c] = fields[k];
    }
    out.insert(out.end(), fields.begin() + std::ptrdiff_t(k), fields.end());
    return out;
}

} // namespace

JournalAddition addRows(std::string_view journal,
                        const std::vector<std::vector<JournalRow>> &groups)
{
    JournalAddition out;
    // How many times the journal holds each passage of the groups: only
    // their keys are counted, so the journal is read in the memory of one
    // row however long it is.
    std::unordered_map<std::string, int> held; // key -> rows of the journal
    for (const std::vector<JournalRow> &rows : groups)
        for (const JournalRow &r : rows)
            held.emplace(passageKey(r.badge, r.date, r.time, r.place), 0);
    JournalColumns columns;
    const JournalShape shape = countHeld(journal, groups, held, columns);

    if (!shape.any) {
        out.fresh = true;
        out.head = std::string(csv::kBom) + csv::row(journalHeader());
    } else if (!shape.endsWithLineEnd)
        out.head = shape.lineEnd;
    // Each group in turn: a passage is new when the group holds it more
    // times than the journal, with what the earlier groups added.
    for (const std::vector<JournalRow> &rows : groups) {
        std::unordered_map<std::string, int> left = held;
        for (const JournalRow &r : rows) {
            const std::string k = passageKey(r.badge, r.date, r.time, r.place);
            if (int &times = left[k]; times > 0) {
                --times; // the journal holds this one already
                continue;
            }
            ++held[k];
            out.newRows.push_back(r);
            ++out.added;
        }
    }
    // The new rows in the journal's own form: a journal saved again by a
    // spreadsheet with "," or in its code page reads them as its own.
    for (const JournalRow &r : out.newRows)
        out.rows += csv::row(inColumns(r.fields(), columns), shape.separator, shape.lineEnd);
    if (!shape.utf8 && !out.fresh)
        out.rows = cp1252::fromUtf8(out.rows);
    return out;
}

JournalAddition newPassages(std::string_view journal,
                            const std::vector<std::string_view> &histories,
                            const NamesByBadge &names, std::string_view downloaded)
{
    std::vector<std::vector<JournalRow>> groups;
    int ignored = 0;
    for (std::string_view history : histories) {
        HistoryPassages p = historyPassages(history, names, downloaded);
        groups.push_back(std::move(p.rows));
        ignored += p.ignored;
    }
    JournalAddition out = addRows(journal, groups);
    out.ignored = ignored;
    return out;
}

JournalUpdate addPassages(std::string_view journal, std::string_view history,
                          const NamesByBadge &names, std::string_view downloaded)
{
    const JournalAddition a = newPassages(journal, {history}, names, downloaded);
    JournalUpdate u;
    u.content = a.content(journal);
    u.added = a.added;
    return u;
}

} // namespace platine
