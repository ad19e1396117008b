#pragma once
// The right-press layout of the receive pane: a hexadecimal dump grouped in
// pairs, one blank after each pair, every full stop turned into a line break
// that starts a new pairing, and one line break at the end. Pure standard C++
// over Windows-1252 bytes.

#include <string>
#include <string_view>

namespace platine {

// The laid-out text of the pane `text`. Every character other than "." is
// copied and counted, blanks and line breaks already in the pane included, so
// a second layout of the result groups those as well.
std::string layOutPane(std::string_view text);

} // namespace platine
