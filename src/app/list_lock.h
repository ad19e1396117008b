#pragma once
// Why a list file's lock could not be had, in the words the operator reads
// after "Impossible d'écrire la liste": another copy of the program is writing
// it (try again in a moment), or its folder takes no lock at all.

#include "platform/file_lock.h"

#include <QCoreApplication>

#include <string>

namespace platine {

inline std::string listLockRefusal(const FileLock &lock)
{
    const QString holder = lock.holder();
    return (lock.heldByOther()
                ? QCoreApplication::translate("ListLock", "la liste est en cours d'écriture par %1 "
                                                          "; réessayez dans un instant.")
                      .arg(holder)
                : QCoreApplication::translate("ListLock", "la liste n'est pas écrite : %1.")
                      .arg(holder))
        .toStdString();
}

} // namespace platine
