#include "core/platform/csv.h"

#include "core/platform/cp1252.h"

#include <array>

namespace platine::csv {

namespace {

// A spreadsheet takes a cell starting with one of these for a formula.
bool formulaStart(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// The text starts with apostrophes (any number, none included) and then a
// character that starts a formula: the writer puts one apostrophe more in
// front, the reader takes one off, so every text comes back as it was.
bool guarded(std::string_view f)
{
    const std::size_t i = f.find_first_not_of('\'');
    return i != std::string_view::npos && formulaStart(f[i]);
}

} // namespace

std::string_view unguarded(std::string_view field)
{
    return !field.empty() && field.front() == '\'' && guarded(field.substr(1)) ? field.substr(1)
                                                                                : field;
}

std::string row(const std::vector<std::string> &fields, char separator, std::string_view lineEnd)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        const std::string f = guarded(fields[i]) ? "'" + fields[i] : fields[i];
        // "," and the tab too: a reader may take either for the separator.
        if (f.find_first_of(";,\t\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += lineEnd;
    return out;
}

std::string_view decode(std::string_view bytes, std::string &converted)
{
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    if (cp1252::isUtf8(bytes))
        return bytes;
    converted = cp1252::toUtf8(bytes);
    return converted;
}

std::string decode(std::string_view bytes)
{
    std::string converted;
    return std::string(decode(bytes, converted));
}

char separatorOf(std::string_view text)
{
    // The header row: up to the first line end outside quotes.
    std::array<int, 3> counts{};
    constexpr std::array<char, 3> kSeparators{';', '\t', ','};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted)
            for (std::size_t k = 0; k < kSeparators.size(); ++k)
                counts[k] += c == kSeparators[k];
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < counts.size(); ++k)
        if (counts[k] > counts[best])
            best = k;
    return kSeparators[best];
}

bool splitLine(std::string_view line, char separator, std::vector<std::string> &fields)
{
    fields.clear();
    fields.emplace_back();
    bool open = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        std::string &f = fields.back();
        if (open) {
            if (c != '"')
                f += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                f += '"', ++i;
            else
                open = false;
        } else if (c == '"' && f.empty()) {
            open = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else {
            f += c;
        }
    }
    for (std::string &f : fields)
        if (!f.empty() && f.front() == '\'' && guarded(std::string_view(f).substr(1)))
            f.erase(0, 1);
    return !open;
}

std::vector<std::string> firstRow(std::string_view text)
{
    // The scan stops at the first row's end: thrown out of it.
    struct Read {};
    std::vector<std::string> row;
    try {
        scan(text, [&](std::span<const std::string> fields, int) {
            row.assign(fields.begin(), fields.end());
            throw Read{};
        });
    } catch (const Read &) {
    }
    return row;
}

char scan(std::string_view text, const RowFn &onRow)
{
    const char separator = separatorOf(text);
    // The fields of the row being read: kept between rows, so a long table
    // costs no allocation a row once the first rows have set their sizes.
    std::vector<std::string> fields;
    std::size_t count = 0; // fields of the row so far
    const auto field = [&]() -> std::string & {
        if (count == fields.size())
            fields.emplace_back();
        return fields[count];
    };
    field().clear();
    bool any = false; // the row holds a character or a separator
    int line = 1, rowLine = 1;
    const auto endField = [&] {
        std::string &f = field();
        if (!f.empty() && f.front() == '\'' && guarded(std::string_view(f).substr(1)))
            f.erase(0, 1);
        ++count;
        field().clear();
    };
    const auto endRow = [&] {
        if (any || !field().empty()) {
            endField();
            onRow(std::span<const std::string>(fields.data(), count), rowLine);
        }
        count = 0;
        field().clear();
        any = false;
    };
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '"' && field().empty()) {
            // A quoted part: to the next lone quote, a doubled one inside.
            any = true;
            std::string &f = field();
            for (++i; i < n; ++i) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        f += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= n || text[i + 1] != '\n')))
                    ++line;
                f += text[i];
            }
            continue;
        }
        if (c == separator) {
            endField();
            any = true;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            i += c == '\r' && i + 1 < n && text[i + 1] == '\n' ? 2 : 1;
            endRow();
            rowLine = ++line;
            continue;
        }
        // The plain run up to the next special character, in one append.
        std::size_t end = i + 1;
        while (end < n && text[end] != separator && text[end] != '\r' && text[end] != '\n' &&
               text[end] != '"')
            ++end;
        field().append(text.substr(i, end - i));
        i = end;
    }
    endRow();
    return separator;
}

Table read(std::string_view text)
{
    Table t;
    t.separator = scan(text, [&t](std::span<const std::string> fields, int line) {
        t.rows.emplace_back(fields.begin(), fields.end());
        t.lines.push_back(line);
    });
    return t;
}

std::string nameKey(std::string_view name)
{
    std::string out;
    bool blank = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        char folded = 0;
        if (c == 0xC3 && i + 1 < name.size()) {
            // The accented letters of French in UTF-8 (C3 xx), upper and lower case.
            const unsigned char d = static_cast<unsigned char>(name[i + 1]) | 0x20;
            if (d >= 0xA8 && d <= 0xAB)
                folded = 'e';
            else if (d >= 0xA0 && d <= 0xA2)
                folded = 'a';
            else if (d == 0xAE || d == 0xAF)
                folded = 'i';
            else if (d == 0xB4)
                folded = 'o';
            else if (d >= 0xB9 && d <= 0xBC)
                folded = 'u';
            else if (d == 0xA7)
                folded = 'c';
            if (folded)
                ++i;
        }
        if (!folded) {
            if (c == ' ' || c == '\t' || c == '_' || c == '-') {
                blank = true;
                continue;
            }
            folded = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c);
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        out += folded;
    }
    return out;
}

int column(const std::vector<std::string> &header, std::string_view name)
{
    const std::string wanted = nameKey(name);
    for (std::size_t i = 0; i < header.size(); ++i)
        if (nameKey(header[i]) == wanted)
            return int(i);
    return -1;
}

} // namespace platine::csv
