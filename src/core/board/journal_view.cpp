#include "board/journal_view.h"

#include "platform/csv.h"

#include <algorithm>
#include <array>
#include <set>
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

SheetCell durationCell(const std::string &s)
{
    const std::size_t colon = s.find(':');
    if (s.empty() || colon == std::string::npos)
        return textCell(s);
    const int h = std::stoi(s.substr(0, colon)), m = std::stoi(s.substr(colon + 1));
    return numberCell((h * 60 + m) / 1440.0, CellFormat::Duration, s);
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

JournalData readJournal(std::string_view bytes, const NamesByBadge &names)
{
    JournalData data;
    std::vector<JournalEntry> &entries = data.entries;
    std::set<std::string> places;
    // A line at a time: a row a spreadsheet or a hand left a quote open in
    // is kept, marked, and the next row stands on its own.
    const JournalShape shape = scanJournal(bytes, [&](const JournalLine &l) {
        JournalEntry e;
        e.row.date = l.cell(JournalColumn::Date);
        e.row.time = l.cell(JournalColumn::Time);
        e.row.badge = l.cell(JournalColumn::Badge);
        e.row.name = l.cell(JournalColumn::Name);
        e.row.place = l.cell(JournalColumn::Place);
        e.row.downloaded = l.cell(JournalColumn::Downloaded);
        e.line = int(entries.size());
        e.unreadable = !l.readable;
        if (e.row.name.empty()) {
            const auto holder = names.find(e.row.badge);
            if (holder != names.end() && !holder->second.empty()) {
                e.row.name = holder->second;
                e.nameFromList = true;
            }
        }
        e.searchKey = foldUtf8ForSearch(e.row.badge) + "\n" + foldUtf8ForSearch(e.row.name);
        places.insert(e.row.place);
        if (isoDate(e.row.date)) {
            if (data.firstDate.empty() || e.row.date < data.firstDate)
                data.firstDate = e.row.date;
            if (data.lastDate.empty() || e.row.date > data.lastDate)
                data.lastDate = e.row.date;
        }
        entries.push_back(std::move(e));
    });
    data.unreadable = shape.unreadable;
    // Newest first; of two passages at the same minute, the later line first.
    std::sort(entries.begin(), entries.end(), [](const JournalEntry &a, const JournalEntry &b) {
        if (int c = a.row.date.compare(b.row.date))
            return c > 0;
        if (int c = a.row.time.compare(b.row.time))
            return c > 0;
        return a.line > b.line;
    });
    data.places.assign(places.begin(), places.end());
    return data;
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

Attendance attendance(const JournalData &data, const std::vector<int> &rows)
{
    using View = std::string_view;
    struct PairHash {
        std::size_t operator()(const std::pair<View, View> &k) const
        {
            return std::hash<View>()(k.first) * 31 + std::hash<View>()(k.second);
        }
    };
    // A holder's name: that of its newest passage named in the journal, else
    // the open list's (the entries are newest first).
    std::unordered_map<View, View> holderName;
    for (const JournalEntry &e : data.entries)
        if (!e.nameFromList && !e.row.name.empty())
            holderName.try_emplace(e.row.badge, e.row.name);
    for (const JournalEntry &e : data.entries)
        if (e.nameFromList)
            holderName.try_emplace(e.row.badge, e.row.name);

    struct Day {
        View name, badge, date, first, last;
        int passages = 0;
    };
    std::vector<Day> days;
    std::unordered_map<std::pair<View, View>, std::size_t, PairHash> dayOf; // (badge, date)
    dayOf.reserve(rows.size() / 2 + 1);
    for (int i : rows) {
        const JournalRow &r = data.entries[std::size_t(i)].row;
        const auto [at, isNew] = dayOf.try_emplace({r.badge, r.date}, days.size());
        if (isNew) {
            const auto n = holderName.find(r.badge);
            days.push_back(
                {n == holderName.end() ? View() : n->second, r.badge, r.date, r.time, r.time, 0});
        }
        Day &d = days[at->second];
        d.first = std::min(d.first, View(r.time));
        d.last = std::max(d.last, View(r.time));
        ++d.passages;
    }
    std::sort(days.begin(), days.end(), [](const Day &x, const Day &y) {
        return std::tie(x.name, x.badge, x.date) < std::tie(y.name, y.badge, y.date);
    });

    Attendance a;
    a.days.reserve(days.size());
    for (const Day &d : days) {
        AttendanceDay out{std::string(d.name),
                          std::string(d.badge),
                          std::string(d.date),
                          std::string(d.first),
                          std::string(d.last),
                          d.passages,
                          {}};
        const int first = minutesOf(d.first), last = minutesOf(d.last);
        if (first >= 0 && last >= 0)
            out.duration = hmm(last - first);
        if (a.totals.empty() || a.totals.back().badge != out.badge)
            a.totals.push_back({out.name, out.badge, 0, 0});
        ++a.totals.back().days;
        a.totals.back().passages += d.passages;
        a.days.push_back(std::move(out));
    }
    return a;
}

std::vector<std::string> passagesHeader()
{
    return {"Date", "Heure", "N° du badge", "Nom", "Lieu", "Téléchargé le"};
}

std::vector<std::string> attendanceHeader()
{
    return {"Nom", "N° du badge", "Date", "Première", "Dernière", "Passages", "Durée"};
}

std::vector<std::string> totalsHeader()
{
    return {"Nom", "N° du badge", "Jours de présence", "Passages"};
}

std::vector<std::string> passageCells(const JournalEntry &e)
{
    return e.row.fields();
}

std::vector<std::string> attendanceCells(const AttendanceDay &d)
{
    return {d.name, d.badge, d.date, d.first, d.last, std::to_string(d.passages), d.duration};
}

std::vector<std::string> totalsCells(const AttendanceTotal &t)
{
    return {t.name, t.badge, std::to_string(t.days), std::to_string(t.passages)};
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

const char *numberFormat(CellFormat format)
{
    switch (format) {
    case CellFormat::Date:
        return "yyyy-mm-dd";
    case CellFormat::Time:
        return "hh:mm";
    case CellFormat::DateTime:
        return "yyyy-mm-dd hh:mm";
    case CellFormat::Duration:
        return "[h]:mm";
    case CellFormat::None:
        break;
    }
    return "";
}

Sheet passagesSheet(const JournalData &data, const std::vector<int> &rows)
{
    Sheet sheet;
    sheet.name = "Passages";
    sheet.header = passagesHeader();
    sheet.rows.reserve(rows.size());
    for (int i : rows) {
        const JournalRow &r = data.entries[std::size_t(i)].row;
        sheet.rows.push_back({dateCell(r.date), timeCell(r.time), textCell(r.badge),
                              textCell(r.name), textCell(r.place), dateTimeCell(r.downloaded)});
    }
    fitWidths(sheet);
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
                             durationCell(d.duration)});
    fitWidths(days);
    Sheet totals;
    totals.name = "Totaux";
    totals.header = totalsHeader();
    for (const AttendanceTotal &t : a.totals)
        totals.rows.push_back(
            {textCell(t.name), textCell(t.badge), countCell(t.days), countCell(t.passages)});
    fitWidths(totals);
    return {std::move(days), std::move(totals)};
}

} // namespace platine
