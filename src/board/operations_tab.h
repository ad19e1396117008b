#pragma once
// The tab "Opérations" of "Journal des passages": the journal of operations
// (who changed what, and when) under the window's search and range of days;
// the window's export, PDF and print write it when it is shown. It reads
// the file when it is first shown and again when the journal grows.

#include "core/board/journal_view.h"
#include "core/board/operations_journal.h"
#include "core/platform/sheet.h"

#include <QWidget>

#include <string>
#include <vector>

class QTableView;

namespace platine {

class OperationsModel;

class OperationsTab : public QWidget {
    Q_OBJECT
public:
    // `path`: the journal of operations' file, as the file functions take it.
    explicit OperationsTab(std::string path, QWidget *parent = nullptr);
    ~OperationsTab() override;

    // The file is read again at the next load().
    void markStale() { m_stale = true; }
    // Reads the file when it changed since (none yet: no rows).
    void load();
    // Shows the rows that pass `filter` (its place is not theirs).
    void refilter(const JournalFilter &filter);

    const std::vector<OperationRow> &rows() const { return m_rows; }
    const std::vector<int> &shown() const;
    // "12 opération(s) sur 40"
    QString countText() const;
    // The rows shown, in the order shown, as a report's sheet.
    Sheet sheet() const;
    // Why the file could not be read (French), empty when it was.
    const QString &error() const { return m_error; }

private:
    std::string m_path;
    bool m_stale = true;
    std::vector<OperationRow> m_rows;
    std::vector<std::string> m_keys;
    QString m_error;
    OperationsModel *m_model = nullptr;
    QTableView *m_view = nullptr;
};

} // namespace platine
