#pragma once
// The tab "Opérations" of "Journal des passages": the rows of the journal of
// operations that pass the filters, newest first; a click on a header sorts
// them by that column's text as shown (by date or time: the journal's own
// order).

#include "core/board/operations_journal.h"

#include "board/journal_rows_model.h"

#include <vector>

namespace platine {

// An operation's word as the window shows it: stored French ("envoi"), shown
// in the window's language; what the search finds and the column sorts by.
QString shownOperation(const std::string &word);

class OperationsModel : public JournalRowsModel {
public:
    // `rows` is the journal read; it must outlive the model, and the rows
    // shown be set again (setShown) whenever it changes.
    explicit OperationsModel(const std::vector<OperationRow> &rows, QObject *parent = nullptr)
        : JournalRowsModel(-1, parent), m_data(rows)
    {
    }

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    void order(std::vector<int> &shown, int column, Qt::SortOrder o) const override;

    const std::vector<OperationRow> &m_data;
};

} // namespace platine
