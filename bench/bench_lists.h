#pragma once
// A list file of `n` records as the record editor writes them, for the
// benchmarks: every third record open 24 h/24, names with accented letters.

#include "core/badges/listfile.h"

#include <cstdio>
#include <string>

namespace platine::bench {

inline std::string makeList(int n)
{
    std::string content = newListHeader("06/12/2026", "10:15:42", "liste.txt");
    for (int i = 0; i < n; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%010X", 0x1000 + i * 7919);
        RecordFields f;
        f.numero = number;
        f.nom = "Titulaire n\xB0 " + std::to_string(i) + " \xE9t\xE9";
        f.heure_debut = i % 3 ? "07" : "99";
        f.minute_debut = i % 3 ? "30" : "99";
        f.heure_fin = i % 3 ? "17" : "99";
        f.minute_fin = i % 3 ? "45" : "99";
        f.h24 = i % 3 ? "non" : "oui";
        f.jour_texte = "Lundi \xE0 Vendredi";
        f.jour_code = std::to_string(i % 10);
        f.lieu = std::to_string(i % 12 + 1);
        f.tous_lieux = "non";
        f.jour_du_mois = std::to_string(i % 29);
        content = saveRecord(content, f);
    }
    return content;
}

} // namespace platine::bench
