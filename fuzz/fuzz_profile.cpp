// Profile files on any content: reading never fails, and a value written with
// set() reads back as written (line breaks dropped, blanks trimmed, cut to
// size - 1); writing the same value twice changes nothing more.
//
// Input: the profile content first; the choice of section, key, value and
// size is taken from the tail, so that a real file used as a seed stays whole.
#include "core/badges/profile.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using fuzzcheck::check;

bool plainName(const std::string &name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

std::string trimBlanks(const std::string &s)
{
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // From the tail: choices and the value's bytes.
    const auto sectionChoice = in.ConsumeIntegral<std::uint8_t>();
    const auto keyChoice = in.ConsumeIntegral<std::uint8_t>();
    const auto readSize = in.ConsumeIntegralInRange<std::size_t>(1, 300);
    const auto valueLength = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    std::string value;
    for (std::size_t i = 0; i < valueLength && in.remaining_bytes() > 0; ++i) {
        auto c = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        // Only bytes whose reading is certain: no quotes (a quoted value is
        // unquoted), no NUL, no control character other than the line breaks.
        if (c == '"' || c == '\'' ||
            (static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n'))
            c = 'x';
        value += c;
    }
    const std::string content = in.ConsumeRemainingBytesAsString();

    // Reading any content, parsed once for every look-up.
    const platine::profile::Parsed parsed(content);
    const std::vector<std::string> &names = parsed.sections();
    for (const std::string &name : names)
        parsed.get(name, "valeur", "def", 64);

    static const char *const kSections[] = {"COM", "temporisation", "0000000001", "S"};
    static const char *const kKeys[] = {
        "valeur", "numero", "nom", "heure de debut", "jour autoris\xE9_", "jour du mois", "k"};
    std::vector<std::string> sections(std::begin(kSections), std::end(kSections));
    for (const std::string &name : names)
        if (plainName(name))
            sections.push_back(name);
    const std::string section = sections[sectionChoice % sections.size()];
    const std::string key = kKeys[keyChoice % std::size(kKeys)];

    const std::string written = platine::profile::set(content, section, key, value);

    std::string expected;
    for (char c : value)
        if (c != '\r' && c != '\n')
            expected += c;
    expected = trimBlanks(expected).substr(0, readSize - 1);
    const platine::profile::Parsed reread(written);
    const std::string got = reread.get(section, key, "\x01 default", readSize);
    check(got == expected);

    const std::vector<std::string> &after = reread.sections();
    check(std::find(after.begin(), after.end(), section) != after.end() ||
          std::any_of(after.begin(), after.end(), [&](const std::string &n) {
              return std::equal(n.begin(), n.end(), section.begin(), section.end(),
                                [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) ==
                                           std::tolower(static_cast<unsigned char>(b));
                                });
          }));

    check(platine::profile::set(written, section, key, value) == written);
    return 0;
}
