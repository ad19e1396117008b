// The history table on any file content: the header, then exactly one row per
// line holding "*", each row ending with its own CR LF and 60 characters long
// when its line reaches column 32.
#include "fuzz_check.h"
#include "board/history_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using fuzzcheck::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    const std::string table = platine::historyTable(content);
    const std::string header = platine::historyHeader();
    check(table.compare(0, header.size(), header) == 0);

    // Lines end at CR (a LF right after it is skipped); none holds a CR, so
    // every CR of the table ends the header or a row.
    std::size_t passages = 0;
    std::size_t begin = 0;
    std::size_t expectedSize = header.size();
    while (begin < content.size()) {
        std::size_t end = content.find('\r', begin);
        if (end == std::string_view::npos)
            end = content.size();
        const std::string_view line =
            platine::withoutAnnouncement(content.substr(begin, end - begin));
        if (line.find('*') != std::string_view::npos) {
            ++passages;
            const std::string row = platine::historyRow(line);
            check(row.size() >= 2 && row.compare(row.size() - 2, 2, "\r\n") == 0);
            check(std::count(row.begin(), row.end(), '\r') == 1);
            if (line.size() >= 32)
                check(row.size() == 62);
            check(row.size() <= 62);
            check(row.compare(0, std::min<std::size_t>(line.size(), 14), line.substr(0, 14)) == 0);
            expectedSize += row.size();
        }
        begin = end + 1;
        if (end < content.size() && begin < content.size() && content[begin] == '\n')
            ++begin;
    }
    check(std::size_t(std::count(table.begin(), table.end(), '\r')) == 2 + passages);
    check(table.size() == expectedSize);

    // The file of a download always ends with one more line break, which adds no row.
    check(platine::historyTable(platine::historyFileContent(content)) == table);
    return 0;
}
