#pragma once
// The list the operator works on: which file it is, its records in memory
// and what its last read found. The badge-list handlers own it; the board
// operations read it.

#include "core/badges/listfile.h"
#include "core/badges/tables.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace platine {

struct OpenList {
    QString fichier; // the current list file; empty: no list open
    QString titre;   // file name of the list last opened
    BadgeTables tables;
    ListReadReport derniere_lecture;
    // Records in the list: as the last read counted them, one more for each
    // record a save added; nothing before any read.
    std::optional<int> nombre;
    std::int16_t index_courant = 0; // the slot the editor shows
    // The file's bytes as this program last read or wrote them: a file that
    // differs at the next save was changed outside the program meanwhile.
    std::optional<std::string> lue;
};

} // namespace platine
