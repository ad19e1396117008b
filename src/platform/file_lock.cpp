#include "platform/file_lock.h"

#include <QCoreApplication>

namespace platine {

QString FileLock::lockPathFor(const QString &path)
{
    return path + QStringLiteral(".lock");
}

FileLock::FileLock(const QString &path, std::chrono::milliseconds wait)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(path)))
{
    // A lock whose process is gone is removed by QLockFile itself; one held
    // longer than this by a live process is still honoured.
    m_lock->setStaleLockTime(0);
    m_locked = m_lock->tryLock(static_cast<int>(wait.count()));
    if (m_locked)
        return;
    qint64 pid = 0;
    QString host, app;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        m_heldByOther = true;
        if (m_lock->getLockInfo(&pid, &host, &app))
            m_holder =
                QCoreApplication::translate("Files", "le processus %1 sur %2").arg(pid).arg(host);
        else
            m_holder = QCoreApplication::translate("Files", "une autre copie du programme");
        break;
    case QLockFile::PermissionError:
        m_holder = QCoreApplication::translate(
                       "Files", "le verrou %1 ne peut pas être créé (droits insuffisants)")
                       .arg(lockPathFor(path));
        break;
    default:
        m_holder = QCoreApplication::translate("Files", "le verrou %1 ne peut pas être créé")
                       .arg(lockPathFor(path));
        break;
    }
}

FileLock::~FileLock()
{
    if (m_locked)
        m_lock->unlock();
}

} // namespace platine
