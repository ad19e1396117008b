#include "platform/operations_recorder.h"

#include "core/platform/files.h"
#include "platform/file_lock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <filesystem>
#include <optional>

namespace platine {

OperationsRecorder::OperationsRecorder(std::string path, Clock &clock,
                                       std::function<Context()> context)
    : m_path(std::move(path)), m_clock(clock), m_context(std::move(context))
{
}

QString OperationsRecorder::userName()
{
    for (const char *name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(name);
        if (!user.isEmpty())
            return user;
    }
    return QString();
}

OperationRow OperationsRecorder::stamp() const
{
    OperationRow row;
    const QDateTime now = m_clock.now();
    // Dates in digits whatever the desktop's language.
    row.date = now.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    row.time = now.toString(QStringLiteral("HH:mm:ss")).toStdString();
    row.user = userName().toStdString();
    if (m_context) {
        const Context c = m_context();
        row.board = c.board.toStdString();
        row.list = c.list.toStdString();
    }
    return row;
}

bool OperationsRecorder::record(std::string_view operation, const QString &detail)
{
    OperationRow row = stamp();
    row.operation = std::string(operation);
    row.detail = detail.toStdString();
    return write({row});
}

bool OperationsRecorder::recordListChange(std::string_view before, std::string_view after,
                                          std::string_view changedOp)
{
    const std::vector<OperationRow> rows = recordChanges(before, after, stamp(), changedOp);
    return rows.empty() || write(rows);
}

bool OperationsRecorder::write(const std::vector<OperationRow> &rows)
{
    const auto fail = [this](const QString &why) {
        if (onFailure)
            onFailure(QCoreApplication::translate(
                          "OperationsRecorder",
                          "Le journal des opérations « %1 » n'a pas pu être écrit : %2")
                          .arg(QFile::decodeName(QByteArray::fromStdString(m_path)), why));
        return false;
    };
    // Two copies of the program on one folder take turns on the file.
    const FileLock lock(QFile::decodeName(QByteArray::fromStdString(m_path)));
    if (!lock.locked())
        return fail(QCoreApplication::translate("OperationsRecorder", "il est tenu par %1")
                        .arg(lock.holder()));
    std::string error;
    std::optional<std::string> journal = std::string();
    std::error_code ec;
    if (std::filesystem::exists(m_path, ec))
        journal = files::read(m_path, &error);
    // A journal that cannot be read is never replaced: its rows would be lost.
    if (!journal || !files::writeAtomic(m_path, appendOperations(*journal, rows), &error))
        return fail(QString::fromStdString(error));
    if (onWritten)
        onWritten();
    return true;
}

} // namespace platine
