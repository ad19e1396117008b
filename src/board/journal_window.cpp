#include "board/journal_window.h"

#include "board/journal_xlsx.h"
#include "platform/csv.h"
#include "platform/files.h"
#include "platform/own_settings.h"
#include "platform/text.h"

#include <QAbstractTableModel>
#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QPainter>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platine {

namespace {

QString qs(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList qsList(const std::vector<std::string> &v)
{
    QStringList l;
    l.reserve(qsizetype(v.size()));
    for (const std::string &s : v)
        l << qs(s);
    return l;
}

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kFromList = QStringLiteral("Nom pris dans la liste ouverte : le journal n'en a pas");
const QString kFromJournal =
    QStringLiteral("Nom repris d'un autre passage du même badge : cette ligne du journal n'en a pas");
const QString kNobody =
    QStringLiteral("Badge inconnu : ni le journal ni la liste ouverte ne lui donnent de nom");
// Where the start of a working day is kept (platform/own_settings.h).
constexpr const char *kSettingsSection = "Journal des passages";
constexpr const char *kDayStartKey = "debut de journee";

// The passages that pass the filters, as indexes into the journal; a click
// on a header sorts them (the journal's order is newest first).
class PassagesModel : public QAbstractTableModel {
public:
    explicit PassagesModel(const JournalData &data) : m_data(data) {}

    void setRows(std::vector<int> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        order();
        endResetModel();
    }
    const std::vector<int> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 6;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole)
            return qs(passagesHeader()[std::size_t(section)]);
        return {};
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const JournalEntry &e = m_data.entries[std::size_t(m_rows[std::size_t(index.row())])];
        const bool marked = index.column() == 3 && e.nameTaken();
        if (role == Qt::DisplayRole) {
            // A name taken elsewhere shows plain, in italics; nobody's as "(inconnu)".
            if (index.column() == 3 && e.nameSource == NameSource::Unknown)
                return QString::fromUtf8(kUnknownName);
            return qs(e.row.fields()[std::size_t(index.column())]);
        }
        if (role == Qt::FontRole && marked) {
            QFont f;
            f.setItalic(true);
            return f;
        }
        if (role == Qt::ToolTipRole && marked)
            return e.nameSource == NameSource::OpenList ? kFromList
                   : e.nameSource == NameSource::OtherRow ? kFromJournal
                                                           : kNobody;
        return {};
    }
    void sort(int column, Qt::SortOrder o) override
    {
        beginResetModel();
        m_column = column;
        m_order = o;
        order();
        endResetModel();
    }

private:
    void order()
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
            return m_column == 3 &&
                   m_data.entries[std::size_t(i)].nameSource == NameSource::Unknown;
        };
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](int a, int b) {
            const bool ua = unknown(a), ub = unknown(b);
            if (ua != ub)
                return ub;
            const JournalRow &ra = m_data.entries[std::size_t(a)].row;
            const JournalRow &rb = m_data.entries[std::size_t(b)].row;
            const int c = ua ? ra.badge.compare(rb.badge) : field(a).compare(field(b));
            return m_order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
    }

    const JournalData &m_data;
    std::vector<int> m_rows;
    int m_column = 0;
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

// A small table of texts (the attendance and its totals).
class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(QStringList header) : m_header(std::move(header)) {}
    void setRows(QList<QStringList> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QList<QStringList> &rows() const { return m_rows; }
    const QStringList &header() const { return m_header; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_header.size());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole)
            return m_header.value(section);
        return {};
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return m_rows[index.row()].value(index.column());
        return {};
    }
    void sort(int column, Qt::SortOrder o) override
    {
        beginResetModel();
        std::stable_sort(
            m_rows.begin(), m_rows.end(), [&](const QStringList &a, const QStringList &b) {
                bool na = false, nb = false;
                const int ia = a.value(column).toInt(&na), ib = b.value(column).toInt(&nb);
                const int c = na && nb ? (ia > ib) - (ia < ib)
                                       : a.value(column).localeAwareCompare(b.value(column));
                return o == Qt::AscendingOrder ? c < 0 : c > 0;
            });
        endResetModel();
    }

private:
    QStringList m_header;
    QList<QStringList> m_rows;
};

QTableView *tableOf(QAbstractItemModel *model, const QString &name, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
        if (title == QLatin1String("Nom"))
            nameColumn = c;
    }
    if (nameColumn >= 0)
        header->setSectionResizeMode(nameColumn, QHeaderView::Stretch);
    else
        header->setStretchLastSection(true);
    return view;
}

// One table of a printed report; its rows are made as they are drawn.
struct Section {
    QStringList header;
    qsizetype count = 0;
    std::function<QStringList(qsizetype)> row;
};

// A long export or print shows its progress with "Annuler" over the window
// that asked, and keeps the program's windows alive meanwhile; a short one
// is over before it shows.
class Progress {
public:
    Progress(QWidget *parent, const QString &what)
        : m_dialog(what, QStringLiteral("Annuler"), 0, 1000, parent)
    {
        m_dialog.setObjectName(QStringLiteral("progression"));
        m_dialog.setWindowTitle(parent->windowTitle());
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        m_dialog.setValue(0);
        m_pumped.start();
    }
    // False once the operator cancelled.
    bool step(std::size_t done, std::size_t total)
    {
        if (m_pumped.elapsed() >= 40) {
            m_dialog.setValue(total ? int(done * 1000 / total) : 0);
            QCoreApplication::processEvents();
            m_pumped.restart();
        }
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_pumped;
};

// The columns of a report's table on a page `width` wide: each as wide as
// its widest text (header, and the first few thousand rows), the name
// column taking what the others leave, never less than its header; a long
// name is cut in its own column, the dates and numbers stay whole.
QList<int> columnWidths(const Section &s, int width, int pad, const QFontMetrics &fm,
                        const QFontMetrics &bm)
{
    QList<int> w;
    for (qsizetype c = 0; c < s.header.size(); ++c)
        w << bm.horizontalAdvance(s.header[c]) + 2 * pad;
    for (qsizetype r = 0; r < std::min<qsizetype>(s.count, 2000); ++r) {
        const QStringList cells = s.row(r);
        for (qsizetype c = 0; c < w.size(); ++c)
            w[c] = std::max(w[c], fm.horizontalAdvance(cells.value(c)) + 2 * pad);
    }
    if (std::accumulate(w.begin(), w.end(), 0) <= width)
        return w;
    qsizetype name = s.header.indexOf(QStringLiteral("Nom"));
    if (name < 0)
        name = s.header.size() - 1;
    const int others = std::accumulate(w.begin(), w.end(), 0) - w[name];
    w[name] = std::max(width - others, bm.horizontalAdvance(s.header[name]) + 2 * pad);
    const int sum = std::accumulate(w.begin(), w.end(), 0);
    if (sum > width) // too many columns for the page: all give way alike
        for (int &x : w)
            x = int(qint64(x) * width / sum);
    return w;
}

} // namespace

struct JournalWindow::Ui {
    QLineEdit *search = nullptr;
    QDateEdit *from = nullptr, *to = nullptr;
    QComboBox *place = nullptr;
    QTimeEdit *dayStart = nullptr;
    QTabWidget *tabs = nullptr;
    QLabel *count = nullptr;
    PassagesModel *passages = nullptr;
    TextModel *days = nullptr, *totals = nullptr;
};

JournalWindow::JournalWindow(Source source, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui>()), m_source(std::move(source)),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("journal_des_passages"));
    setWindowTitle(QStringLiteral("Journal des passages"));
    resize(900, 600);
    Ui &ui = *m_ui;

    auto *filters = new QHBoxLayout;
    ui.search = new QLineEdit(this);
    ui.search->setObjectName(QStringLiteral("recherche"));
    ui.search->setPlaceholderText(QStringLiteral("N° du badge ou nom"));
    ui.search->setClearButtonEnabled(true);
    filters->addWidget(new QLabel(QStringLiteral("Rechercher"), this));
    filters->addWidget(ui.search, 1);
    const auto dateEdit = [&](const QString &name, const QString &caption) {
        auto *edit = new QDateEdit(this);
        edit->setObjectName(name);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(kDateFormat);
        filters->addWidget(new QLabel(caption, this));
        filters->addWidget(edit);
        return edit;
    };
    ui.from = dateEdit(QStringLiteral("du"), QStringLiteral("Du"));
    ui.to = dateEdit(QStringLiteral("au"), QStringLiteral("Au"));
    ui.place = new QComboBox(this);
    ui.place->setObjectName(QStringLiteral("lieu"));
    filters->addWidget(new QLabel(QStringLiteral("Lieu"), this));
    filters->addWidget(ui.place);

    ui.passages = new PassagesModel(m_data);
    ui.passages->setParent(this);
    ui.days = new TextModel(qsList(attendanceHeader()));
    ui.days->setParent(this);
    ui.totals = new TextModel(qsList(totalsHeader()));
    ui.totals->setParent(this);

    ui.tabs = new QTabWidget(this);
    ui.tabs->setObjectName(QStringLiteral("onglets"));
    QTableView *passages = tableOf(ui.passages, QStringLiteral("passages"), this);
    passages->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    passages->setSortingEnabled(true);
    ui.tabs->addTab(passages, QStringLiteral("Passages"));
    auto *presenceTab = new QWidget(this);
    auto *presenceLayout = new QVBoxLayout(presenceTab);
    auto *dayStartRow = new QHBoxLayout;
    ui.dayStart = new QTimeEdit(presenceTab);
    ui.dayStart->setObjectName(QStringLiteral("debut_journee"));
    ui.dayStart->setDisplayFormat(QStringLiteral("HH:mm"));
    ui.dayStart->setToolTip(
        QStringLiteral("Une journée de travail va de cette heure à la même heure le lendemain "
                       "et porte la date de son début (équipes de nuit)"));
    const int kept = dayStartMinutes(
        OwnSettings(m_source.settingsPath).value(kSettingsSection, kDayStartKey, "00:00"));
    ui.dayStart->setTime(QTime(0, 0).addSecs(60 * std::max(kept, 0)));
    dayStartRow->addWidget(new QLabel(QStringLiteral("Début de journée"), presenceTab));
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
    ui.tabs->addTab(presenceTab, QStringLiteral("Présences"));

    auto *actions = new QHBoxLayout;
    ui.count = new QLabel(this);
    ui.count->setObjectName(QStringLiteral("nombre"));
    actions->addWidget(ui.count, 1);
    const auto button = [&](const QString &name, const QString &caption,
                            void (JournalWindow::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        actions->addWidget(b);
    };
    button(QStringLiteral("exporter"), QStringLiteral("Exporter…"), &JournalWindow::exportClicked);
    button(QStringLiteral("pdf"), QStringLiteral("PDF…"), &JournalWindow::pdfClicked);
    button(QStringLiteral("imprimer"), QStringLiteral("Imprimer…"), &JournalWindow::printClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(ui.tabs, 1);
    layout->addLayout(actions);

    connect(ui.search, &QLineEdit::textChanged, this, &JournalWindow::refilter);
    connect(ui.place, &QComboBox::currentIndexChanged, this, &JournalWindow::refilter);
    connect(ui.from, &QDateEdit::dateChanged, this, [this] {
        m_fromSet = true;
        refilter();
    });
    connect(ui.to, &QDateEdit::dateChanged, this, [this] {
        m_toSet = true;
        refilter();
    });
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

void JournalWindow::reload()
{
    if (m_busy) { // an export is reading the rows: once it is done
        m_reloadPending = true;
        return;
    }
    std::string error;
    const std::optional<std::string> bytes = files::read(m_source.path, &error);
    // No journal yet (nothing downloaded) is an empty journal.
    m_ui->passages->setRows({});
    m_data = readJournal(bytes ? *bytes : std::string(),
                         m_source.names ? m_source.names() : NamesByBadge());

    Ui &ui = *m_ui;
    const QSignalBlocker b1(ui.from), b2(ui.to), b3(ui.place);
    // The range follows the journal until the operator picks a day.
    const QDate first = QDate::fromString(qs(m_data.firstDate), kDateFormat);
    const QDate last = QDate::fromString(qs(m_data.lastDate), kDateFormat);
    if (!m_fromSet)
        ui.from->setDate(first.isValid() ? first : QDate::currentDate());
    if (!m_toSet)
        ui.to->setDate(last.isValid() ? last : ui.from->date());
    const QString place = ui.place->currentIndex() > 0 ? ui.place->currentText() : QString();
    ui.place->clear();
    ui.place->addItem(QStringLiteral("Tous les lieux"));
    for (const std::string &p : m_data.places)
        ui.place->addItem(qs(p));
    ui.place->setCurrentIndex(place.isEmpty() ? 0 : std::max(0, ui.place->findText(place)));
    refilter();
}

JournalFilter JournalWindow::filter() const
{
    const Ui &ui = *m_ui;
    JournalFilter f;
    f.text = ui.search->text().toStdString();
    // A day the operator did not choose leaves the range open, so rows whose
    // date is not a day (kept as the board sent it) stay in.
    if (m_fromSet && ui.from->date().toString(kDateFormat).toStdString() > m_data.firstDate)
        f.from = ui.from->date().toString(kDateFormat).toStdString();
    if (m_toSet && (m_data.lastDate.empty() ||
                    ui.to->date().toString(kDateFormat).toStdString() < m_data.lastDate))
        f.to = ui.to->date().toString(kDateFormat).toStdString();
    if (ui.place->currentIndex() > 0)
        f.place = ui.place->currentText().toStdString();
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
            days << qsList(attendanceCells(d));
        for (const AttendanceTotal &t : m_presence.totals)
            totals << qsList(totalsCells(t));
        m_ui->days->setRows(std::move(days));
        m_ui->totals->setRows(std::move(totals));
    }
    return m_presence;
}

void JournalWindow::refilter()
{
    Ui &ui = *m_ui;
    m_rows = filterJournal(m_data, filter());
    ui.passages->setRows(m_rows);
    m_presenceStale = true;
    // The attendance is counted when its tab is shown.
    if (ui.tabs->currentIndex() == 1) {
        presence();
        ui.count->setText(QStringLiteral("%1 jour(s) de présence, %2 titulaire(s)")
                              .arg(m_presence.days.size())
                              .arg(m_presence.totals.size()));
        return;
    }
    const auto marked = std::count_if(m_rows.begin(), m_rows.end(), [&](int i) {
        return m_data.entries[std::size_t(i)].nameTaken();
    });
    QString text =
        QStringLiteral("%1 passage(s) sur %2").arg(m_rows.size()).arg(m_data.entries.size());
    if (marked)
        text += QStringLiteral(" ; %1 nom(s) en italique absents de leur ligne du journal "
                               "(repris du journal ou de la liste ouverte)")
                    .arg(marked);
    ui.count->setText(text);
}

bool JournalWindow::writeShownTab(const QString &path, QString &error)
{
    m_cancelled = false;
    const bool passages = m_ui->tabs->currentIndex() == 0;
    const QString ext = QFileInfo(path).suffix().toLower();
    std::string bytes, why;
    // A download that ends meanwhile reads the journal again once the file is written.
    m_busy = true;
    const auto done = qScopeGuard([this] {
#ifdef __GLIBC__
        malloc_trim(0); // the export's rows, freed, go back to the system
#endif
        m_busy = false;
        if (m_reloadPending) {
            m_reloadPending = false;
            reload();
        }
    });
    if (ext == QLatin1String("csv")) {
        bytes = passages ? passagesCsv(m_data, m_ui->passages->rows()) : attendanceCsv(presence());
    } else if (ext == QLatin1String("xlsx")) {
        Progress progress(this, QStringLiteral("Écriture du classeur « %1 »…")
                                    .arg(QFileInfo(path).fileName()));
        const std::vector<Sheet> sheets =
            passages ? std::vector<Sheet>{passagesSheetOnDemand(m_data, m_ui->passages->rows())}
                     : attendanceSheets(presence());
        if (!xlsxBytes(sheets, bytes, why, [&](std::size_t n, std::size_t total) {
                return progress.step(n, total);
            })) {
            m_cancelled = why == "annulé";
            error = qs(why);
            return false;
        }
    } else if (ext == QLatin1String("pdf")) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setTitle(windowTitle());
            pdf.setCreator(QStringLiteral("platine"));
            if (!render(pdf)) {
                m_cancelled = true;
                error = QStringLiteral("annulé");
                return false;
            }
        }
        bytes = buffer.data().toStdString();
    } else {
        error = QStringLiteral("le type de fichier « %1 » n'est pas connu : choisir un nom en "
                               ".csv, .xlsx ou .pdf")
                    .arg(ext.isEmpty() ? QStringLiteral("sans extension") : QLatin1Char('.') + ext);
        return false;
    }
    if (!files::writeAtomic(nativePath(path), bytes, &why)) {
        error = qs(why);
        return false;
    }
    return true;
}

void JournalWindow::exportClicked()
{
    const QString path = m_dialogs.saveFile(QStringLiteral("Exporter (.csv ou .xlsx)"),
                                            QStringLiteral("journal des passages.xlsx"), this);
    if (path.isEmpty())
        return;
    const QString ext = QFileInfo(path).suffix().toLower();
    QString error;
    if (ext != QLatin1String("csv") && ext != QLatin1String("xlsx"))
        error = QStringLiteral("choisir un nom de fichier en .csv ou .xlsx");
    else if (writeShownTab(path, error) || m_cancelled)
        return;
    m_dialogs.message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Exporter"),
                      QStringLiteral("« %1 » n'a pas été écrit : %2").arg(path, error), this);
}

void JournalWindow::pdfClicked()
{
    QString path = m_dialogs.saveFile(QStringLiteral("PDF"),
                                      QStringLiteral("journal des passages.pdf"), this);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (QFileInfo(path).suffix().toLower() != QLatin1String("pdf"))
        error = QStringLiteral("choisir un nom de fichier en .pdf");
    else if (writeShownTab(path, error) || m_cancelled)
        return;
    m_dialogs.message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("PDF"),
                      QStringLiteral("« %1 » n'a pas été écrit : %2").arg(path, error), this);
}

void JournalWindow::printClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_busy = true;
    if (!render(printer))
        printer.abort();
    m_busy = false;
    if (m_reloadPending) {
        m_reloadPending = false;
        reload();
    }
}

bool JournalWindow::render(QPagedPaintDevice &device)
{
    const bool passages = m_ui->tabs->currentIndex() == 0;
    QList<Section> sections;
    if (passages) {
        const std::vector<int> &rows = m_ui->passages->rows();
        sections << Section{qsList(passagesHeader()), qsizetype(rows.size()), [&](qsizetype r) {
                                return qsList(
                                    passageCells(m_data.entries[std::size_t(rows[std::size_t(r)])]));
                            }};
    } else {
        presence();
        for (const TextModel *m : {m_ui->days, m_ui->totals})
            sections << Section{m->header(), m->rows().size(),
                                [m](qsizetype r) { return m->rows()[r]; }};
    }
    std::size_t total = 0, drawn = 0;
    for (const Section &s : sections)
        total += std::size_t(s.count);
    Progress progress(this, QStringLiteral("Mise en page du journal…"));
    bool cancelled = false;
    const QString title = passages ? QStringLiteral("Journal des passages")
                                   : QStringLiteral("Journal des passages : présences");
    const QString subtitle = qs(describe(filter()));

    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter p(&device);
    QFont font = p.font();
    font.setPointSizeF(9);
    QFont bold = font;
    bold.setBold(true);
    QFont big = bold;
    big.setPointSizeF(13);
    p.setFont(font);
    const int width = device.width(), height = device.height();
    const QFontMetrics fm(font, &device), bm(bold, &device), tm(big, &device);
    const int rowH = fm.height() * 5 / 4, pad = fm.horizontalAdvance(QLatin1Char(' '));
    const int top = tm.height() + fm.height() * 2, bottom = height - fm.height() * 2;

    QList<QList<int>> widths;
    for (const Section &s : sections)
        widths << columnWidths(s, width, pad, fm, bm);

    // Lays the pages out, drawing them when `pages` (their count) is known.
    const auto layout = [&](int pages) {
        int page = 1, y = top;
        const auto startPage = [&] {
            if (!pages)
                return;
            p.setFont(big);
            p.drawText(QRect(0, 0, width, tm.height()), Qt::AlignLeft, title);
            p.setFont(font);
            p.drawText(QRect(0, tm.height(), width, fm.height()), Qt::AlignLeft, subtitle);
            p.drawText(QRect(0, bottom + fm.height() / 2, width, fm.height()), Qt::AlignRight,
                       QStringLiteral("page %1 / %2").arg(page).arg(pages));
        };
        const auto drawRow = [&](const QStringList &cells, const QList<int> &w, bool header) {
            if (pages) {
                p.setFont(header ? bold : font);
                int x = 0;
                for (qsizetype c = 0; c < w.size(); ++c) {
                    const QFontMetrics &m = header ? bm : fm;
                    p.drawText(QRect(x + pad, y, w[c] - pad, rowH),
                               Qt::AlignVCenter | Qt::AlignLeft,
                               m.elidedText(cells.value(c), Qt::ElideRight, w[c] - pad));
                    x += w[c];
                }
                if (header)
                    p.drawLine(0, y + rowH, x, y + rowH);
                p.setFont(font);
            }
            y += rowH;
        };
        const auto newPage = [&] {
            if (pages)
                device.newPage();
            ++page;
            y = top;
            startPage();
        };
        startPage();
        for (qsizetype s = 0; s < sections.size(); ++s) {
            if (s > 0) {
                y += rowH; // a blank line between two tables
                if (y + 2 * rowH > bottom)
                    newPage();
            }
            drawRow(sections[s].header, widths[s], true);
            for (qsizetype r = 0; r < sections[s].count; ++r) {
                if (y + rowH > bottom) {
                    newPage();
                    drawRow(sections[s].header, widths[s], true);
                }
                if (!pages) {
                    y += rowH;
                    continue;
                }
                if (++drawn % 500 == 0 && !progress.step(drawn, total)) {
                    cancelled = true;
                    return page;
                }
                drawRow(sections[s].row(r), widths[s], false);
            }
        }
        return page;
    };
    layout(layout(0));
    return !cancelled;
}

} // namespace platine
