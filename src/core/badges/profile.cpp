#include "core/badges/profile.h"

#include "core/platform/files.h"

#include <filesystem>

namespace platine::profile {

namespace {

// One line of the text: [begin, end) is its text, [end, next) its line end.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

std::vector<Line> splitLines(std::string_view s)
{
    std::vector<Line> lines;
    std::size_t begin = 0;
    const std::size_t n = s.size();
    while (begin < n) {
        std::size_t end = begin;
        while (end < n && s[end] != '\r' && s[end] != '\n')
            ++end;
        std::size_t next = end;
        if (next < n) {
            if (s[next] == '\r' && next + 1 < n && s[next + 1] == '\n')
                next += 2;
            else
                next += 1;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isBlankLine(std::string_view line)
{
    return trimBlanks(line).empty();
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = lowerAscii(c);
    return out;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The section name when `line` is a header: its first non-blank character is
// "[", the name runs to the last "]" (to the end of the line without one).
bool headerName(std::string_view line, std::string_view &name)
{
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] != '[')
        return false;
    std::string_view rest = line.substr(i + 1);
    const std::size_t close = rest.rfind(']');
    if (close != std::string_view::npos)
        rest = rest.substr(0, close);
    name = trimBlanks(rest);
    return true;
}

// The key name when `line` is a key line "name=value".
bool keyName(std::string_view line, std::string_view &name, std::string_view *value = nullptr)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    name = trimBlanks(line.substr(0, eq));
    if (value)
        *value = trimBlanks(line.substr(eq + 1));
    return true;
}

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// What the caller's buffer of `size` bytes receives: the text up to a NUL,
// at most size - 1 characters.
std::string fit(std::string_view v, std::size_t size)
{
    const std::size_t nul = v.find('\0');
    if (nul != std::string_view::npos)
        v = v.substr(0, nul);
    if (size == 0)
        return {};
    if (v.size() > size - 1)
        v = v.substr(0, size - 1);
    return std::string(v);
}

std::string withoutLineBreaks(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

} // namespace

Parsed::Parsed(std::string_view content)
{
    constexpr std::size_t kNone = std::size_t(-1);
    std::size_t current = kNone; // section being read; none before the first
    for (const Line &l : splitLines(content)) {
        const std::string_view line = content.substr(l.begin, l.end - l.begin);
        std::string_view name;
        if (headerName(line, name)) {
            m_names.emplace_back(name);
            const bool added = m_first.try_emplace(lower(name), m_keys.size()).second;
            // A repeated section is never looked up: the first one wins.
            current = kNone;
            if (added) {
                current = m_keys.size();
                m_keys.emplace_back();
            }
            continue;
        }
        std::string_view value;
        if (current != kNone && keyName(line, name, &value))
            m_keys[current].try_emplace(lower(name), unquote(value));
    }
}

std::vector<UnusedLine> unusedLines(std::string_view content)
{
    std::vector<UnusedLine> out;
    bool inSection = false, repeated = false;
    std::string section;
    std::unordered_map<std::string, bool> sectionsSeen;
    std::unordered_map<std::string, bool> keys;
    int number = 0;
    for (const Line &l : splitLines(content)) {
        ++number;
        const std::string_view line = content.substr(l.begin, l.end - l.begin);
        std::string_view name;
        if (headerName(line, name)) {
            inSection = true;
            section = std::string(name);
            repeated = !sectionsSeen.try_emplace(lower(name), true).second;
            keys.clear();
            continue;
        }
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        const std::size_t open = line.find('[');
        const bool bracketed =
            open != std::string_view::npos && line.find(']', open + 1) != std::string_view::npos;
        const bool key = keyName(line, name);
        UnusedLine u{number, std::string(line), UnusedLine::NotAKey, section};
        if (!inSection) {
            if (!bracketed || key)
                continue; // free text before the first section
            u.why = UnusedLine::NotAHeader;
        } else if (repeated) {
            continue; // named once, as a repeated section
        } else if (key) {
            if (keys.try_emplace(lower(name), true).second)
                continue;
            u.why = UnusedLine::RepeatedKey;
        } else {
            u.why = bracketed ? UnusedLine::NotAHeader : UnusedLine::NotAKey;
        }
        out.push_back(std::move(u));
    }
    return out;
}

std::string Parsed::get(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t size) const
{
    const auto s = m_first.find(nameKey(section));
    if (s == m_first.end())
        return fit(def, size);
    const Keys &keys = m_keys[s->second];
    const auto k = keys.find(nameKey(key));
    if (k == keys.end())
        return fit(def, size);
    return fit(k->second, size);
}

const Parsed::Keys *Parsed::keysOf(std::string_view section) const
{
    const auto s = m_first.find(nameKey(section));
    return s == m_first.end() ? nullptr : &m_keys[s->second];
}

std::string get(std::string_view content, std::string_view section, std::string_view key,
                std::string_view def, std::size_t size)
{
    return Parsed(content).get(section, key, def, size);
}

std::vector<std::string> sections(std::string_view content)
{
    return Parsed(content).sections();
}

std::string set(std::string_view content, std::string_view section, std::string_view key,
                std::string_view value)
{
    // Names and value are kept to one line each, so nothing written can start
    // a line of its own. A trailing CR LF on the value asks for an empty line
    // below the key line (the list files end each record that way).
    const bool emptyLineAfter = value.size() >= 2 && value.substr(value.size() - 2) == "\r\n";
    const std::string sectionText = withoutLineBreaks(section);
    const std::string keyText = withoutLineBreaks(key);
    const std::string keyLine = keyText + "=" + withoutLineBreaks(value) + "\r\n";
    const std::string_view wantedSection = trimBlanks(sectionText);
    const std::string_view wantedKey = trimBlanks(keyText);

    const std::vector<Line> lines = splitLines(content);
    auto text = [&](std::size_t i) {
        return content.substr(lines[i].begin, lines[i].end - lines[i].begin);
    };

    std::size_t header = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (headerName(text(i), name) && sameName(name, wantedSection)) {
            header = i;
            break;
        }
    }

    std::string out;
    out.reserve(content.size() + keyLine.size() + sectionText.size() + 8);
    if (header == lines.size()) {
        out.append(content);
        if (!content.empty() && content.back() != '\r' && content.back() != '\n')
            out += "\r\n";
        out += "[" + sectionText + "]\r\n" + keyLine;
        if (emptyLineAfter)
            out += "\r\n";
        return out;
    }

    std::size_t lastKey = header;
    std::size_t found = lines.size();
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        std::string_view name;
        if (headerName(text(i), name))
            break;
        if (keyName(text(i), name)) {
            if (sameName(name, wantedKey)) {
                found = i;
                break;
            }
            lastKey = i;
        }
    }

    // The line that will follow the new key line, and where the rest resumes.
    std::size_t following;
    if (found < lines.size()) {
        out.append(content.substr(0, lines[found].begin));
        out += keyLine;
        following = found + 1;
    } else {
        out.append(content.substr(0, lines[lastKey].next));
        if (lines[lastKey].next == lines[lastKey].end) // last line, no line end
            out += "\r\n";
        out += keyLine;
        following = lastKey + 1;
    }
    if (emptyLineAfter && !(following < lines.size() && isBlankLine(text(following))))
        out += "\r\n";
    if (following < lines.size())
        out.append(content.substr(lines[following].begin));
    return out;
}

std::string getFromFile(const std::string &path, std::string_view section, std::string_view key,
                        std::string_view def, std::size_t size)
{
    const std::optional<std::string> content = files::read(path);
    if (!content)
        return fit(def, size);
    return get(*content, section, key, def, size);
}

bool writeToFile(const std::string &path, std::string_view section, std::string_view key,
                 std::string_view value, std::string *error)
{
    std::string content;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        std::optional<std::string> read = files::read(path, error);
        if (!read)
            return false; // a file that exists but cannot be read is not overwritten
        content = std::move(*read);
    } else if (ec && ec != std::errc::no_such_file_or_directory) {
        if (error)
            *error = "Impossible d'accéder au fichier « " + path + " » : " + ec.message();
        return false;
    }
    return files::writeAtomic(path, set(content, section, key, value), error);
}

std::string removeSection(std::string_view content, std::string_view section)
{
    const std::string wanted = nameKey(section);
    std::string out;
    out.reserve(content.size());
    bool dropping = false;
    for (const Line &l : splitLines(content)) {
        std::string_view name;
        if (headerName(content.substr(l.begin, l.end - l.begin), name))
            dropping = nameKey(name) == wanted;
        if (!dropping)
            out.append(content.substr(l.begin, l.next - l.begin));
    }
    return out;
}

std::string removeKey(std::string_view content, std::string_view section, std::string_view key)
{
    const std::string wantedSection = nameKey(section);
    const std::string wantedKey = nameKey(key);
    std::string out;
    out.reserve(content.size());
    bool inside = false;
    for (const Line &l : splitLines(content)) {
        const std::string_view text = content.substr(l.begin, l.end - l.begin);
        std::string_view name;
        if (headerName(text, name))
            inside = nameKey(name) == wantedSection;
        else if (inside && keyName(text, name) && nameKey(name) == wantedKey)
            continue;
        out.append(content.substr(l.begin, l.next - l.begin));
    }
    return out;
}

std::vector<std::string> sectionTexts(std::string_view content, std::string_view section)
{
    const std::string wanted = nameKey(section);
    std::vector<std::string> out;
    bool taking = false;
    for (const Line &l : splitLines(content)) {
        std::string_view name;
        if (headerName(content.substr(l.begin, l.end - l.begin), name)) {
            taking = nameKey(name) == wanted;
            if (taking)
                out.emplace_back();
        }
        if (taking)
            out.back().append(content.substr(l.begin, l.next - l.begin));
    }
    return out;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string nameKey(std::string_view name)
{
    return lower(trimBlanks(name));
}

} // namespace platine::profile
