#include "app/form2.h"
#include "platform/qt_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    platine::QtPlatform services(QCoreApplication::applicationDirPath());
    platine::Form2 window(services.platform());
    services.dialogs.owner = &window;
    window.Form_Load();
    window.show();
    return app.exec();
}
