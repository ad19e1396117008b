// The boards' files on any bytes: the boards' names (platines.ini) and what
// a board last received (envoi <port>.txt). Each reads back, once written,
// as it was written; the list's bytes a board received come back whole; and
// the same bytes as a list compared with that record, counted and listed
// in rows, never stop the program.
#include "core/badges/badge_rows.h"
#include "core/boards/boards.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

using fuzzcheck::check;
using namespace platine;
using namespace platine::boards;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The names: one board a port, and what is written reads back the same
    // from the first writing on.
    const std::vector<Board> boards = readBoards(bytes);
    for (std::size_t i = 0; i < boards.size(); ++i)
        for (std::size_t j = i + 1; j < boards.size(); ++j)
            check(boards[i].port != boards[j].port);
    const std::vector<Board> again = readBoards(writeBoards(boards));
    check(readBoards(writeBoards(again)) == again);
    for (const Board &b : again)
        check(findBoard(again, b.port) != nullptr);

    // What a board received: the list's bytes as sent survive a writing.
    const std::optional<Sent> sent = readSent(bytes);
    if (sent) {
        check(sent->complete || sent->list.empty());
        const std::optional<Sent> back = readSent(writeSent(*sent));
        check(back && back->complete == sent->complete && back->list == sent->list);
        check(readSent(writeSent(*back)) == back);
    }

    // The bytes as the open list against that record, then as the table's rows.
    const Date today{2026, 12, 9};
    const BoardDiff diff = compareWithBoard(bytes, sent, "liste.txt", today);
    std::vector<BadgeRow> rows = listRows(bytes);
    addStates(rows, bytes, &diff, today);
    if (sent)
        expiredOnBoard(*sent, today);
    return 0;
}
