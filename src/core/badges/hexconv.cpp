#include "core/badges/hexconv.h"

namespace platine {

HexResult convertion_hex_dec(std::string_view text)
{
    constexpr int kMax = 32767;
    HexResult r;
    int sum = 0;
    const std::size_t len = text.size();
    for (std::size_t i = 0; i < len; ++i) {
        const char c = text[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else {
            r.ok = false;
            // Positions past INT_MAX cannot be told apart; a text that long
            // has overflowed long before unless it is all zeros.
            r.failPosition = i < std::size_t(2147483647) ? int(i + 1) : 2147483647;
            break;
        }
        if (d == 0)
            continue; // a zero adds nothing, whatever its weight
        // Weight 16^(len-1-i): four places or more weigh 65536 or more, an
        // overflow for any non-zero digit, so the power is never computed.
        const std::size_t place = len - 1 - i;
        int add = kMax + 1;
        if (place < 4)
            add = d << (4 * place);
        if (add > kMax - sum) {
            r.ok = false;
            r.overflow = true;
            break;
        }
        sum += add;
    }
    r.value = std::int16_t(sum);
    return r;
}

} // namespace platine
