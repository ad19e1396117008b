// Start-up, the settings file "param.ini", the port choice, the strike-delay
// limit and the quit button.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/settings.h"
#include "badges/profile.h"
#include "badges/tables.h"
#include "board/protocol.h"
#include "platform/text.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>

namespace platine {

QString Form2::settingsPath() const
{
    return QDir(m_platform.programDir).filePath(QStringLiteral("param.ini"));
}

void Form2::Form_Load()
{
    const std::string path = nativePath(settingsPath());
    m_ui->Frame2->resize((8475 + 7) / 15, m_ui->Frame2->height()); // 8475 twips

    for (int i = 1; i <= 10; ++i)
        m_ui->Combo1->addItem(QStringLiteral("COM%1").arg(i));
    m_ui->Combo1->setCurrentIndex(0);
    Combo1_Click(); // the selection sets the port number, also when it did not change

    for (const char *day : kDayChoices)
        m_ui->Combo2->addItem(QString::fromUtf8(day));
    m_ui->Combo2->setCurrentIndex(kNewRecordDayCode);

    // One read of the file: a file full of garbage gives the defaults of missing values.
    const std::string content = readSettings(path);
    const QString port = fromCp1252(profile::get(content, "COM", "valeur", "", kSettingsValueSize));
    const QString delay =
        fromCp1252(profile::get(content, "temporisation", "valeur", "", kSettingsValueSize));
    m_ui->tempo_gache->setText(delay);

    // The stored port is looked for item by item; a name not in the list
    // leaves the last item selected.
    for (int i = 0; i < m_ui->Combo1->count(); ++i) {
        m_ui->Combo1->setCurrentIndex(i);
        if (m_ui->Combo1->itemText(i) == port)
            break;
    }
}

void Form2::Combo1_Click()
{
    const int index = m_ui->Combo1->currentIndex();
    if (index >= 0)
        m_commPort = index + 1; // applied at the next opening of the port
}

void Form2::tempo_gache_Change()
{
    const QString text = m_ui->tempo_gache->text();
    if (strikeDelayAboveLimit(toCp1252(text)))
        m_ui->tempo_gache->setText(QString::number(protocol::kMaxStrikeDelay));
}

void Form2::Command6_Click()
{
    // The program ends at once, also from inside a waiting operation: the
    // port closes under it and every wait ends.
    m_ending = true;
    fermer_port();
    const std::string path = nativePath(settingsPath());
    // Both keys go into the file in one replacement.
    std::string content = readSettings(path);
    content = profile::set(content, "COM", "valeur", toCp1252(m_ui->Combo1->currentText()));
    content = profile::set(content, "temporisation", "valeur", toCp1252(m_ui->tempo_gache->text()));
    std::string error;
    if (!writeSettings(path, content, &error))
        m_platform.dialogs->message(
            MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Quitter"),
            QStringLiteral("Les réglages (port et temporisation) n'ont pas pu être enregistrés :"
                           "\r\n%1")
                .arg(QString::fromUtf8(error.c_str())));
    m_endProgram();
}

} // namespace platine
