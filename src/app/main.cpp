#include "app/form2.h"
#include "platform/folders.h"
#include "platform/fonts_warm_up.h"
#include "platform/language.h"
#include "platform/own_settings.h"
#include "platform/qt_platform.h"
#include "platform/text.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    platine::FontsWarmUp fonts; // read while the application connects to the display
    QApplication app(argc, argv);
    fonts.wait();
    QApplication::setStyle(QStringLiteral("Fusion"));
    platine::QtPlatform services(platine::programFolders(QCoreApplication::applicationDirPath()));
    // The window speaks the operator's language, chosen in "Aide" > "Langue"
    // or else the desktop's (English, or French otherwise); so do Qt's own
    // buttons and dialogs ("Oui", "Annuler", "Ouvrir"). Chosen before the
    // window is built: its captions are set once.
    platine::LanguageInstaller language;
    language.install(platine::chosenLanguage(platine::OwnSettings(
        platine::nativePath(platine::Form2::ownSettingsPathOf(services.platform())))));
    platine::Form2 window(services.platform());
    services.dialogs.owner = &window;
    window.Form_Load();
    window.placeOnScreen();
    window.show();
    return app.exec();
}
