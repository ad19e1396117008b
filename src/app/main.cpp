#include "app/form2.h"
#include "platform/folders.h"
#include "platform/qt_platform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The window speaks French whatever the system's language: so do Qt's
    // own buttons and dialogs ("Oui", "Annuler", "Ouvrir").
    QTranslator qtFrench;
    if (qtFrench.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);
    platine::QtPlatform services(platine::programFolders(QCoreApplication::applicationDirPath()));
    platine::Form2 window(services.platform());
    services.dialogs.owner = &window;
    window.Form_Load();
    window.placeOnScreen();
    window.show();
    return app.exec();
}
