// The progress step shown while bytes go to the board, and the about prompt.

#include "app/form2.h"
#include "app/form2_ui.h"

#include <QDir>
#include <QLabel>

namespace platine {

// A neutral address of the project; the about prompt names no person.
inline constexpr const char *kProjectAddress = "https://example.org/platine/";

void Form2::anime(std::int16_t total)
{
    m_line->step(total);
}

void Form2::showStep(int count, int total)
{
    m_ui->defile->setText(QStringLiteral("%1/%2").arg(count).arg(total));
    const QString spinner = m_ui->Label4->text();
    if (spinner == QLatin1String("/"))
        m_ui->Label4->setText(QStringLiteral("--"));
    else if (spinner == QLatin1String("--"))
        m_ui->Label4->setText(QStringLiteral("\\"));
    else if (spinner == QLatin1String("\\"))
        m_ui->Label4->setText(QStringLiteral("/"));
}

// Where this copy keeps its settings and its files, for the about prompt.
QString Form2::foldersInUse() const
{
    const QString settings = QDir::toNativeSeparators(settingsDir());
    const QString files = QDir::toNativeSeparators(m_platform.programDir);
    if (settings == files)
        return QStringLiteral("Réglages et historique dans : %1").arg(settings);
    return QStringLiteral("Réglages dans : %1\r\nHistorique et fichiers dans : %2")
        .arg(settings, files);
}

void Form2::Label7_Click()
{
    const QString address = QString::fromLatin1(kProjectAddress);
    const MsgAnswer answer = m_platform.dialogs->message(
        MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("Contrôle d'accès horodaté à badge"),
        QStringLiteral("Site auteur : %1 \r\n%2\r\nVoulez vous visiter le site de l'auteur ?")
            .arg(address, foldersInUse()));
    if (answer == MsgAnswer::Yes)
        m_platform.shell->open(address);
}

void Form2::Label16_Click()
{
    Label7_Click();
}

} // namespace platine
