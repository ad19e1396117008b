#pragma once
// One description of a record's fields: its key in the list file, the
// editor's control, how the operator is told about it, the rule its value
// follows, the bit that marks it invalid, its record tables and the board
// table it goes into. The reader, the writer, the checks, the upload plan
// and the editor all walk it. Pure standard C++.

#include "core/badges/tables.h"
#include "core/platform/message.h"

#include <array>
#include <cstdint>
#include <string>

namespace platine {

// The keys of a record, in the order the editor writes them (Windows-1252).
namespace listkey {
inline constexpr const char *numero = "numero";
inline constexpr const char *nom = "nom";
inline constexpr const char *heure_debut = "heure de debut";
inline constexpr const char *minute_debut = "minute de debut";
inline constexpr const char *heure_fin = "heure de fin";
inline constexpr const char *minute_fin = "minute de fin";
inline constexpr const char *h24 = "24 h 24";
inline constexpr const char *jour_texte = "jour autoris\xE9";
inline constexpr const char *jour_code = "jour autoris\xE9_";
inline constexpr const char *lieu = "lieu autoris\xE9";
inline constexpr const char *tous_lieux = "tous lieux";
inline constexpr const char *jour_du_mois = "jour du mois";
} // namespace listkey

// One record as the editor saves it: every value as it will stand in the
// file (Windows-1252), twelve keys.
struct RecordFields {
    std::string numero;
    std::string nom;
    std::string heure_debut;
    std::string minute_debut;
    std::string heure_fin;
    std::string minute_fin;
    std::string h24;        // "oui" / "non"
    std::string jour_texte; // the visible day choice
    std::string jour_code;  // "0" to "9", "-1" when nothing is chosen
    std::string lieu;
    std::string tous_lieux; // "oui" / "non"
    std::string jour_du_mois;
};

// What a stored value must be for the board to take it.
enum class FieldRule {
    Text,        // anything
    BadgeNumber, // ten characters 0 to 9 and A to F
    TwoDigits,   // one or two decimal digits
    DayCode,     // one digit 0 to 9, or empty (0)
    DayOfMonth,  // 0 (none) or 1 to 31, one or two digits, or empty (0)
};

using TextTable = std::array<std::string, kSlots>;
using NumberTable = std::array<std::int16_t, kSlots>;

struct RecordField {
    const char *key;                  // in the list file (Windows-1252)
    std::string RecordFields::*value; // as the editor saves it
    const char *control;              // the editor's control
    const char *label;                // for the operator, with its article (UTF-8)
    const char *name;                 // for the operator, bare (UTF-8)
    FieldRule rule;
    std::uint16_t bad;                // its InvalidKey bit; 0: never invalid
    TextTable BadgeTables::*text;     // the value as text in the tables, or nullptr
    NumberTable BadgeTables::*number; // the value as a number, or nullptr
    NumberTable BadgeTables::*packed; // the value as a packed decimal byte, or nullptr
    int boardTable;                   // its table in the upload (protocol::kTableKeywords), or -1
};

// The twelve fields, in the order the editor writes them.
inline constexpr std::array<RecordField, 12> kRecordFields{{
    {listkey::numero, &RecordFields::numero, "numero_badge",
     PLATINE_TR_NOOP("Record", "le numéro de badge"), PLATINE_TR_NOOP("Record", "numéro de badge"),
     FieldRule::BadgeNumber, BadNumero, &BadgeTables::tab_numero, nullptr, nullptr, -1},
    {listkey::nom, &RecordFields::nom, "nom", PLATINE_TR_NOOP("Record", "le nom"),
     PLATINE_TR_NOOP("Record", "nom"), FieldRule::Text, 0, &BadgeTables::tab_nom, nullptr, nullptr,
     -1},
    {listkey::heure_debut, &RecordFields::heure_debut, "heure_debut",
     PLATINE_TR_NOOP("Record", "l'heure de début"), PLATINE_TR_NOOP("Record", "heure de début"),
     FieldRule::TwoDigits, BadHeureDebut, nullptr, &BadgeTables::tab_heure_debut,
     &BadgeTables::tab_heure_debut_bcd, 0},
    {listkey::minute_debut, &RecordFields::minute_debut, "minute_debut",
     PLATINE_TR_NOOP("Record", "la minute de début"), PLATINE_TR_NOOP("Record", "minute de début"),
     FieldRule::TwoDigits, BadMinuteDebut, nullptr, &BadgeTables::tab_minute_debut,
     &BadgeTables::tab_minute_debut_bcd, 1},
    {listkey::heure_fin, &RecordFields::heure_fin, "heure_fin",
     PLATINE_TR_NOOP("Record", "l'heure de fin"), PLATINE_TR_NOOP("Record", "heure de fin"),
     FieldRule::TwoDigits, BadHeureFin, nullptr, &BadgeTables::tab_heure_fin,
     &BadgeTables::tab_heure_fin_bcd, 2},
    {listkey::minute_fin, &RecordFields::minute_fin, "minute_fin",
     PLATINE_TR_NOOP("Record", "la minute de fin"), PLATINE_TR_NOOP("Record", "minute de fin"),
     FieldRule::TwoDigits, BadMinuteFin, nullptr, &BadgeTables::tab_minute_fin,
     &BadgeTables::tab_minute_fin_bcd, 3},
    {listkey::h24, &RecordFields::h24, "Choix_24", PLATINE_TR_NOOP("Record", "24h/24"),
     PLATINE_TR_NOOP("Record", "24h/24"), FieldRule::Text, 0, nullptr, nullptr, nullptr, -1},
    {listkey::jour_texte, &RecordFields::jour_texte, "Combo2",
     PLATINE_TR_NOOP("Record", "le jour autorisé"), PLATINE_TR_NOOP("Record", "jour autorisé"),
     FieldRule::Text, 0, nullptr, nullptr, nullptr, -1},
    {listkey::jour_code, &RecordFields::jour_code, "Combo2",
     PLATINE_TR_NOOP("Record", "le jour autorisé"), PLATINE_TR_NOOP("Record", "jour autorisé"),
     FieldRule::DayCode, BadJour, &BadgeTables::tab_jour, nullptr, nullptr, 4},
    {listkey::lieu, &RecordFields::lieu, "lieu", PLATINE_TR_NOOP("Record", "le lieu autorisé"),
     PLATINE_TR_NOOP("Record", "lieu autorisé"), FieldRule::TwoDigits, BadLieu, nullptr,
     &BadgeTables::tab_lieu, &BadgeTables::tab_lieu_bcd, 5},
    {listkey::tous_lieux, &RecordFields::tous_lieux, "choix_lieu",
     PLATINE_TR_NOOP("Record", "tous les lieux"), PLATINE_TR_NOOP("Record", "tous les lieux"),
     FieldRule::Text, 0, nullptr, nullptr, nullptr, -1},
    {listkey::jour_du_mois, &RecordFields::jour_du_mois, "jour_du_mois",
     PLATINE_TR_NOOP("Record", "le jour du mois"), PLATINE_TR_NOOP("Record", "jour du mois"),
     FieldRule::DayOfMonth, BadJourDuMois, nullptr, &BadgeTables::tab_jour_du_mois, nullptr, 6},
}};

// The field whose InvalidKey bit is `bad`.
const RecordField &fieldOf(std::uint16_t bad);

// True when `value` follows `rule` (the text as stored, already trimmed).
bool followsRule(FieldRule rule, const std::string &value);

} // namespace platine
