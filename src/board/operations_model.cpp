#include "board/operations_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>
#include <map>

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

QString shownOperation(const std::string &word)
{
    return QCoreApplication::translate("Operations", word.c_str());
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
    if (!index.isValid() || std::size_t(index.row()) >= shown().size() ||
        index.column() >= int(kOperationColumns) || role != Qt::DisplayRole)
        return {};
    const OperationRow &r = m_data[std::size_t(shown()[std::size_t(index.row())])];
    const std::string &cell = r.*kOperationCells[std::size_t(index.column())];
    // The operation's word is stored French; shown in the window's language.
    if (kOperationCells[std::size_t(index.column())] == &OperationRow::operation)
        return shownOperation(cell);
    return QString::fromStdString(cell);
}

void OperationsModel::order(std::vector<int> &shown, int column, Qt::SortOrder o) const
{
    // The journal is written as things happen: by date or time is its own
    // order, newest first as the filter gives it, or reversed (a view with
    // sorting on asks for the first column at once: no string compared).
    if (column <= 1) {
        if (column < 0 || o == Qt::DescendingOrder)
            std::sort(shown.begin(), shown.end(), std::greater<int>());
        else
            std::sort(shown.begin(), shown.end());
        return;
    }
    const auto cell = kOperationCells[std::size_t(column)];
    // The operations' words sort as shown, in the window's language: each
    // word translated once.
    const bool operation = cell == &OperationRow::operation;
    std::map<std::string, std::string> words;
    if (operation) {
        for (const int i : shown) {
            const std::string &word = m_data[std::size_t(i)].operation;
            if (!words.count(word))
                words[word] = shownOperation(word).toStdString();
        }
    }
    auto text = [&](int row) -> const std::string & {
        const std::string &stored = m_data[std::size_t(row)].*cell;
        return operation ? words.find(stored)->second : stored;
    };
    // Dates and times in digits sort as texts; equal cells keep the newest first.
    std::sort(shown.begin(), shown.end(), [&](int a, int b) {
        const std::string &x = text(a), &y = text(b);
        if (x != y)
            return o == Qt::AscendingOrder ? x < y : y < x;
        return a > b;
    });
}

} // namespace platine
