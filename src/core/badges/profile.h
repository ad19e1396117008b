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
// file, section or key give the default. CR, LF or CR LF end a line. A key
// line is name=value; any other line inside a section is ignored, and so is
// everything before the first section. As with the C function, a value ends
// at a NUL byte.
//
// Writing: edits in place and keeps every other line byte for byte. An
// existing key line is replaced where it stands; a new key goes after the last
// key line of its section (before the empty lines that end it); a new section
// goes at the end of the file. Written lines end with CR LF.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platine::profile {

// A profile text read once, for many look-ups (a list of 101 records of a
// dozen keys each is read key by key).
class Parsed {
public:
    explicit Parsed(std::string_view content);

    // As profile::get below.
    std::string get(std::string_view section, std::string_view key, std::string_view def,
                    std::size_t size) const;
    // Every section header in file order, repeated names included.
    const std::vector<std::string> &sections() const { return m_names; }

    using Keys = std::unordered_map<std::string, std::string>; // lower-case name -> value
    // The keys of the first section named `section`, values whole (many
    // look-ups in one section without a copy each); null without one.
    const Keys *keysOf(std::string_view section) const;

private:
    std::vector<std::string> m_names;
    std::unordered_map<std::string, std::size_t> m_first; // lower-case name -> index in m_keys
    std::vector<Keys> m_keys;
};

// A line of a profile text that the reader passes over although it looks
// like it meant something.
struct UnusedLine {
    enum Why {
        NotAHeader,  // holds "[...]" with text before the "[": not a section header
        NotAKey,     // inside a section, neither a key line nor empty nor a comment
        RepeatedKey, // a key already given in its section: the first one counts
    };
    int number = 0;   // from 1
    std::string text; // the line as it stands (file bytes)
    Why why = NotAKey;
    std::string section; // the section it stands in (empty before the first)
};

// Every such line of `content`, in file order. Lines before the first
// section are free text: only those that look like a header are named.
// The lines of a repeated section are not named one by one.
std::vector<UnusedLine> unusedLines(std::string_view content);

// The text without the blanks and tabs around it, as names and values are read.
std::string_view trimBlanks(std::string_view s);
// A section or key name as the reader compares it: trimmed, ASCII lower case.
std::string nameKey(std::string_view name);

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

// `content` without any section named `section` (names matched as the
// reader matches them): each goes from its header line up to the next
// header or the end of the file. Every other byte, the text before the
// first section included, stays as it was.
std::string removeSection(std::string_view content, std::string_view section);

// `content` without the lines of `key` in every section named `section`
// (names matched as above); every other byte stays as it was.
std::string removeKey(std::string_view content, std::string_view section, std::string_view key);

// The text of each section named `section` (names matched as above), from
// its header line up to the next header or the end of the file, in file
// order: the pieces removeSection takes out.
std::vector<std::string> sectionTexts(std::string_view content, std::string_view section);

// File forms: read the file (missing file: the default) and write with an
// atomic replacement of the whole file (created when missing).
std::string getFromFile(const std::string &path, std::string_view section, std::string_view key,
                        std::string_view def, std::size_t size);
bool writeToFile(const std::string &path, std::string_view section, std::string_view key,
                 std::string_view value, std::string *error = nullptr);

} // namespace platine::profile
