#pragma once
// Text tables as a French spreadsheet writes and reads them: UTF-8 with a
// byte-order mark, ";" between fields, a field quoted when it holds a
// separator, a quote or a line break (a quote inside doubled), CR LF line
// ends, a header row first. A field that a spreadsheet would take for a
// formula (first character "=", "+", "-", "@", a tab or a carriage return)
// is written with an apostrophe in front, which the reader takes off again.
// The reader also takes "," or a tab (found from the header row) and
// Windows-1252 text. Pure standard C++; texts are UTF-8.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platine::csv {

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

// One row: the fields joined by `separator` (";" unless a table read with
// another is added to), each quoted when it needs it, then `lineEnd`. A field
// that starts (after any apostrophes) with one of = + - @, tab or CR gets one
// apostrophe more in front.
std::string row(const std::vector<std::string> &fields, char separator = ';',
                std::string_view lineEnd = "\r\n");

// The separator of a header line: the one of ";", tab and "," it holds most
// often outside quotes (";" when none).
char separatorOf(std::string_view headerLine);

// The fields of one line of a table whose cells hold no line break (the
// journal of passages): quotes as `read` takes them, the apostrophe taken
// off likewise. False when a quote is still open at the end of the line;
// `fields` then holds what was read, the open field to the line's end.
bool splitLine(std::string_view line, char separator, std::vector<std::string> &fields);

// A field as the reader takes it: the one apostrophe the writer put in front
// of a formula's start (see row) taken off.
std::string_view unguarded(std::string_view field);

// A table's text as UTF-8: the byte-order mark left out; bytes that are not
// UTF-8 read as Windows-1252.
std::string decode(std::string_view bytes);
// The same without a copy: `bytes` itself (less the byte-order mark) when it
// is UTF-8, else its conversion, kept in `converted`.
std::string_view decode(std::string_view bytes, std::string &converted);

struct Table {
    char separator = ';';
    // Every row in file order, the header first; rows with no text at all
    // (an empty line) left out.
    std::vector<std::vector<std::string>> rows;
    // For each row, the line of the file it starts on (from 1).
    std::vector<int> lines;
};

// Reads UTF-8 text (see decode). The separator is the one of ";", tab and
// "," that the header row holds most often (";" when none). A quote opens a
// quoted part only at the start of a field; an unclosed one runs to the end
// of the text. CR LF, CR or LF end a row outside quotes. A field that starts
// with an apostrophe followed by what the writer guards (see row) loses that
// one apostrophe.
Table read(std::string_view text);

// Reads as `read` does, handing each row to `onRow` with its line instead of
// keeping it (the fields stay valid during the call only): a table of any
// length in the memory of one row. Returns the separator.
using RowFn = std::function<void(std::span<const std::string> fields, int line)>;
char scan(std::string_view text, const RowFn &onRow);

// The first row of `text` as `read` gives it (empty for a text of no row),
// without reading the rows after it.
std::vector<std::string> firstRow(std::string_view text);

// A header name as the reader compares it: blanks around and inside
// collapsed, "_" and "-" as blanks, letter case and the accents of French
// letters ignored.
std::string nameKey(std::string_view name);

// The column of the header named `name` (compared by nameKey), or -1.
int column(const std::vector<std::string> &header, std::string_view name);

} // namespace platine::csv
