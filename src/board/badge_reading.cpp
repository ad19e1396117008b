// "Lecture badge": the number of a badge held in front of the board's
// antenna. The board reports it unasked as "tag", two characters, then the
// ten characters of the number; the report must stand at the start of the
// receive pane.

#include "board/operations.h"
#include "serial/exchange.h"
#include "serial/words.h"

#include <QCoreApplication>

namespace platine::board {

// The badge number stands after "tag" and two characters the program skips.
inline constexpr int kBadgeNumberAt = 5;
inline constexpr int kBadgeNumberLength = 10;

BadgeReadingOutcome readBadge(Exchange &x, Dialogs &dialogs, OperationView &view)
{
    // The indicator is left as it is.
    if (!x.connect(Exchange::Indicator::Leave))
        return {};
    x.setDtr(false);
    dialogs.message(
        MsgIcon::Information, MsgButtons::Ok,
        QCoreApplication::translate("Board", "Enregistrement d'un badge"),
        QCoreApplication::translate(
            "Board", "Cliquer sur 'OK' puis Présenter votre badge\r\ndevant l'antenne SVP"));
    view.showPrompt(QCoreApplication::translate("Board", "Présenter votre badge devant l'antenne"));
    x.clearReceived();

    // No limit: the operator may take a while to find the badge; a right
    // press on "Connexion" ends the wait.
    if (!x.waitStart(protocol::kTag, std::nullopt))
        return {
            std::nullopt,
            QCoreApplication::translate("Board", "Lecture de badge interrompue : %1").arg(x.why())};

    const QString number = x.received().mid(kBadgeNumberAt, kBadgeNumberLength);
    x.clearReceived();
    return {number, {}};
}

} // namespace platine::board
