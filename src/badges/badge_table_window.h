#pragma once
// "Tableau des badges": every record of the open list, one row each, with a
// filter on the badge number and the name, sorting by any column, the count
// of badges shown, and the commands that act on the selected rows (open one
// in the record editor, take them off the list, set fields on all of them).
// The window only shows the list; what a command does to the list file is
// the main window's, reached through the actions it is given.

#include "core/badges/badge_rows.h"
#include "core/badges/list_edit.h"
#include "core/badges/validity.h"
#include "core/boards/boards.h"
#include "core/platform/sheet.h"
#include "platform/platform.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

class BadgeTableModel;
class BadgeTableFilter;

class BadgeTableWindow : public QWidget {
    Q_OBJECT
public:
    // What the commands of the table ask of the list's owner; each names
    // records by their sections (Windows-1252).
    struct Actions {
        std::function<void(const std::string &section)> open;                 // double click, Enter
        std::function<void(const std::vector<std::string> &sections)> remove; // Delete
        std::function<void(const std::vector<std::string> &sections, const BulkChange &change)>
            change; // "Modifier la sélection"
    };

    // Its boxes and file dialogs go through `dialogs`, modal over it.
    BadgeTableWindow(Actions actions, Dialogs &dialogs, QWidget *parent = nullptr);
    ~BadgeTableWindow() override;

    // Shows the list file `content` (named `fileTitle` in the title): its
    // records as the list reader finds them, their dates in words on
    // `today`, with `diff` their state against the chosen board and the
    // badges it holds that the list lost. The filter and the sorting stay.
    void showList(const QString &fileTitle, std::string_view content,
                  const boards::BoardDiff *diff = nullptr, const Date &today = {});

    // The rows shown (after the filter, in their order) and all rows.
    int shownCount() const;
    int totalCount() const;
    // The text of column `column` of shown row `row`.
    QString cell(int row, int column) const;
    // The sections of the selected rows, in the order shown (rows of badges
    // no longer in the list left out).
    std::vector<std::string> selectedSections() const;

    // The commands, as their keys and buttons run them.
    void openCurrent();    // double click, Enter
    void removeSelected(); // Delete, "Supprimer"
    void changeSelected(); // "Modifier la sélection"
    void pdfClicked();     // "PDF…" ("Imprimer…" prints the same report)

    // The table as printed: the list's name, the filter and the count,
    // the rows as shown (filtered, in their order).
    Report report() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void filterChanged();
    void showCount();
    BulkChange changeTyped() const;

    struct Ui;
    using Model = BadgeTableModel;
    using Filter = BadgeTableFilter;
    std::unique_ptr<Ui> m_ui;
    Actions m_actions;
    Dialogs &m_dialogs;
    Model *m_model = nullptr;
    Filter *m_filter = nullptr;
};

} // namespace platine
