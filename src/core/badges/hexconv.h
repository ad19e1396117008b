#pragma once
// The conversion of a short text of hexadecimal digits into a number: turns
// the two decimal digits the operator typed into one packed decimal byte
// ("17" -> 0x17 = 23), a pair of a badge number into a byte, a dump pair into
// a character. Pure standard C++.

#include <cstdint>
#include <string_view>

namespace platine {

struct HexResult {
    // The value; on a failure, the sum of the digits before the failing
    // character, each weighted by its place in the whole text.
    std::int16_t value = 0;
    bool ok = true;
    bool overflow = false; // the sum went above 32767
    int failPosition = 0;  // 1-based position of a character that is not 0-9 or A-F
};

// Only "0"-"9" and upper-case "A"-"F" are digits; the empty text gives 0.
HexResult convertion_hex_dec(std::string_view text);

} // namespace platine
