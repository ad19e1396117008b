// "Lecture badge": the number of a badge held in front of the board's
// antenna. The board reports it unasked as "tag", two characters, then the
// ten characters of the number; the report must stand at the start of the
// receive pane.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "board/board_support.h"
#include "board/protocol.h"
#include "serial/exchange.h"

#include <QLabel>
#include <QLineEdit>

namespace platine {

using namespace board;

// The badge number stands after "tag" and two characters the program skips.
inline constexpr int kBadgeNumberAt = 5;
inline constexpr int kBadgeNumberLength = 10;

void Form2::lecture_badge_Click()
{
    // A reading clears the receive pane and watches it: it may not run inside
    // another exchange, nor another inside it. The indicator is left as it is.
    Exchange x(*m_line, QStringLiteral("lecture de badge"));
    if (!x.began() || !x.connect(Exchange::Indicator::Leave))
        return;
    x.setDtr(false);
    m_platform.dialogs->message(
        MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Enregistrement d'un badge"),
        QStringLiteral("Cliquer sur 'OK' puis Présenter votre badge\r\ndevant l'antenne SVP"));
    m_ui->Label9->setText(QStringLiteral("Présenter votre badge devant l'antenne"));
    x.clearReceived();

    // No limit: the operator may take a while to find the badge; a right
    // press on "Connexion" ends the wait.
    if (!x.waitStart(protocol::kTag, std::nullopt)) {
        x.status(QStringLiteral("Lecture de badge interrompue : ") + x.why());
        return;
    }

    setText1(QString());
    const QString number = x.received().mid(kBadgeNumberAt, kBadgeNumberLength);
    m_ui->numero_badge->setText(number);
    setLabel2(QStringLiteral("Badge N°:") + number);
    x.clearReceived();
    m_ui->numero_badge->repaint();
    appendText1(QStringLiteral("Numéro de badge lu :") + number + QStringLiteral("\r\n"));
}

} // namespace platine
