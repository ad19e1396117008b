#pragma once
// The board operations, each a function of one exchange on the line and of
// its inputs taken as values: the window reads its controls, calls, and shows
// the outcome. What an operation shows while it runs goes through an
// OperationView that the window draws; the operator's answers come through
// the platform's dialogs; the status strip hears the line.

#include "core/badges/listfile.h"
#include "core/badges/tables.h"
#include "core/board/journal.h"
#include "core/board/protocol.h"
#include "platform/platform.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platine {

class Exchange;

namespace board {

// What an operation shows on the window while it runs.
class OperationView {
public:
    virtual ~OperationView() = default;
    // The wait cursor over the program while a transfer runs.
    virtual void showBusy(bool busy) = 0;
    // The transfer's state (Label5): "Transfert en cours", "Transfert terminé".
    virtual void showTransfer(const QString &caption) = 0;
    // The recording's state (defile): "Enregistrement", "Mémorisation terminée".
    virtual void showRecording(const QString &caption) = 0;
    // What the operator is asked to do at the board (Label9).
    virtual void showPrompt(const QString &text) = 0;
    // The console pane (Text1) emptied before the board's answer comes.
    virtual void clearConsole() = 0;
};

// --- "Envoi programmation" ------------------------------------------------------

struct UploadInputs {
    QString listFile;        // the open list's file, as the refusal names it
    ListReadReport read;     // what reading the list file found just now
    BadgeTables tables;      // the list as that read left it
    std::string delayText;   // the strike delay as typed (Windows-1252)
    std::string recordCount; // the list's record count, in digits
    bool buzzer = false;
    // The records left out of this upload (not valid today), told before
    // the operator is sent to bp1; empty: none.
    QString leftOut;
};

struct UploadOutcome {
    bool sent = false;
    // The board began to take the list: an upload that did not end leaves
    // it holding part of it.
    bool boardTouched = false;
    // The status strip at the end; empty: the exchange already said why.
    QString status;
};

// Checks the list, sends the operator to bp1, then feeds the board each
// block and table it asks for. A list the board cannot take is refused
// whole, before the operator is asked anything.
UploadOutcome upload(Exchange &x, const UploadInputs &in, Dialogs &dialogs, Clock &clock,
                     OperationView &view);

// --- "Téléchargement de l'historique" -------------------------------------------

struct HistoryInputs {
    std::string historyPath; // histo.txt
    std::string journalPath; // the journal of passages
    std::string backlogPath; // the passages the journal could not take yet
    std::string board;       // the board's name, kept with each passage (UTF-8)
    // The holders' names, read from the open list when the passages are added.
    std::function<NamesByBadge()> names;
};

struct HistoryOutcome {
    bool complete = false; // the log came whole, up to its end marker
    // The passages as a table, for the console pane; nothing when the log
    // did not come whole.
    std::optional<QString> console;
    int added = 0;   // passages new to the journal
    int ignored = 0; // lines of the log that are not passages
    // The newest passage of the log, in minutes (minutesOf); none when no
    // passage has a date and time in digits.
    std::optional<long long> newest;
    // The status strip at the end (empty: the exchange already said why),
    // and the line its tool tip adds.
    QString status;
    QString statusTip;
};

HistoryOutcome downloadHistory(Exchange &x, const HistoryInputs &in, Dialogs &dialogs, Clock &clock,
                               OperationView &view);

// What became of a download's passages (and of those waiting before it).
struct JournalOutcome {
    bool written = false; // the journal holds them all
    int added = 0;        // rows the journal took
    bool kept = false;    // those it lacks wait in the backlog
    int waiting = 0;      // passages in the backlog now
    QString error;        // why the journal could not take them
    QString backlogError; // why the backlog could not either
};

// Adds to the journal at `journalPath` the passages of the backlog at
// `backlogPath`, then those of `passages` (one download), each that it does
// not hold yet; the backlog goes once the journal holds them. When the
// journal cannot be read or written, the passages it lacks are added to the
// backlog instead, which only grows until then. Both files are read and
// replaced under the journal's lock (FileLock), so two copies of the
// program take turns.
JournalOutcome addToJournal(const std::string &journalPath, const std::string &backlogPath,
                            const std::vector<JournalRow> &passages);

// --- "Mise à l'heure" -------------------------------------------------------------

// The four override fields as typed: hour, minute, day of the month, weekday.
struct ClockOverrides {
    QString hour, minute, dayOfMonth, weekday;
};

struct ClockInputs {
    // The override fields, read once the board has announced itself (the
    // operator may fill them meanwhile).
    std::function<ClockOverrides()> overrides;
};

struct ClockOutcome {
    bool confirmed = false;
    // The seven clock bytes, once worked out (sent or not).
    std::optional<std::array<unsigned char, protocol::kClockBytes>> bytes;
    // The status strip at the end; empty: the exchange already said why.
    QString status;
};

ClockOutcome setClock(Exchange &x, const ClockInputs &in, Dialogs &dialogs, Clock &clock);

// "Heure PC": what the four override fields show for `now`.
ClockOverrides pcClock(const QDateTime &now);

// --- "Lecture badge" -----------------------------------------------------------------

struct BadgeReadingOutcome {
    std::optional<QString> number; // the badge read; nothing when the wait ended
    QString status; // the status strip at the end; empty: the exchange already said why
};

BadgeReadingOutcome readBadge(Exchange &x, Dialogs &dialogs, OperationView &view);

// --- The maintenance commands -----------------------------------------------------

// Sends the one-word `command` on a port already open.
bool sendCommand(Exchange &x, const QString &command);

enum class EraseScope { History, Everything };

struct EraseOutcome {
    bool sent = false;
    QString status; // empty: the exchange already said why, or nothing to say
};

// "Raz eeprom externe": asks the operator, then sends the erase of `scope`.
EraseOutcome eraseExternalMemory(Exchange &x, EraseScope scope, Dialogs &dialogs);

// --- "Ascii" ---------------------------------------------------------------------------

struct DumpOutcome {
    bool written = false; // the listing is ready to show
    QString status;       // why not
};

// Writes the receive pane `pane` (Windows-1252) to `workingPath` and its
// addressed listing to `listingPath`.
DumpOutcome decodeDump(const std::string &pane, const std::string &workingPath,
                       const std::string &listingPath);

} // namespace board
} // namespace platine
