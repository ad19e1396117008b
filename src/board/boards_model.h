#pragma once
// The rows of "Platines…": one per board, known by its port, with the name
// the operator gives it and the places it serves, both edited in place.

#include "core/boards/boards.h"
#include "platform/text.h"

#include <QAbstractTableModel>
#include <QCoreApplication>

#include <vector>

namespace platine {

class BoardsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr const char *kHeaders[] = {QT_TRANSLATE_NOOP("BoardsModel", "Port"),
                                               QT_TRANSLATE_NOOP("BoardsModel", "Nom"),
                                               QT_TRANSLATE_NOOP("BoardsModel", "Lieux")};
    static constexpr int kColumns = 3;

    void setBoards(std::vector<boards::Board> boards)
    {
        beginResetModel();
        m_boards = std::move(boards);
        endResetModel();
    }
    const std::vector<boards::Board> &boards() const { return m_boards; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_boards.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : kColumns;
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.isValid() && index.column() > 0)
            f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        const boards::Board &b = m_boards[std::size_t(index.row())];
        switch (index.column()) {
        case 0:
            return fromCp1252(b.port);
        case 1:
            return fromCp1252(b.nom);
        default:
            return fromCp1252(b.lieux);
        }
    }
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole || index.column() == 0)
            return false;
        boards::Board &b = m_boards[std::size_t(index.row())];
        // Kept as the file stores it: a character Windows-1252 lacks becomes '?'.
        const std::string text = toCp1252(value.toString().simplified());
        std::string &field = index.column() == 1 ? b.nom : b.lieux;
        if (field == text)
            return true;
        field = text;
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < kColumns)
            return QCoreApplication::translate("BoardsModel", kHeaders[section]);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    std::vector<boards::Board> m_boards;
};

} // namespace platine
