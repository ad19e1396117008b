#include "board/journal_rows_model.h"

namespace platine {

void JournalRowsModel::setShown(std::vector<int> shown)
{
    beginResetModel();
    m_shown = std::move(shown);
    order(m_shown, m_column, m_order);
    endResetModel();
}

int JournalRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

void JournalRowsModel::sort(int column, Qt::SortOrder o)
{
    if (column < 0 || column >= columnCount())
        return;
    beginResetModel();
    m_column = column;
    m_order = o;
    order(m_shown, m_column, m_order);
    endResetModel();
}

} // namespace platine
