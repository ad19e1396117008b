// The dump listing on any receive pane: one listing line per line of the
// working file (the pane's carriage returns plus one), each made of its
// address, " : ", the raw line, "....." and one character per pair before the
// first full stop, then CR LF. A laid-out pane decodes no character at all.
#include "core/board/dump_listing.h"
#include "core/serial/pane_layout.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;
using fuzzcheck::digit;

// Walks the listing of `pane`; returns how many characters parts were not empty.
std::size_t walk(std::string_view pane, const std::string &listing)
{
    std::size_t pos = 0;
    std::size_t begin = 0;
    std::size_t index = 0;
    std::size_t decoded = 0;
    const std::string working = std::string(pane) + "\r\n";
    while (begin < working.size()) {
        const std::size_t end = working.find('\r', begin);
        check(end != std::string::npos); // the working file ends with CR LF
        const std::string_view raw = std::string_view(working).substr(begin, end - begin);

        const std::string head = platine::dumpAddress(index) + " : " + std::string(raw) + ".....";
        check(listing.compare(pos, head.size(), head) == 0);
        pos += head.size();

        // The characters part: one per pair of non-blank characters before the first stop.
        std::string packed;
        for (char c : raw)
            if (c != ' ')
                packed += c;
        const std::size_t stop = packed.find('.');
        const std::size_t pairs = stop == std::string::npos ? 0 : (stop + 1) / 2;
        check(pos + pairs + 2 <= listing.size());
        for (std::size_t k = 0; k < pairs; ++k) {
            const int hi = digit(packed[2 * k]);
            const int lo = digit(packed[2 * k + 1]);
            const auto got = static_cast<unsigned char>(listing[pos + k]);
            if (hi < 0)
                check(got == 0);
            else if (lo < 0)
                check(got == hi * 16);
            else
                check(got == hi * 16 + lo);
        }
        pos += pairs;
        decoded += pairs ? 1 : 0;
        check(listing.compare(pos, 2, "\r\n") == 0);
        pos += 2;

        ++index;
        begin = end + 1;
        if (begin < working.size() && working[begin] == '\n')
            ++begin;
    }
    check(pos == listing.size());

    std::size_t crs = 0;
    for (char c : pane)
        crs += c == '\r';
    check(index == crs + 1);
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view pane(reinterpret_cast<const char *>(data), size);
    walk(pane, platine::dumpListing(pane));

    const std::string laidOut = platine::layOutPane(pane);
    check(walk(laidOut, platine::dumpListing(laidOut)) == 0);
    return 0;
}
