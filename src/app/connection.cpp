// "Connexion" and the serial control's events: the window's side of the
// serial line (serial/line.h), which owns the port and the receive path.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace platine {

void Form2::showIndicator(bool lit)
{
    QPalette p = m_ui->Command10->palette();
    p.setColor(QPalette::Button,
               lit ? QColor(QRgb(kConnectedRgb)) : QApplication::palette().color(QPalette::Button));
    m_ui->Command10->setPalette(p);
}

void Form2::Command10_MouseDown(MouseButton button)
{
    if (button == MouseButton::Left) {
        if (!m_line->isOpen()) {
            const QString failure = m_line->open();
            if (!failure.isEmpty()) {
                m_ui->Label14->setText(failure); // the indicator is not changed
                return;
            }
        }
        m_line->setLit(true);
    } else {
        m_line->close();
        m_line->setLit(false);
    }
}

void Form2::MSComm1_OnComm()
{
    m_line->dataArrived();
}

void Form2::Timer2_Timer()
{
    m_line->receiveStep();
}

} // namespace platine
