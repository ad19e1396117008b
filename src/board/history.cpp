// "Téléchargement de l'historique": the board's log of passages. The operator
// presses bp3, the board announces "Vidage EEPROM externe", the program asks
// with "vidage" and collects the log until the board's closing "Historique";
// the raw text goes to histo.txt and its passages are shown as a table; then
// the passages new to the journal of passages are added to it. A journal that
// cannot be written is named in the status strip and takes them at the next
// download.

#include "board/history_table.h"
#include "board/operations.h"
#include "platform/files.h"
#include "platform/text.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace platine::board {

// The board announces itself as soon as bp3 is pressed; ten seconds covers
// the operator's reach for the button.
inline constexpr Millis kHistoryAnnounceLimit{10'000};
// The board needs half a second after its announcement before it listens.
inline constexpr Millis kHistorySettle{500};
// A log streams without a gap; this long without a byte means the board
// stopped before its end marker.
inline constexpr Millis kHistoryIdle{30'000};

HistoryOutcome downloadHistory(Exchange &x, const HistoryInputs &in, Dialogs &dialogs, Clock &clock,
                               OperationView &view)
{
    HistoryOutcome outcome;
    dialogs.message(MsgIcon::Information, MsgButtons::Ok,
                    QStringLiteral("Téléchargement de l'historique des passages"),
                    QStringLiteral("Cliquer sur ok puis \r\nAppuyer sur le poussoir bp3 SVP"));
    if (!x.connect())
        return outcome;
    view.clearConsole();
    x.clearReceived();
    x.setDtr(false);
    x.status(QStringLiteral("..."));

    if (!x.waitStart(protocol::kVidageAnnounce, kHistoryAnnounceLimit)) {
        outcome.status = QStringLiteral("Historique non téléchargé : ") + x.why();
        return outcome;
    }
    x.status(QStringLiteral("Connexion établie avec la platine"));
    x.pauseBlocking(kHistorySettle);
    if (!x.sendWord(protocol::kVidage, quoted(word(protocol::kVidage))))
        return outcome; // the status strip says the port is closed

    // The end marker may stand anywhere in the collected text. The wait has no
    // fixed limit: it lasts as long as the log keeps coming.
    const QString marker = word(protocol::kHistorique);
    Millis lastArrival = clock.elapsed();
    qsizetype seen = x.received().size();
    qsizetype searchFrom = 0;
    auto markerIn = [&](const QString &pane) {
        if (pane.size() != seen) {
            lastArrival = clock.elapsed();
            // Only the new text (and the marker's width before it) needs a
            // look, unless the pane was cleared meanwhile.
            searchFrom = pane.size() > seen ? std::max<qsizetype>(0, seen - marker.size() + 1) : 0;
            seen = pane.size();
        }
        const bool found = pane.indexOf(marker, searchFrom) >= 0;
        searchFrom = std::max<qsizetype>(0, pane.size() - marker.size() + 1);
        return found;
    };
    bool complete = false;
    for (;;) {
        const Millis idle = clock.elapsed() - lastArrival;
        if (idle > kHistoryIdle)
            break;
        complete = x.waitFor(marker, markerIn, kHistoryIdle - idle);
        if (complete || x.lastWait() != WaitEnd::TimedOut)
            break;
    }
    if (!complete) {
        // Nothing is saved from a log without its end: histo.txt keeps the
        // last complete download and the pane keeps what came.
        const QString why = x.lastWait() == WaitEnd::PortClosed
                                ? QStringLiteral("liaison fermée ou perdue")
                                : QStringLiteral("plus rien reçu de la platine depuis %1 s")
                                      .arg(kHistoryIdle.count() / 1000);
        outcome.status =
            QStringLiteral("Historique incomplet (%1 avant « %2 ») : histo.txt n'a pas été modifié")
                .arg(why, marker);
        return outcome;
    }
    outcome.complete = true;

    // histo.txt and the table first, as at every download: the board will
    // not send this log again, so a journal that cannot be written must not
    // hold them back.
    const std::string content = historyFileContent(toCp1252(x.received()));
    std::string error;
    const std::optional<std::string> previous = files::read(in.historyPath);
    const bool saved = files::writeAtomic(in.historyPath, content, &error);
    outcome.console = fromCp1252(historyTable(content));
    const QString histoError = QString::fromStdString(error);

    const QString journalShown = QFile::decodeName(QByteArray::fromStdString(in.journalPath));
    outcome.statusTip = QStringLiteral("Journal des passages : ") + journalShown;
    // The previous download goes in first: what its journal could not take
    // is added now (a passage the journal holds already is not added again).
    std::vector<std::string> downloads;
    if (previous)
        downloads.push_back(*previous);
    downloads.push_back(content);
    error.clear();
    const NamesByBadge names = in.names ? in.names() : NamesByBadge{};
    const QString stamp = clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!addToJournal(in.journalPath, downloads, names, stamp.toStdString(), outcome.added,
                      error)) {
        outcome.added = 0; // the journal stays as it was
        QString text = QStringLiteral("Téléchargement terminé, mais le journal « %1 » n'a pas pu "
                                      "être écrit (%2) : ses passages y seront ajoutés au "
                                      "prochain téléchargement")
                           .arg(journalShown, QString::fromStdString(error));
        if (!saved)
            text +=
                QStringLiteral(" ; histo.txt n'a pas pu être écrit non plus : %1").arg(histoError);
        outcome.status = text;
        return outcome;
    }
    const int added = outcome.added;
    QString done = QStringLiteral("Téléchargement terminé : %1 %2 dans le journal")
                       .arg(added)
                       .arg(added > 1 ? QStringLiteral("nouveaux passages")
                                      : QStringLiteral("nouveau passage"));
    if (!saved)
        done += QStringLiteral(", mais histo.txt n'a pas pu être écrit : %1").arg(histoError);
    outcome.status = done;
    return outcome;
}

bool addToJournal(const std::string &journalPath, const std::vector<std::string> &downloads,
                  const NamesByBadge &names, const std::string &stamp, int &added,
                  std::string &error)
{
    std::string journal;
    std::error_code ec;
    if (std::filesystem::exists(journalPath, ec)) {
        const std::optional<std::string> read = files::read(journalPath, &error);
        if (!read)
            return false;
        journal = *read;
    }
    // Only the download's passages are looked for in the journal; its bytes
    // go out again as they were, the new rows after them.
    const JournalAddition addition = newPassages(
        journal, std::vector<std::string_view>(downloads.begin(), downloads.end()), names, stamp);
    added = addition.added;
    const std::string content = addition.content(journal);
    if (content == journal)
        return true; // nothing new: the journal stays as it is
    return files::writeAtomic(journalPath, content, &error);
}

} // namespace platine::board
