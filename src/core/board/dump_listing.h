#pragma once
// The memory dump decoder: the board dumps a memory as lines of two-digit
// hexadecimal byte values (blanks between them allowed), the data of each line
// closed by a full stop. The listing shows for every line a running address,
// the line as received (its own full stop included), the marker "....." and
// the line's bytes as characters; so the line "41 42 43 44 45 ." becomes
//   00000 : 41 42 43 44 45 ......ABCDE
// Pure standard C++ over Windows-1252 bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace platine {

// What the working file holds: the receive pane's text, then CR LF.
std::string dumpWorkingFileContent(std::string_view paneText);

// The address of input line `index` (from 0): 5 × index in decimal, padded
// with zeros to five digits (00000, 00005, ..., 99995, 100000).
std::string dumpAddress(std::size_t index);

// The characters part of one input line: blanks removed, then the pairs
// before the first full stop converted one byte each. A pair that is not two
// upper-case hexadecimal digits gives the value of the digits before the
// failing character ("4." and "4a" give 40h, "a4" gives 00h). A line without
// a full stop gives nothing.
std::string dumpCharacters(std::string_view line);

// The whole listing file made from the receive pane's text: one line per line
// of the working file, "address : raw line.....characters" then CR LF.
std::string dumpListing(std::string_view paneText);

} // namespace platine
