#include "board/passages_model.h"

#include "platform/date_field.h"

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

int PassagesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(passagesHeader().size());
}

QVariant PassagesModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount())
        // The journal's own header (the exports keep it), in the window's language.
        return QCoreApplication::translate("Journal",
                                           passagesHeader()[std::size_t(section)].c_str());
    return {};
}

QVariant PassagesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= shown().size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::FontRole && role != Qt::ForegroundRole &&
        role != Qt::ToolTipRole)
        return {}; // the row is not read for the roles the passages leave to the view
    // The row read from the journal's text as it is shown.
    const JournalEntry e = m_data.entries[std::size_t(shown()[std::size_t(index.row())])];
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
        // Dates as the desktop writes them; the journal keeps its own form.
        const std::string field = e.row.fields()[std::size_t(index.column())];
        return index.column() == 0 || index.column() == 5 ? shownDate(field)
                                                            : QString::fromStdString(field);
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

void PassagesModel::order(std::vector<int> &shown, int column, Qt::SortOrder o) const
{
    // Indexes ascending are the journal's order, newest first.
    std::sort(shown.begin(), shown.end());
    if (column <= 1) {
        if (o == Qt::AscendingOrder)
            std::reverse(shown.begin(), shown.end());
        return;
    }
    // Each row's texts read once: its field, or for the names the name
    // folded (accents and case aside) then as written; a badge nobody knows
    // by its number.
    struct Key {
        int row;
        bool unknown;
        std::string first, second;
    };
    std::vector<Key> keys;
    keys.reserve(shown.size());
    const JournalEntries &entries = m_data.entries;
    JournalCells cells;
    JournalFields f;
    for (int i : shown) {
        const JournalIndexRow &info = entries.info(std::size_t(i));
        entries.read(std::size_t(i), cells, f);
        Key k{i, column == 3 && info.nameSource == NameSource::Unknown, {}, {}};
        if (k.unknown)
            k.first = f.badge;
        else if (column == 3) {
            // An unreadable row sorts by its line, as it shows.
            k.first = foldUtf8ForSearch(info.unreadable ? f.text : f.name);
            k.second = f.name;
        } else
            k.first = column == 2   ? f.badge
                      : column == 4 ? f.place
                      : column == 5 ? f.downloaded
                                      : f.board;
        keys.push_back(std::move(k));
    }
    // A badge nobody knows comes after the names, by its number, either way.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        if (a.unknown != b.unknown)
            return b.unknown;
        int c = a.first.compare(b.first);
        if (c == 0)
            c = a.second.compare(b.second);
        return o == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    for (std::size_t k = 0; k < keys.size(); ++k)
        shown[k] = keys[k].row;
}

} // namespace platine
