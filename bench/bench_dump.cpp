// The memory dump decoder on a dump of 100,000 lines: five bytes a line as
// the board writes them ("41 42 43 44 45 ." CR LF), the whole listing made at
// once from the receive pane's text.

#include "bench_util.h"
#include "core/board/dump_listing.h"
#include "core/board/protocol.h"

#include <string>

using namespace platine;
using namespace platine::bench;

int main()
{
    constexpr int kLines = 100'000;
    constexpr int kPerLine = 5;
    std::string bytes;
    bytes.reserve(std::size_t(kLines) * kPerLine);
    for (int i = 0; i < kLines * kPerLine; ++i)
        bytes += char((i * 37 + 11) & 0xFF);
    const std::string pane = protocol::dumpLines(bytes, kPerLine);

    std::size_t size = 0;
    const double t = medianSeconds(7, [&] { size = dumpListing(pane).size(); });
    report("dump decoder, 100000 lines (" + std::to_string(pane.size() / 1024) + " KiB in, " +
               std::to_string(size / 1024) + " KiB out)",
           fmt("median %.1f ms, %.2f us a line, %.1f MB/s", t * 1e3, t * 1e6 / kLines,
               double(pane.size()) / t / 1e6));
    return 0;
}
