#include "platform/folders.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace platine {

bool folderWritable(const QString &dir)
{
    // Asking the file system for the rights says nothing of a read-only
    // mount or of the rights an administrator has: a file is made.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".platine-XXXXXX")));
    return probe.open();
}

Folders chooseFolders(const QString &programDir, const QString &installedBinDir)
{
    Folders f;
    f.program = QDir::cleanPath(programDir);
    const bool installed = !installedBinDir.isEmpty() &&
                           QDir(f.program).canonicalPath() == QDir(installedBinDir).canonicalPath();
    if (!installed && folderWritable(f.program)) {
        f.settings = f.files = f.program;
        return f;
    }
    // The folders are named after the application.
    const QString app = QString::fromLatin1(kApplicationName);
    f.settings =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(app);
    f.files =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(app);
    // Made by the first start that uses them; a folder that cannot be made
    // shows when a file is written there, as a folder gone would.
    QDir().mkpath(f.settings);
    QDir().mkpath(f.files);
    return f;
}

QString installedBinDir()
{
    return QStringLiteral(PLATINE_INSTALLED_BINDIR);
}

Folders programFolders(const QString &programDir)
{
    return chooseFolders(programDir, installedBinDir());
}

} // namespace platine
