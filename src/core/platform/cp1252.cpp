#include "core/platform/cp1252.h"

#include <cstdint>
#include <cstring>

#include <array>

namespace platine::cp1252 {

namespace {

// Bytes 80h to 9Fh; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t toUnicode(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80];
    return b;
}

int fromUnicode(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

namespace {

// The character that starts at `i`: its length in bytes, and false for a
// broken or overlong sequence (then `length` is how many bytes it took before
// breaking, at least one).
bool nextChar(std::string_view utf8, std::size_t i, char32_t &c, std::size_t &length)
{
    const std::size_t n = utf8.size();
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    length = 1;
    if (lead < 0x80) {
        c = lead;
        return true;
    }
    // Length of the sequence and the range its second byte must lie in,
    // which rules out overlong forms, surrogates and values past 10FFFFh.
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
        c = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0;
        if (lead == 0xED)
            hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
        c = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        if (lead == 0xF4)
            hi = 0x8F;
    }
    if (len == 0)
        return false;
    std::size_t k = 1;
    for (; k < len && i + k < n; ++k) {
        const unsigned char b = static_cast<unsigned char>(utf8[i + k]);
        const unsigned char min = k == 1 ? lo : 0x80;
        const unsigned char max = k == 1 ? hi : 0xBF;
        if (b < min || b > max)
            break;
        c = (c << 6) | (b & 0x3F);
    }
    length = k;
    return k == len;
}

} // namespace

std::string fromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        std::size_t len = 0;
        // A broken sequence is one unknown character; the byte that broke it
        // starts over.
        const int b = nextChar(utf8, i, c, len) ? fromUnicode(c) : -1;
        out += b < 0 ? '?' : char(b);
        i += len;
    }
    return out;
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        // Runs of ASCII, most of any table, eight bytes at a time.
        while (i + 8 <= bytes.size()) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if (word & 0x8080808080808080u)
                break;
            i += 8;
        }
        if (i >= bytes.size())
            break;
        char32_t c = 0;
        std::size_t len = 0;
        if (!nextChar(bytes, i, c, len))
            return false;
        i += len;
    }
    return true;
}

bool fromUtf8Exactly(std::string_view utf8, std::string &out, std::string *unheld)
{
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        std::size_t len = 0;
        const bool whole = nextChar(utf8, i, c, len);
        const int b = whole ? fromUnicode(c) : -1;
        if (b < 0) {
            if (unheld)
                *unheld = std::string(utf8.substr(i, len));
            return false;
        }
        out += char(b);
        i += len;
    }
    return true;
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(ch)));
    return out;
}

} // namespace platine::cp1252
