// The maintenance buttons: one-word commands to the board, whose replies
// (memory dumps) collect in the receive pane. "Raz eeprom externe" erases the
// board's external memory: the history alone with the left button,
// everything with the right one, after the operator has confirmed.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "board/board_support.h"
#include "board/protocol.h"
#include "serial/exchange.h"

#include <QLabel>

namespace platine {

using namespace board;

namespace {

// The command (and its selector, the two bytes in one write) on the line.
bool send(Exchange &x, const QString &command, const QByteArray &selector = {})
{
    return x.send(command.toLatin1(), quoted(command)) &&
           (selector.isEmpty() || x.send(selector, quoted(command)));
}

// The command goes out only on a port already open (these buttons never
// open it) and while no other exchange holds the line.
void sendCommand(Form2 &form, const QString &command)
{
    Exchange x(form.line(), QStringLiteral("commande %1").arg(quoted(command)));
    if (x.began() && x.requireOpen(command))
        send(x, command);
}

} // namespace

void Form2::Command15_Click()
{
    sendCommand(*this, word(protocol::kEeprom));
}

void Form2::Command16_Click()
{
    sendCommand(*this, word(protocol::kRazOffset));
}

void Form2::Command18_Click()
{
    sendCommand(*this, word(protocol::kVidage));
}

void Form2::Command20_MouseDown(MouseButton button)
{
    const QString command = word(protocol::kRazFlash);
    // The board takes the two bytes after "raz_flash" as what to erase. A
    // command without them would leave the board to take its selector from
    // whatever comes next on the line: the middle button sends nothing.
    if (button == MouseButton::Middle) {
        m_ui->Label14->setText(
            QStringLiteral("Raz eeprom externe : clic gauche = efface l'historique, "
                           "clic droit = efface tout ; rien n'a été envoyé"));
        return;
    }
    // The line is held from the question on: nothing else goes out meanwhile.
    Exchange x(*m_line, QStringLiteral("commande %1").arg(quoted(command)));
    if (!x.began() || !x.requireOpen(command))
        return; // asked before the confirmation: nothing could be sent anyway
    const bool everything = button == MouseButton::Right;
    const QString question =
        everything
            ? QStringLiteral("Effacer TOUTE la mémoire externe de la platine ?\r\n"
                             "La liste des badges et l'historique des passages seront perdus.")
            : QStringLiteral("Effacer l'historique des passages de la platine ?\r\n"
                             "Les passages non téléchargés seront perdus.");
    const MsgAnswer answer = m_platform.dialogs->message(
        MsgIcon::Warning, MsgButtons::YesNo, QStringLiteral("Raz eeprom externe"), question);
    if (answer != MsgAnswer::Yes) {
        x.status(QStringLiteral("Raz eeprom externe annulé : rien n'a été envoyé"));
        return;
    }
    const char selector = everything ? '\x01' : '\x00';
    send(x, command, QByteArray(2, selector));
}

} // namespace platine
