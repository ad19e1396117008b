#pragma once
// "Journal des passages": the journal of passages as a table with a search,
// a range of days and a place, its attendance per holder and day
// ("Présences"), exported to .csv or .xlsx, written to PDF or printed. The
// window reads the journal's file and never writes it; it reads it again
// after each download (reload).

#include "core/board/journal_view.h"
#include "platform/platform.h"
#include "platform/reports/formats.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace platine {

class OperationsTab;

class JournalWindow : public QWidget {
    Q_OBJECT
public:
    struct Source {
        std::string path;                    // the journal's file
        std::function<NamesByBadge()> names; // the open list's holders, asked at each read
        std::string settingsPath; // the program's own settings (own_settings.h); empty: none kept
        std::string operationsPath; // the journal of operations (tab "Opérations")
    };
    JournalWindow(Source source, Dialogs &dialogs, QWidget *parent = nullptr);
    ~JournalWindow() override;

protected:
    // Closed while a read or an export holds the rows: the read stops, an
    // export ends, then the window closes (it is deleted on close, and the
    // work's progress box is its child).
    void closeEvent(QCloseEvent *event) override;

public:

    // Reads the journal again; the filters stay as the operator set them.
    // The journal is read a slice at a time, the events attended to between
    // slices: a long read shows its progress with "Annuler", and a read
    // cancelled leaves the rows shown before (none at the first read).
    void reload();
    // The journal of operations grew: its tab reads it again when shown.
    void reloadOperations();
    // How many bytes of the journal are read between two returns to the events.
    void setReadSlice(std::size_t bytes) { m_readSlice = bytes ? bytes : 1; }
    // The last read was cancelled: the rows shown are those of the read before.
    bool readCancelled() const { return m_readCancelled; }

    // The buttons.
    void exportClicked(); // "Exporter…"
    void pdfClicked();    // "PDF…"
    void printClicked();  // "Imprimer…"

    // What the window shows: the journal, the rows that pass the filters,
    // and the filters.
    const JournalData &data() const { return m_data; }
    const std::vector<int> &rows() const { return m_rows; }
    JournalFilter filter() const;
    // The filter of the tab "Opérations": the search and the days chosen.
    JournalFilter operationsFilter() const;
    // The rows of the tab "Opérations" (its journal read when the tab was shown).
    const OperationsTab &operations() const;
    const Attendance &presence();
    // "Début de journée" (tab "Présences"), minutes after midnight.
    int dayStart() const;

    // The shown tab written to `path` as its extension says (.csv, .xlsx,
    // .pdf); false with `error` (French) when it could not be or was cancelled.
    bool writeShownTab(const QString &path, QString &error);
    // The shown tab as the formats write it: its title, the filters in
    // words, its rows as shown.
    Report shownReport();

private:
    void refilter();
    // The journal's bytes read into `out`; false when the operator cancelled.
    bool readInSlices(std::string bytes, JournalData &out);
    void showRead(); // the journal just read, its range and places in the filters
    QString cancelledNote() const;
    // Runs an export or a print; a download that ends meanwhile is read
    // once it is over.
    void whileBusy(const std::function<void()> &work);
    void exportTo(const QString &caption, const std::vector<FileKind> &offered);

    struct Ui;
    std::unique_ptr<Ui> m_ui;
    Source m_source;
    Dialogs &m_dialogs;
    JournalData m_data;
    std::vector<int> m_rows;
    Attendance m_presence;
    bool m_presenceStale = true;
    bool m_closeWhenDone = false; // closed while busy or reading
    void closeIfAsked();
    bool m_busy = false;          // an export or a print reads the rows
    bool m_reloadPending = false; // a download ended meanwhile
    bool m_reading = false;       // a read of the journal is under way
    bool m_readCancelled = false;
    std::size_t m_readSlice = 512 * 1024;
};

} // namespace platine
