#include "core/serial/pane_layout.h"

namespace platine {

std::string layOutPane(std::string_view text)
{
    std::string out;
    // At most one blank per two characters, two bytes for a full stop.
    out.reserve(text.size() + text.size() / 2 + 4);
    int pairCounter = 1;
    for (char c : text) {
        if (c == '.') {
            out += "\r\n";
            pairCounter = 0;
        } else {
            out += c;
        }
        if (pairCounter == 2) {
            out += ' ';
            pairCounter = 0;
        }
        ++pairCounter;
    }
    out += "\r\n";
    return out;
}

} // namespace platine
