// The progress step shown while bytes go to the board, and the about prompt.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "platform/own_settings.h"
#include "platform/text.h"

#include <QAction>
#include <QMenuBar>

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
        return tr("Réglages et historique dans : %1").arg(settings);
    return tr("Réglages dans : %1\r\nHistorique et fichiers dans : %2").arg(settings, files);
}

void Form2::Label7_Click()
{
    const QString address = QString::fromLatin1(kProjectAddress);
    const MsgAnswer answer = m_platform.dialogs->message(
        MsgIcon::Question, MsgButtons::YesNo, tr("Contrôle d'accès horodaté à badge"),
        tr("Site auteur : %1 \r\n%2\r\nVoulez vous visiter le site de l'auteur ?")
            .arg(address, foldersInUse()));
    if (answer == MsgAnswer::Yes)
        m_platform.shell->open(address);
}

void Form2::Label16_Click()
{
    Label7_Click();
}

void Form2::showLanguageChoice()
{
    const Language chosen = chosenLanguage(OwnSettings(nativePath(ownSettingsPath())));
    for (const auto &[item, language] : {std::pair{"langue_francais", Language::French},
                                         std::pair{"langue_anglais", Language::English}})
        if (auto *a = m_ui->MenuBar->findChild<QAction *>(QLatin1String(item)))
            a->setChecked(chosen == language);
}

void Form2::langue_Click(Language language)
{
    OwnSettings settings(nativePath(ownSettingsPath()));
    QString why;
    if (!keepLanguage(settings, language, &why)) {
        showLanguageChoice();
        m_platform.dialogs->message(
            MsgIcon::Warning, MsgButtons::Ok, tr("Langue"),
            tr("Le choix de la langue n'a pas pu être gardé : %1").arg(why));
        return;
    }
    showLanguageChoice();
    if (language == installedLanguage())
        return;
    // The window is built in one language: the other one is shown from the
    // next start, and the operator is told so in the language he chose.
    static const char *const kNotice[] = {
        QT_TR_NOOP("La fenêtre sera en français au prochain démarrage du programme."),
        QT_TR_NOOP("La fenêtre sera en anglais au prochain démarrage du programme."),
    };
    m_platform.dialogs->message(
        MsgIcon::Information, MsgButtons::Ok,
        translatedInto(language, "platine::Form2", QT_TR_NOOP("Langue")),
        translatedInto(language, "platine::Form2", kNotice[language == Language::English]));
}

} // namespace platine
