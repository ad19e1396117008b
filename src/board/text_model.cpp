#include "board/text_model.h"

#include "platform/date_field.h"

#include <algorithm>
#include <numeric>

namespace platine {

void TextModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_source.resize(std::size_t(m_rows.size()));
    std::iota(m_source.begin(), m_source.end(), 0);
    endResetModel();
}

int TextModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant TextModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return m_header.value(section);
    return {};
}

QVariant TextModel::data(const QModelIndex &index, int role) const
{
    // A day shows as the desktop writes dates; it sorts as the journal keeps it.
    if (role == Qt::DisplayRole && index.isValid() && index.row() < m_rows.size())
        return shownDate(m_rows[index.row()].value(index.column()).toStdString());
    return {};
}

void TextModel::sort(int column, Qt::SortOrder o)
{
    beginResetModel();
    std::vector<int> order(m_source.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int ra, int rb) {
        const QStringList &a = m_rows[ra], &b = m_rows[rb];
        bool na = false, nb = false;
        const int ia = a.value(column).toInt(&na), ib = b.value(column).toInt(&nb);
        const int c = na && nb ? (ia > ib) - (ia < ib)
                               : a.value(column).localeAwareCompare(b.value(column));
        return o == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QList<QStringList> rows;
    std::vector<int> source;
    rows.reserve(m_rows.size());
    source.reserve(order.size());
    for (int r : order) {
        rows << std::move(m_rows[r]);
        source.push_back(m_source[std::size_t(r)]);
    }
    m_rows = std::move(rows);
    m_source = std::move(source);
    endResetModel();
}

} // namespace platine
