#include "core/board/journal_view.h"

#include "core/platform/csv.h"
#include "core/platform/message.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>

namespace platine {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "yyyy-mm-dd" with digits where they belong.
bool isoDate(std::string_view s, int *y = nullptr, int *m = nullptr, int *d = nullptr)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (!isDigit(s[i]))
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

// Minutes since midnight of "hh:mm", or -1.
int minutesOf(std::string_view s)
{
    if (s.size() != 5 || s[2] != ':' || !isDigit(s[0]) || !isDigit(s[1]) || !isDigit(s[3]) ||
        !isDigit(s[4]))
        return -1;
    const int h = (s[0] - '0') * 10 + (s[1] - '0'), m = (s[3] - '0') * 10 + (s[4] - '0');
    return h < 24 && m < 60 ? h * 60 + m : -1;
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

std::string foldUtf8ForSearch(std::string_view s)
{
    // Latin-1 letters U+00C0 to U+00FF (UTF-8 C3 80 to C3 BF), by their low six bits.
    static constexpr std::string_view kLatin1 = "aaaaaaaceeeeiiii"
                                                "dnooooo*ouuuuyts"
                                                "aaaaaaaceeeeiiii"
                                                "dnooooo/ouuuuyty";
    std::string out;
    out.reserve(s.size());
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
    return out;
}

bool JournalReader::step(std::size_t budget)
{
    std::vector<JournalEntry> &entries = m_data.entries;
    // A line at a time: a row a spreadsheet or a hand left a quote open in,
    // or a line without the cells of a passage, is kept, marked, and the
    // next row stands on its own.
    return m_scanner.next(budget, [&](const JournalLine &l) {
        JournalEntry e;
        e.line = int(entries.size());
        e.fileLine = l.line;
        const std::size_t needed =
            std::size_t(std::max({l.at[std::size_t(JournalColumn::Date)],
                                  l.at[std::size_t(JournalColumn::Time)],
                                  l.at[std::size_t(JournalColumn::Badge)]})) + 1;
        if (!l.readable || l.cells.size() < needed) {
            e.unreadable = true;
            e.text = l.text;
            e.searchKey = "\n" + foldUtf8ForSearch(e.text);
            ++m_data.unreadable;
            entries.push_back(std::move(e));
            return;
        }
        e.row.date = l.cell(JournalColumn::Date);
        e.row.time = l.cell(JournalColumn::Time);
        e.row.badge = l.cell(JournalColumn::Badge);
        e.row.name = l.cell(JournalColumn::Name);
        e.row.place = l.cell(JournalColumn::Place);
        e.row.downloaded = l.cell(JournalColumn::Downloaded);
        e.searchKey = foldUtf8ForSearch(e.row.badge) + "\n" + foldUtf8ForSearch(e.row.name);
        if (m_places.empty() || m_places.back() != e.row.place)
            m_places.push_back(e.row.place);
        if (isoDate(e.row.date)) {
            if (m_data.firstDate.empty() || e.row.date < m_data.firstDate)
                m_data.firstDate = e.row.date;
            if (m_data.lastDate.empty() || e.row.date > m_data.lastDate)
                m_data.lastDate = e.row.date;
        }
        entries.push_back(std::move(e));
    });
}

JournalData JournalReader::finish(const NamesByBadge &names)
{
    while (step(std::string_view::npos)) {
    }
    std::vector<JournalEntry> &entries = m_data.entries;
    // Newest first; of two passages at the same minute, the later line first.
    std::sort(entries.begin(), entries.end(), [](const JournalEntry &a, const JournalEntry &b) {
        if (int c = a.row.date.compare(b.row.date))
            return c > 0;
        if (int c = a.row.time.compare(b.row.time))
            return c > 0;
        return a.line > b.line;
    });
    std::sort(m_places.begin(), m_places.end());
    m_places.erase(std::unique(m_places.begin(), m_places.end()), m_places.end());
    m_data.places = std::move(m_places);
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
    // The entries are newest first: the first name met is the newest.
    std::unordered_map<std::string_view, std::string_view> newest;
    for (const JournalEntry &e : data.entries)
        if (e.nameSource == NameSource::Journal && !e.row.name.empty())
            newest.try_emplace(e.row.badge, e.row.name);
    std::vector<std::pair<std::size_t, std::string>> taken; // the names go in after the look-ups
    for (std::size_t i = 0; i < data.entries.size(); ++i) {
        JournalEntry &e = data.entries[i];
        if (e.unreadable || e.nameSource != NameSource::Journal || !e.row.name.empty())
            continue;
        if (const auto n = newest.find(e.row.badge); n != newest.end()) {
            e.nameSource = NameSource::OtherRow;
            taken.emplace_back(i, std::string(n->second));
        } else if (const auto h = names.find(e.row.badge);
                   h != names.end() && !h->second.empty()) {
            e.nameSource = NameSource::OpenList;
            taken.emplace_back(i, h->second);
        } else {
            e.nameSource = NameSource::Unknown;
            e.searchKey += foldUtf8ForSearch(kUnknownName);
        }
    }
    newest.clear();
    for (auto &[i, name] : taken) {
        JournalEntry &e = data.entries[i];
        e.row.name = std::move(name);
        e.searchKey = foldUtf8ForSearch(e.row.badge) + "\n" + foldUtf8ForSearch(e.row.name);
    }
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
    std::vector<int> rows;
    rows.reserve(data.entries.size());
    for (std::size_t i = 0; i < data.entries.size(); ++i) {
        const JournalEntry &e = data.entries[i];
        if (e.unreadable && (ranged || !f.place.empty()))
            continue;
        if (!f.place.empty() && e.row.place != f.place)
            continue;
        if (ranged) {
            if (!isoDate(e.row.date))
                continue;
            if ((!f.from.empty() && e.row.date < f.from) || (!f.to.empty() && e.row.date > f.to))
                continue;
        }
        if (!wanted.empty() && e.searchKey.find(wanted) == std::string::npos)
            continue;
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
    std::unordered_map<View, View> holderName;
    for (const JournalEntry &e : data.entries)
        if (e.nameSource == NameSource::Journal && !e.row.name.empty())
            holderName.try_emplace(e.row.badge, e.row.name);
    for (const JournalEntry &e : data.entries)
        if (!e.row.name.empty())
            holderName.try_emplace(e.row.badge, e.row.name);

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
        const auto n = holderName.find(badge);
        return n == holderName.end() ? View() : n->second;
    };
    for (int i : rows) {
        if (data.entries[std::size_t(i)].unreadable)
            continue; // not a passage
        const JournalRow &r = data.entries[std::size_t(i)].row;
        int y, m, d;
        const int t = minutesOf(r.time);
        if (t >= 0 && isoDate(r.date, &y, &m, &d)) {
            const long moment = daysFromCivil(y, m, d) * 1440 + t;
            const long shifted = moment - dayStart;
            const long workday = (shifted >= 0 ? shifted : shifted - 1439) / 1440;
            const auto [at, isNew] = timedDay.try_emplace({r.badge, workday}, days.size());
            if (isNew) {
                Day day;
                day.name = nameOf(r.badge);
                day.badge = r.badge;
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
            const auto [at, isNew] = rawDay.try_emplace({r.badge, r.date}, days.size());
            if (isNew) {
                Day day;
                day.name = nameOf(r.badge);
                day.badge = r.badge;
                day.date = r.date;
                day.firstText = day.lastText = r.time;
                days.push_back(std::move(day));
            }
            Day &day = days[at->second];
            day.firstText = std::min(day.firstText, View(r.time));
            day.lastText = std::max(day.lastText, View(r.time));
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
            PLATINE_TR_NOOP("Journal", "Lieu"),        PLATINE_TR_NOOP("Journal", "Téléchargé le")};
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
            textCell(shownName(e)),  textCell(r.place), dateTimeCell(r.downloaded)};
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
    for (int i : rows) {
        const JournalEntry &e = data.entries[std::size_t(i)];
        const std::size_t name = e.nameTaken() || e.unreadable ? codePoints(shownName(e)) : codePoints(e.row.name);
        const std::size_t n[] = {codePoints(e.row.date),  codePoints(e.row.time),
                                 codePoints(e.row.badge), name,
                                 codePoints(e.row.place), codePoints(e.row.downloaded)};
        for (std::size_t c = 0; c < 6; ++c)
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
