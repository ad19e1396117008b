// "Envoi programmation": the open list, the strike delay and the buzzer
// setting go into the board. The board paces the exchange: it announces
// itself with "Pret", asks for each badge block with "badge" ("badge2" to
// "badge4" from the second block on) and for each table with its keyword;
// the program answers each request once the keyword stands at the start of
// the receive pane.

#include "board/operations.h"
#include "core/board/upload_plan.h"
#include "serial/exchange.h"
#include "platform/text.h"
#include "serial/words.h"

namespace platine::board {

// The board answers each request within a few milliseconds once the operator
// has pressed bp1; ten seconds covers the operator's reach for the button.
inline constexpr Millis kUploadPromptLimit{10'000};
// The board needs a moment after its request before it listens to the data.
inline constexpr Millis kUploadSettle{200};

UploadOutcome upload(Exchange &x, const UploadInputs &in, Dialogs &dialogs, Clock &clock,
                     OperationView &view)
{
    // Whatever keeps the board from taking the list is told once, here,
    // before the operator is sent to the board, and nothing is sent.
    std::optional<Message> problem;
    if (!in.read.readable)
        problem = Message("Upload",
                          PLATINE_TR_NOOP("Upload", "Liste refusée, rien n'a été envoyé à la "
                                                    "platine : le fichier « %1 » ne peut pas "
                                                    "être lu (%2)."),
                          {in.listFile.toStdString(), in.read.error});
    else if (in.read.tooManyForBoard())
        problem = tooManyRecords(in.read.sectionsInFile);
    else
        problem = uploadRefusal(in.tables, in.delayText, in.recordCount);
    if (problem) {
        x.status(QCoreApplication::translate("Board",
                                             "Envoi refusé : rien n'a été envoyé à la platine"));
        dialogs.message(MsgIcon::Critical, MsgButtons::Ok,
                        QCoreApplication::translate("Board", "Envoi programmation"),
                        shown(*problem));
        return {};
    }

    if (!in.leftOut.isEmpty())
        dialogs.message(MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Envoi programmation"),
                        in.leftOut);
    dialogs.message(MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Message"),
                    QCoreApplication::translate(
                        "Board", "Cliquer sur 'ok' et \r\nAppuyer sur le bouton poussoir bp1 "));

    if (!x.connect())
        return {};
    view.showBusy(true);
    view.showTransfer(QCoreApplication::translate("Board", "Transfert en cours"));
    x.clearReceived();
    const Millis start = clock.elapsed();

    const UploadPlan plan = planUpload(in.tables, in.delayText, in.buzzer, in.recordCount);

    x.setDtr(false);
    bool boardTouched = false; // the board has begun to take the new list
    const bool sent = [&] {
        if (!x.waitStart(protocol::kPret, kUploadPromptLimit))
            return false;
        x.status(QCoreApplication::translate("Board", "Connexion établie avec la platine"));
        x.clearReceived();
        if (!x.pause(kUploadSettle, QCoreApplication::translate("Board", "avant « param »")))
            return false;
        const QString param = QCoreApplication::translate("Board", "« param »");
        boardTouched = true;
        if (!x.sendWord(protocol::kParam, param) ||
            !x.send(QByteArray(reinterpret_cast<const char *>(plan.param.data()),
                               qsizetype(plan.param.size())),
                    param))
            return false;

        const QString badge = word(protocol::kBadge);
        if (!x.waitFor(
                badge, [&badge](const QString &pane) { return pane.left(5).trimmed() == badge; },
                kUploadPromptLimit))
            return false;
        for (int k = 1; k <= plan.blocks; ++k) {
            x.clearReceived();
            if (k > 1) {
                const QString prompt = badge + QString::number(k);
                if (!x.waitFor(
                        prompt, [&prompt](const QString &pane) { return pane.left(6) == prompt; },
                        kUploadPromptLimit))
                    return false;
            }
            const QString step =
                QCoreApplication::translate("Board", "le bloc de badges %1").arg(k);
            if (!x.pause(kUploadSettle, step) ||
                !x.sendPaced(plan.blockBytes[std::size_t(k - 1)], protocol::kBlockBytes, step))
                return false;
            view.showRecording(QCoreApplication::translate("Board", "Enregistrement"));
        }

        for (int t = 0; t < protocol::kTables; ++t) {
            const std::string_view keyword = protocol::kTableKeywords[std::size_t(t)];
            x.clearReceived();
            if (!x.waitStart(keyword, kUploadPromptLimit))
                return false;
            const QString step =
                QCoreApplication::translate("Board", "la table %1").arg(quoted(word(keyword)));
            if (!x.sendWord(keyword, step) ||
                !x.sendPaced(plan.tables[std::size_t(t)], protocol::kTableBytes, step))
                return false;
        }
        view.showRecording(QCoreApplication::translate("Board", "Mémorisation terminée"));
        view.showTransfer(QCoreApplication::translate("Board", "Transfert terminé"));
        return true;
    }();

    // The elapsed time is shown however the run ended, with the reason when
    // it ended early.
    QString summary = QCoreApplication::translate("Board", "Transfert en : %1 mS")
                          .arg((clock.elapsed() - start).count());
    if (!x.why().isEmpty())
        summary += QStringLiteral(" — ") + x.why();
    x.clearReceived();
    view.showBusy(false);
    if (!sent && boardTouched) {
        // The board keeps what it took of the new list: the status strip's
        // "Transfert en : ..." alone would read like a success.
        dialogs.message(
            MsgIcon::Warning, MsgButtons::Ok,
            QCoreApplication::translate("Board", "Envoi programmation"),
            QCoreApplication::translate(
                "Board", "L'envoi de la liste a été interrompu (%1).\r\nLa platine "
                         "garde maintenant une liste incomplète. Envoyez la liste de nouveau "
                         "(« Envoi programmation ») dès que la liaison est rétablie.")
                .arg(x.why().isEmpty() ? QCoreApplication::translate("Board", "liaison perdue")
                                       : x.why()));
    }
    return {sent, boardTouched, summary};
}

} // namespace platine::board
