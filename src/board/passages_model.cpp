#include "board/passages_model.h"

#include <QBrush>
#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <string_view>

namespace platine {

namespace {

// Where a name shown in italics comes from (its tool tip).
const char *const kFromList =
    QT_TRANSLATE_NOOP("Journal", "Nom pris dans la liste ouverte : le journal n'en a pas");
const char *const kFromJournal = QT_TRANSLATE_NOOP(
    "Journal", "Nom repris d'un autre passage du même badge : cette ligne du journal n'en a pas");
const char *const kNobody = QT_TRANSLATE_NOOP(
    "Journal", "Badge inconnu : ni le journal ni la liste ouverte ne lui donnent de nom");

} // namespace

void PassagesModel::setRows(std::vector<int> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    order();
    endResetModel();
}

int PassagesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PassagesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant PassagesModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        // The journal's own header (the exports keep it), in the window's language.
        return QCoreApplication::translate("Journal",
                                           passagesHeader()[std::size_t(section)].c_str());
    return {};
}

QVariant PassagesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_rows.size())
        return {};
    const JournalEntry &e = m_data.entries[std::size_t(m_rows[std::size_t(index.row())])];
    if (e.unreadable) {
        // A line the journal's reader could not take: shown as it stands,
        // greyed and in italics, in the name's column.
        if (role == Qt::DisplayRole)
            return index.column() == 3 ? QString::fromStdString(e.text) : QString();
        if (role == Qt::FontRole) {
            QFont f;
            f.setItalic(true);
            return f;
        }
        if (role == Qt::ForegroundRole)
            return QBrush(Qt::gray);
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(unreadableLine(e));
        return {};
    }
    const bool marked = index.column() == 3 && e.nameTaken();
    if (role == Qt::DisplayRole) {
        // A name taken elsewhere shows plain, in italics; nobody's as "(inconnu)".
        if (index.column() == 3 && e.nameSource == NameSource::Unknown)
            return QCoreApplication::translate("Journal", kUnknownName);
        return QString::fromStdString(e.row.fields()[std::size_t(index.column())]);
    }
    if (role == Qt::FontRole && marked) {
        QFont f;
        f.setItalic(true);
        return f;
    }
    if (role == Qt::ToolTipRole && marked)
        return QCoreApplication::translate("Journal",
                                           e.nameSource == NameSource::OpenList   ? kFromList
                                           : e.nameSource == NameSource::OtherRow ? kFromJournal
                                                                                  : kNobody);
    return {};
}

void PassagesModel::sort(int column, Qt::SortOrder o)
{
    beginResetModel();
    m_column = column;
    m_order = o;
    order();
    endResetModel();
}

void PassagesModel::order()
{
    // Indexes ascending are the journal's order, newest first.
    std::sort(m_rows.begin(), m_rows.end());
    if (m_column <= 1) {
        if (m_order == Qt::AscendingOrder)
            std::reverse(m_rows.begin(), m_rows.end());
        return;
    }
    const auto field = [&](int i) -> const std::string & {
        const JournalRow &r = m_data.entries[std::size_t(i)].row;
        switch (m_column) {
        case 2:
            return r.badge;
        case 3:
            return r.name;
        case 4:
            return r.place;
        default:
            return r.downloaded;
        }
    };
    // A badge nobody knows comes after the names, by its number, either way.
    const auto unknown = [&](int i) {
        return m_column == 3 && m_data.entries[std::size_t(i)].nameSource == NameSource::Unknown;
    };
    // Names by their letters, accents and case aside ("Élodie" among the
    // E's, not after "Zoé"), then as written.
    const auto folded = [&](int i) {
        const std::string_view key = m_data.entries[std::size_t(i)].searchKey;
        const std::size_t cut = key.find('\n');
        return cut == std::string_view::npos ? std::string_view() : key.substr(cut + 1);
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](int a, int b) {
        const bool ua = unknown(a), ub = unknown(b);
        if (ua != ub)
            return ub;
        const JournalRow &ra = m_data.entries[std::size_t(a)].row;
        const JournalRow &rb = m_data.entries[std::size_t(b)].row;
        int c = ua ? ra.badge.compare(rb.badge) : 0;
        if (!ua && m_column == 3)
            c = folded(a).compare(folded(b));
        if (!ua && c == 0)
            c = field(a).compare(field(b));
        return m_order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
}

} // namespace platine
