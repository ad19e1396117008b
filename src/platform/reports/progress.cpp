#include "platform/reports/progress.h"

#include <QCoreApplication>
#include <QWidget>

namespace platine {

ProgressBox::ProgressBox(QWidget *parent, const QString &what)
    : m_dialog(what, QCoreApplication::translate("Reports", "Annuler"), 0, 1000, parent)
{
    m_dialog.setObjectName(QStringLiteral("progression"));
    if (parent)
        m_dialog.setWindowTitle(parent->windowTitle());
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.setValue(0);
    m_pumped.start();
}

bool ProgressBox::step(std::size_t done, std::size_t total)
{
    if (m_pumped.elapsed() >= 40) {
        m_dialog.setValue(total ? int(done * 1000 / total) : 0);
        QCoreApplication::processEvents();
        m_pumped.restart();
    }
    return !m_dialog.wasCanceled();
}

} // namespace platine
