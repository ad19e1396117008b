#include "core/board/journal.h"

#include "core/board/history_table.h"
#include "core/board/protocol.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"

#include <algorithm>
#include <array>
#include <cctype>
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

std::string passageKey(std::string_view badge, std::string_view date, std::string_view time,
                       std::string_view place)
{
    const auto allDigits = [](std::string_view s) {
        return !s.empty() &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const auto twoDigits = [](std::string_view s) {
        return s.size() == 1 ? "0" + std::string(s) : std::string(s);
    };
    const auto split = [](std::string_view s, char sep) {
        std::vector<std::string_view> parts;
        std::size_t at;
        while ((at = s.find(sep)) != std::string_view::npos) {
            parts.push_back(s.substr(0, at));
            s.remove_prefix(at + 1);
        }
        parts.push_back(s);
        return parts;
    };
    std::string out;
    // The badge: a spreadsheet takes "0123456789" for a number and drops its zeros.
    badge = trimmed(badge);
    if (!badge.empty() && badge.size() <= 10 && std::all_of(badge.begin(), badge.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c));
        })) {
        out.append(10 - badge.size(), '0');
        for (char c : badge)
            out += char(std::toupper(static_cast<unsigned char>(c)));
    } else
        out.append(badge);
    out += '\x1F';
    // The date: yyyy-mm-dd as written, dd/mm/yyyy or dd/mm/yy as a French spreadsheet shows it.
    date = trimmed(date);
    if (const auto iso = split(date, '-');
        iso.size() == 3 && iso[0].size() == 4 && allDigits(iso[0]) && allDigits(iso[1]) &&
        iso[1].size() <= 2 && allDigits(iso[2]) && iso[2].size() <= 2)
        out.append(iso[0])
            .append("-")
            .append(twoDigits(iso[1]))
            .append("-")
            .append(twoDigits(iso[2]));
    else if (const auto fr = split(date, '/');
             fr.size() == 3 && allDigits(fr[0]) && fr[0].size() <= 2 && allDigits(fr[1]) &&
             fr[1].size() <= 2 && allDigits(fr[2]) && (fr[2].size() == 2 || fr[2].size() == 4))
        out.append(fr[2].size() == 2 ? "20" : "")
            .append(fr[2])
            .append("-")
            .append(twoDigits(fr[1]))
            .append("-")
            .append(twoDigits(fr[0]));
    else
        out.append(date);
    out += '\x1F';
    // The time to the minute.
    time = trimmed(time);
    if (const auto hms = split(time, ':');
        (hms.size() == 2 || hms.size() == 3) && allDigits(hms[0]) && hms[0].size() <= 2 &&
        allDigits(hms[1]) && hms[1].size() == 2 && (hms.size() == 2 || allDigits(hms[2])))
        out.append(twoDigits(hms[0])).append(":").append(hms[1]);
    else
        out.append(time);
    out += '\x1F';
    // The place as a number.
    place = trimmed(place);
    if (allDigits(place)) {
        const std::size_t first = place.find_first_not_of('0');
        out.append(first == std::string_view::npos ? std::string_view("0") : place.substr(first));
    } else
        out.append(place);
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
    const std::size_t n = text.size();
    const std::size_t stop = budget >= n - std::min(n, m_at) ? n : m_at + budget;
    std::size_t i = m_at;
    do {
        if (i >= n)
            break;
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos)
            end = n;
        const std::string_view piece = text.substr(i, end - i);
        std::size_t next = end;
        if (next < n)
            next += text[next] == '\r' && next + 1 < n && text[next + 1] == '\n' ? 2 : 1;
        if (!piece.empty()) {
            if (!m_shape.any) {
                m_shape.any = true;
                m_shape.separator = csv::separatorOf(piece);
                m_shape.lineEnd = std::string(text.substr(end, next - end));
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
        }
        ++m_line;
        i = next;
    } while (i < stop);
    m_at = i;
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

std::string JournalAddition::content(std::string_view journal) const
{
    std::string out;
    out.reserve((fresh ? 0 : journal.size()) + head.size() + rows.size());
    if (!fresh)
        out.append(journal);
    out.append(head).append(rows);
    return out;
}

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
    const JournalShape shape = scanJournal(journal, [&](const JournalLine &l) {
        const auto it =
            held.find(passageKey(l.cell(JournalColumn::Badge), l.cell(JournalColumn::Date),
                                 l.cell(JournalColumn::Time), l.cell(JournalColumn::Place)));
        if (it != held.end())
            ++it->second;
    });

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
        out.rows += csv::row(r.fields(), shape.separator, shape.lineEnd);
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
