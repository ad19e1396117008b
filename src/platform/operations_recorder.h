#pragma once
// Writes the journal of operations (core/board/operations_journal.h): each
// handler that changes a list or speaks to a board hands its rows here, once,
// and the recorder stamps them (date, time, the account's user name, the
// board, the list) and adds them to the file atomically under its lock, as
// the journal of passages is written.

#include "core/board/operations_journal.h"
#include "platform/platform.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

class OperationsRecorder {
public:
    // What the rows are about when they are written: the board's name and
    // the open list's file.
    struct Context {
        QString board;
        QString list;
    };
    // `path`: the journal's file, as the file functions take it.
    OperationsRecorder(std::string path, Clock &clock, std::function<Context()> context);

    // Told why a row could not be written (French); the row is then lost,
    // the operation itself is done.
    std::function<void(const QString &)> onFailure;
    // Told once rows were added.
    std::function<void()> onWritten;

    // A row dated now, about the board and list of the context.
    OperationRow stamp() const;
    // One row: `operation` (op::) and what else to say.
    bool record(std::string_view operation, const QString &detail = QString());
    // The rows telling how the list went from `before` to `after` (list
    // files' bytes); nothing is written when they hold the same records.
    bool recordListChange(std::string_view before, std::string_view after,
                          std::string_view changedOp = op::kChanged);
    bool write(const std::vector<OperationRow> &rows);

    const std::string &path() const { return m_path; }
    // The account's user name.
    static QString userName();

private:
    std::string m_path;
    Clock &m_clock;
    std::function<Context()> m_context;
};

} // namespace platine
