// The history table on any file content, built here again field by field:
// the header, then one row per line holding "*", in file order. A line ends
// at CR (a LF right after it is skipped; any other LF belongs to the line).
// The board's announcement may run into its first passage: a line starting
// with it is read without it (and without a LF right after it). A row is the
// fields cut by column, as they stand (columns 1-14 badge, 16-17 hour, 19-20
// minute, 21-23 day, 25-26 month, 28-29 year, 30-32 place; a field past the
// end of the line is empty), with its fixed separators and blanks, then CR LF.
#include "core/board/history_table.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;

constexpr std::string_view kHeader =
    " N\xB0 de badge     Heure du passage    Date du passage      Lieu \r\n\r\n";
constexpr std::string_view kAnnouncement = "Vidage EEPROM externe";

// Columns `first` (from 1) to `first` + `width` - 1 of the line, or what of them it reaches.
std::string_view field(std::string_view line, std::size_t first, std::size_t width)
{
    return first > line.size() ? std::string_view() : line.substr(first - 1, width);
}

std::string row(std::string_view line)
{
    std::string r;
    r += field(line, 1, 14);
    r += "        ";
    r += field(line, 16, 2);
    r += ':';
    r += field(line, 19, 2);
    r += "            ";
    r += field(line, 21, 3);
    r += '/';
    r += field(line, 25, 2);
    r += '/';
    r += field(line, 28, 2);
    r += "         ";
    r += field(line, 30, 3);
    r += "\r\n";
    return r;
}

std::string table(std::string_view content)
{
    std::string out(kHeader);
    std::size_t begin = 0;
    while (begin < content.size()) {
        std::size_t end = content.find('\r', begin);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(begin, end - begin);
        if (line.substr(0, kAnnouncement.size()) == kAnnouncement) {
            line.remove_prefix(kAnnouncement.size());
            if (!line.empty() && line.front() == '\n')
                line.remove_prefix(1);
        }
        if (line.find('*') != std::string_view::npos) {
            const std::string r = row(line);
            check(line.size() < 32 || r.size() == 62);
            out += r;
        }
        begin = end + 1;
        if (begin < content.size() && content[begin] == '\n')
            ++begin;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static_assert(kHeader.size() == 63 + 4);
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    const std::string got = platine::historyTable(content);
    check(got == table(content));

    // The file of a download always ends with one more line break, which adds no row.
    check(platine::historyTable(platine::historyFileContent(content)) == got);
    return 0;
}
