// The board operations' handlers: each reads the controls, takes the line in
// one exchange, runs the operation (src/board/operations.h) and shows its
// outcome.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"
#include "board/operations.h"
#include "core/badges/list_edit.h"
#include "core/badges/list_table.h"
#include "core/board/operations_journal.h"
#include "platform/operations_recorder.h"
#include "core/platform/files.h"
#include "platform/text.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace platine {

// The window's side of what an operation shows while it runs.
class Form2::OperationWindow : public board::OperationView {
public:
    explicit OperationWindow(Form2 &form) : m_form(form) {}
    void showBusy(bool busy) override
    {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    }
    void showTransfer(const QString &caption) override { m_form.m_ui->Label5->setText(caption); }
    void showRecording(const QString &caption) override { m_form.m_ui->defile->setText(caption); }
    void showPrompt(const QString &text) override { m_form.m_ui->Label9->setText(text); }
    void clearConsole() override { m_form.setText1(QString()); }

private:
    Form2 &m_form;
};

namespace {

// The operation's last words in the status strip; none: the exchange has said why.
void showStatus(Exchange &x, const QString &status)
{
    if (!status.isEmpty())
        x.status(status);
}

} // namespace

void Form2::Command8_Click()
{
    if (!requireOpenList())
        return;
    // The upload rewrites the board's memory: no other exchange may share the line.
    Exchange x(*m_line, tr("envoi de la liste"));
    // What goes to the board is what the editor shows, or the operator chose.
    if (!x.began() || !settleUnsavedEdits())
        return;
    // The tables are reloaded from the list file: what goes to the board is
    // the list as saved.
    board::UploadInputs in;
    in.read = reloadList();
    in.listFile = m_liste.fichier;
    in.tables = m_liste.tables;
    in.delayText = toCp1252(m_ui->tempo_gache->text());
    in.recordCount = std::to_string(m_liste.nombre.value_or(0));
    in.buzzer = m_ui->buzzer->isChecked();
    // The records not valid today stay on the PC: the board gets the list
    // without them, and that list is what it is known to hold afterwards.
    std::string sentList = in.read.readable ? m_liste.lue.value_or(std::string()) : std::string();
    if (in.read.readable) {
        const std::vector<std::string> leftOut = notValidOn(sentList, today(), &in.leftOut);
        if (!leftOut.empty()) {
            sentList = removeRecords(sentList, leftOut);
            in.read = readList(sentList, in.tables);
            in.recordCount = std::to_string(in.read.count);
        }
    }
    const QString port = m_line->chosen().label();
    OperationWindow view(*this);
    const board::UploadOutcome outcome =
        board::upload(x, in, *m_platform.dialogs, *m_platform.clock, view);
    showStatus(x, outcome.status);
    recordUpload(port, outcome.sent, outcome.boardTouched, sentList);
    // An upload refused before the board answered sent nothing: no row.
    if (outcome.boardTouched)
        operations().record(op::kUpload,
                            QStringLiteral("%1 enregistrement(s) ; %2")
                                .arg(QString::fromStdString(in.recordCount))
                                .arg(outcome.sent ? QStringLiteral("mémorisation terminée")
                                                  : QStringLiteral("non terminé")));
}

void Form2::Command3_Click()
{
    std::optional<long long> newest;
    {
        Exchange x(*m_line, tr("téléchargement de l'historique"));
        if (!x.began())
            return;
        newest = downloadInto(x, op::kDownload);
    }
    // Once the line is free: "Mise à l'heure" takes it.
    if (newest)
        proposeClockIfAhead(*newest);
}

void Form2::recuperer_historique_Click()
{
    const QString title = tr("Récupérer tout l'historique");
    if (m_platform.dialogs->message(
            MsgIcon::Question, MsgButtons::YesNo, title,
            tr("La platine va renvoyer tout son historique depuis le début : le programme lui "
               "envoie « raz_offset », puis lance le téléchargement de l'historique (appuyer sur "
               "bp3 quand il le demande).\r\nLe journal des passages ne prend que les passages "
               "qu'il n'a pas encore : rien n'est compté deux fois.\r\nContinuer ?"),
            nullptr, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    std::optional<long long> newest;
    {
        // One exchange for both: nothing else goes out between the reset and the download.
        Exchange x(*m_line, tr("récupération de l'historique"));
        if (!x.began() || !x.connect())
            return;
        if (!board::sendCommand(x, word(protocol::kRazOffset)))
            return; // the status strip says why
        newest = downloadInto(x, op::kRecovery,
                              QString::fromLatin1(protocol::kRazOffset.data(),
                                                  qsizetype(protocol::kRazOffset.size())));
    }
    if (newest)
        proposeClockIfAhead(*newest);
}

std::optional<long long> Form2::downloadInto(Exchange &x, std::string_view operation,
                                            const QString &detail)
{
    board::HistoryInputs in;
    in.historyPath = programFile(QStringLiteral("histo.txt"));
    in.journalPath = programFile(QString::fromUtf8(kJournalFile));
    in.backlogPath = programFile(QString::fromUtf8(kBacklogFile));
    in.names = [this] { return openListNames(); };
    in.board = boardLabel().toStdString();
    OperationWindow view(*this);
    const board::HistoryOutcome outcome =
        board::downloadHistory(x, in, *m_platform.dialogs, *m_platform.clock, view);
    if (outcome.console)
        setText1(*outcome.console);
    if (outcome.added > 0)
        emit journalChanged();
    if (outcome.statusTip.isEmpty())
        showStatus(x, outcome.status);
    else
        m_ui->Label14->setText(outcome.status, outcome.statusTip);
    // What the journal keeps is the program's own words, whatever the language shown.
    QString done = outcome.complete
                       ? QStringLiteral("%1 passage(s) ajouté(s) au journal").arg(outcome.added)
                       : QStringLiteral("non terminé");
    if (!detail.isEmpty())
        done = detail + QStringLiteral(" ; ") + done;
    operations().record(operation, done);
    return outcome.complete ? outcome.newest : std::nullopt;
}

void Form2::addWaitingPassages()
{
    const std::string backlog = programFile(QString::fromUtf8(kBacklogFile));
    if (!files::read(backlog))
        return; // none waiting
    const std::string journal = programFile(QString::fromUtf8(kJournalFile));
    const board::JournalOutcome outcome = board::addToJournal(journal, backlog, {});
    const QString journalShown = QFile::decodeName(QByteArray::fromStdString(journal));
    const QString tip = tr("Journal des passages : %1").arg(journalShown);
    if (outcome.written) {
        if (outcome.added > 0) {
            m_ui->Label14->setText(tr("%1 en attente %2 au journal")
                                       .arg(tr("%n passage(s)", nullptr, int(outcome.added)),
                                            outcome.added > 1 ? tr("ajoutés") : tr("ajouté")),
                                   tip);
            emit journalChanged();
        }
        return;
    }
    m_ui->Label14->setText(
        tr("Des passages attendent dans « %1 » : le journal n'a pas pu les prendre (%2) ; "
           "ils y seront ajoutés au prochain téléchargement")
            .arg(QFile::decodeName(QByteArray::fromStdString(backlog)), outcome.error),
        tip);
}

void Form2::Command17_Click()
{
    Exchange x(*m_line, tr("mise à l'heure"));
    if (!x.began())
        return;
    board::ClockInputs in;
    in.overrides = [this] {
        return board::ClockOverrides{m_ui->heure_pc->text(), m_ui->minute_pc->text(),
                                     m_ui->j_mois->text(), m_ui->jour_pc->text()};
    };
    const board::ClockOutcome outcome =
        board::setClock(x, in, *m_platform.dialogs, *m_platform.clock);
    if (outcome.bytes)
        std::copy(outcome.bytes->begin(), outcome.bytes->end(), m_octets_horaire.begin());
    showStatus(x, outcome.status);
    if (!outcome.bytes)
        return; // nothing went to the board
    const std::string sent(outcome.bytes->begin(), outcome.bytes->end());
    operations().record(op::kClock,
                        QString::fromStdString(hexBytes(sent)) +
                            (outcome.confirmed ? QStringLiteral(" ; confirmé")
                                               : QStringLiteral(" ; non confirmé")));
    if (outcome.confirmed)
        keepClockSetting();
}

void Form2::Command19_Click()
{
    const board::ClockOverrides pc = board::pcClock(m_platform.clock->now());
    m_ui->heure_pc->setText(pc.hour);
    m_ui->minute_pc->setText(pc.minute);
    m_ui->jour_pc->setText(pc.weekday);
    m_ui->j_mois->setText(pc.dayOfMonth);
}

void Form2::lecture_badge_Click()
{
    // A reading clears the receive pane and watches it: it may not run inside
    // another exchange, nor another inside it.
    Exchange x(*m_line, tr("lecture de badge"));
    if (!x.began())
        return;
    OperationWindow view(*this);
    const board::BadgeReadingOutcome outcome = board::readBadge(x, *m_platform.dialogs, view);
    if (!outcome.number) {
        showStatus(x, outcome.status);
        return;
    }
    setText1(QString());
    m_ui->numero_badge->setText(*outcome.number);
    setLabel2(tr("Badge N°:%1").arg(*outcome.number));
    m_ui->numero_badge->repaint();
    appendText1(tr("Numéro de badge lu :%1\r\n").arg(*outcome.number));
}

// The one-word commands go out only on a port already open (these buttons
// never open it) and while no other exchange holds the line.
static bool runCommand(Line &line, std::string_view keyword)
{
    const QString command = word(keyword);
    Exchange x(line, QCoreApplication::translate("platine::Form2", "commande %1").arg(quoted(command)));
    return x.began() && board::sendCommand(x, command);
}

static QString latin1(std::string_view keyword)
{
    return QString::fromLatin1(keyword.data(), qsizetype(keyword.size()));
}

void Form2::Command15_Click()
{
    if (runCommand(*m_line, protocol::kEeprom))
        operations().record(op::kCommand, latin1(protocol::kEeprom));
}

void Form2::Command16_Click()
{
    if (runCommand(*m_line, protocol::kRazOffset))
        operations().record(op::kCommand, latin1(protocol::kRazOffset));
}

void Form2::Command18_Click()
{
    if (runCommand(*m_line, protocol::kVidage))
        operations().record(op::kCommand, latin1(protocol::kVidage));
}

void Form2::Command20_MouseDown(MouseButton button)
{
    // The left button erases the history, the right one everything. The
    // board takes its selector from the two bytes after the command: the
    // middle button, which has none, sends nothing.
    if (button == MouseButton::Middle) {
        m_ui->Label14->setText(tr("Raz eeprom externe : clic gauche = efface l'historique, "
                                  "clic droit = efface tout ; rien n'a été envoyé"));
        return;
    }
    // The line is held from the question on: nothing else goes out meanwhile.
    Exchange x(*m_line, tr("commande %1").arg(quoted(word(protocol::kRazFlash))));
    if (!x.began())
        return;
    const board::EraseScope scope =
        button == MouseButton::Right ? board::EraseScope::Everything : board::EraseScope::History;
    const board::EraseOutcome outcome = board::eraseExternalMemory(x, scope, *m_platform.dialogs);
    showStatus(x, outcome.status);
    if (outcome.sent)
        operations().record(op::kCommand, latin1(protocol::kRazFlash) +
                                              (scope == board::EraseScope::Everything
                                                   ? QStringLiteral(" 01 01")
                                                   : QStringLiteral(" 00 00")));
}

void Form2::Command9_Click()
{
    const board::DumpOutcome outcome =
        board::decodeDump(toCp1252(text2()), programFile(QStringLiteral("temp2.txt")),
                          programFile(QStringLiteral("temp.txt")));
    if (!outcome.written) {
        m_ui->Label14->setText(outcome.status);
        return;
    }
    m_platform.shell->open(QDir(m_platform.programDir).filePath(QStringLiteral("temp.txt")));
}

} // namespace platine
