#include "core/board/journal_view.h"

#include "core/platform/cp1252.h"
#include "core/platform/csv.h"
#include "core/platform/message.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace platine {

namespace {

// "yyyy-mm-dd" with digits where they belong.
bool isoDate(std::string_view s, int *y = nullptr, int *m = nullptr, int *d = nullptr)
{
    if (!dateShaped(s))
        return false;
    const auto num = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i)
            v = v * 10 + (s[i] - '0');
        return v;
    };
    const int month = num(5, 2), day = num(8, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (y)
        *y = num(0, 4), *m = month, *d = day;
    return true;
}

// Days from 1970-01-01 of a day of the proleptic Gregorian calendar.
long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The day "yyyy-mm-dd" `days` days from 1970-01-01.
std::string civilFromDays(long days)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long d = doy - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    const long y = yoe + era * 400 + (m <= 2);
    std::string s(10, '-');
    const auto put = [&](std::size_t at, long v, int n) {
        for (int i = n - 1; i >= 0; --i, v /= 10)
            s[at + std::size_t(i)] = char('0' + v % 10);
    };
    put(0, y, 4);
    put(5, m, 2);
    put(8, d, 2);
    return s;
}

// "hh:mm" of a number of minutes after midnight.
std::string clockText(int minutes)
{
    std::string s = "00:00";
    s[0] = char('0' + minutes / 600);
    s[1] = char('0' + minutes / 60 % 10);
    s[3] = char('0' + minutes % 60 / 10);
    s[4] = char('0' + minutes % 10);
    return s;
}

// A spreadsheet's day number (days since 1899-12-30, right from 1900-03-01).
double serialDay(int y, int m, int d)
{
    return double(daysFromCivil(y, m, d) - daysFromCivil(1899, 12, 30));
}

std::string hmm(int minutes)
{
    std::string s = std::to_string(minutes / 60) + ":";
    if (minutes % 60 < 10)
        s += '0';
    return s + std::to_string(minutes % 60);
}

std::size_t codePoints(std::string_view s)
{
    return std::size_t(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

SheetCell textCell(std::string s)
{
    SheetCell c;
    c.text = std::move(s);
    return c;
}

SheetCell numberCell(double v, CellFormat f, std::string shown)
{
    SheetCell c;
    c.isNumber = true;
    c.number = v;
    c.format = f;
    c.text = std::move(shown);
    return c;
}

SheetCell dateCell(const std::string &s)
{
    int y, m, d;
    if (isoDate(s, &y, &m, &d) && y >= 1901)
        return numberCell(serialDay(y, m, d), CellFormat::Date, s);
    return textCell(s);
}

SheetCell timeCell(const std::string &s)
{
    const int t = minutesOf(s);
    return t < 0 ? textCell(s) : numberCell(t / 1440.0, CellFormat::Time, s);
}

// "yyyy-mm-dd hh:mm"
SheetCell dateTimeCell(const std::string &s)
{
    int y, m, d;
    const int t = s.size() == 16 && s[10] == ' ' ? minutesOf(std::string_view(s).substr(11)) : -1;
    if (t >= 0 && isoDate(std::string_view(s).substr(0, 10), &y, &m, &d) && y >= 1901)
        return numberCell(serialDay(y, m, d) + t / 1440.0, CellFormat::DateTime, s);
    return textCell(s);
}

// A duration in minutes; none (-1): an empty cell.
SheetCell minutesCell(int minutes)
{
    if (minutes < 0)
        return textCell({});
    return numberCell(minutes / 1440.0, CellFormat::Duration, hmm(minutes));
}

SheetCell countCell(int n)
{
    return numberCell(n, CellFormat::None, std::to_string(n));
}

void fitWidths(Sheet &sheet)
{
    sheet.widths.assign(sheet.header.size(), 0);
    for (std::size_t c = 0; c < sheet.header.size(); ++c)
        sheet.widths[c] = double(codePoints(sheet.header[c]));
    for (const auto &row : sheet.rows)
        for (std::size_t c = 0; c < row.size() && c < sheet.widths.size(); ++c)
            sheet.widths[c] = std::max(sheet.widths[c], double(codePoints(row[c].text)));
    for (double &w : sheet.widths)
        w += 2;
}

} // namespace

namespace {

// Appends `s` folded for the search (see foldUtf8ForSearch) to `out`.
void foldInto(std::string &out, std::string_view s)
{
    // Latin-1 letters U+00C0 to U+00FF (UTF-8 C3 80 to C3 BF), by their low six bits.
    static constexpr std::string_view kLatin1 = "aaaaaaaceeeeiiii"
                                                "dnooooo*ouuuuyts"
                                                "aaaaaaaceeeeiiii"
                                                "dnooooo/ouuuuyty";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c);
        } else if (c == 0xC3 && i + 1 < s.size() && (s[i + 1] & 0xC0) == 0x80) {
            const unsigned char d = static_cast<unsigned char>(s[i + 1]);
            out += kLatin1[std::size_t(d & 0x3F)];
            if (d == 0x86 || d == 0xA6) // Æ æ
                out += 'e';
            if (d == 0x9F) // ß
                out += 's';
            ++i;
        } else if (c == 0xC5 && i + 1 < s.size() &&
                   (s[i + 1] == char(0x92) || s[i + 1] == char(0x93))) { // Œ œ
            out += "oe";
            ++i;
        } else {
            out += char(c);
        }
    }
}

// The search's text of a row: badge and name folded, "\n" between; a badge
// nobody knows is "(inconnu)"; an unreadable row is its line.
void searchKeyInto(std::string &out, const JournalIndexRow &info, const JournalFields &f)
{
    out.clear();
    if (info.unreadable) {
        out += '\n';
        foldInto(out, f.text);
        return;
    }
    foldInto(out, f.badge);
    out += '\n';
    foldInto(out, info.nameSource == NameSource::Unknown ? std::string_view(kUnknownName) : f.name);
}


} // namespace

std::string foldUtf8ForSearch(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    foldInto(out, s);
    return out;
}

bool JournalCells::split(std::string_view line, char separator)
{
    m_views.clear();
    // The cells are the line's own bytes, unless a quote or a guarded
    // apostrophe asks for them to be copied.
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == separator) {
            m_views.push_back(line.substr(start, i - start));
            start = i + 1;
        } else if (c == '"' || c == '\'') {
            m_views.clear();
            const bool closed = csv::splitLine(line, separator, m_owned);
            m_views.assign(m_owned.begin(), m_owned.end());
            return closed;
        }
    }
    m_views.push_back(line.substr(start));
    return true;
}

std::string_view JournalEntries::lineOf(std::size_t i) const
{
    const std::string_view t = text().substr(m_index[i].offset);
    return t.substr(0, lineEndFrom(t, 0));
}

void JournalEntries::read(std::size_t i, JournalCells &cells, JournalFields &out) const
{
    const JournalIndexRow &info = m_index[i];
    out = JournalFields{};
    out.text = lineOf(i);
    if (info.unreadable)
        return;
    cells.split(out.text, m_separator);
    const auto cell = [&](JournalColumn c) { return cells[std::size_t(m_columns[std::size_t(c)])]; };
    out.date = cell(JournalColumn::Date);
    out.time = cell(JournalColumn::Time);
    out.badge = cell(JournalColumn::Badge);
    out.place = cell(JournalColumn::Place);
    out.downloaded = cell(JournalColumn::Downloaded);
    out.board = cell(JournalColumn::Board);
    if (info.nameSource == NameSource::Journal)
        out.name = cell(JournalColumn::Name);
    else if (const auto n = m_givenNames.find(std::string(out.badge)); n != m_givenNames.end())
        out.name = n->second;
}

std::vector<int> JournalEntries::rowsFinding(std::string_view folded) const
{
    std::vector<int> rows;
    JournalCells cells;
    JournalFields f;
    std::string key;
    const auto eachOnItsOwn = [&] {
        for (std::size_t i = 0; i < m_index.size(); ++i) {
            read(i, cells, f);
            searchKeyInto(key, m_index[i], f);
            if (key.find(folded) != std::string::npos)
                rows.push_back(int(i));
        }
        return rows;
    };
    if (folded.find('\0') != std::string_view::npos) // a NUL ends each row's text
        return eachOnItsOwn();
    if (m_searchAt.size() != m_index.size() + 1) {
        m_searchText.clear();
        m_searchAt.clear();
        m_searchAt.reserve(m_index.size() + 1);
        for (std::size_t i = 0; i < m_index.size(); ++i) {
            m_searchAt.push_back(std::uint32_t(m_searchText.size()));
            read(i, cells, f);
            searchKeyInto(key, m_index[i], f);
            m_searchText.append(key).push_back('\0');
            if (m_searchText.size() > UINT32_MAX) { // past the offsets' reach
                m_searchText = std::string();
                m_searchAt = {};
                return eachOnItsOwn();
            }
        }
        m_searchAt.push_back(std::uint32_t(m_searchText.size()));
        m_searchText.shrink_to_fit();
    }
    // One pass over the texts of all rows; a match lies within one row's.
    std::size_t row = 0;
    for (std::size_t at = m_searchText.find(folded); at != std::string::npos;
         at = m_searchText.find(folded, m_searchAt[row + 1])) {
        row = std::size_t(std::upper_bound(m_searchAt.begin() + std::ptrdiff_t(row),
                                           m_searchAt.end(), std::uint32_t(at)) -
                          m_searchAt.begin()) -
              1;
        rows.push_back(int(row));
    }
    return rows;
}

JournalEntry JournalEntries::operator[](std::size_t i) const
{
    const JournalIndexRow &info = m_index[i];
    JournalEntry e;
    e.line = int(info.line);
    e.fileLine = int(info.fileLine);
    e.unreadable = info.unreadable;
    e.nameSource = info.nameSource;
    JournalCells cells;
    JournalFields f;
    read(i, cells, f);
    if (info.unreadable) {
        e.text = f.text;
    } else {
        e.row.date = f.date;
        e.row.time = f.time;
        e.row.badge = f.badge;
        e.row.name = f.name;
        e.row.place = f.place;
        e.row.downloaded = f.downloaded;
        e.row.board = f.board;
    }
    searchKeyInto(e.searchKey, info, f);
    return e;
}

JournalReader::JournalReader(std::string bytes)
{
    JournalEntries &e = m_data.entries;
    std::string_view body = bytes;
    if (body.substr(0, csv::kBom.size()) == csv::kBom)
        body.remove_prefix(csv::kBom.size());
    if (cp1252::isUtf8(body)) {
        e.m_start = bytes.size() - body.size();
        e.m_bytes = std::move(bytes);
    } else {
        // A journal saved by a spreadsheet in its own code page.
        e.m_bytes = cp1252::toUtf8(body);
        bytes = std::string();
    }
    if (e.text().size() > std::size_t(UINT32_MAX)) {
        m_data.tooLarge = true;
        e.m_bytes = std::string();
        e.m_start = 0;
    }
    m_text = e.text();
}

bool JournalReader::step(std::size_t budget)
{
    // A line at a time: a row a spreadsheet or a hand left a quote open in,
    // or a line without the cells of a passage, is kept, marked, and the
    // next row stands on its own.
    m_at = walkLines(m_text, m_at, budget, m_line,
                     [&](std::string_view piece, std::size_t at, std::size_t) {
        if (m_header) {
            addRow(piece, at);
            return;
        }
        m_header = true;
        JournalEntries &e = m_data.entries;
        e.m_separator = csv::separatorOf(piece);
        std::vector<std::string> header;
        csv::splitLine(piece, e.m_separator, header);
        e.m_columns = journalColumns(header);
        m_needed = std::size_t(std::max({e.m_columns[std::size_t(JournalColumn::Date)],
                                         e.m_columns[std::size_t(JournalColumn::Time)],
                                         e.m_columns[std::size_t(JournalColumn::Badge)]})) +
                   1;
    });
    return m_at < m_text.size();
}

void JournalReader::addRow(std::string_view line, std::size_t at)
{
    JournalEntries &e = m_data.entries;
    JournalIndexRow row;
    row.offset = std::uint32_t(at);
    row.line = std::uint32_t(e.m_index.size());
    row.fileLine = std::uint32_t(m_line);
    SortKey key;
    key.row = row.line;
    const bool readable = m_cells.split(line, e.m_separator);
    if (!readable || m_cells.size() < m_needed) {
        row.unreadable = true;
        ++m_data.unreadable;
        key.other = std::uint32_t(m_otherKeys.size());
        m_otherKeys.emplace_back(); // no date, no time: after the passages
        e.m_index.push_back(row);
        m_keys.push_back(key);
        return;
    }
    const auto cell = [&](JournalColumn c) { return m_cells[std::size_t(e.m_columns[std::size_t(c)])]; };
    const std::string_view date = cell(JournalColumn::Date), time = cell(JournalColumn::Time),
                           place = cell(JournalColumn::Place);
    m_unnamed += cell(JournalColumn::Name).empty();
    if (!m_anyPlace || place != m_lastPlace) {
        m_anyPlace = true;
        m_lastPlace = place;
        if (m_places.find(place) == m_places.end())
            m_places.emplace(place);
    }
    if (isoDate(date)) {
        if (m_data.firstDate.empty() || date < m_data.firstDate)
            m_data.firstDate = date;
        if (m_data.lastDate.empty() || date > m_data.lastDate)
            m_data.lastDate = date;
    }
    if (dateShaped(date) && timeShaped(time)) {
        std::uint64_t v = 0;
        for (char c : date)
            if (c != '-')
                v = v * 10 + std::uint64_t(c - '0');
        for (char c : time)
            if (c != ':')
                v = v * 10 + std::uint64_t(c - '0');
        key.stamp = v;
    } else {
        key.other = std::uint32_t(m_otherKeys.size());
        m_otherKeys.emplace_back(date, time);
    }
    e.m_index.push_back(row);
    m_keys.push_back(key);
}

JournalData JournalReader::finish(const NamesByBadge &names)
{
    while (step(std::string_view::npos)) {
    }
    JournalEntries &e = m_data.entries;
    // Newest first; of two passages at the same minute, the later line first.
    // The keys in digits compare as their texts do; the others by their texts.
    const auto dateTime = [&](const SortKey &k, char (&buf)[16]) {
        if (k.other != UINT32_MAX) {
            const auto &o = m_otherKeys[k.other];
            return std::pair<std::string_view, std::string_view>(o.first, o.second);
        }
        // yyyymmddhhmm as "yyyy-mm-dd" and "hh:mm".
        std::uint64_t v = k.stamp;
        static constexpr int kAt[] = {14, 13, 11, 10, 9, 8, 6, 5, 3, 2, 1, 0};
        for (int p : kAt) {
            buf[p] = char('0' + v % 10);
            v /= 10;
        }
        buf[4] = buf[7] = '-';
        buf[12] = ':';
        return std::pair<std::string_view, std::string_view>(std::string_view(buf, 10),
                                                             std::string_view(buf + 10, 5));
    };
    // The keys sorted themselves, from the last line up: a journal added to
    // in the order of its passages is then nearly in order already.
    std::reverse(m_keys.begin(), m_keys.end());
    const auto newer = [&](const SortKey &ka, const SortKey &kb) {
        if (ka.other == UINT32_MAX && kb.other == UINT32_MAX) {
            if (ka.stamp != kb.stamp)
                return ka.stamp > kb.stamp;
            return ka.row > kb.row;
        }
        char ba[16], bb[16];
        const auto [da, ta] = dateTime(ka, ba);
        const auto [db, tb] = dateTime(kb, bb);
        if (const int c = da.compare(db))
            return c > 0;
        if (const int c = ta.compare(tb))
            return c > 0;
        return ka.row > kb.row;
    };
    if (!std::is_sorted(m_keys.begin(), m_keys.end(), newer))
        std::sort(m_keys.begin(), m_keys.end(), newer);
    std::vector<JournalIndexRow> sorted;
    sorted.reserve(m_keys.size());
    for (const SortKey &k : m_keys)
        sorted.push_back(e.m_index[k.row]);
    e.m_index = std::move(sorted);
    m_keys = {};
    m_otherKeys = {};
    m_data.places.assign(m_places.begin(), m_places.end());
    m_places.clear();
    if (m_unnamed)
        nameUnnamedRows(m_data, names);
    return std::move(m_data);
}

JournalData readJournal(std::string_view bytes, const NamesByBadge &names)
{
    JournalReader reader(bytes);
    return reader.finish(names);
}

std::string unreadableLine(const JournalEntry &e)
{
    return "ligne illisible du journal (ligne " + std::to_string(e.fileLine) + ")";
}

void nameUnnamedRows(JournalData &data, const NamesByBadge &names)
{
    JournalEntries &entries = data.entries;
    JournalCells cells;
    JournalFields f;
    // In one pass, whether a row has no name and the newest name the
    // journal's rows give each badge (the entries are newest first).
    bool unnamed = false;
    std::unordered_map<std::string, std::string> newest;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const JournalIndexRow &info = entries.m_index[i];
        if (info.unreadable || info.nameSource != NameSource::Journal)
            continue;
        entries.read(i, cells, f);
        if (f.name.empty())
            unnamed = true;
        else
            newest.try_emplace(std::string(f.badge), f.name);
    }
    if (!unnamed)
        return;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        JournalIndexRow &info = entries.m_index[i];
        if (info.unreadable || info.nameSource != NameSource::Journal)
            continue;
        entries.read(i, cells, f);
        if (!f.name.empty())
            continue;
        const std::string badge(f.badge);
        if (const auto n = newest.find(badge); n != newest.end()) {
            info.nameSource = NameSource::OtherRow;
            entries.m_givenNames.try_emplace(badge, n->second);
        } else if (const auto h = names.find(badge); h != names.end() && !h->second.empty()) {
            info.nameSource = NameSource::OpenList;
            entries.m_givenNames.try_emplace(badge, h->second);
        } else {
            info.nameSource = NameSource::Unknown;
        }
    }
    entries.m_searchText.clear(); // the names the search finds have changed
    entries.m_searchAt.clear();
}

std::string shownName(const JournalEntry &e)
{
    if (e.unreadable)
        return unreadableLine(e) + " : " + e.text;
    switch (e.nameSource) {
    case NameSource::Journal:
        break;
    case NameSource::OtherRow:
        return e.row.name + " (d'après le journal)";
    case NameSource::OpenList:
        return e.row.name + " (d'après la liste)";
    case NameSource::Unknown:
        return kUnknownName;
    }
    return e.row.name;
}

std::string describe(const JournalFilter &f)
{
    std::vector<std::string> parts;
    if (!f.from.empty() && !f.to.empty())
        parts.push_back("du " + f.from + " au " + f.to);
    else if (!f.from.empty())
        parts.push_back("à partir du " + f.from);
    else if (!f.to.empty())
        parts.push_back("jusqu'au " + f.to);
    if (!f.place.empty())
        parts.push_back("lieu " + f.place);
    if (!f.text.empty())
        parts.push_back("recherche « " + f.text + " »");
    if (parts.empty())
        return "tout le journal";
    std::string s = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        s += ", " + parts[i];
    return s;
}

std::vector<int> filterJournal(const JournalData &data, const JournalFilter &f)
{
    std::string wanted = foldUtf8ForSearch(f.text);
    while (!wanted.empty() && wanted.front() == ' ')
        wanted.erase(wanted.begin());
    while (!wanted.empty() && wanted.back() == ' ')
        wanted.pop_back();
    const bool ranged = !f.from.empty() || !f.to.empty();
    const JournalEntries &entries = data.entries;
    std::vector<int> rows;
    if (!ranged && f.place.empty() && wanted.empty()) { // every row: none is read
        rows.resize(entries.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = int(i);
        return rows;
    }
    // The search first, over the rows' folded texts; then the day and the place.
    const std::vector<int> found = wanted.empty() ? std::vector<int>() : entries.rowsFinding(wanted);
    if (!ranged && f.place.empty())
        return found;
    JournalCells cells;
    JournalFields r;
    const auto pass = [&](std::size_t i) {
        if (entries.info(i).unreadable)
            return false;
        entries.read(i, cells, r);
        if (!f.place.empty() && r.place != f.place)
            return false;
        if (ranged) {
            if (!isoDate(r.date))
                return false;
            if ((!f.from.empty() && r.date < f.from) || (!f.to.empty() && r.date > f.to))
                return false;
        }
        return true;
    };
    if (!wanted.empty()) {
        for (int i : found)
            if (pass(std::size_t(i)))
                rows.push_back(i);
    } else {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (pass(i))
                rows.push_back(int(i));
    }
    return rows;
}

int dayStartMinutes(std::string_view hhmm)
{
    return minutesOf(hhmm);
}

Attendance attendance(const JournalData &data, const std::vector<int> &rows, int dayStart)
{
    using View = std::string_view;
    if (dayStart < 0 || dayStart >= 1440)
        dayStart = 0;
    struct PairHash {
        std::size_t operator()(const std::pair<View, View> &k) const
        {
            return std::hash<View>()(k.first) * 31 + std::hash<View>()(k.second);
        }
        std::size_t operator()(const std::pair<View, long> &k) const
        {
            return std::hash<View>()(k.first) * 31 + std::hash<long>()(k.second);
        }
    };
    // A holder's name: that of its newest passage named in the journal, else
    // the name its rows were given (the entries are newest first).
    const JournalEntries &entries = data.entries;
    JournalCells cells;
    JournalFields r;
    std::unordered_map<std::string, std::string> holderName;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const JournalIndexRow &info = entries.info(i);
        if (info.unreadable)
            continue;
        entries.read(i, cells, r);
        if (!r.name.empty() && info.nameSource == NameSource::Journal)
            holderName.try_emplace(std::string(r.badge), r.name);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const JournalIndexRow &info = entries.info(i);
        if (info.unreadable || info.nameSource == NameSource::Journal)
            continue;
        entries.read(i, cells, r);
        if (!r.name.empty())
            holderName.try_emplace(std::string(r.badge), r.name);
    }

    // A passage whose date and time are readable belongs to the working day
    // its moment falls in; the others keep the date as it stands, with their
    // times as texts.
    struct Day {
        View name, badge;
        std::string date;
        long first = 0, last = 0; // minutes since 1970-01-01 00:00 (timed days)
        View firstText, lastText; // the others
        bool timed = false;
        int passages = 0;
    };
    std::vector<Day> days;
    std::unordered_map<std::pair<View, long>, std::size_t, PairHash> timedDay; // (badge, day)
    std::unordered_map<std::pair<View, View>, std::size_t, PairHash> rawDay;   // (badge, date)
    timedDay.reserve(rows.size() / 2 + 1);
    const auto nameOf = [&](View badge) {
        const auto n = holderName.find(std::string(badge));
        return n == holderName.end() ? View() : View(n->second);
    };
    // The badges, and the texts of the days without a readable moment, kept
    // once for the days to point into.
    std::unordered_set<std::string> kept;
    const auto keep = [&](View s) { return View(*kept.emplace(s).first); };
    for (int i : rows) {
        if (entries.info(std::size_t(i)).unreadable)
            continue; // not a passage
        entries.read(std::size_t(i), cells, r);
        int y, m, d;
        const int t = minutesOf(r.time);
        if (t >= 0 && isoDate(r.date, &y, &m, &d)) {
            const long moment = daysFromCivil(y, m, d) * 1440 + t;
            const long shifted = moment - dayStart;
            const long workday = (shifted >= 0 ? shifted : shifted - 1439) / 1440;
            const View badge = keep(r.badge);
            const auto [at, isNew] = timedDay.try_emplace({badge, workday}, days.size());
            if (isNew) {
                Day day;
                day.name = nameOf(badge);
                day.badge = badge;
                day.date = civilFromDays(workday);
                day.first = day.last = moment;
                day.timed = true;
                days.push_back(std::move(day));
            }
            Day &day = days[at->second];
            day.first = std::min(day.first, moment);
            day.last = std::max(day.last, moment);
            ++day.passages;
        } else {
            const View badge = keep(r.badge), date = keep(r.date), time = keep(r.time);
            const auto [at, isNew] = rawDay.try_emplace({badge, date}, days.size());
            if (isNew) {
                Day day;
                day.name = nameOf(badge);
                day.badge = badge;
                day.date = date;
                day.firstText = day.lastText = time;
                days.push_back(std::move(day));
            }
            Day &day = days[at->second];
            day.firstText = std::min(day.firstText, time);
            day.lastText = std::max(day.lastText, time);
            ++day.passages;
        }
    }
    // The named holders first, by name; a badge nobody knows after them, by its number.
    std::sort(days.begin(), days.end(), [](const Day &x, const Day &y) {
        return std::make_tuple(x.name.empty(), x.name, x.badge, std::string_view(x.date)) <
               std::make_tuple(y.name.empty(), y.name, y.badge, std::string_view(y.date));
    });

    Attendance a;
    a.days.reserve(days.size());
    for (const Day &d : days) {
        AttendanceDay out;
        out.name = d.name.empty() ? std::string(kUnknownName) : std::string(d.name);
        out.badge = std::string(d.badge);
        out.date = d.date;
        out.passages = d.passages;
        if (d.timed) {
            out.first = clockText(int((d.first % 1440 + 1440) % 1440));
            out.last = clockText(int((d.last % 1440 + 1440) % 1440));
            if (d.passages > 1)
                out.minutes = int(d.last - d.first);
        } else {
            out.first = std::string(d.firstText);
            out.last = std::string(d.lastText);
            const int first = minutesOf(d.firstText), last = minutesOf(d.lastText);
            if (d.passages > 1 && first >= 0 && last >= 0)
                out.minutes = last - first;
        }
        if (out.minutes >= 0)
            out.duration = hmm(out.minutes);
        if (d.passages == 1)
            out.note = kMissingExit;
        if (a.totals.empty() || a.totals.back().badge != out.badge)
            a.totals.push_back({out.name, out.badge, 0, 0, 0, {}});
        AttendanceTotal &total = a.totals.back();
        ++total.days;
        total.passages += d.passages;
        total.minutes += std::max(out.minutes, 0);
        a.days.push_back(std::move(out));
    }
    for (AttendanceTotal &t : a.totals)
        t.hours = hmm(t.minutes);
    return a;
}

// The headers are stored as they stand (the exports); the window shows them
// translated (context "Journal").
std::vector<std::string> passagesHeader()
{
    return {PLATINE_TR_NOOP("Journal", "Date"),        PLATINE_TR_NOOP("Journal", "Heure"),
            PLATINE_TR_NOOP("Journal", "N° du badge"), PLATINE_TR_NOOP("Journal", "Nom"),
            PLATINE_TR_NOOP("Journal", "Lieu"),        PLATINE_TR_NOOP("Journal", "Téléchargé le"),
            PLATINE_TR_NOOP("Journal", "Platine")};
}

std::vector<std::string> attendanceHeader()
{
    return {PLATINE_TR_NOOP("Journal", "Nom"),      PLATINE_TR_NOOP("Journal", "N° du badge"),
            PLATINE_TR_NOOP("Journal", "Date"),     PLATINE_TR_NOOP("Journal", "Première"),
            PLATINE_TR_NOOP("Journal", "Dernière"), PLATINE_TR_NOOP("Journal", "Passages"),
            PLATINE_TR_NOOP("Journal", "Durée"),    PLATINE_TR_NOOP("Journal", "Remarque")};
}

std::vector<std::string> totalsHeader()
{
    return {PLATINE_TR_NOOP("Journal", "Nom"), PLATINE_TR_NOOP("Journal", "N° du badge"),
            PLATINE_TR_NOOP("Journal", "Jours de présence"), PLATINE_TR_NOOP("Journal", "Passages"),
            PLATINE_TR_NOOP("Journal", "Heures de présence")};
}

std::vector<std::string> passageCells(const JournalEntry &e)
{
    std::vector<std::string> cells = e.row.fields();
    cells[3] = shownName(e);
    return cells;
}

std::vector<std::string> attendanceCells(const AttendanceDay &d)
{
    return {d.name, d.badge,  d.date, d.first, d.last, std::to_string(d.passages), d.duration,
            d.note};
}

std::vector<std::string> totalsCells(const AttendanceTotal &t)
{
    return {t.name, t.badge, std::to_string(t.days), std::to_string(t.passages), t.hours};
}

std::string passagesCsv(const JournalData &data, const std::vector<int> &rows)
{
    std::string s = std::string(csv::kBom) + csv::row(passagesHeader());
    for (int i : rows)
        s += csv::row(passageCells(data.entries[std::size_t(i)]));
    return s;
}

std::string attendanceCsv(const Attendance &a)
{
    std::string s = std::string(csv::kBom) + csv::row(attendanceHeader());
    for (const AttendanceDay &d : a.days)
        s += csv::row(attendanceCells(d));
    s += "\r\n" + csv::row(totalsHeader());
    for (const AttendanceTotal &t : a.totals)
        s += csv::row(totalsCells(t));
    return s;
}

namespace {

std::vector<SheetCell> passageSheetRow(const JournalEntry &e)
{
    const JournalRow &r = e.row;
    return {dateCell(r.date),        timeCell(r.time),  textCell(r.badge),
            textCell(shownName(e)),  textCell(r.place), dateTimeCell(r.downloaded),
            textCell(r.board)};
}

} // namespace

Sheet passagesSheet(const JournalData &data, const std::vector<int> &rows)
{
    Sheet sheet;
    sheet.name = "Passages";
    sheet.header = passagesHeader();
    sheet.rows.reserve(rows.size());
    for (int i : rows)
        sheet.rows.push_back(passageSheetRow(data.entries[std::size_t(i)]));
    fitWidths(sheet);
    return sheet;
}

Sheet passagesSheetOnDemand(const JournalData &data, const std::vector<int> &rows)
{
    Sheet sheet;
    sheet.name = "Passages";
    sheet.header = passagesHeader();
    sheet.rowCount = rows.size();
    sheet.rowAt = [&data, &rows](std::size_t r) {
        return passageSheetRow(data.entries[std::size_t(rows[r])]);
    };
    // The widths as fitWidths gives them: each cell shows its text.
    sheet.widths.assign(sheet.header.size(), 0);
    for (std::size_t c = 0; c < sheet.header.size(); ++c)
        sheet.widths[c] = double(codePoints(sheet.header[c]));
    JournalCells cells;
    JournalFields f;
    for (int i : rows) {
        const JournalIndexRow &info = data.entries.info(std::size_t(i));
        data.entries.read(std::size_t(i), cells, f);
        const std::size_t name = info.nameSource != NameSource::Journal || info.unreadable
                                     ? codePoints(shownName(data.entries[std::size_t(i)]))
                                     : codePoints(f.name);
        const std::size_t n[] = {codePoints(f.date),  codePoints(f.time),
                                 codePoints(f.badge), name,
                                 codePoints(f.place), codePoints(f.downloaded),
                                 codePoints(f.board)};
        for (std::size_t c = 0; c < std::size(n); ++c)
            sheet.widths[c] = std::max(sheet.widths[c], double(n[c]));
    }
    for (double &w : sheet.widths)
        w += 2;
    return sheet;
}

std::vector<Sheet> attendanceSheets(const Attendance &a)
{
    Sheet days;
    days.name = "Présences";
    days.header = attendanceHeader();
    for (const AttendanceDay &d : a.days)
        days.rows.push_back({textCell(d.name), textCell(d.badge), dateCell(d.date),
                             timeCell(d.first), timeCell(d.last), countCell(d.passages),
                             minutesCell(d.minutes), textCell(d.note)});
    fitWidths(days);
    Sheet totals;
    totals.name = "Totaux";
    totals.header = totalsHeader();
    for (const AttendanceTotal &t : a.totals)
        totals.rows.push_back({textCell(t.name), textCell(t.badge), countCell(t.days),
                               countCell(t.passages), minutesCell(t.minutes)});
    fitWidths(totals);
    return {std::move(days), std::move(totals)};
}

} // namespace platine
