// The hexadecimal conversion on any text: never a crash, and the value, the
// failure position and the overflow flag agree with a plain reading of the digits.
#include "core/badges/hexconv.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using fuzzcheck::check;
using fuzzcheck::digit;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const platine::HexResult r = platine::convertion_hex_dec(text);

    check(r.value >= 0);
    check(!r.overflow || !r.ok);

    // Where the first character that is not a digit stands (0: none).
    std::size_t bad = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (digit(text[i]) < 0) {
            bad = i + 1;
            break;
        }
    }
    const std::size_t digits = bad ? bad - 1 : text.size();

    // The digits before `bad` read as a number, without the leading zeros;
    // more than four significant digits (or a value above 32767) overflow.
    std::size_t first = 0;
    while (first < digits && text[first] == '0')
        ++first;
    long prefix = 0;
    bool prefixTooBig = digits - first > 4;
    if (!prefixTooBig) {
        for (std::size_t i = first; i < digits; ++i)
            prefix = prefix * 16 + digit(text[i]);
    }
    // Each digit is weighted by its place in the whole text.
    const std::size_t shift = 4 * (text.size() - digits);
    long weighted = 0;
    if (!prefixTooBig && prefix != 0) {
        if (shift >= 16)
            prefixTooBig = true;
        else
            weighted = prefix << shift;
    }
    const bool overflow = prefixTooBig || weighted > 32767;

    if (r.ok) {
        check(bad == 0 && !overflow);
        check(r.value == weighted);
    } else if (r.overflow) {
        check(overflow);
    } else {
        check(!overflow && bad != 0);
        check(r.failPosition == int(bad));
        check(r.value == weighted);
    }
    return 0;
}
