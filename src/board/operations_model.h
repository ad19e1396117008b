#pragma once
// The tab "Opérations" of "Journal des passages": the rows of the journal of
// operations that pass the filters, newest first; a click on a header sorts
// them by that column's text (by date or time: the journal's own order).

#include "core/board/operations_journal.h"

#include <QAbstractTableModel>

#include <vector>

namespace platine {

class OperationsModel : public QAbstractTableModel {
public:
    // `rows` is the journal read; it must outlive the model, and the rows
    // shown be set again (setShown) whenever it changes.
    explicit OperationsModel(const std::vector<OperationRow> &rows, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_data(rows)
    {
    }

    // The rows shown (indexes into the journal), in the sorting last asked for.
    void setShown(std::vector<int> shown);
    const std::vector<int> &shown() const { return m_shown; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void sort(int column, Qt::SortOrder o) override;

private:
    void order();

    const std::vector<OperationRow> &m_data;
    std::vector<int> m_shown;
    int m_column = -1; // -1: the journal's order, newest first
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

} // namespace platine
