#include "badges/badge_rows.h"

#include "badges/listfile.h"
#include "badges/profile.h"
#include "badges/record_check.h"

#include <array>

namespace platine {

namespace {

std::string twoDigits(int v)
{
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

// What each Windows-1252 byte from 80h reads as once case and accents are
// set aside; an empty entry keeps the byte as it is.
const std::array<const char *, 128> kFolded = [] {
    std::array<const char *, 128> f{};
    const auto set = [&f](unsigned from, unsigned to, const char *as) {
        for (unsigned b = from; b <= to; ++b)
            f[b - 0x80] = as;
    };
    set(0x8A, 0x8A, "s");
    set(0x8C, 0x8C, "oe");
    set(0x8E, 0x8E, "z");
    set(0x9A, 0x9A, "s");
    set(0x9C, 0x9C, "oe");
    set(0x9E, 0x9E, "z");
    set(0x9F, 0x9F, "y");
    set(0xC0, 0xC5, "a");
    set(0xC6, 0xC6, "ae");
    set(0xC7, 0xC7, "c");
    set(0xC8, 0xCB, "e");
    set(0xCC, 0xCF, "i");
    set(0xD1, 0xD1, "n");
    set(0xD2, 0xD6, "o");
    set(0xD8, 0xD8, "o");
    set(0xD9, 0xDC, "u");
    set(0xDD, 0xDD, "y");
    set(0xDF, 0xDF, "ss");
    set(0xE0, 0xE5, "a");
    set(0xE6, 0xE6, "ae");
    set(0xE7, 0xE7, "c");
    set(0xE8, 0xEB, "e");
    set(0xEC, 0xEF, "i");
    set(0xF1, 0xF1, "n");
    set(0xF2, 0xF6, "o");
    set(0xF8, 0xF8, "o");
    set(0xF9, 0xFC, "u");
    set(0xFD, 0xFD, "y");
    set(0xFF, 0xFF, "y");
    return f;
}();

} // namespace

std::vector<BadgeRow> badgeRows(const BadgeTables &t, int count)
{
    std::vector<BadgeRow> rows;
    count = count < 0 ? 0 : (count > kSlots ? kSlots : count);
    rows.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        BadgeRow r;
        r.slot = i;
        r.section = t.tab_sections[i];
        r.numero = t.tab_numero[i];
        r.nom = t.tab_nom[i];
        // The editor's rule: a start hour of 99 is 24h/24.
        if (t.tab_heure_debut[i] == 99) {
            r.plage = "24h/24";
            r.debut = -1;
        } else {
            r.plage = twoDigits(t.tab_heure_debut[i]) + ":" + twoDigits(t.tab_minute_debut[i]) +
                      " – " + twoDigits(t.tab_heure_fin[i]) + ":" + twoDigits(t.tab_minute_fin[i]);
            r.debut = t.tab_heure_debut[i] * 100 + t.tab_minute_debut[i];
        }
        if (isDayCode(t.tab_jour[i]))
            r.jours = kDayChoices[t.tab_jour[i][0] - '0'];
        r.lieuNumber = t.tab_lieu[i];
        r.lieu = r.lieuNumber == 99 ? "Tous" : std::to_string(r.lieuNumber);
        r.jourDuMoisNumber = t.tab_jour_du_mois[i];
        if (r.jourDuMoisNumber != 0)
            r.jourDuMois = std::to_string(r.jourDuMoisNumber);
        r.etat = recordRefusal(t, i).value_or(std::string());
        rows.push_back(std::move(r));
    }
    return rows;
}

std::string foldForSearch(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z')
            out += char(b - 'A' + 'a');
        else if (b >= 0x80 && kFolded[b - 0x80])
            out += kFolded[b - 0x80];
        else
            out += c;
    }
    return out;
}

bool rowMatches(const BadgeRow &row, std::string_view filter)
{
    const std::string wanted = foldForSearch(profile::trimBlanks(filter));
    return wanted.empty() || foldForSearch(row.numero).find(wanted) != std::string::npos ||
           foldForSearch(row.nom).find(wanted) != std::string::npos;
}

} // namespace platine
