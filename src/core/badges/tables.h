#pragma once
// The record tables: the open list in memory, one slot per record in the
// order of the sections of the list file. 101 slots (0 to 100); the board
// takes slots 0 to 99. Texts are Windows-1252 bytes as in the file.

#include "core/platform/message.h"

#include <array>
#include <cstdint>
#include <string>

namespace platine {

inline constexpr int kSlots = 101;        // slots 0 to 100
inline constexpr int kBoardRecords = 100; // the board stores slots 0 to 99
inline constexpr int kMaxDayOfMonth = 31; // a day of the month is 0 (none) or 1 to 31
inline constexpr int kBadgeBytes = 1001;  // five bytes a record, entries 0 to 1000

// The day choices, in the order whose position is the day code sent to the
// board. These names are stored in the list files and its tables as they
// stand; the window shows them translated (context "Days").
inline constexpr const char *kDayChoices[] = {
    PLATINE_TR_NOOP("Days", "Lundi"),    PLATINE_TR_NOOP("Days", "Mardi"),
    PLATINE_TR_NOOP("Days", "Mercredi"), PLATINE_TR_NOOP("Days", "Jeudi"),
    PLATINE_TR_NOOP("Days", "Vendredi"), PLATINE_TR_NOOP("Days", "Samedi"),
    PLATINE_TR_NOOP("Days", "Dimanche"), PLATINE_TR_NOOP("Days", "Lundi à Vendredi"),
    PLATINE_TR_NOOP("Days", "Week end"), PLATINE_TR_NOOP("Days", "Tous les jours")};
inline constexpr int kNewRecordDayCode = 7; // "Lundi à Vendredi"

// Keys of a record whose value the board cannot take, one bit each.
enum InvalidKey : std::uint16_t {
    BadNumero = 1 << 0,
    BadHeureDebut = 1 << 1,
    BadMinuteDebut = 1 << 2,
    BadHeureFin = 1 << 3,
    BadMinuteFin = 1 << 4,
    BadJour = 1 << 5,
    BadLieu = 1 << 6,
    BadJourDuMois = 1 << 7,
};
// The four times of a record.
inline constexpr std::uint16_t kBadTimes =
    BadHeureDebut | BadMinuteDebut | BadHeureFin | BadMinuteFin;

struct BadgeTables {
    std::array<std::string, kSlots> tab_numero{};
    std::array<std::string, kSlots> tab_nom{};
    std::array<std::int16_t, kSlots> tab_heure_debut{};
    std::array<std::int16_t, kSlots> tab_minute_debut{};
    std::array<std::int16_t, kSlots> tab_heure_fin{};
    std::array<std::int16_t, kSlots> tab_minute_fin{};
    std::array<std::int16_t, kSlots> tab_heure_debut_bcd{};
    std::array<std::int16_t, kSlots> tab_minute_debut_bcd{};
    std::array<std::int16_t, kSlots> tab_heure_fin_bcd{};
    std::array<std::int16_t, kSlots> tab_minute_fin_bcd{};
    std::array<std::string, kSlots> tab_jour{};
    std::array<std::int16_t, kSlots> tab_lieu{};
    std::array<std::int16_t, kSlots> tab_lieu_bcd{};
    std::array<std::int16_t, kSlots> tab_jour_du_mois{};
    std::array<std::string, kSlots> tab_sections{};
    std::array<std::int16_t, kBadgeBytes> tab_octets_badge{};
    // Per slot, the InvalidKey bits of the values the board cannot take,
    // as the last read found them (the upload refuses such a list).
    std::array<std::uint16_t, kSlots> invalid{};
};

} // namespace platine
