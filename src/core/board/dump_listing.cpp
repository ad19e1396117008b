#include "core/board/dump_listing.h"

#include "core/badges/hexconv.h"
#include "core/board/history_table.h"

namespace platine {

namespace {

// Appends the characters part of `line` to `out`; `packed` is scratch space
// kept by the caller so that a long dump does not allocate per line.
void appendCharacters(std::string_view line, std::string &packed, std::string &out)
{
    packed.clear();
    for (char c : line) {
        if (c != ' ')
            packed += c;
    }
    const std::size_t stop = packed.find('.');
    if (stop == std::string::npos)
        return;
    // Pairs start at even offsets before the full stop; with an odd count of
    // digits the last pair is the lone digit and the full stop itself, which
    // converts to that digit times 16.
    for (std::size_t j = 0; j < stop; j += 2) {
        const HexResult r = convertion_hex_dec(std::string_view(packed).substr(j, 2));
        out += static_cast<char>(static_cast<unsigned char>(r.value));
    }
}

} // namespace

std::string dumpWorkingFileContent(std::string_view paneText)
{
    std::string out;
    out.reserve(paneText.size() + 2);
    out.append(paneText);
    out += "\r\n";
    return out;
}

std::string dumpAddress(std::size_t index)
{
    std::string digits = std::to_string(index * 5);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    return digits;
}

std::string dumpCharacters(std::string_view line)
{
    std::string packed;
    std::string out;
    appendCharacters(line, packed, out);
    return out;
}

std::string dumpListing(std::string_view paneText)
{
    const std::string working = dumpWorkingFileContent(paneText);
    const auto lines = fileLines(working);
    std::string listing;
    // Address, separator, marker and line end are about 16 bytes a line; the
    // characters part is at most half the raw line.
    listing.reserve(working.size() + working.size() / 2 + lines.size() * 16);
    std::string packed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        listing += dumpAddress(i);
        listing += " : ";
        listing.append(lines[i]);
        listing += ".....";
        appendCharacters(lines[i], packed, listing);
        listing += "\r\n";
    }
    return listing;
}

} // namespace platine
