#include "core/board/protocol.h"

#include <cstdio>

namespace platine::protocol {

int packedDecimal(int value)
{
    if (value < 0 || value > 99)
        return -1;
    return (value / 10) * 16 + value % 10;
}

int unpackDecimal(int byte)
{
    if (byte < 0 || byte > 0xFF)
        return -1;
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9 || low > 9)
        return -1;
    return high * 10 + low;
}

int blockCount(int records)
{
    if (records >= 1 && records <= 25)
        return 1;
    if (records >= 26 && records <= 50)
        return 2;
    if (records >= 51 && records <= 75)
        return 3;
    return 4;
}

std::array<unsigned char, 7> clockBytes(int hour, int minute, int second, int day, int month,
                                        int year2, int weekday1Sunday)
{
    const int values[7] = {hour, minute, second, day, month, year2, weekday1Sunday};
    std::array<unsigned char, 7> bytes{};
    for (int i = 0; i < 7; ++i) {
        const int packed = packedDecimal(values[i]);
        bytes[i] = static_cast<unsigned char>(packed < 0 ? 0xFF : packed);
    }
    return bytes;
}

std::string historyLine(std::string_view badge, int hour, int minute, int day, int month, int year2,
                        int place)
{
    std::string line(badge.substr(0, 14));
    line.resize(14, ' ');
    char fields[40];
    // Column 15 blank, hour, ":", minute, day over three columns, "/",
    // month, "/", year, place over three columns, a blank and the "*".
    std::snprintf(fields, sizeof fields, " %02d:%02d %02d/%02d/%02d%3.2d *", hour % 100,
                  minute % 100, day % 100, month % 100, year2 % 100, place % 1000);
    line += fields;
    return line;
}

std::string dumpLines(std::string_view bytes, int perLine)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (perLine < 1)
        perLine = 1;
    std::string out;
    out.reserve(bytes.size() * 3 + (bytes.size() / perLine + 1) * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
        out += ' ';
        if ((i + 1) % perLine == 0 || i + 1 == bytes.size())
            out += ".\r\n";
    }
    return out;
}

} // namespace platine::protocol
