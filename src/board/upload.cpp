// "Envoi programmation": the open list, the strike delay and the buzzer
// setting go into the board. The board paces the exchange: it announces
// itself with "Pret", asks for each badge block with "badge" ("badge2" to
// "badge4" from the second block on) and for each table with its keyword;
// the program answers each request once the keyword stands at the start of
// the receive pane.

#include "app/form2.h"
#include "badges/listfile.h"
#include "board/board_support.h"
#include "board/protocol.h"
#include "board/upload_plan.h"
#include "platform/text.h"

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

namespace {

// How one run of the upload ended early, for Label14; empty when it went through.
struct UploadRun {
    Form2 &form;
    std::uint64_t epoch;
    QString interruption;

    bool wait(const std::function<bool(const QString &)> &match, const QString &keyword)
    {
        const WaitEnd end = form.attendre(match, kUploadPromptLimit);
        if (end == WaitEnd::Matched)
            return true;
        interruption = waitFailure(end, keyword);
        return false;
    }
    bool waitStart(const QString &keyword)
    {
        return wait([&keyword](const QString &pane) { return pane.startsWith(keyword); }, keyword);
    }
    bool pause(Millis d, const QString &step)
    {
        if (form.pause_cedante(d))
            return true;
        interruption = QStringLiteral("liaison fermée ou perdue (%1)").arg(step);
        return false;
    }
    bool send(const QByteArray &bytes, const QString &step)
    {
        if (form.portEpoch() != epoch) {
            interruption = QStringLiteral("liaison fermée ou perdue pendant %1").arg(step);
            return false;
        }
        if (form.envoyer(bytes))
            return true;
        interruption =
            QStringLiteral("envoi interrompu pendant %1 (%2)").arg(step, form.ui().Label14->text());
        return false;
    }
    // One data byte, then the progress step that paces the board.
    bool sendByte(unsigned char b, std::int16_t total, const QString &step)
    {
        if (!send(QByteArray(1, char(b)), step))
            return false;
        form.anime(total);
        return true;
    }
};

} // namespace

void Form2::Command8_Click()
{
    if (!liste_ouverte())
        return;
    // The upload rewrites the board's memory: no other exchange may share the line.
    if (!prendre_ligne(QStringLiteral("envoi de la liste")))
        return;
    ScopeGuard line([this] { rendre_ligne(); });

    m_platform.dialogs->message(
        MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Message"),
        QStringLiteral("Cliquer sur 'ok' et \r\nAppuyer sur le bouton poussoir bp1 "));

    if (!ouvrir_port())
        return; // Label14 says why the port would not open
    setIndicatorConnected(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ScopeGuard cursor([] { QGuiApplication::restoreOverrideCursor(); });
    const QString label5Before = m_ui.Label5->text();
    m_ui.Label5->setText(QStringLiteral("Transfert en cours"));
    setText2(QString());
    Clock &clock = *m_platform.clock;
    const Millis start = clock.elapsed();

    // The tables are reloaded from the list file: what goes to the board is
    // the list as saved. Whatever keeps the board from taking it is told once,
    // here, and nothing is sent.
    const ListReadReport read = lire_liste();
    const std::string delayText = toCp1252(m_ui.tempo_gache->text());
    const std::string countText = toCp1252(nb_enregistrements_texte);
    std::optional<std::string> problem;
    if (!read.readable)
        problem = "Liste refusée, rien n'a été envoyé à la platine : le fichier « " +
                  fichier_liste.toStdString() + " » ne peut pas être lu (" + read.error + ").";
    else if (read.tooManyForBoard())
        problem = "Liste refusée, rien n'a été envoyé à la platine : la liste compte " +
                  std::to_string(read.sectionsInFile) +
                  " enregistrements ; la platine en garde 100 au plus.";
    else
        problem = validateUpload(tables, delayText, countText);
    if (problem) {
        m_ui.Label5->setText(label5Before);
        m_ui.Label14->setText(QStringLiteral("Envoi refusé : rien n'a été envoyé à la platine"));
        m_platform.dialogs->message(MsgIcon::Critical, MsgButtons::Ok,
                                    QStringLiteral("Envoi programmation"),
                                    QString::fromStdString(*problem));
        return;
    }
    const UploadPlan plan = planUpload(tables, delayText, m_ui.buzzer->isChecked(), countText);

    m_platform.serial->setDtr(false);

    UploadRun run{*this, m_portEpoch, {}};
    [&] {
        if (!run.waitStart(word(protocol::kPret)))
            return;
        m_ui.Label14->setText(QStringLiteral("Connexion établie avec la platine"));
        setText2(QString());
        if (!run.pause(kUploadSettle, QStringLiteral("avant « param »")))
            return;
        if (!run.send(wordBytes(protocol::kParam), QStringLiteral("« param »")) ||
            !run.send(QByteArray(reinterpret_cast<const char *>(plan.param.data()),
                                 qsizetype(plan.param.size())),
                      QStringLiteral("« param »")))
            return;

        const QString badge = word(protocol::kBadge);
        if (!run.wait([&badge](const QString &pane) { return pane.left(5).trimmed() == badge; },
                      badge))
            return;
        for (int k = 1; k <= plan.blocks; ++k) {
            setText2(QString());
            if (k > 1) {
                const QString prompt = badge + QString::number(k);
                if (!run.wait([&prompt](const QString &pane) { return pane.left(6) == prompt; },
                              prompt))
                    return;
            }
            const QString step = QStringLiteral("le bloc de badges %1").arg(k);
            if (!run.pause(kUploadSettle, step))
                return;
            compteur = 0;
            for (unsigned char b : plan.blockBytes[std::size_t(k - 1)])
                if (!run.sendByte(b, std::int16_t(protocol::kBlockBytes), step))
                    return;
            m_ui.defile->setText(QStringLiteral("Enregistrement"));
        }

        for (int t = 0; t < protocol::kTables; ++t) {
            const QString keyword = word(protocol::kTableKeywords[std::size_t(t)]);
            setText2(QString());
            if (!run.waitStart(keyword))
                return;
            const QString step = QStringLiteral("la table %1").arg(quoted(keyword));
            compteur = 0;
            if (!run.send(toCp1252Bytes(keyword), step))
                return;
            for (unsigned char b : plan.tables[std::size_t(t)])
                if (!run.sendByte(b, std::int16_t(protocol::kTableBytes), step))
                    return;
        }
        m_ui.defile->setText(QStringLiteral("Mémorisation terminée"));
        m_ui.Label5->setText(QStringLiteral("Transfert terminé"));
    }();

    // The elapsed time is shown however the run ended, with the reason when
    // it ended early.
    QString summary = QStringLiteral("Transfert en : %1 mS").arg((clock.elapsed() - start).count());
    if (!run.interruption.isEmpty())
        summary += QStringLiteral(" — ") + run.interruption;
    m_ui.Label14->setText(summary);
    setText2(QString());
}

} // namespace platine
