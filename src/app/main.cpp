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
#ifdef PLATINE_INSTALLED_BINDIR
    const QString installedBinDir = QStringLiteral(PLATINE_INSTALLED_BINDIR);
#else
    const QString installedBinDir;
#endif
    platine::QtPlatform services(
        platine::chooseFolders(QCoreApplication::applicationDirPath(), installedBinDir));
    platine::Form2 window(services.platform());
    services.dialogs.owner = &window;
    window.Form_Load();
    window.show();
    return app.exec();
}
