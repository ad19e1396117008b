// TEMPORARY stand-in for the hexadecimal conversion so that the dump decoder
// builds; the badge list's own implementation replaces this file.
#include "badges/hexconv.h"

namespace platine {

HexResult convertion_hex_dec(std::string_view text)
{
    HexResult r;
    const std::size_t length = text.size();
    long sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else {
            r.ok = false;
            r.failPosition = int(i) + 1;
            break;
        }
        if (d == 0)
            continue;
        const std::size_t power = length - 1 - i;
        // 16^4 already exceeds 32767: any non-zero digit that far left overflows.
        const long term = power >= 4 ? 32768L : long(d) << (4 * power);
        if (sum + term > 32767) {
            r.ok = false;
            r.overflow = true;
            break;
        }
        sum += term;
    }
    r.value = static_cast<std::int16_t>(sum);
    return r;
}

} // namespace platine
