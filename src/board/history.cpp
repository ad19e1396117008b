// "Téléchargement de l'historique": the board's log of passages. The operator
// presses bp3, the board announces "Vidage EEPROM externe", the program asks
// with "vidage" and collects the log until the board's closing "Historique";
// the raw text goes to histo.txt and its passages are shown as a table; then
// the passages new to the journal of passages are added to it. A journal that
// cannot be written is named in the status strip; the passages it lacks wait
// in the backlog beside it, which the next download (or the next start)
// adds to it.

#include "board/operations.h"
#include "core/board/history_table.h"
#include "core/board/operations_journal.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"
#include "platform/text.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QCoreApplication>
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
    dialogs.message(
        MsgIcon::Information, MsgButtons::Ok,
        QCoreApplication::translate("Board", "Téléchargement de l'historique des passages"),
        QCoreApplication::translate("Board",
                                    "Cliquer sur ok puis \r\nAppuyer sur le poussoir bp3 SVP"));
    if (!x.connect())
        return outcome;
    view.clearConsole();
    x.clearReceived();
    x.setDtr(false);
    x.status(QStringLiteral("..."));

    if (!x.waitStart(protocol::kVidageAnnounce, kHistoryAnnounceLimit)) {
        outcome.status =
            QCoreApplication::translate("Board", "Historique non téléchargé : %1").arg(x.why());
        return outcome;
    }
    x.status(QCoreApplication::translate("Board", "Connexion établie avec la platine"));
    x.pauseBlocking(kHistorySettle);
    if (!x.sendWord(protocol::kVidage, quoted(word(protocol::kVidage))))
        return outcome; // the status strip says the port is closed
    const qsizetype sentAt = x.received().size();

    // The end marker may stand anywhere in the collected text. The wait has no
    // fixed limit: it lasts as long as the log keeps coming.
    const QString marker = word(protocol::kHistorique);
    qsizetype seen = 0; // the first look takes the whole pane
    auto markerIn = [&](const QString &pane) {
        // Then only the new text (and the marker's width before it) needs a
        // look, unless the pane was cleared or edited shorter meanwhile.
        const qsizetype from =
            pane.size() >= seen ? std::max<qsizetype>(0, seen - marker.size() + 1) : 0;
        seen = pane.size();
        return pane.indexOf(marker, from) >= 0;
    };
    const WaitEnd end = x.waitQuiet(kHistoryIdle, std::nullopt, marker, markerIn);
    if (end != WaitEnd::Matched) {
        // Nothing is saved from a log without its end: histo.txt keeps the
        // last complete download and the pane keeps what came.
        const QString why =
            end == WaitEnd::Quiet
                ? QCoreApplication::translate("Board", "plus rien reçu de la platine depuis %1 s")
                      .arg(kHistoryIdle.count() / 1000)
                : QCoreApplication::translate("Board", "liaison fermée ou perdue");
        outcome.status =
            QCoreApplication::translate(
                "Board", "Historique incomplet (%1 avant « %2 ») : histo.txt n'a pas été modifié")
                .arg(why, marker);
        // The board may count what it sent as fetched: the operator has to
        // know it, and how to have the whole log sent again.
        if (x.received().size() > sentAt)
            dialogs.message(
                MsgIcon::Warning, MsgButtons::Ok,
                QCoreApplication::translate("Board", "Téléchargement de l'historique des passages"),
                QCoreApplication::translate(
                    "Board", "Le téléchargement a été interrompu (%1) avant la fin de "
                             "l'historique : rien n'a été ajouté au journal ni à histo.txt ; "
                             "ce qui a été reçu reste dans la fenêtre de réception.\r\n"
                             "Ce que la platine a déjà envoyé peut ne pas revenir au prochain "
                             "téléchargement. Pour retrouver tout l'historique : cliquer sur "
                             "« raz offset telech », puis relancer « Téléchargement de "
                             "l'historique » et appuyer de nouveau sur bp3.")
                    .arg(why));
        return outcome;
    }
    outcome.complete = true;

    // histo.txt and the table first, as at every download: the board will
    // not send this log again, so a journal that cannot be written must not
    // hold them back.
    const std::string content = historyFileContent(toCp1252(x.received()));
    std::string error;
    const bool saved = files::writeAtomic(in.historyPath, content, &error);
    outcome.console = fromCp1252(historyTable(content));
    const QString histoError = QString::fromStdString(error);

    const QString journalShown = QFile::decodeName(QByteArray::fromStdString(in.journalPath));
    const QString backlogShown = QFile::decodeName(QByteArray::fromStdString(in.backlogPath));
    outcome.statusTip =
        QCoreApplication::translate("Board", "Journal des passages : %1").arg(journalShown);
    const NamesByBadge names = in.names ? in.names() : NamesByBadge{};
    const QString stamp = clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    HistoryPassages passages = historyPassages(content, names, stamp.toStdString());
    for (JournalRow &r : passages.rows)
        r.board = in.board;
    outcome.ignored = passages.ignored;
    for (const JournalRow &r : passages.rows) {
        long long at = 0;
        if (minutesOf(r.date, r.time, at) && (!outcome.newest || at > *outcome.newest))
            outcome.newest = at;
    }
    const JournalOutcome journal = addToJournal(in.journalPath, in.backlogPath, passages.rows);
    const QString ignored =
        passages.ignored == 0 ? QString()
        : passages.ignored == 1
            ? QCoreApplication::translate("Board", " ; 1 ligne illisible ignorée")
            : QCoreApplication::translate("Board", " ; %1 lignes illisibles ignorées")
                  .arg(passages.ignored);
    const QString histoToo =
        saved ? QString()
              : QCoreApplication::translate("Board",
                                            " ; histo.txt n'a pas pu être écrit non plus : %1")
                    .arg(histoError);
    if (!journal.written) {
        outcome.added = 0; // the journal stays as it was
        if (journal.kept) {
            outcome.status =
                QCoreApplication::translate(
                    "Board", "Téléchargement terminé, mais le journal « %1 » n'a pas pu être "
                             "écrit (%2) : %3 en attente dans « %4 », ajoutés au journal au "
                             "prochain téléchargement")
                    .arg(journalShown, journal.error,
                         journal.waiting > 1
                             ? QCoreApplication::translate("Board", "%1 passages sont")
                                   .arg(journal.waiting)
                             : QCoreApplication::translate("Board", "%1 passage est")
                                   .arg(journal.waiting),
                         backlogShown) +
                ignored + histoToo;
            return outcome;
        }
        // Nothing on disk holds this download's passages for the journal:
        // say so plainly; the table stays shown.
        const QString where =
            saved ? QCoreApplication::translate(
                        "Board", "dans cette fenêtre et dans histo.txt, que le prochain "
                                 "téléchargement remplacera")
                  : QCoreApplication::translate("Board", "dans cette fenêtre");
        outcome.status =
            QCoreApplication::translate("Board",
                                        "Téléchargement terminé, mais le journal « %1 » n'a pas pu "
                                        "être écrit (%2), ni « %3 » (%4) : les passages ne sont "
                                        "gardés que %5")
                .arg(journalShown, journal.error, backlogShown, journal.backlogError, where) +
            ignored + histoToo;
        dialogs.message(
            MsgIcon::Warning, MsgButtons::Ok,
            QCoreApplication::translate("Board", "Téléchargement de l'historique des passages"),
            QCoreApplication::translate("Board",
                                        "Les passages téléchargés n'ont pu être écrits ni dans le "
                                        "journal « %1 » (%2), ni dans « %3 » (%4).\r\nIls ne sont "
                                        "gardés que %5 : ne fermez pas le programme avant de les "
                                        "avoir relevés.")
                .arg(journalShown, journal.error, backlogShown, journal.backlogError, where));
        return outcome;
    }
    outcome.added = journal.added;
    const int added = outcome.added;
    QString done =
        QCoreApplication::translate("Board", "Téléchargement terminé : %1 %2 dans le journal")
            .arg(added)
            .arg(added > 1 ? QCoreApplication::translate("Board", "nouveaux passages")
                           : QCoreApplication::translate("Board", "nouveau passage"));
    done += ignored;
    if (!saved)
        done += QCoreApplication::translate("Board", ", mais histo.txt n'a pas pu être écrit : %1")
                    .arg(histoError);
    outcome.status = done;
    return outcome;
}

JournalOutcome addToJournal(const std::string &journalPath, const std::string &backlogPath,
                            const std::vector<JournalRow> &passages)
{
    JournalOutcome out;
    const auto exists = [](const std::string &path) {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    };
    // The journal's lock covers its backlog too: a second copy of the
    // program waits until this one has read and replaced both.
    const FileLock lock(QFile::decodeName(QByteArray::fromStdString(journalPath)));
    if (!lock.locked()) {
        out.error = out.backlogError =
            QCoreApplication::translate("Board", "il est tenu par %1").arg(lock.holder());
        return out;
    }

    std::string error;
    std::optional<std::string> backlog = std::string();
    if (exists(backlogPath)) {
        backlog = files::read(backlogPath, &error);
        if (!backlog)
            out.backlogError = QString::fromStdString(error);
    }
    const std::vector<JournalRow> waiting =
        backlog ? journalRows(*backlog) : std::vector<JournalRow>();
    if (passages.empty() && waiting.empty() && backlog) {
        out.written = true; // nothing to add
        return out;
    }

    error.clear();
    std::optional<std::string> journal = std::string();
    if (exists(journalPath))
        journal = files::read(journalPath, &error);
    JournalAddition addition;
    if (journal) {
        // Only the passages are looked for in the journal; its bytes go out
        // again as they were, the new rows after them.
        addition = addRows(*journal, {waiting, passages});
        if (!addition.changes(*journal) ||
            files::writeAtomic(journalPath, addition.pieces(*journal), &error)) {
            out.written = true;
            out.added = addition.added;
            // The journal holds them all now. A backlog that stays (it could
            // not be removed) adds nothing twice: the journal holds its rows.
            std::error_code ec;
            if (backlog && !backlog->empty())
                std::filesystem::remove(backlogPath, ec);
            return out;
        }
    }
    out.error = QString::fromStdString(error);
    if (!backlog)
        return out; // what the backlog holds cannot be read: it is not replaced
    // The backlog only grows: what the journal lacks and it does not hold.
    const JournalAddition more =
        journal ? addRows(*backlog, {addition.newRows}) : addRows(*backlog, {passages});
    error.clear();
    const std::string content = more.content(*backlog);
    if (content != *backlog && !files::writeAtomic(backlogPath, content, &error)) {
        out.backlogError = QString::fromStdString(error);
        return out;
    }
    out.kept = true;
    out.waiting = int(waiting.size()) + more.added;
    return out;
}

} // namespace platine::board
