// "Envoi programmation": the open list, the strike delay and the buzzer
// setting go into the board. The board paces the exchange: it announces
// itself with "Pret", asks for each badge block with "badge" ("badge2" to
// "badge4" from the second block on) and for each table with its keyword;
// the program answers each request once the keyword stands at the start of
// the receive pane.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "badges/listfile.h"
#include "board/board_support.h"
#include "board/protocol.h"
#include "board/upload_plan.h"
#include "platform/text.h"
#include "serial/exchange.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace platine {

using namespace board;

// The board answers each request within a few milliseconds once the operator
// has pressed bp1; ten seconds covers the operator's reach for the button.
inline constexpr Millis kUploadPromptLimit{10'000};
// The board needs a moment after its request before it listens to the data.
inline constexpr Millis kUploadSettle{200};

void Form2::Command8_Click()
{
    if (!liste_ouverte())
        return;
    // The upload rewrites the board's memory: no other exchange may share the line.
    Exchange x(*m_line, QStringLiteral("envoi de la liste"));
    if (!x.began())
        return;

    // The tables are reloaded from the list file: what goes to the board is
    // the list as saved. Whatever keeps the board from taking it is told once,
    // here, before the operator is sent to the board, and nothing is sent.
    const ListReadReport read = lire_liste();
    const std::string delayText = toCp1252(m_ui->tempo_gache->text());
    const std::string countText = std::to_string(m_liste.nombre.value_or(0));
    std::optional<std::string> problem;
    if (!read.readable)
        problem = "Liste refusée, rien n'a été envoyé à la platine : le fichier « " +
                  m_liste.fichier.toStdString() + " » ne peut pas être lu (" + read.error + ").";
    else if (read.tooManyForBoard())
        problem = "Liste refusée, rien n'a été envoyé à la platine : la liste compte " +
                  std::to_string(read.sectionsInFile) +
                  " enregistrements ; la platine en garde 100 au plus.";
    else
        problem = validateUpload(m_liste.tables, delayText, countText);
    if (problem) {
        x.status(QStringLiteral("Envoi refusé : rien n'a été envoyé à la platine"));
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok,
                                    QStringLiteral("Envoi programmation"),
                                    QString::fromStdString(*problem));
        return;
    }

    m_platform.dialogs->message(
        MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Message"),
        QStringLiteral("Cliquer sur 'ok' et \r\nAppuyer sur le bouton poussoir bp1 "));

    if (!x.connect())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ScopeGuard cursor([] { QGuiApplication::restoreOverrideCursor(); });
    m_ui->Label5->setText(QStringLiteral("Transfert en cours"));
    x.clearReceived();
    Clock &clock = *m_platform.clock;
    const Millis start = clock.elapsed();

    const UploadPlan plan =
        planUpload(m_liste.tables, delayText, m_ui->buzzer->isChecked(), countText);

    x.setDtr(false);
    [&] {
        if (!x.waitStart(protocol::kPret, kUploadPromptLimit))
            return;
        x.status(QStringLiteral("Connexion établie avec la platine"));
        x.clearReceived();
        if (!x.pause(kUploadSettle, QStringLiteral("avant « param »")))
            return;
        const QString param = QStringLiteral("« param »");
        if (!x.sendWord(protocol::kParam, param) ||
            !x.send(QByteArray(reinterpret_cast<const char *>(plan.param.data()),
                               qsizetype(plan.param.size())),
                    param))
            return;

        const QString badge = word(protocol::kBadge);
        if (!x.waitFor(
                badge, [&badge](const QString &pane) { return pane.left(5).trimmed() == badge; },
                kUploadPromptLimit))
            return;
        for (int k = 1; k <= plan.blocks; ++k) {
            x.clearReceived();
            if (k > 1) {
                const QString prompt = badge + QString::number(k);
                if (!x.waitFor(
                        prompt, [&prompt](const QString &pane) { return pane.left(6) == prompt; },
                        kUploadPromptLimit))
                    return;
            }
            const QString step = QStringLiteral("le bloc de badges %1").arg(k);
            if (!x.pause(kUploadSettle, step) ||
                !x.sendPaced(plan.blockBytes[std::size_t(k - 1)], protocol::kBlockBytes, step))
                return;
            m_ui->defile->setText(QStringLiteral("Enregistrement"));
        }

        for (int t = 0; t < protocol::kTables; ++t) {
            const std::string_view keyword = protocol::kTableKeywords[std::size_t(t)];
            x.clearReceived();
            if (!x.waitStart(keyword, kUploadPromptLimit))
                return;
            const QString step = QStringLiteral("la table %1").arg(quoted(word(keyword)));
            if (!x.sendWord(keyword, step) ||
                !x.sendPaced(plan.tables[std::size_t(t)], protocol::kTableBytes, step))
                return;
        }
        m_ui->defile->setText(QStringLiteral("Mémorisation terminée"));
        m_ui->Label5->setText(QStringLiteral("Transfert terminé"));
    }();

    // The elapsed time is shown however the run ended, with the reason when
    // it ended early.
    QString summary = QStringLiteral("Transfert en : %1 mS").arg((clock.elapsed() - start).count());
    if (!x.why().isEmpty())
        summary += QStringLiteral(" — ") + x.why();
    x.status(summary);
    x.clearReceived();
}

} // namespace platine
