#pragma once
// The words and byte forms of the serial exchanges with the board, shared by
// the program and by the board simulator (tools/sim). Pure standard C++.

#include <array>
#include <string>
#include <string_view>

namespace platine::protocol {

// --- Keywords ----------------------------------------------------------------
// The board announces the upload with "Pret", asks for each block with
// "badge" (then "badge2" to "badge4") and for each table with its keyword,
// which the program echoes before the table's 100 bytes.
inline constexpr std::string_view kPret = "Pret";
inline constexpr std::string_view kParam = "param";
inline constexpr std::string_view kBadge = "badge";
inline constexpr std::array<std::string_view, 7> kTableKeywords = {"HD",   "MD",   "HF",       "MF",
                                                                   "jour", "lieu", "jour_mois"};
// History: the board announces itself, the program asks with "vidage", the
// board ends its log with "Historique".
inline constexpr std::string_view kVidage = "vidage";
inline constexpr std::string_view kVidageAnnounce = "Vidage EEPROM externe";
inline constexpr std::string_view kHistorique = "Historique";
// Clock: the board announces with a text beginning with "Mise"; the program
// sends "horaire", "heure" and the seven clock bytes; the board confirms.
inline constexpr std::string_view kMise = "Mise";
inline constexpr std::string_view kHoraire = "horaire";
inline constexpr std::string_view kHeure = "heure";
inline constexpr std::string_view kModificationEnregistree = "Modification enregistree";
// Maintenance commands, written by the program with no terminator.
inline constexpr std::string_view kEeprom = "eeprom";
inline constexpr std::string_view kRazOffset = "raz_offset";
inline constexpr std::string_view kRazFlash = "raz_flash";
// Badge report: "tag", two characters the program skips, ten characters.
inline constexpr std::string_view kTag = "tag";

// --- Sizes ---------------------------------------------------------------------
inline constexpr int kBlockBytes = 250; // one badge block: 50 records of 5 bytes
inline constexpr int kMaxBlocks = 4;
inline constexpr int kTableBytes = 100; // one byte per slot 0 to 99
inline constexpr int kParamBytes = 3;   // strike delay, block count, buzzer
inline constexpr int kClockBytes = 7;
inline constexpr int kTables = int(kTableKeywords.size());
// The strike delay in seconds: the board's strike timer stops at 65.
inline constexpr int kMaxStrikeDelay = 65;

// --- Packed decimal ----------------------------------------------------------------
// Two decimal digits read as hexadecimal: 17 -> 0x17. Valid for 0 to 99;
// anything else gives -1.
int packedDecimal(int value);
// 0x17 -> 17; -1 when either nibble is above 9 or the byte is out of 0..255.
int unpackDecimal(int byte);

// Number of 250-byte badge blocks for a record count: 1 to 25 -> 1,
// 26 to 50 -> 2, 51 to 75 -> 3, any other count (0 included) -> 4.
int blockCount(int records);

// The seven clock bytes in the order they go on the line: hour, minute,
// second, day of the month, month, two-digit year, day of the week
// (1 = Sunday), each packed decimal. A value outside 0..99 gives 0xFF.
std::array<unsigned char, 7> clockBytes(int hour, int minute, int second, int day, int month,
                                        int year2, int weekday1Sunday);

// One passage of the board's log as the history download reads it by
// column: badge in columns 1-14, hour 16-17, ":" 18, minute 19-20, day
// 21-23, "/" 24, month 25-26, "/" 27, year 28-29, place 30-32, "*" in 34.
// No line end. Numbers are written with two digits (the place with three
// characters, right-aligned); the badge is cut or padded to 14 characters.
std::string historyLine(std::string_view badge, int hour, int minute, int day, int month, int year2,
                        int place);

// A memory dump as the board writes it: `perLine` bytes a line, each byte as
// two upper-case hexadecimal digits followed by a blank, the line closed by
// "." and CR LF ("41 42 43 ."). No bytes give the empty text.
std::string dumpLines(std::string_view bytes, int perLine);

} // namespace platine::protocol
