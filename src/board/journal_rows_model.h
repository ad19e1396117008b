#pragma once
// A table over the rows of a journal read once (the passages, the
// operations): the rows shown are indexes into it, those that pass the
// window's filters, in the order of the column last clicked. What a cell
// shows and how a column sorts are the journal's own (the models derived).

#include <QAbstractTableModel>

#include <vector>

namespace platine {

class JournalRowsModel : public QAbstractTableModel {
public:
    // The rows shown (indexes into the journal), put in the sorting last
    // asked for; set again whenever the journal changes.
    void setShown(std::vector<int> shown);
    const std::vector<int> &shown() const { return m_shown; }

    int rowCount(const QModelIndex &parent = {}) const override;
    // A column the table has: the rows shown put in its order (a reset: no
    // selection stays on a row that moved).
    void sort(int column, Qt::SortOrder o) override;

protected:
    // Sorted by `column` (-1: the journal's order), newest first.
    explicit JournalRowsModel(int column, QObject *parent)
        : QAbstractTableModel(parent), m_column(column)
    {
    }

    // Puts `shown` in the order of `column` (-1 as above) and `o`.
    virtual void order(std::vector<int> &shown, int column, Qt::SortOrder o) const = 0;

private:
    std::vector<int> m_shown;
    int m_column;
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

} // namespace platine
