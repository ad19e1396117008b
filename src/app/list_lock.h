#pragma once
// Why a list file's lock could not be had, in the words the operator reads
// after "Impossible d'écrire la liste": another copy of the program is writing
// it (try again in a moment), or its folder takes no lock at all.

#include "platform/file_lock.h"

#include <string>

namespace platine {

inline std::string listLockRefusal(const FileLock &lock)
{
    const QString holder = lock.holder();
    return holder.startsWith(QLatin1String("le verrou"))
               ? "la liste n'est pas écrite : " + holder.toStdString() + "."
               : "la liste est en cours d'écriture par " + holder.toStdString() +
                     " ; réessayez dans un instant.";
}

} // namespace platine
