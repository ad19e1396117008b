#pragma once
// The boards the program talks to, each known by its port as the port list
// chooses it ("COM3", "/dev/ttyUSB0"): the names the operator gave them, and
// what each one last received. The board cannot give its list back, so the
// program keeps a copy of the list's bytes as each full upload sent them.
// Pure standard C++; files are Windows-1252, messages French in UTF-8.

#include "core/badges/badge_rows.h"
#include "core/badges/validity.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platine::boards {

// The file of the boards' names, in the program's data folder.
inline constexpr char kBoardsFile[] = "platines.ini";

struct Board {
    std::string port;   // "COM3", "/dev/ttyUSB0"
    std::string nom;    // "Entrée principale"; empty: none given
    std::string lieux;  // the places it serves, free text; may be empty
    bool operator==(const Board &) const = default;
};

// The boards of the file `content` (one profile section per port, keys
// "nom" and "lieux"), in file order, one per port (the first wins).
std::vector<Board> readBoards(std::string_view content);
// The file for `boards`; a board without a port is left out, line breaks
// in a text become blanks.
std::string writeBoards(const std::vector<Board> &boards);
// The board of `port`, or nothing.
const Board *findBoard(const std::vector<Board> &boards, std::string_view port);

// What a board last received.
struct Sent {
    // Complete: the upload ended with "Mémorisation terminée" and `list`
    // is what the board holds. Unknown: an upload began and did not end, the
    // board holds part of it; `list` is empty.
    bool complete = false;
    std::string when;     // "dd/mm/yyyy hh:mm"
    std::string listFile; // the list file the records came from
    std::string list;     // the list's bytes as sent (records left out already taken off)
    bool operator==(const Sent &) const = default;
};

// The name of the file that keeps what the board of `port` received:
// "envoi " and the port, every character other than a letter, a digit, "-"
// or "_" as "_", then ".txt" ("envoi COM3.txt", "envoi _dev_ttyUSB0.txt").
std::string sentFileName(std::string_view port);
std::string writeSent(const Sent &sent);
// Nothing when `content` is not such a file.
std::optional<Sent> readSent(std::string_view content);

// --- The list against what the board holds -------------------------------------

enum class Basis {
    Known,     // the board's list is known: the records are compared
    NeverSent, // nothing recorded for this board
    OtherList, // the board last received another list file
    Unknown,   // the last upload did not end
};

enum class RecordState {
    UpToDate,
    New,
    Changed,
    Withheld, // not valid on the day: an upload leaves it out, the board does not hold it
    Expiring, // not valid on the day and still held by the board: the next upload removes it
};

struct RecordDiff {
    std::string section;             // the record's section (Windows-1252)
    RecordState state = RecordState::New;
    std::vector<std::string> fields; // Changed: the fields that differ, named for the operator (UTF-8)
    Validity validity;               // the record's dates
};

struct RemovedRecord {
    std::string section; // Windows-1252
    std::string nom;     // the holder as the board's list names it (Windows-1252)
};

struct BoardDiff {
    Basis basis = Basis::NeverSent;
    std::vector<RecordDiff> records;    // one per section of the list, in file order
    std::vector<RemovedRecord> removed; // the board holds them, the list no longer does
    // What one upload would change on the board: each badge new, changed
    // or to be withdrawn once (a badge listed twice counts once), and each removal.
    int changes() const;
    // Badges the board still lets in although the list no longer does
    // (removed from the list, or out of their dates).
    int removals() const;
};

// The list `list` against what the board holds. `sent`: the board's record
// (nothing: never sent); `listFile`: the list's file, compared with the
// file the board's record names. A badge is known by its section name as
// the reader matches it (letter case and blanks around ignored); the first
// section of a name is the record, as the reader takes it; the order of
// the records does not matter. Compared: the values the board takes (badge
// number, times, day, place, day of the month) and the holder's name; the
// dates of validity stay on the PC but decide, against `today`, whether a
// record is to be on the board at all.
BoardDiff compareWithBoard(std::string_view list, const std::optional<Sent> &sent,
                           std::string_view listFile, const Date &today);

// The operator's words for a record's state: "à jour", "à envoyer :
// nouveau", "à envoyer : modifié (nom, lieu autorisé)"... (UTF-8).
Message stateText(const RecordDiff &d);

// The badges the board's record holds that are out of their dates on
// `today` (their section, Windows-1252), in the board's order.
std::vector<std::string> expiredOnBoard(const Sent &sent, const Date &today);

// The table's rows of the list `content` with their dates in words on
// `today` and, with a comparison, their state against the board, the
// badges the board holds that the list no longer has added as rows marked
// `retire`.
void addStates(std::vector<BadgeRow> &rows, std::string_view content, const BoardDiff *diff,
               const Date &today);

} // namespace platine::boards
