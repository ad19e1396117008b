#include "board/journal_window.h"

#include "board/operations_tab.h"
#include "board/passages_model.h"
#include "board/text_model.h"
#include "core/platform/files.h"
#include "platform/date_field.h"
#include "platform/keyboard.h"
#include "platform/own_settings.h"
#include "platform/reports/formats.h"
#include "platform/reports/progress.h"
#include "platform/reports/table_report.h"
#include "platform/text.h"
#include "platform/window_place.h"

#include <QComboBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platine {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
// Where the start of a working day is kept (platform/own_settings.h).
constexpr const char *kSettingsSection = "Journal des passages";
constexpr const char *kDayStartKey = "debut de journee";

QTableView *tableOf(QAbstractItemModel *model, const QString &name, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false); // Tab goes on to the next control
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setWordWrap(false);
    // Each column at least as wide as its header; the names take the room
    // left (the last column when there is no name).
    QHeaderView *header = view->horizontalHeader();
    int nameColumn = -1;
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        header->resizeSection(c, std::max(header->defaultSectionSize(),
                                          header->fontMetrics().horizontalAdvance(title) + 24));
        if (title == QCoreApplication::translate("Journal", "Nom"))
            nameColumn = c;
    }
    if (nameColumn >= 0)
        header->setSectionResizeMode(nameColumn, QHeaderView::Stretch);
    else
        header->setStretchLastSection(true);
    return view;
}

} // namespace

struct JournalWindow::Ui {
    QLineEdit *search = nullptr;
    DateField *from = nullptr, *to = nullptr;
    QComboBox *place = nullptr;
    QTimeEdit *dayStart = nullptr;
    QTabWidget *tabs = nullptr;
    QLabel *count = nullptr;
    PassagesModel *passages = nullptr;
    TextModel *days = nullptr, *totals = nullptr;
    OperationsTab *operations = nullptr;
};

// The tabs, in order.
enum { kPassagesTab, kPresenceTab, kOperationsTab };

JournalWindow::JournalWindow(Source source, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui>()), m_source(std::move(source)),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("journal_des_passages"));
    setWindowTitle(tr("Journal des passages"));
    resize(900, 600);
    Ui &ui = *m_ui;

    auto *filters = new QHBoxLayout;
    ui.search = new QLineEdit(this);
    ui.search->setObjectName(QStringLiteral("recherche"));
    ui.search->setPlaceholderText(tr("N° du badge ou nom"));
    ui.search->setClearButtonEnabled(true);
    filters->addWidget(new QLabel(tr("Rechercher"), this));
    filters->addWidget(ui.search, 1);
    const auto dateEdit = [&](const QString &name, const QString &caption) {
        // Typed as the desktop writes dates, or chosen in its calendar;
        // empty: the range is open on that side.
        auto *edit = new DateField(this);
        edit->setObjectName(name);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        filters->addWidget(label);
        filters->addWidget(edit);
        return edit;
    };
    ui.from = dateEdit(QStringLiteral("du"), tr("Du"));
    ui.to = dateEdit(QStringLiteral("au"), tr("Au"));
    ui.place = new QComboBox(this);
    ui.place->setObjectName(QStringLiteral("lieu"));
    filters->addWidget(new QLabel(tr("Lieu"), this));
    filters->addWidget(ui.place);

    ui.passages = new PassagesModel(m_data);
    ui.passages->setParent(this);
    ui.days = new TextModel(translatedList("Journal", attendanceHeader()));
    ui.days->setParent(this);
    ui.totals = new TextModel(translatedList("Journal", totalsHeader()));
    ui.totals->setParent(this);

    ui.tabs = new QTabWidget(this);
    ui.tabs->setObjectName(QStringLiteral("onglets"));
    QTableView *passages = tableOf(ui.passages, QStringLiteral("passages"), this);
    passages->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    passages->setSortingEnabled(true);
    ui.tabs->addTab(passages, tr("Passages"));
    auto *presenceTab = new QWidget(this);
    auto *presenceLayout = new QVBoxLayout(presenceTab);
    auto *dayStartRow = new QHBoxLayout;
    ui.dayStart = new QTimeEdit(presenceTab);
    ui.dayStart->setObjectName(QStringLiteral("debut_journee"));
    ui.dayStart->setDisplayFormat(QStringLiteral("HH:mm"));
    ui.dayStart->setToolTip(
        tr("Une journée de travail va de cette heure à la même heure le lendemain "
           "et porte la date de son début (équipes de nuit)"));
    const int kept = dayStartMinutes(
        OwnSettings(m_source.settingsPath).value(kSettingsSection, kDayStartKey, "00:00"));
    ui.dayStart->setTime(QTime(0, 0).addSecs(60 * std::max(kept, 0)));
    dayStartRow->addWidget(new QLabel(tr("Début de journée"), presenceTab));
    dayStartRow->addWidget(ui.dayStart);
    dayStartRow->addStretch(1);
    presenceLayout->addLayout(dayStartRow);
    auto *presence = new QSplitter(Qt::Vertical, presenceTab);
    for (auto [model, name] : {std::pair{ui.days, "presences"}, std::pair{ui.totals, "totaux"}}) {
        QTableView *view = tableOf(model, QString::fromLatin1(name), presence);
        view->setSortingEnabled(true);
        view->horizontalHeader()->setSortIndicatorShown(false);
        presence->addWidget(view);
    }
    presence->setStretchFactor(0, 3);
    presence->setStretchFactor(1, 1);
    presenceLayout->addWidget(presence, 1);
    ui.tabs->addTab(presenceTab, tr("Présences"));
    ui.operations = new OperationsTab(m_source.operationsPath, this);
    ui.tabs->addTab(ui.operations, tr("Opérations"));

    auto *actions = new QHBoxLayout;
    ui.count = new QLabel(this);
    ui.count->setObjectName(QStringLiteral("nombre"));
    // After a cancelled read the line offers to read the journal again.
    connect(ui.count, &QLabel::linkActivated, this, &JournalWindow::reload);
    actions->addWidget(ui.count, 1);
    const auto button = [&](const QString &name, const QString &caption,
                            void (JournalWindow::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        actions->addWidget(b);
    };
    button(QStringLiteral("exporter"), tr("Exporter…"), &JournalWindow::exportClicked);
    button(QStringLiteral("pdf"), tr("PDF…"), &JournalWindow::pdfClicked);
    button(QStringLiteral("imprimer"), tr("Imprimer…"), &JournalWindow::printClicked);

    // On a screen smaller than the window, the window scrolls.
    auto *layout = new QVBoxLayout(scrollingPage(this));
    layout->addLayout(filters);
    layout->addWidget(ui.tabs, 1);
    layout->addLayout(actions);
    // From the keyboard: Return on the focused button, an access key on
    // each button, Escape closes the window.
    returnPressesButtons(this);
    giveAccessKeys({findChild<QPushButton *>(QStringLiteral("exporter")),
                    findChild<QPushButton *>(QStringLiteral("pdf")),
                    findChild<QPushButton *>(QStringLiteral("imprimer"))});
    escapeCloses(this);

    connect(ui.search, &QLineEdit::textChanged, this, &JournalWindow::refilter);
    connect(ui.place, &QComboBox::currentIndexChanged, this, &JournalWindow::refilter);
    connect(ui.from, &DateField::changed, this, &JournalWindow::refilter);
    connect(ui.to, &DateField::changed, this, &JournalWindow::refilter);
    connect(ui.tabs, &QTabWidget::currentChanged, this, &JournalWindow::refilter);
    connect(ui.dayStart, &QTimeEdit::timeChanged, this, [this] {
        QString error;
        OwnSettings settings(m_source.settingsPath);
        const std::string hhmm = m_ui->dayStart->time().toString(QStringLiteral("HH:mm")).toStdString();
        // The attendance follows at once; a setting that cannot be kept is only lost.
        settings.setValue(kSettingsSection, kDayStartKey, hhmm, &error);
        refilter();
    });
    reload();
}

JournalWindow::~JournalWindow() = default;

const OperationsTab &JournalWindow::operations() const
{
    return *m_ui->operations;
}

void JournalWindow::reloadOperations()
{
    m_ui->operations->markStale();
    if (m_ui->tabs->currentIndex() == kOperationsTab && !m_busy)
        refilter();
}

bool JournalWindow::readInSlices(std::string bytes, JournalData &out)
{
    m_reading = true;
    const auto done = qScopeGuard([this] { m_reading = false; });
    // The journal's text is kept as it was read, its rows indexed.
    JournalReader reader(std::move(bytes));
    {
        // Over this window once shown; over the main window at the first read.
        QWidget *over = isVisible() || !parentWidget() ? this : parentWidget();
        ProgressBox progress(over, tr("Lecture du journal des passages…"));
        while (reader.step(m_readSlice)) {
            // The events between two slices: the windows stay alive, and
            // "Annuler" is heard once the box shows (after half a second).
            QCoreApplication::processEvents();
            if (m_closeWhenDone || !progress.step(reader.done(), reader.total()))
                return false;
        }
    }
    out = reader.finish(m_source.names ? m_source.names() : NamesByBadge());
    return true;
}

void JournalWindow::reload()
{
    if (m_busy || m_reading) { // an export or a read holds the rows: once it is done
        m_reloadPending = true;
        return;
    }
    std::string error;
    std::optional<std::string> bytes = files::read(m_source.path, &error);
    // No journal yet (nothing downloaded) is an empty journal.
    JournalData read;
    m_readCancelled = !readInSlices(bytes ? std::move(*bytes) : std::string(), read);
    bytes.reset();
    if (m_readCancelled) {
        refilter(); // the rows as they were; the count line says so
    } else {
        m_ui->passages->setShown({});
        m_rows = {};
        m_presence = {};
        m_presenceStale = true;
        m_data = std::move(read);
        read = {};
#ifdef __GLIBC__
        malloc_trim(0); // the journal read before, and the read's own work, go back to the system
#endif
        showRead();
    }
    if (m_reloadPending && !m_busy && !m_closeWhenDone) {
        m_reloadPending = false;
        reload();
    }
    closeIfAsked();
}

void JournalWindow::closeEvent(QCloseEvent *event)
{
    if (m_busy || m_reading) {
        m_closeWhenDone = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void JournalWindow::closeIfAsked()
{
    if (m_closeWhenDone && !m_busy && !m_reading) {
        m_closeWhenDone = false;
        // Once the work's frames are left: the window goes with its close.
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void JournalWindow::showRead()
{

    Ui &ui = *m_ui;
    const QSignalBlocker b1(ui.from), b2(ui.to), b3(ui.place);
    // The range follows the journal until the operator picks a day.
    const QDate first = QDate::fromString(QString::fromStdString(m_data.firstDate), kDateFormat);
    const QDate last = QDate::fromString(QString::fromStdString(m_data.lastDate), kDateFormat);
    // Empty fields show the journal's first and last days.
    ui.from->setPlaceholderDate(first);
    ui.to->setPlaceholderDate(last.isValid() ? last : first);
    const QString place = ui.place->currentIndex() > 0 ? ui.place->currentText() : QString();
    ui.place->clear();
    ui.place->addItem(tr("Tous les lieux"));
    for (const std::string &p : m_data.places)
        ui.place->addItem(QString::fromStdString(p));
    ui.place->setCurrentIndex(place.isEmpty() ? 0 : std::max(0, ui.place->findText(place)));
    refilter();
}

JournalFilter JournalWindow::filter() const
{
    const Ui &ui = *m_ui;
    JournalFilter f;
    f.text = ui.search->text().toStdString();
    // An empty field, or one that names no day (said so beside it), leaves
    // the range open, as does a day beyond the journal's, so rows whose
    // date is not a day (kept as the board sent it) stay in.
    const std::string from = ui.from->date().toString(kDateFormat).toStdString();
    const std::string to = ui.to->date().toString(kDateFormat).toStdString();
    if (!from.empty() && from > m_data.firstDate)
        f.from = from;
    if (!to.empty() && (m_data.lastDate.empty() || to < m_data.lastDate))
        f.to = to;
    if (ui.place->currentIndex() > 0)
        f.place = ui.place->currentText().toStdString();
    return f;
}

JournalFilter JournalWindow::operationsFilter() const
{
    // The days the operator chose, whatever the passages' range; no place.
    const Ui &ui = *m_ui;
    JournalFilter f;
    f.text = ui.search->text().toStdString();
    // An empty field, or one that names no day, leaves the range open.
    f.from = ui.from->date().toString(kDateFormat).toStdString();
    f.to = ui.to->date().toString(kDateFormat).toStdString();
    return f;
}

int JournalWindow::dayStart() const
{
    const QTime t = m_ui->dayStart->time();
    return t.hour() * 60 + t.minute();
}

const Attendance &JournalWindow::presence()
{
    if (m_presenceStale) {
        m_presence = attendance(m_data, m_rows, dayStart());
        m_presenceStale = false;
        QList<QStringList> days, totals;
        for (const AttendanceDay &d : m_presence.days)
            days << fromUtf8List(attendanceCells(d));
        for (const AttendanceTotal &t : m_presence.totals)
            totals << fromUtf8List(totalsCells(t));
        m_ui->days->setRows(std::move(days));
        m_ui->totals->setRows(std::move(totals));
    }
    return m_presence;
}

void JournalWindow::refilter()
{
    Ui &ui = *m_ui;
    if (ui.tabs->currentIndex() == kOperationsTab) {
        ui.operations->load();
        ui.operations->refilter(operationsFilter());
        ui.count->setText(ui.operations->countText());
        return;
    }
    m_rows = filterJournal(m_data, filter());
    ui.passages->setShown(m_rows);
    m_presenceStale = true;
    // The attendance is counted when its tab is shown.
    if (ui.tabs->currentIndex() == kPresenceTab) {
        presence();
        ui.count->setText(tr("%1 jour(s) de présence, %2 titulaire(s)")
                              .arg(m_presence.days.size())
                              .arg(m_presence.totals.size()) +
                          cancelledNote());
        return;
    }
    std::size_t marked = 0, unreadable = 0;
    for (int i : m_rows) {
        const JournalIndexRow &e = m_data.entries.info(std::size_t(i));
        marked += e.nameSource != NameSource::Journal;
        unreadable += e.unreadable;
    }
    QString text =
        tr("%n passage(s) sur %1", nullptr, int(m_rows.size())).arg(m_data.entries.size());
    if (unreadable == 1)
        text += tr(", dont 1 ligne illisible");
    else if (unreadable > 1)
        text += tr(", dont %1 lignes illisibles").arg(unreadable);
    if (marked)
        text += tr(" ; %1 nom(s) en italique absents de leur ligne du journal "
                   "(repris du journal ou de la liste ouverte)")
                    .arg(marked);
    if (m_data.tooLarge)
        text += tr(" ; le journal dépasse 4 Gio : il n'est pas lu");
    ui.count->setText(text + cancelledNote());
}

QString JournalWindow::cancelledNote() const
{
    if (!m_readCancelled)
        return {};
    return (m_data.entries.empty() ? tr(" ; lecture du journal annulée : aucun passage n'est lu")
                                   : tr(" ; lecture du journal annulée : les passages montrés sont "
                                        "ceux de la lecture précédente")) +
           tr(" (<a href=\"relire\">relire le journal</a>)");
}

Report JournalWindow::shownReport()
{
    Report report;
    report.filters = describe(filter());
    if (m_ui->tabs->currentIndex() == kOperationsTab) {
        report.title = "Journal des opérations";
        report.sheets.push_back(m_ui->operations->sheet());
        report.filters = describe(operationsFilter());
        return report;
    }
    if (m_ui->tabs->currentIndex() == 0) {
        report.title = "Journal des passages";
        report.sheets.push_back(passagesSheetOnDemand(m_data, m_ui->passages->shown()));
        return report;
    }
    report.title = "Journal des passages : présences";
    report.sheets = attendanceSheets(presence());
    // The days and totals in the order the operator sorted them.
    for (std::size_t k = 0; k < 2; ++k) {
        const TextModel *shown = k == 0 ? m_ui->days : m_ui->totals;
        Sheet &sheet = report.sheets[k];
        std::vector<std::vector<SheetCell>> rows;
        rows.reserve(sheet.rows.size());
        for (int r : shown->sourceRows())
            rows.push_back(std::move(sheet.rows[std::size_t(r)]));
        sheet.rows = std::move(rows);
    }
    return report;
}

void JournalWindow::whileBusy(const std::function<void()> &work)
{
    // A download that ends meanwhile reads the journal again once the file is written.
    m_busy = true;
    const auto done = qScopeGuard([this] {
#ifdef __GLIBC__
        malloc_trim(0); // the export's rows, freed, go back to the system
#endif
        m_busy = false;
        if (m_reloadPending && !m_closeWhenDone) {
            m_reloadPending = false;
            reload();
        }
        closeIfAsked();
    });
    work();
}

bool JournalWindow::writeShownTab(const QString &path, QString &error)
{
    const std::vector<FileKind> any = {FileKind::Csv, FileKind::Workbook, FileKind::Pdf};
    const ReportFormat *format = formatOfFile(path, any);
    if (!format) {
        const QString ext = QFileInfo(path).suffix();
        error = tr("le type de fichier « %1 » n'est pas connu : choisir un nom en %2")
                    .arg(ext.isEmpty() ? tr("sans extension") : QLatin1Char('.') + ext,
                         extensionsInWords(any));
        return false;
    }
    WriteOutcome outcome = WriteOutcome::Failed;
    whileBusy([&] { outcome = writeReport(*format, shownReport(), path, error, this); });
    return outcome == WriteOutcome::Written;
}

void JournalWindow::exportTo(const QString &caption, const std::vector<FileKind> &offered)
{
    whileBusy([&] {
        const QString title = m_ui->tabs->currentIndex() == kOperationsTab
                                  ? tr("journal des opérations")
                                  : tr("journal des passages");
        exportReport(m_dialogs, this, caption, title, offered, [this] { return shownReport(); });
    });
}

void JournalWindow::exportClicked()
{
    exportTo(tr("Exporter"), {FileKind::Workbook, FileKind::Csv});
}

void JournalWindow::pdfClicked()
{
    exportTo(QStringLiteral("PDF"), {FileKind::Pdf});
}

void JournalWindow::printClicked()
{
    whileBusy([this] { printReport(shownReport(), this); });
}

} // namespace platine
