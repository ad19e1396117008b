#include "core/badges/badge_rows.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_check.h"

#include <array>

namespace platine {

namespace {

std::string twoDigits(int v)
{
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

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
        r.lieu = r.lieuNumber == 99 ? PLATINE_TR_NOOP("BadgeTable", "Tous")
                                    : std::to_string(r.lieuNumber);
        r.jourDuMoisNumber = t.tab_jour_du_mois[i];
        if (r.jourDuMoisNumber != 0)
            r.jourDuMois = std::to_string(r.jourDuMoisNumber);
        if (std::optional<Message> why = recordRefusalMessage(t, i)) {
            r.etat = why->french();
            r.etatText = std::move(*why);
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<BadgeRow> listRows(std::string_view content, int *sectionsInFile)
{
    BadgeTables t;
    const ListReadReport report = readList(content, t);
    std::vector<BadgeRow> rows = badgeRows(t, report.count);
    if (report.leftOut > 0) {
        // Past the tables: each record read alone into a slot of its own.
        const profile::Parsed list(content);
        const std::vector<std::string> &names = list.sections();
        rows.reserve(names.size());
        BadgeTables one;
        for (std::size_t i = kSlots; i < names.size(); ++i) {
            readRecordInto(list, names[i], one, 0);
            BadgeRow row = std::move(badgeRows(one, 1).front());
            row.slot = int(i);
            rows.push_back(std::move(row));
        }
    }
    for (BadgeRow &row : rows)
        if (row.slot >= kBoardRecords) {
            row.etatText = Message("BadgeTable",
                                   PLATINE_TR_NOOP("BadgeTable", "ne sera pas envoyé : la platine "
                                                                 "garde 100 badges au plus."));
            row.etat = row.etatText.french();
        }
    if (sectionsInFile)
        *sectionsInFile = report.sectionsInFile;
    return rows;
}

bool rowMatches(const BadgeRow &row, std::string_view filter)
{
    const std::string wanted = foldedCp1252(profile::trimBlanks(filter));
    return wanted.empty() || foldedCp1252(row.numero).find(wanted) != std::string::npos ||
           foldedCp1252(row.nom).find(wanted) != std::string::npos;
}

} // namespace platine
