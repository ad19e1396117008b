#pragma once
// The open list as the table of badges shows it: one row per record, its
// values in words, and whether the board can take it; the filter that keeps
// the rows whose badge number or name holds a text. Pure standard C++.

#include "core/badges/tables.h"
#include "core/platform/message.h"

#include <climits>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

struct BadgeRow {
    int slot = 0;        // the record's place in the list, from 0 (the tables hold 0 to 100)
    std::string section; // the section that holds it (Windows-1252)
    std::string numero;  // Windows-1252, as stored
    std::string nom;     // Windows-1252, as stored (19 characters at most)
    // The rest in UTF-8, as the columns show them.
    std::string plage;      // "07:30 – 17:30", or "24h/24" when the start hour is 99
    std::string jours;      // the day choice, empty for a code that is none
    std::string lieu;       // the place number, or "Tous" for 99
    std::string jourDuMois; // empty for 0
    std::string etat;       // empty when the board can take it, else why not
    Message etatText;       // the same, to be shown in the window's language
    Message validite;     // "expiré", "expire dans 3 jours"... (UTF-8); empty: no end
    Message platine;      // against the chosen board: "à jour", "à envoyer : nouveau"... (UTF-8)
    bool retire = false;  // not in the list, still held by the board (a row of its own)
    // The numbers behind the texts, for sorting.
    int debut = 0; // start hour * 100 + minute
    int lieuNumber = 0;
    int jourDuMoisNumber = 0;
    int joursRestants = INT_MAX; // days to the last valid day (negative: expired); INT_MAX: no end
};

// The rows of slots 0 to count - 1 of tables filled by the list reader.
std::vector<BadgeRow> badgeRows(const BadgeTables &tables, int count);

// Every record of the list file `content`, in file order, also those past
// the tables' 101 slots; each one past the hundredth says in `etat` that
// it will not be sent (the board keeps 100). `sectionsInFile` gets the
// number of records the file holds.
std::vector<BadgeRow> listRows(std::string_view content, int *sectionsInFile = nullptr);

// True when the row's badge number or name contains `filter` (Windows-1252),
// letter case and accents ignored, blanks around the filter ignored; an
// empty filter keeps every row.
bool rowMatches(const BadgeRow &row, std::string_view filter);

} // namespace platine
