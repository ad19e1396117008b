#pragma once
// What the fuzz targets share: the failed-invariant stop, and the reading of
// one hexadecimal digit used by the targets' own oracles.

#include <cstdlib>

namespace fuzzcheck {

// A broken invariant stops the run; libFuzzer keeps the input.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The value of an upper-case hexadecimal digit, -1 for any other character.
inline int digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace fuzzcheck
