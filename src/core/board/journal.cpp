#include "board/journal.h"

#include "board/history_table.h"
#include "platform/cp1252.h"
#include "platform/csv.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace platine {

namespace {

// A passage's badge, date, time and place as one text, in `out`.
void keyText(std::string &out, std::string_view badge, std::string_view date, std::string_view time,
             std::string_view place)
{
    out.clear();
    out.append(badge).append(1, '\x1F').append(date).append(1, '\x1F').append(time);
    out.append(1, '\x1F').append(place);
}

std::string keyText(std::string_view badge, std::string_view date, std::string_view time,
                    std::string_view place)
{
    std::string out;
    keyText(out, badge, date, time, place);
    return out;
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

std::string JournalAddition::content(std::string_view journal) const
{
    std::string out;
    out.reserve((fresh ? 0 : journal.size()) + head.size() + rows.size());
    if (!fresh)
        out.append(journal);
    out.append(head).append(rows);
    return out;
}

JournalAddition newPassages(std::string_view journal,
                            const std::vector<std::string_view> &histories,
                            const NamesByBadge &names, std::string_view downloaded)
{
    JournalAddition out;
    // Every passage of the downloads, in order, then how many times the
    // journal holds each of them: only their keys are counted, so the
    // journal is read in the memory of one row however long it is.
    std::vector<std::vector<JournalRow>> passages;
    std::unordered_map<std::string, int> held; // key -> rows of the journal
    for (std::string_view history : histories) {
        std::vector<JournalRow> &rows = passages.emplace_back();
        for (std::string_view line : fileLines(history)) {
            line = withoutAnnouncement(line);
            if (line.find('*') == std::string_view::npos)
                continue;
            const std::string badge(trimmed(column(line, 1, 14)));
            const auto name = names.find(badge);
            rows.push_back(passageRow(line, name == names.end() ? std::string() : name->second,
                                      std::string(downloaded)));
            held.emplace(
                keyText(rows.back().badge, rows.back().date, rows.back().time, rows.back().place),
                0);
        }
    }

    std::string converted; // a journal saved by a spreadsheet in its own code page
    const std::string_view text = csv::decode(journal, converted);
    bool anyRow = false;
    JournalColumns at{};
    std::string key;
    csv::scan(text, [&](std::span<const std::string> row, int) {
        if (!anyRow) {
            anyRow = true;
            at = journalColumns(std::vector<std::string>(row.begin(), row.end()));
            return;
        }
        const auto cell = [&](JournalColumn c) {
            const std::size_t k = std::size_t(at[std::size_t(c)]);
            return k < row.size() ? std::string_view(row[k]) : std::string_view();
        };
        keyText(key, cell(JournalColumn::Badge), cell(JournalColumn::Date),
                cell(JournalColumn::Time), cell(JournalColumn::Place));
        if (const auto it = held.find(key); it != held.end())
            ++it->second;
    });

    if (!anyRow) {
        out.fresh = true;
        out.head = std::string(csv::kBom) + csv::row(journalHeader());
    } else if (journal.back() != '\n' && journal.back() != '\r')
        out.head = "\r\n";
    // Each download in turn: a passage is new when the download holds it
    // more times than the journal, with what the earlier downloads added.
    for (const std::vector<JournalRow> &rows : passages) {
        std::unordered_map<std::string, int> left = held;
        for (const JournalRow &r : rows) {
            const std::string k = keyText(r.badge, r.date, r.time, r.place);
            if (int &times = left[k]; times > 0) {
                --times; // the journal holds this one already
                continue;
            }
            ++held[k];
            out.rows += csv::row(r.fields());
            ++out.added;
        }
    }
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
