#include "board/operations_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace platine {

namespace {

// The captions of the columns, in the journal's order.
const char *const kCaptions[kOperationColumns] = {
    QT_TRANSLATE_NOOP("OperationsModel", "Date"),
    QT_TRANSLATE_NOOP("OperationsModel", "Heure"),
    QT_TRANSLATE_NOOP("OperationsModel", "Utilisateur"),
    QT_TRANSLATE_NOOP("OperationsModel", "Platine"),
    QT_TRANSLATE_NOOP("OperationsModel", "Liste"),
    QT_TRANSLATE_NOOP("OperationsModel", "Opération"),
    QT_TRANSLATE_NOOP("OperationsModel", "Badge"),
    QT_TRANSLATE_NOOP("OperationsModel", "Champ"),
    QT_TRANSLATE_NOOP("OperationsModel", "Avant"),
    QT_TRANSLATE_NOOP("OperationsModel", "Après"),
    QT_TRANSLATE_NOOP("OperationsModel", "Détail"),
};

} // namespace

void OperationsModel::setShown(std::vector<int> shown)
{
    beginResetModel();
    m_shown = std::move(shown);
    order();
    endResetModel();
}

int OperationsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int OperationsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(kOperationColumns);
}

QVariant OperationsModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(kOperationColumns))
        return QCoreApplication::translate("OperationsModel", kCaptions[section]);
    return {};
}

QVariant OperationsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_shown.size() ||
        index.column() >= int(kOperationColumns) || role != Qt::DisplayRole)
        return {};
    const OperationRow &r = m_data[std::size_t(m_shown[std::size_t(index.row())])];
    const std::string &cell = r.*kOperationCells[std::size_t(index.column())];
    // The operation's word is stored French; shown in the window's language.
    if (kOperationCells[std::size_t(index.column())] == &OperationRow::operation)
        return QCoreApplication::translate("Operations", cell.c_str());
    return QString::fromStdString(cell);
}

void OperationsModel::sort(int column, Qt::SortOrder o)
{
    if (column < 0 || column >= int(kOperationColumns))
        return;
    emit layoutAboutToBeChanged();
    m_column = column;
    m_order = o;
    order();
    emit layoutChanged();
}

void OperationsModel::order()
{
    // The journal is written as things happen: by date or time is its own
    // order, newest first as the filter gives it, or reversed (a view with
    // sorting on asks for the first column at once: no string compared).
    if (m_column <= 1) {
        if (m_column < 0 || m_order == Qt::DescendingOrder)
            std::sort(m_shown.begin(), m_shown.end(), std::greater<int>());
        else
            std::sort(m_shown.begin(), m_shown.end());
        return;
    }
    const auto cell = kOperationCells[std::size_t(m_column)];
    // Dates and times in digits sort as texts; equal cells keep the newest first.
    std::sort(m_shown.begin(), m_shown.end(), [&](int a, int b) {
        const std::string &x = m_data[std::size_t(a)].*cell, &y = m_data[std::size_t(b)].*cell;
        if (x != y)
            return m_order == Qt::AscendingOrder ? x < y : y < x;
        return a > b;
    });
}

} // namespace platine
