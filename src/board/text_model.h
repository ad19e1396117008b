#pragma once
// A small table of texts under a header (the attendance of "Journal des
// passages" and its totals); a click on a header sorts it, numbers by their
// value, other texts as the desktop's language orders them; the rows keep
// their place as set, so a report shows them in the order shown.

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace platine {

class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(QStringList header, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_header(std::move(header))
    {
    }
    void setRows(QList<QStringList> rows);
    const QList<QStringList> &rows() const { return m_rows; }
    // For each row shown, its place among the rows as they were set.
    const std::vector<int> &sourceRows() const { return m_source; }
    const QStringList &header() const { return m_header; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void sort(int column, Qt::SortOrder o) override;

private:
    QStringList m_header;
    QList<QStringList> m_rows;
    std::vector<int> m_source;
};

} // namespace platine
