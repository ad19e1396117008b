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

#include "board/journal_rows_model.h"

#include <vector>

namespace platine {

class PassagesModel : public JournalRowsModel {
public:
    // `data` is the window's journal; it must outlive the model, and the
    // rows shown be set again (setShown) whenever it changes.
    explicit PassagesModel(const JournalData &data, QObject *parent = nullptr)
        : JournalRowsModel(0, parent), m_data(data)
    {
    }

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    void order(std::vector<int> &shown, int column, Qt::SortOrder o) const override;

    const JournalData &m_data;
};

} // namespace platine
