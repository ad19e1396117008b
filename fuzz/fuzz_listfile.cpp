// The list reader on any file content: at most 101 records, the rest counted
// as left out; every value at most 19 characters; badge bytes 0 to 255 and
// 0 past the last record; the report's text is built without fault.
//
// Every record is checked against the texts its section holds (as the
// profile reader gives them, itself fuzzed apart): the number and the name
// as stored; for a record the board can take, each time and the place are one
// or two decimal digits whose packed-decimal byte is sent ("17" gives 0x17,
// "7" gives 0x07) and whose decimal value is shown, the day code is one digit
// ("0" when empty), the day of the month is empty (0) or 0 to 31, and the
// five badge bytes are the five pairs of its ten hexadecimal digits.
#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;
using fuzzcheck::digit;

// The one or two decimal digits of a time, a place or a day of the month:
// their decimal value and their packed-decimal byte; false for any other text.
bool digits(const std::string &text, int &decimal, int &packed)
{
    if (text.empty() || text.size() > 2)
        return false;
    decimal = packed = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        decimal = decimal * 10 + (c - '0');
        packed = packed * 16 + (c - '0');
    }
    return true;
}

// Checks slot `i` against the texts of its section: the record is refused
// exactly when one of its texts breaks its rule, and a record the board can
// take holds the values of its texts.
void checkRecord(const platine::profile::Parsed &list, const platine::BadgeTables &t, int i)
{
    const std::string &section = t.tab_sections[i];
    const auto text = [&](const char *key) { return list.get(section, key, "", 20); };
    const std::string numero = text("numero");
    check(t.tab_numero[i] == numero);
    check(t.tab_nom[i] == text("nom"));

    struct Number {
        const char *key;
        std::int16_t decimal;
        std::int16_t packed;
    };
    const Number numbers[] = {
        {"heure de debut", t.tab_heure_debut[i], t.tab_heure_debut_bcd[i]},
        {"minute de debut", t.tab_minute_debut[i], t.tab_minute_debut_bcd[i]},
        {"heure de fin", t.tab_heure_fin[i], t.tab_heure_fin_bcd[i]},
        {"minute de fin", t.tab_minute_fin[i], t.tab_minute_fin_bcd[i]},
        {"lieu autoris\xE9", t.tab_lieu[i], t.tab_lieu_bcd[i]},
    };
    bool valid = numero.size() == 10;
    for (char c : numero)
        valid = valid && digit(c) >= 0;
    int value[5] = {};
    for (int k = 0; k < 5; ++k) {
        const Number &n = numbers[k];
        int packed = 0;
        if (digits(text(n.key), value[k], packed))
            valid = valid && n.decimal == value[k] && n.packed == packed;
        else
            valid = false;
    }
    // Hours 0 to 23, minutes 0 to 59, or 99; an end of 24:00 as well.
    const auto time = [&](int k, int max) { return value[k] == 99 || value[k] <= max; };
    valid = valid && time(0, 23) && time(1, 59) && time(3, 59) &&
            (time(2, 23) || (value[2] == 24 && value[3] == 0));
    const std::string day = text("jour autoris\xE9_");
    check(t.tab_jour[i] == (day.empty() ? "0" : day));
    valid = valid && (day.empty() || (day.size() == 1 && day[0] >= '0' && day[0] <= '9'));
    const std::string dayOfMonth = text("jour du mois");
    int decimal = 0, packed = 0;
    if (dayOfMonth.empty())
        check(t.tab_jour_du_mois[i] == 0);
    else if (digits(dayOfMonth, decimal, packed) && decimal <= 31)
        check(t.tab_jour_du_mois[i] == decimal);
    else
        valid = false;

    // A well-formed record whose values differ from its texts fails here too.
    check((t.invalid[i] == 0) == valid);
    if (valid) {
        for (int k = 0; k < 5; ++k)
            check(t.tab_octets_badge[5 * i + k] ==
                  digit(numero[2 * k]) * 16 + digit(numero[2 * k + 1]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace platine;
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    BadgeTables t;
    const ListReadReport r = readList(content, t);

    check(r.count >= 0 && r.count <= kSlots);
    check(r.sectionsInFile >= r.count);
    check(r.leftOut == r.sectionsInFile - r.count);
    check(r.count == kSlots || r.leftOut == 0);
    for (int i = 0; i < kSlots; ++i) {
        check(t.tab_numero[i].size() < kListValueSize);
        check(t.tab_nom[i].size() < kListValueSize);
        check(t.tab_jour[i].size() < kListValueSize && !t.tab_jour[i].empty());
        if (i >= r.count) {
            check(t.tab_numero[i] == "0000000000" && t.tab_nom[i] == " " && t.tab_jour[i] == "0");
            check(t.tab_heure_debut_bcd[i] == 0 && t.tab_lieu_bcd[i] == 0 && t.invalid[i] == 0);
        }
    }
    for (int k = 0; k < kBadgeBytes; ++k) {
        check(t.tab_octets_badge[k] >= 0 && t.tab_octets_badge[k] <= 255);
        if (k >= 5 * r.count)
            check(t.tab_octets_badge[k] == 0);
    }
    int invalid = 0;
    for (int i = 0; i < r.count; ++i)
        invalid += t.invalid[i] != 0;
    check(int(r.invalidSlots.size()) == invalid);

    const profile::Parsed list(content);
    check(int(list.sections().size()) == r.sectionsInFile);
    for (int i = 0; i < r.count; ++i) {
        check(t.tab_sections[i] == list.sections()[std::size_t(i)]);
        checkRecord(list, t, i);
    }

    const std::string text = readReportText(r, t);
    check(r.hasProblems() || text.empty());
    return 0;
}
