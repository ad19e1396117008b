#pragma once
// The open list as the table of badges shows it: one row per record, its
// values in words, and whether the board can take it; the filter that keeps
// the rows whose badge number or name holds a text. Pure standard C++.

#include "badges/tables.h"

#include <string>
#include <string_view>
#include <vector>

namespace platine {

struct BadgeRow {
    int slot = 0;        // in the tables, from 0
    std::string section; // the section that holds it (Windows-1252)
    std::string numero;  // Windows-1252, as stored
    std::string nom;     // Windows-1252, as stored (19 characters at most)
    // The rest in UTF-8, as the columns show them.
    std::string plage;      // "07:30 – 17:30", or "24h/24" when the start hour is 99
    std::string jours;      // the day choice, empty for a code that is none
    std::string lieu;       // the place number, or "Tous" for 99
    std::string jourDuMois; // empty for 0
    std::string etat;       // empty when the board can take it, else why not
    // The numbers behind the texts, for sorting.
    int debut = 0; // start hour * 100 + minute
    int lieuNumber = 0;
    int jourDuMoisNumber = 0;
};

// The rows of slots 0 to count - 1 of tables filled by the list reader.
std::vector<BadgeRow> badgeRows(const BadgeTables &tables, int count);

// True when the row's badge number or name contains `filter` (Windows-1252),
// letter case and accents ignored, blanks around the filter ignored; an
// empty filter keeps every row.
bool rowMatches(const BadgeRow &row, std::string_view filter);

} // namespace platine
