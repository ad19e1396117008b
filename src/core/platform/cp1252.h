#pragma once
// Windows-1252, the 8-bit code page of list files, the settings file and the
// serial text form: one byte is one character. The five bytes that the code
// page leaves unassigned (81h, 8Dh, 8Fh, 90h, 9Dh) map to the control
// characters of the same number, so every byte value survives a round trip.
// Pure standard C++: the fuzzers build it without Qt.

#include <string>
#include <string_view>

namespace platine::cp1252 {

// The Unicode character of byte `b`.
char32_t toUnicode(unsigned char b);
// The byte of Unicode character `c`, or -1 when the code page has none.
int fromUnicode(char32_t c);

// UTF-8 text to bytes (a character without a byte becomes '?'), and back.
std::string fromUtf8(std::string_view utf8);
std::string toUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);
// UTF-8 text to bytes, refusing any character the code page cannot hold:
// false, with that character (as UTF-8) in `unheld`.
bool fromUtf8Exactly(std::string_view utf8, std::string &out, std::string *unheld = nullptr);

} // namespace platine::cp1252
