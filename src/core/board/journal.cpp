#include "board/journal.h"

#include "board/history_table.h"
#include "platform/cp1252.h"
#include "platform/csv.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace platine {

namespace {

using Key = std::tuple<std::string, std::string, std::string, std::string>;

Key keyOf(const JournalRow &r)
{
    return {r.badge, r.date, r.time, r.place};
}

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
    return {date, time, badge, name, place, downloaded};
}

std::vector<std::string> journalHeader()
{
    return {"date", "heure", "badge", "nom", "lieu", "téléchargement"};
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
    r.name = std::move(name);
    r.downloaded = std::move(downloaded);
    return r;
}

JournalUpdate addPassages(std::string_view journal, std::string_view history,
                          const NamesByBadge &names, std::string_view downloaded)
{
    JournalUpdate u;
    // How many times the journal holds each passage: a download adds a
    // passage as often as it holds it more times than that (two passages of
    // one badge at one place in one minute are two passages).
    std::map<Key, int> held;
    const csv::Table table = csv::read(csv::decode(journal));
    if (!table.rows.empty()) {
        // Columns by their names; a header without them: the journal's own order.
        const std::vector<std::string> &header = table.rows.front();
        const std::vector<std::string> ours = journalHeader();
        constexpr std::array<int, 4> kKeyColumns{2, 0, 1, 4}; // badge, date, time, place
        std::array<int, 4> at{};
        for (std::size_t k = 0; k < at.size(); ++k) {
            at[k] = csv::column(header, ours[std::size_t(kKeyColumns[k])]);
            if (at[k] < 0)
                at[k] = kKeyColumns[k];
        }
        for (std::size_t i = 1; i < table.rows.size(); ++i) {
            const std::vector<std::string> &row = table.rows[i];
            const auto cell = [&](int c) {
                return std::size_t(c) < row.size() ? row[std::size_t(c)] : std::string();
            };
            ++held[{cell(at[0]), cell(at[1]), cell(at[2]), cell(at[3])}];
        }
    }

    if (table.rows.empty()) {
        u.content = std::string(csv::kBom) + csv::row(journalHeader());
    } else {
        u.content.assign(journal);
        if (u.content.back() != '\n' && u.content.back() != '\r')
            u.content += "\r\n";
    }
    for (std::string_view line : fileLines(history)) {
        line = withoutAnnouncement(line);
        if (line.find('*') == std::string_view::npos)
            continue;
        const std::string badge(trimmed(column(line, 1, 14)));
        const auto name = names.find(badge);
        JournalRow r = passageRow(line, name == names.end() ? std::string() : name->second,
                                  std::string(downloaded));
        int &times = held[keyOf(r)];
        if (times > 0) {
            --times; // the journal holds this one already
            continue;
        }
        u.content += csv::row(r.fields());
        ++u.added;
    }
    return u;
}

} // namespace platine
