#pragma once
// The rows of "Tableau des badges": one per record of the open list
// (badge_rows.h), shown as texts, sorted by the numbers behind them
// (Qt::UserRole), the state in red when the board cannot take the record;
// the dates of validity in words and the state against the chosen board
// (a badge the board still holds that the list lost is a greyed row of its
// own); and the filters on the badge number and the name, and on the dates,
// the window puts over them.

#include "core/badges/badge_rows.h"
#include "platform/text.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QColor>
#include <QCoreApplication>
#include <QSortFilterProxyModel>

#include <string>
#include <vector>

namespace platine {

class BadgeTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr const char *kHeaders[] = {
        QT_TRANSLATE_NOOP("BadgeTable", "N° du badge"),
        QT_TRANSLATE_NOOP("BadgeTable", "Nom"),
        QT_TRANSLATE_NOOP("BadgeTable", "Plage horaire"),
        QT_TRANSLATE_NOOP("BadgeTable", "Jours"),
        QT_TRANSLATE_NOOP("BadgeTable", "Lieu"),
        QT_TRANSLATE_NOOP("BadgeTable", "Jour du mois"),
        QT_TRANSLATE_NOOP("BadgeTable", "État"),
        QT_TRANSLATE_NOOP("BadgeTable", "Validité"),
        QT_TRANSLATE_NOOP("BadgeTable", "Platine")};
    static constexpr int kColumns = 9;
    static constexpr int kValidityColumn = 7;
    static constexpr int kBoardColumn = 8;

    void setRows(std::vector<BadgeRow> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const BadgeRow &row(int r) const { return m_rows[std::size_t(r)]; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const BadgeRow &r = row(index.row());
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            switch (index.column()) {
            case 0:
                return fromCp1252(r.numero);
            case 1:
                return fromCp1252(r.nom);
            case 2:
                return QString::fromStdString(r.plage);
            case 3:
                return QCoreApplication::translate("Days", r.jours.c_str());
            case 4:
                return QCoreApplication::translate("BadgeTable", r.lieu.c_str());
            case 5:
                return QString::fromStdString(r.jourDuMois);
            case 6:
                return r.etat.empty() ? QString() : shown(r.etatText);
            case kValidityColumn:
                return shown(r.validite);
            default:
                return shown(r.platine);
            }
        }
        if (role == Qt::UserRole) { // what the columns sort by
            switch (index.column()) {
            case 2:
                return r.debut;
            case 4:
                return r.lieuNumber;
            case 5:
                return r.jourDuMoisNumber;
            case kValidityColumn:
                return r.joursRestants;
            default:
                return data(index, Qt::DisplayRole).toString().toLower();
            }
        }
        if (role == Qt::ForegroundRole && r.retire)
            return QColor(Qt::gray);
        if (role == Qt::ForegroundRole && index.column() == 6 && !r.etat.empty())
            return QColor(192, 0, 0);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < kColumns)
            return QCoreApplication::translate("BadgeTable", kHeaders[section]);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    std::vector<BadgeRow> m_rows;
};

// The rows whose badge number or name holds the text typed above the
// table (rowMatches) and whose dates are those chosen; the columns sort by
// what Qt::UserRole gives.
class BadgeTableFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // Which rows the dates keep.
    enum class Dates { All, Expired, EndingSoon };
    static constexpr int kEndingSoonDays = 30; // "expire dans N jours" within this

    void setDates(Dates dates)
    {
        m_dates = dates;
        invalidateFilter();
    }

    void setText(const QString &text)
    {
        m_text = toCp1252(text);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &) const override
    {
        const auto *m = static_cast<const BadgeTableModel *>(sourceModel());
        const BadgeRow &row = m->row(sourceRow);
        if (!rowMatches(row, m_text))
            return false;
        switch (m_dates) {
        case Dates::All:
            return true;
        case Dates::Expired:
            return !row.retire && row.joursRestants < 0;
        case Dates::EndingSoon:
            return !row.retire && row.joursRestants >= 0 && row.joursRestants <= kEndingSoonDays;
        }
        return true;
    }

private:
    std::string m_text;
    Dates m_dates = Dates::All;
};

} // namespace platine
