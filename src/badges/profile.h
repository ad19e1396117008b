#pragma once
// Profile (INI) files, read and written as the Windows private-profile
// functions do, so that list files and the settings file written by earlier
// versions open unchanged. Pure standard C++ over the file's bytes.
//
// Reading: section and key names compared without regard to letter case;
// names and values trimmed of blanks; a section header is a line whose first
// non-blank character is "[" (the name runs to the last "]"); the first
// matching section and the first matching key win; one pair of matching quotes
// around a value is removed; a value is cut to `size` - 1 characters; missing
// file, section or key give the default. CR, LF or CR LF end a line.
//
// Writing: edits in place and keeps every other line byte for byte.

#include <string>
#include <string_view>
#include <vector>

namespace platine::profile {

// The value of `key` in `section` of the profile text `content`.
std::string get(std::string_view content, std::string_view section, std::string_view key,
                std::string_view def, std::size_t size);

// The section names in file order, as the reader sees the headers.
std::vector<std::string> sections(std::string_view content);

// `content` with `key`=`value` set in `section`. A value never carries CR or
// LF into the file; a value ending with CR LF means "one empty line follows
// this key line", which a second write of the same value does not double.
std::string set(std::string_view content, std::string_view section, std::string_view key,
                std::string_view value);

// File forms: read the file (missing file: the default) and write with an
// atomic replacement of the whole file (created when missing).
std::string getFromFile(const std::string &path, std::string_view section, std::string_view key,
                        std::string_view def, std::size_t size);
bool writeToFile(const std::string &path, std::string_view section, std::string_view key,
                 std::string_view value, std::string *error = nullptr);

} // namespace platine::profile
