// The list reader on any file content: at most 101 records, the rest counted
// as left out; every value at most 19 characters; badge bytes 0 to 255 and
// 0 past the last record; a record the board can take has a valid badge
// number and packed-decimal values; reading twice gives the same tables;
// the report's text is built without fault.
#include "fuzz_check.h"
#include "badges/listfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;

bool sameTables(const platine::BadgeTables &a, const platine::BadgeTables &b, int count)
{
    for (int i = 0; i < count; ++i) {
        if (a.tab_numero[i] != b.tab_numero[i] || a.tab_nom[i] != b.tab_nom[i] ||
            a.tab_heure_debut_bcd[i] != b.tab_heure_debut_bcd[i] ||
            a.tab_minute_debut_bcd[i] != b.tab_minute_debut_bcd[i] ||
            a.tab_heure_fin_bcd[i] != b.tab_heure_fin_bcd[i] ||
            a.tab_minute_fin_bcd[i] != b.tab_minute_fin_bcd[i] || a.tab_jour[i] != b.tab_jour[i] ||
            a.tab_lieu_bcd[i] != b.tab_lieu_bcd[i] ||
            a.tab_jour_du_mois[i] != b.tab_jour_du_mois[i] || a.invalid[i] != b.invalid[i])
            return false;
    }
    return a.tab_octets_badge == b.tab_octets_badge;
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
        if (i < r.count && t.invalid[i] == 0) {
            // What the board is sent for a valid record.
            check(isBadgeNumber(t.tab_numero[i]));
            check(isDayCode(t.tab_jour[i]));
            for (std::int16_t v :
                 {t.tab_heure_debut_bcd[i], t.tab_minute_debut_bcd[i], t.tab_heure_fin_bcd[i],
                  t.tab_minute_fin_bcd[i], t.tab_lieu_bcd[i]})
                check(v >= 0 && v <= 0x99 && (v & 0x0F) <= 9);
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

    BadgeTables again;
    const ListReadReport r2 = readList(content, again);
    check(r2.count == r.count && sameTables(t, again, r.count));

    const std::string text = readReportText(r, t);
    check(r.hasProblems() || text.empty());
    return 0;
}
