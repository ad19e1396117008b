// The journal of operations on any bytes: its rows read, written to a new
// journal and read back the same; added to those bytes as a journal, the
// bytes stay in front whole and the rows come back after them; the same bytes
// as a list, compared with themselves, tell no change; the search without
// words nor dates shows every row, newest first.
#include "core/board/operations_journal.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using fuzzcheck::check;
using namespace platine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const std::vector<OperationRow> rows = readOperations(bytes);
    const std::string fresh = appendOperations({}, rows);
    check(readOperations(fresh) == rows);

    // Rows added to the bytes as a journal: the bytes whole, then the rows,
    // which read back as the last rows, whatever the header's order. (Bytes
    // that end inside quotes would take them in: only a journal that reads
    // back as its rows is asked for them.)
    std::vector<OperationRow> added(2);
    added[0] = {"2026-12-09", "06:10:00", "opérateur", "COM1", "l.txt", op::kUpload, "", "", "", "",
                "3 badges"};
    added[1] = {"2026-12-09", "06:11:00", "x;\"y\"", "", "", op::kChanged, "0000000001", "nom",
                "a\r\nb", "=1+1", ""};
    const std::string grown = appendOperations(bytes, added);
    const bool blank = bytes.find_first_not_of(" \t\r\n") == std::string_view::npos ||
                       bytes == "\xEF\xBB\xBF"; // started anew
    check(blank || grown.compare(0, bytes.size(), bytes) == 0);
    const std::vector<OperationRow> back = readOperations(grown);
    if (back.size() == rows.size() + added.size()) {
        for (std::size_t i = 0; i < added.size(); ++i)
            check(back[rows.size() + i] == added[i]);
    }
    std::vector<OperationRow> both = rows;
    both.insert(both.end(), added.begin(), added.end());
    check(readOperations(appendOperations(fresh, added)) == both);

    // The bytes as a list file, compared with themselves: nothing changed.
    check(recordChanges(bytes, bytes, added[0]).empty());

    std::vector<int> all(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        all[i] = int(rows.size() - 1 - i);
    check(filterOperations(rows, {}, "", "", "") == all);
    return 0;
}
