// The serial line: opening and closing the port, the connection indicator,
// and the receive path that appends everything the board sends to the
// receive pane.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/pane.h"
#include "platform/text.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace platine {

// The receive step runs this long after the first character of a burst, so
// that a burst is appended in one piece.
inline constexpr Millis kReceiveDelay{100};

static QString openFailureText(OpenResult r, const QString &detail)
{
    switch (r) {
    case OpenResult::Absent:
        return QStringLiteral("port absent (%1)").arg(detail);
    case OpenResult::InUse:
        return QStringLiteral("déjà utilisé par un autre programme");
    case OpenResult::Denied:
        return QStringLiteral("accès refusé (%1)").arg(detail);
    default:
        return detail.isEmpty() ? QStringLiteral("ouverture impossible") : detail;
    }
}

bool Form2::ouvrir_port()
{
    SerialPort &port = *m_platform.serial;
    if (port.isOpen())
        return true;
    const OpenResult r = port.open(m_commPort);
    if (r == OpenResult::Opened) {
        m_openPort = m_commPort;
        if (!m_commPort.device.isEmpty())
            port_choisi_present(); // plugged in since it was marked absent
        return true;
    }
    const QString detail = r == OpenResult::Absent ? port.deviceName(m_commPort) : port.errorText();
    QString text = QStringLiteral("Port %1 indisponible : %2")
                       .arg(m_commPort.label(), openFailureText(r, detail));
    // The cure: joining the device's group, where that group may read and
    // write it and is not the administrators'; otherwise only an
    // administrator can open the device to the operator.
    if (r == OpenResult::Denied) {
        const DeviceAccess access = port.deviceAccess(m_commPort);
        if (!access.group.isEmpty() && !access.groupIsRoot && access.group != u"root" &&
            access.groupReadWrite)
            text += QStringLiteral(" ; ajoutez votre compte au groupe « %1 » (sudo usermod -aG %1 "
                                   "$USER) puis ouvrez une nouvelle session")
                        .arg(access.group);
        else
            text += QStringLiteral(" ; un administrateur doit vous donner accès à %1")
                        .arg(port.deviceName(m_commPort));
    }
    m_ui->Label14->setText(text);
    return false;
}

const PortId &Form2::portEnService() const
{
    // The port chosen in the list applies at the next opening: until then a
    // message about the line names the port the program opened.
    return m_openPort.isNone() ? m_commPort : m_openPort;
}

bool Form2::envoyer(const QByteArray &bytes)
{
    SerialPort &port = *m_platform.serial;
    if (!port.isOpen()) {
        m_ui->Label14->setText(
            QStringLiteral("Port %1 fermé : rien n'a été envoyé").arg(portEnService().label()));
        return false;
    }
    if (!port.write(bytes)) {
        m_ui->Label14->setText(QStringLiteral("Port %1 : envoi impossible (%2)")
                                   .arg(portEnService().label(), port.errorText()));
        return false;
    }
    return true;
}

void Form2::setIndicatorConnected(bool connected)
{
    m_indicatorConnected = connected;
    QPalette p = m_ui->Command10->palette();
    p.setColor(QPalette::Button,
               connected ? QColor(192, 255, 192) : QApplication::palette().color(QPalette::Button));
    m_ui->Command10->setPalette(p);
}

void Form2::Command10_MouseDown(MouseButton button)
{
    SerialPort &port = *m_platform.serial;
    if (button == MouseButton::Left) {
        if (!port.isOpen() && !ouvrir_port())
            return; // the indicator is not changed; Label14 says why
        setIndicatorConnected(true);
    } else {
        fermer_port();
        setIndicatorConnected(false);
    }
}

void Form2::MSComm1_OnComm()
{
    if (!m_timer2->isActive())
        m_timer2->start(kReceiveDelay);
}

void Form2::recevoir()
{
    const QByteArray bytes = m_platform.serial->readAll();
    if (!bytes.isEmpty())
        m_ui->Text2->append(fromCp1252(bytes));
}

void Form2::fermer_port()
{
    if (!m_platform.serial->isOpen())
        return;
    m_platform.serial->close();
    ++m_portEpoch; // every running wait ends now
}

void Form2::Timer2_Timer()
{
    m_timer2->stop();
    // A port closed by the operator since the burst is not opened again behind
    // the operator's back; what it received is gone with it.
    if (m_platform.serial->isOpen())
        recevoir();
}

void Form2::onPortLost(const QString &why)
{
    // What the board sent before the line went away still reaches the pane.
    // Every close goes through fermer_port, so a port already closed has
    // already ended the waits.
    if (m_platform.serial->isOpen()) {
        recevoir();
        fermer_port();
    }
    m_timer2->stop();
    setIndicatorConnected(false);
    m_ui->Label14->setText(QStringLiteral("Port %1 perdu : %2").arg(portEnService().label(), why));
}

} // namespace platine
