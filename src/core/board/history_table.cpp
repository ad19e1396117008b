#include "core/board/history_table.h"
#include "core/board/protocol.h"

namespace platine {

namespace {

// Characters `start` (from 1) to `start` + `width` - 1 of the line, cut at its end.
std::string_view column(std::string_view line, std::size_t start, std::size_t width)
{
    if (start > line.size())
        return {};
    return line.substr(start - 1, width);
}

} // namespace

std::vector<std::string_view> fileLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < content.size()) {
        const std::size_t cr = content.find('\r', begin);
        if (cr == std::string_view::npos) {
            lines.push_back(content.substr(begin));
            break;
        }
        lines.push_back(content.substr(begin, cr - begin));
        begin = cr + 1;
        if (begin < content.size() && content[begin] == '\n')
            ++begin;
    }
    return lines;
}

std::string historyFileContent(std::string_view paneText)
{
    std::string out;
    out.reserve(paneText.size() + 2);
    out.append(paneText);
    out += "\r\n";
    return out;
}

std::string historyHeader()
{
    // "°" is byte B0h in Windows-1252.
    return " N\xB0 de badge     Heure du passage    Date du passage      Lieu \r\n\r\n";
}

std::string historyRow(std::string_view line)
{
    std::string row;
    row.reserve(62);
    row.append(column(line, 1, 14)); // badge number
    row.append(8, ' ');
    row.append(column(line, 16, 2)); // hour
    row += ':';
    row.append(column(line, 19, 2)); // minute
    row.append(12, ' ');
    row.append(column(line, 21, 3)); // day of the month, with column 21
    row += '/';
    row.append(column(line, 25, 2)); // month
    row += '/';
    row.append(column(line, 28, 2)); // year
    row.append(9, ' ');
    row.append(column(line, 30, 3)); // place
    row += "\r\n";
    return row;
}

std::string_view withoutAnnouncement(std::string_view line)
{
    if (line.substr(0, protocol::kVidageAnnounce.size()) != protocol::kVidageAnnounce)
        return line;
    line.remove_prefix(protocol::kVidageAnnounce.size());
    if (line.substr(0, 1) == "\n")
        line.remove_prefix(1);
    return line;
}

std::string historyTable(std::string_view fileContent)
{
    std::string table = historyHeader();
    for (std::string_view line : fileLines(fileContent)) {
        line = withoutAnnouncement(line);
        if (line.find('*') != std::string_view::npos)
            table += historyRow(line);
    }
    return table;
}

} // namespace platine
