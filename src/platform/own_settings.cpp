#include "platform/own_settings.h"

#include "core/badges/profile.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"

#include <QCoreApplication>
#include <QFile>

namespace platine {

namespace {

constexpr std::size_t kValueSize = 4096;
// A setting waits for the other copy this long at most: the file is small.
constexpr std::chrono::milliseconds kLockWait{1000};

} // namespace

std::string OwnSettings::value(std::string_view section, std::string_view key,
                               std::string_view def) const
{
    if (m_path.empty())
        return std::string(def);
    return profile::getFromFile(m_path, section, key, def, kValueSize);
}

bool OwnSettings::setValue(std::string_view section, std::string_view key, std::string_view value,
                           QString *error)
{
    if (m_path.empty())
        return true;
    const FileLock lock(QFile::decodeName(QByteArray::fromStdString(m_path)), kLockWait);
    if (!lock.locked()) {
        if (error)
            *error = QCoreApplication::translate("Files", "les réglages sont tenus par %1")
                         .arg(lock.holder());
        return false;
    }
    std::string why;
    if (profile::writeToFile(m_path, section, key, value, &why))
        return true;
    if (error)
        *error = QString::fromStdString(why);
    return false;
}

} // namespace platine
