// The maintenance buttons: one-word commands to the board, whose replies
// (memory dumps) collect in the receive pane. "Raz eeprom externe" erases the
// board's external memory: the history alone with the left button,
// everything with the right one, after the operator has confirmed.

#include "board/operations.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QCoreApplication>

namespace platine::board {

namespace {

// The command (and its selector, the two bytes in one write) on the line.
bool send(Exchange &x, const QString &command, const QByteArray &selector = {})
{
    return x.send(command.toLatin1(), quoted(command)) &&
           (selector.isEmpty() || x.send(selector, quoted(command)));
}

} // namespace

bool sendCommand(Exchange &x, const QString &command)
{
    // These commands never open the port.
    return x.requireOpen(command) && send(x, command);
}

EraseOutcome eraseExternalMemory(Exchange &x, EraseScope scope, Dialogs &dialogs)
{
    const QString command = word(protocol::kRazFlash);
    if (!x.requireOpen(command))
        return {}; // asked before the confirmation: nothing could be sent anyway
    const bool everything = scope == EraseScope::Everything;
    const QString question =
        everything
            ? QCoreApplication::translate(
                  "Board", "Effacer TOUTE la mémoire externe de la platine ?\r\n"
                           "La liste des badges et l'historique des passages seront perdus.")
            : QCoreApplication::translate("Board",
                                          "Effacer l'historique des passages de la platine ?\r\n"
                                          "Les passages non téléchargés seront perdus.");
    const MsgAnswer answer =
        dialogs.message(MsgIcon::Warning, MsgButtons::YesNo,
                        QCoreApplication::translate("Board", "Raz eeprom externe"), question,
                        nullptr, MsgAnswer::No);
    if (answer != MsgAnswer::Yes)
        return {false, QCoreApplication::translate(
                           "Board", "Raz eeprom externe annulé : rien n'a été envoyé")};
    // The board takes the two bytes after "raz_flash" as what to erase.
    const char selector = everything ? '\x01' : '\x00';
    return {send(x, command, QByteArray(2, selector)), {}};
}

} // namespace platine::board
