// The list reader on a list of 101 records (the tables' full size), as the
// record editor's "Enregistrer" writes them: the reader runs at every entry
// into record mode and before every upload.

#include "badges/listfile.h"
#include "bench_util.h"

#include <cstdio>
#include <string>

using namespace platine;
using namespace platine::bench;

int main()
{
    std::string content = newListHeader("06/12/2026", "10:15:42", "liste.txt");
    for (int i = 0; i < kSlots; ++i) {
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

    BadgeTables tables;
    ListReadReport r;
    const double t = medianSeconds(200, [&] { r = readList(content, tables); });
    if (r.count != kSlots || r.hasInvalid()) {
        std::fprintf(stderr, "bench_listfile: read %d records, %zu invalid\n", r.count,
                     r.invalidSlots.size());
        return 1;
    }
    report("list reader, 101 records (" + std::to_string(content.size() / 1024) + " KiB)",
           fmt("median %.3f ms, %.2f us a record", t * 1e3, t * 1e6 / kSlots));
    return 0;
}
