#pragma once
// The tab "Passages" of "Journal des passages": the passages that pass the
// filters, as indexes into the journal, each row read from the journal's
// text when it is shown; a click on a header sorts them (the journal's
// order is newest first). A name taken from elsewhere shows in
// italics with a tool tip saying where from; a badge nobody knows shows
// "(inconnu)" and sorts after the names, by its number. A line of the
// journal that could not be read shows as it stands in the name's column,
// greyed and in italics, its line named in the tool tip.

#include "core/board/journal_view.h"

#include <QAbstractTableModel>

#include <vector>

namespace platine {

class PassagesModel : public QAbstractTableModel {
public:
    // `data` is the window's journal; it must outlive the model, and the
    // rows be set again (setRows) whenever it changes.
    explicit PassagesModel(const JournalData &data, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_data(data)
    {
    }

    // The rows shown, in the sorting last asked for.
    void setRows(std::vector<int> rows);
    const std::vector<int> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void sort(int column, Qt::SortOrder o) override;

private:
    void order();

    const JournalData &m_data;
    std::vector<int> m_rows;
    int m_column = 0;
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

} // namespace platine
