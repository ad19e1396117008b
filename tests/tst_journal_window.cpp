// "Journal des passages": the filters and the attendance over the journal's
// rows, then the window opened from the main window, filtered, exported to
// .csv, .xlsx (its sheet read back from the zip) and PDF (its text read back
// with pdftotext), and following a download.

#include "board/journal_window.h"
#include "core/board/journal_view.h"
#include "core/platform/csv.h"
#include "platform/reports/formats.h"
#include "support/example_list.h"
#include "support/harness.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include "platform/date_field.h"
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QLabel>
#include <QTimer>
#include <QRegularExpression>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QPointer>
#include <QTest>
#include <QTimeEdit>

#include <clocale>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

// The operators' desktops run in French: the locale must not change a byte
// of what the window writes (a decimal comma in a workbook's numbers).
void frenchDesktop()
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
}
Q_CONSTRUCTOR_FUNCTION(frenchDesktop)

// A journal of the given rows "date|time|badge|name|place", as the download writes it.
std::string journalOf(const QStringList &rows)
{
    std::string s = std::string(csv::kBom) + csv::row(journalHeader());
    for (const QString &r : rows) {
        const QStringList f = r.split(QLatin1Char('|'));
        s += csv::row({f[0].toStdString(), f[1].toStdString(), f[2].toStdString(),
                       f[3].toStdString(), f[4].toStdString(), "2026-12-02 18:00"});
    }
    return s;
}

// Three holders over two days, and a row whose date and time the board garbled.
const QStringList kJournal = {
    "2026-12-01|07:30|0000000101|Zoé Martin|1",    "2026-12-01|09:00|0000000102|Paul Durand|1",
    "2026-12-01|17:05|0000000101|Zoé Martin|1",    "2026-12-01|12:00|0000000101|Zoé Martin|1",
    "2026-12-02|08:00|0000000101|Zoé Martin|1",    "2026-12-02|09:10|0000000102|Paul Durand|1",
    "2026-12-02|10:00|0000000103|Élodie Œuvray|2", "3/xx/26|0a:15|0000000104|Inconnu|1",
};

QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QByteArray("failed: ") + p.readAllStandardError();
    return p.readAllStandardOutput();
}

// One part of an .xlsx (a zip), read with unzip.
QString xlsxPart(const QString &file, const QString &part)
{
    return QString::fromUtf8(run(QStringLiteral("unzip"), {QStringLiteral("-p"), file, part}));
}

// Every number the workbook's XML parts hold (cell values, column widths,
// any attribute) with a decimal comma; empty when there is none.
QStringList commaNumbers(const QString &file)
{
    QStringList found;
    const QStringList parts =
        QString::fromUtf8(run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), file}))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    static const QRegularExpression comma(
        QStringLiteral("<v>[^<]*,[^<]*</v>|=\"-?[0-9]+,[0-9]+\""));
    for (const QString &part : parts) {
        auto it = comma.globalMatch(xlsxPart(file, part.trimmed()));
        while (it.hasNext())
            found << part.trimmed() + QLatin1String(": ") + it.next().captured();
    }
    return found;
}

// The passages' PDF pages as pdftotext reads them, one text a page.
QStringList pdfPages(const QString &file)
{
    QStringList pages =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}))
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.pop_back();
    return pages;
}

} // namespace

class TstJournalWindow : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void fold_data();
    void fold();
    void attendance_data();
    void attendance();
    void unnamedRows_data();
    void unnamedRows();
    void windowFiltersAndExports();
    void windowFollowsDownloadsAndNamesFromList();
    void oneWindowAndItsOwnDialogs();
    void dayStartKeptBetweenRuns();
    void workbookNumbersOnAFrenchDesktop();
    void pdfOfLongNamesAndManyPages();
    void longExportCancelled();
    void unreadableLines_data();
    void unreadableLines();
    void readCancelled();
    void formatOfFile_data();
    void formatOfFile();
};

void TstJournalWindow::filters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("newest"); // "date time" of the first row shown

    QTest::newRow("whole journal") << ""
                                   << ""
                                   << ""
                                   << "" << 8 << "3/xx/26 0a:15";
    QTest::newRow("name without accent") << "zoe"
                                         << ""
                                         << ""
                                         << "" << 4 << "2026-12-02 08:00";
    QTest::newRow("name in capitals with accent") << "ZOÉ"
                                                  << ""
                                                  << ""
                                                  << "" << 4 << "2026-12-02 08:00";
    QTest::newRow("blanks around") << "  martin "
                                   << ""
                                   << ""
                                   << "" << 4 << "2026-12-02 08:00";
    QTest::newRow("part of the badge") << "0101"
                                       << ""
                                       << ""
                                       << "" << 4 << "2026-12-02 08:00";
    QTest::newRow("ligature") << "oeuv"
                              << ""
                              << ""
                              << "" << 1 << "2026-12-02 10:00";
    // The search runs over the folded texts of all rows laid end to end:
    // a row matching in several places counts once, and no match spans two rows.
    QTest::newRow("several matches in each row") << "1"
                                                 << ""
                                                 << ""
                                                 << "" << 8 << "3/xx/26 0a:15";
    QTest::newRow("one row's end with the next's start") << "inconnu0000000103"
                                                         << ""
                                                         << ""
                                                         << "" << 0 << "";
    QTest::newRow("nothing matches") << "zz"
                                     << ""
                                     << ""
                                     << "" << 0 << "";
    QTest::newRow("from a day: a garbled date is out") << ""
                                                       << "2026-12-02"
                                                       << ""
                                                       << "" << 3 << "2026-12-02 10:00";
    QTest::newRow("to a day") << ""
                              << ""
                              << "2026-12-01"
                              << "" << 4 << "2026-12-01 17:05";
    QTest::newRow("one day") << ""
                             << "2026-12-01"
                             << "2026-12-01"
                             << "" << 4 << "2026-12-01 17:05";
    QTest::newRow("a place") << ""
                             << ""
                             << ""
                             << "2" << 1 << "2026-12-02 10:00";
    QTest::newRow("all three") << "paul"
                               << "2026-12-02"
                               << "2026-12-02"
                               << "1" << 1 << "2026-12-02 09:10";
}

void TstJournalWindow::filters()
{
    QFETCH(QString, text);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, place);
    QFETCH(int, count);
    QFETCH(QString, newest);
    const JournalData data = readJournal(journalOf(kJournal), {});
    const std::vector<int> rows = filterJournal(
        data, {text.toStdString(), from.toStdString(), to.toStdString(), place.toStdString()});
    QCOMPARE(int(rows.size()), count);
    if (count) {
        const JournalRow &r = data.entries[std::size_t(rows.front())].row;
        QCOMPARE(QString::fromStdString(r.date + " " + r.time), newest);
    }
}

void TstJournalWindow::fold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("acute, capitals") << "ZOÉ Zoé" << "zoe zoe";
    QTest::newRow("ash") << "Æther Lætitia" << "aether laetitia";
    QTest::newRow("ethel") << "Œuvray cœur" << "oeuvray coeur";
    QTest::newRow("sharp s") << "Strauß" << "strauss";
    QTest::newRow("digits kept") << "0000000101" << "0000000101";
}

void TstJournalWindow::fold()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(QString::fromStdString(foldUtf8ForSearch(text.toStdString())), folded);
}

void TstJournalWindow::attendance_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<QString>("dayStart");
    // The day row of badge 0000000101 on 2026-12-01, then its totals.
    QTest::addColumn<QString>("day");   // "name|first|last|passages|duration|note"
    QTest::addColumn<QString>("total"); // "name|days|passages|hours"

    QTest::newRow("three passages") << QStringList{"2026-12-01|07:30|0000000101|Zoé Martin|1",
                                                   "2026-12-01|12:00|0000000101|Zoé Martin|2",
                                                   "2026-12-01|17:05|0000000101|Zoé Martin|1"}
                                    << "00:00"
                                    << "Zoé Martin|07:30|17:05|3|9:35|"
                                    << "Zoé Martin|1|3|9:35";
    QTest::newRow("one passage: marked, no 0:00")
        << QStringList{"2026-12-01|08:00|0000000101|Zoé Martin|1",
                       "2026-12-01|09:00|0000000102|Paul Durand|1"}
        << "00:00"
        << "Zoé Martin|08:00|08:00|1||1 passage : sortie manquante"
        << "Zoé Martin|1|1|0:00";
    QTest::newRow("out of order, over two days")
        << QStringList{"2026-12-01|17:05|0000000101|Zoé Martin|1",
                       "2026-12-02|06:00|0000000101|Zoé Martin|1",
                       "2026-12-01|07:30|0000000101|Zoé Martin|1",
                       "2026-12-01|12:00|0000000101|Zoé Martin|1"}
        << "00:00"
        << "Zoé Martin|07:30|17:05|3|9:35|"
        << "Zoé Martin|2|4|9:35";
    QTest::newRow("renamed between downloads: the newer name")
        << QStringList{"2026-12-01|07:30|0000000101|Zoé Martin|1",
                       "2026-12-02|07:45|0000000101|Zoé Martin-Roux|1",
                       "2026-12-01|08:10|0000000101|Zoé Martin|1"}
        << "00:00"
        << "Zoé Martin-Roux|07:30|08:10|2|0:40|"
        << "Zoé Martin-Roux|2|3|0:40";
    QTest::newRow("night shift split at midnight")
        << QStringList{"2026-12-01|22:00|0000000101|Zoé Martin|1",
                       "2026-12-02|05:30|0000000101|Zoé Martin|1"}
        << "00:00"
        << "Zoé Martin|22:00|22:00|1||1 passage : sortie manquante"
        << "Zoé Martin|2|2|0:00";
    QTest::newRow("night shift, days from 12:00")
        << QStringList{"2026-12-01|22:00|0000000101|Zoé Martin|1",
                       "2026-12-02|05:30|0000000101|Zoé Martin|1",
                       "2026-12-02|21:50|0000000101|Zoé Martin|1",
                       "2026-12-03|06:10|0000000101|Zoé Martin|1"}
        << "12:00"
        << "Zoé Martin|22:00|05:30|2|7:30|"
        << "Zoé Martin|2|4|15:50";
    QTest::newRow("before the start: the day before")
        << QStringList{"2026-12-02|05:59|0000000101|Zoé Martin|1",
                       "2026-12-01|06:00|0000000101|Zoé Martin|1",
                       "2026-12-02|06:00|0000000101|Zoé Martin|1"}
        << "06:00"
        << "Zoé Martin|06:00|05:59|2|23:59|"
        << "Zoé Martin|2|3|23:59";
    QTest::newRow("across a month and a year's end")
        << QStringList{"2026-12-02|01:00|0000000101|Zoé Martin|1",
                       "2026-12-01|23:00|0000000101|Zoé Martin|1",
                       "2027-01-01|02:00|0000000101|Zoé Martin|1"}
        << "23:00"
        << "Zoé Martin|23:00|01:00|2|2:00|"
        << "Zoé Martin|2|3|2:00";
}

void TstJournalWindow::attendance()
{
    QFETCH(QStringList, journal);
    QFETCH(QString, dayStart);
    QFETCH(QString, day);
    QFETCH(QString, total);
    const JournalData data = readJournal(journalOf(journal), {});
    const Attendance a = platine::attendance(data, filterJournal(data, {}),
                                             dayStartMinutes(dayStart.toStdString()));
    const auto it = std::find_if(a.days.begin(), a.days.end(), [](const AttendanceDay &d) {
        return d.badge == "0000000101" && d.date == "2026-12-01";
    });
    QVERIFY(it != a.days.end());
    QCOMPARE(QString::fromStdString(it->name + "|" + it->first + "|" + it->last + "|" +
                                    std::to_string(it->passages) + "|" + it->duration + "|" +
                                    it->note),
             day);
    const auto t = std::find_if(a.totals.begin(), a.totals.end(),
                                [](const AttendanceTotal &x) { return x.badge == "0000000101"; });
    QVERIFY(t != a.totals.end());
    QCOMPARE(QString::fromStdString(t->name + "|" + std::to_string(t->days) + "|" +
                                    std::to_string(t->passages) + "|" + t->hours),
             total);
    QCOMPARE(std::count_if(a.totals.begin(), a.totals.end(),
                           [](const AttendanceTotal &x) { return x.badge == "0000000101"; }),
             1);
    // The window's CSV, written from the sheets, keeps the journal's conventions.
    QCOMPARE(sheetsCsv(attendanceSheets(a)), attendanceCsv(a));
}

void TstJournalWindow::unnamedRows_data()
{
    QTest::addColumn<QStringList>("journal"); // the unnamed row is the first
    QTest::addColumn<QString>("shown");       // its name in the tables
    QTest::addColumn<QString>("search");      // a search that finds it

    const QStringList named = {"2026-11-20|08:00|0000000101|Zoé Martin|1",
                               "2026-11-25|08:00|0000000101|Zoé Martin-Roux|1"};
    QTest::newRow("the journal's newest name") << QStringList{"2026-12-01|07:30|0000000101||1"} + named
                                               << "Zoé Martin-Roux (d'après le journal)"
                                               << "roux";
    QTest::newRow("the journal before the list")
        << QStringList{"2026-12-01|07:30|0000000001||1",
                       "2026-11-20|08:00|0000000001|Ancien Nom|1"}
        << "Ancien Nom (d'après le journal)"
        << "ancien";
    QTest::newRow("the open list") << QStringList{"2026-12-01|07:30|0000000001||1"} + named
                                   << "Valmire (d'après la liste)"
                                   << "valmire";
    QTest::newRow("nobody") << QStringList{"2026-12-01|07:30|0000000777||1"} + named
                            << "(inconnu)"
                            << "inconnu";
}

void TstJournalWindow::unnamedRows()
{
    QFETCH(QStringList, journal);
    QFETCH(QString, shown);
    QFETCH(QString, search);
    const JournalData data = readJournal(journalOf(journal), {{"0000000001", "Valmire"}});
    const auto it = std::find_if(data.entries.begin(), data.entries.end(),
                                 [](const JournalEntry &e) { return e.line == 0; });
    QCOMPARE(QString::fromStdString(shownName(*it)), shown);
    QCOMPARE(QString::fromStdString(passageCells(*it)[3]), shown);
    const std::vector<int> rows = filterJournal(data, {search.toStdString(), "", "", ""});
    QVERIFY(std::find(rows.begin(), rows.end(), int(it - data.entries.begin())) != rows.end());
    // The exports carry the name as shown; the journal's own names stay as they are.
    const std::string csvText = passagesCsv(data, filterJournal(data, {}));
    QVERIFY(csvText.find(shown.toStdString()) != std::string::npos);
    const std::vector<int> all = filterJournal(data, {});
    QCOMPARE(passagesSheet(data, all).rows.front()[3].text, shown.toStdString());
    // The sheet made row by row as it is written is the same sheet.
    const Sheet eager = passagesSheet(data, all), lazy = passagesSheetOnDemand(data, all);
    QCOMPARE(lazy.size(), eager.size());
    QCOMPARE(lazy.widths, eager.widths);
    for (std::size_t r = 0; r < eager.size(); ++r)
        for (std::size_t c = 0; c < eager.header.size(); ++c) {
            QCOMPARE(lazy.row(r)[c].text, eager.rows[r][c].text);
            QCOMPARE(lazy.row(r)[c].number, eager.rows[r][c].number);
        }
    QCOMPARE(sheetsCsv({lazy}), passagesCsv(data, all));
}

void TstJournalWindow::windowFiltersAndExports()
{
    Harness h;
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(kJournal))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Journal des passages"));
    QVERIFY(!w->isModal());
    auto *view = w->findChild<QTableView *>(QStringLiteral("passages"));
    QCOMPARE(view->model()->rowCount(), 8);
    auto *place = w->findChild<QComboBox *>(QStringLiteral("lieu"));
    place->setCurrentIndex(place->findText(QStringLiteral("2")));
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(view->model()->index(0, 3).data().toString(), QStringLiteral("Élodie Œuvray"));
    place->setCurrentIndex(0);
    QCOMPARE(view->model()->rowCount(), 8);
    QTest::keyClicks(w->findChild<QLineEdit *>(QStringLiteral("recherche")), QStringLiteral("zoe"));
    QCOMPARE(view->model()->rowCount(), 4);
    QCOMPARE(view->model()->index(0, 1).data().toString(), QStringLiteral("08:00"));

    const auto exportTo = [&](const char *button, const QString &name) {
        h.dialogs.files.push_back(h.path(name));
        w->findChild<QPushButton *>(QLatin1String(button))->click();
        return h.path(name);
    };
    // .csv: the journal's conventions, badge numbers as they stand.
    const QByteArray csvText = Harness::readFile(exportTo("exporter", QStringLiteral("zoe.csv")));
    QVERIFY(csvText.startsWith("\xEF\xBB\xBF"
                               "Date;Heure;N° du badge;Nom;Lieu;Téléchargé le;Platine\r\n"
                               "2026-12-02;08:00;0000000101;Zoé Martin;1;2026-12-02 18:00;\r\n"));
    QCOMPARE(csvText.count("\r\n"), 5);

    // .xlsx: badge numbers as text, dates and times as numbers shown as such.
    const QString xlsx = exportTo("exporter", QStringLiteral("zoe.xlsx"));
    const QString sheet = xlsxPart(xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString styles = xlsxPart(xlsx, QStringLiteral("xl/styles.xml"));
    QCOMPARE(sheet.count(QStringLiteral("<row ")), 5);
    QVERIFY2(sheet.contains(QStringLiteral("<c r=\"A2\" s=\"")) &&
                 sheet.contains(QStringLiteral("<v>46358</v>")),
             qPrintable(sheet));
    QVERIFY(sheet.contains(QStringLiteral("<v>0.3125</v>"))); // 07:30
    QVERIFY(sheet.contains(QStringLiteral("<c r=\"C2\" t=\"inlineStr\"><is><t>0000000101</t>")));
    QVERIFY(styles.contains(QStringLiteral("formatCode=\"yyyy-mm-dd\"")));
    QVERIFY(sheet.contains(QStringLiteral("ySplit=\"1\"")));
    QVERIFY(sheet.contains(QStringLiteral("<autoFilter ref=\"A1:G5\"/>")));

    // "Présences": Zoé Martin on 2026-12-01 from 07:30 to 17:05.
    w->findChild<QTabWidget *>(QStringLiteral("onglets"))->setCurrentIndex(1);
    auto *days = w->findChild<QTableView *>(QStringLiteral("presences"));
    QCOMPARE(days->model()->rowCount(), 2);
    QCOMPARE(days->model()->index(0, 3).data().toString(), QStringLiteral("07:30"));
    const QString presence = xlsxPart(exportTo("exporter", QStringLiteral("présences.xlsx")),
                                      QStringLiteral("xl/worksheets/sheet1.xml"));
    QVERIFY(presence.contains(QStringLiteral("<c r=\"C2\" s=\"")) &&
            presence.contains(QStringLiteral("<v>46357</v>")));
    QVERIFY2(presence.contains(QRegularExpression(
                 QStringLiteral("<c r=\"D2\" s=\"\\d+\"><v>0.3125</v></c>"
                                "<c r=\"E2\" s=\"\\d+\"><v>0.71180555555555"))),
             qPrintable(presence));
    QVERIFY(presence.contains(QStringLiteral("<c r=\"F2\"><v>3</v>")));
    // Sorted by the operator, the days are written as shown.
    days->sortByColumn(5, Qt::AscendingOrder);
    const QList<QByteArray> sorted =
        Harness::readFile(exportTo("exporter", QStringLiteral("présences.csv"))).split('\n');
    QVERIFY2(sorted.value(1).contains("2026-12-02;08:00;08:00;1"), sorted.value(1));

    // PDF: the title with the filter, the names, the page count.
    const QString pdf = exportTo("pdf", QStringLiteral("présences.pdf"));
    const QString text =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
    QVERIFY2(text.contains(QStringLiteral("Zoé Martin")) &&
                 text.contains(QStringLiteral("recherche « zoe »")) &&
                 text.contains(QStringLiteral("page 1 / 1")) &&
                 text.contains(QStringLiteral("9:35")),
             qPrintable(text));

    // A name that says nothing of its type is refused, and nothing is written.
    exportTo("exporter", QStringLiteral("zoe.txt"));
    QVERIFY(!QFile::exists(h.path(QStringLiteral("zoe.txt"))));
    QCOMPARE(h.dialogs.shown.back().icon, MsgIcon::Critical);
}

void TstJournalWindow::windowFollowsDownloadsAndNamesFromList()
{
    Harness h;
    QVERIFY(Harness::writeFile(h.path(QStringLiteral("liste.txt")),
                               QByteArray::fromStdString(kListHeader + kExampleRecord)));
    h.openList(h.path(QStringLiteral("liste.txt")));
    // Before a list was open the download wrote no name; the window shows the list's, marked.
    QVERIFY(Harness::writeFile(
        h.path(QString::fromUtf8(kJournalFile)),
        QByteArray::fromStdString(journalOf({"2026-12-01|07:30|0000000001||1"}))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    auto *model = w->findChild<QTableView *>(QStringLiteral("passages"))->model();
    // The model as the window drives it (a download read again), under Qt's tester.
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("Valmire"));
    QVERIFY(model->index(0, 3).data(Qt::FontRole).value<QFont>().italic());
    QVERIFY(Harness::readFile(h.path(QString::fromUtf8(kJournalFile))).contains("0000000001;;1"));

    // A download adds a passage: the open window shows it.
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) {
        h.port.deliver("0000000001     17:05 01/12/26 01 *\r\nHistorique\r\n", 100ms);
    };
    h.form->Command3_Click();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("17:05"));
    QVERIFY(
        !model->index(0, 3).data(Qt::FontRole).value<QFont>().italic()); // named by the download
}

void TstJournalWindow::oneWindowAndItsOwnDialogs()
{
    Harness h;
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(kJournal))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    QTest::keyClicks(w->findChild<QLineEdit *>(QStringLiteral("recherche")), QStringLiteral("paul"));
    h.form->journal_des_passages_Click();
    h.form->journal_des_passages_Click();
    QCOMPARE(h.form->findChildren<JournalWindow *>().size(), 1);
    QCOMPARE(h.windows.find<JournalWindow>(), w);
    QCOMPARE(w->rows().size(), std::size_t(2)); // the search kept
    // Closed, the next click opens a new one.
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    h.form->journal_des_passages_Click();
    QCOMPARE(h.form->findChildren<JournalWindow *>().size(), 1);

    // Each dialog the journal asks stays over the journal's window.
    w = h.windows.find<JournalWindow>();
    for (const char *button : {"exporter", "pdf"}) {
        h.dialogs.files.push_back(h.path(QStringLiteral("journal.txt")));
        w->findChild<QPushButton *>(QLatin1String(button))->click();
        const auto n = h.dialogs.shown.size();
        QVERIFY(n >= 2);
        QCOMPARE(h.dialogs.shown[n - 2].kind, QStringLiteral("save"));
        QCOMPARE(h.dialogs.shown[n - 2].parent.data(), w);
        QCOMPARE(h.dialogs.shown[n - 1].kind, QStringLiteral("message"));
        QCOMPARE(h.dialogs.shown[n - 1].parent.data(), w);
    }
}

void TstJournalWindow::dayStartKeptBetweenRuns()
{
    Harness h;
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(
                                   {"2026-12-03|22:00|0000000101|Zoé Martin|1",
                                    "2026-12-04|05:30|0000000101|Zoé Martin|1"}))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    w->findChild<QTabWidget *>(QStringLiteral("onglets"))->setCurrentIndex(1);
    auto *days = w->findChild<QTableView *>(QStringLiteral("presences"))->model();
    QCOMPARE(days->rowCount(), 2);
    QCOMPARE(days->index(0, 7).data().toString(), QStringLiteral("1 passage : sortie manquante"));
    w->findChild<QTimeEdit *>(QStringLiteral("debut_journee"))->setTime(QTime(12, 0));
    QCOMPARE(days->rowCount(), 1);
    QCOMPARE(days->index(0, 2).data().toString(), QStringLiteral("03/12/2026")); // the desktop's form
    QCOMPARE(days->index(0, 6).data().toString(), QStringLiteral("7:30"));
    auto *totals = w->findChild<QTableView *>(QStringLiteral("totaux"))->model();
    QCOMPARE(totals->index(0, 4).data().toString(), QStringLiteral("7:30"));
    // Kept in the program's own settings, not in param.ini; the next window starts from it.
    QVERIFY(!Harness::readFile(h.path(QStringLiteral("param.ini"))).contains("12:00"));
    QVERIFY(Harness::readFile(h.path(QStringLiteral("platine.ini"))).contains("=12:00"));
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    h.form->journal_des_passages_Click();
    w = h.windows.find<JournalWindow>();
    QCOMPARE(w->dayStart(), 12 * 60);
}

void TstJournalWindow::workbookNumbersOnAFrenchDesktop()
{
    // The test proves nothing on a desktop whose numbers already have a point.
    QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    Harness h;
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(kJournal))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    QString error;
    const QString passages = h.path(QStringLiteral("passages.xlsx"));
    QVERIFY2(w->writeShownTab(passages, error), qPrintable(error));
    w->findChild<QTabWidget *>(QStringLiteral("onglets"))->setCurrentIndex(1);
    const QString presence = h.path(QStringLiteral("présences.xlsx"));
    QVERIFY2(w->writeShownTab(presence, error), qPrintable(error));
    for (const QString &file : {passages, presence}) {
        const QStringList commas = commaNumbers(file);
        QVERIFY2(commas.isEmpty(), qPrintable(commas.join(QLatin1Char('\n'))));
    }
    // Times and durations as numbers with a decimal point: 07:30, 12:00-17:05's 9:35.
    QVERIFY(xlsxPart(passages, QStringLiteral("xl/worksheets/sheet1.xml"))
                .contains(QStringLiteral("<v>0.3125</v>")));
    QVERIFY(xlsxPart(presence, QStringLiteral("xl/worksheets/sheet1.xml"))
                .contains(QStringLiteral("<v>0.3993055555555")));
    QVERIFY(xlsxPart(presence, QStringLiteral("xl/worksheets/sheet1.xml"))
                .contains(QRegularExpression(QStringLiteral("width=\"[0-9]+\\.[0-9]+\""))));
    // The totals' hours: Zoé Martin 9:35 + 0:00.
    QVERIFY(xlsxPart(presence, QStringLiteral("xl/worksheets/sheet2.xml"))
                .contains(QStringLiteral("<v>0.3993055555555")));
}

void TstJournalWindow::pdfOfLongNamesAndManyPages()
{
    Harness h;
    const QString longName = QString(200, QLatin1Char('N'));
    QStringList rows;
    for (int i = 0; i < 150; ++i)
        rows << QStringLiteral("2026-12-%1|08:%2|0000000%3|%4|1")
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(100 + i)
                    .arg(i == 0 ? longName : QStringLiteral("Nom %1").arg(i));
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(rows))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    const QString pdf = h.path(QStringLiteral("passages.pdf"));
    QString error;
    QVERIFY2(w->writeShownTab(pdf, error), qPrintable(error));
    const QStringList pages = pdfPages(pdf);
    QVERIFY2(pages.size() >= 3, qPrintable(pages.join(QLatin1String("\n----\n"))));
    // Every page repeats the header; every row keeps its whole date and badge.
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY2(pages[p].contains(QStringLiteral("N° du badge")), qPrintable(pages[p]));
        QVERIFY(pages[p].contains(QStringLiteral("page %1 / %2").arg(p + 1).arg(pages.size())));
    }
    const QString all = pages.join(QLatin1Char('\n'));
    // The date of each row and the day it was downloaded on.
    QCOMPARE(all.count(QRegularExpression(QStringLiteral("2026-12-[0-9][0-9]"))), 300);
    QCOMPARE(all.count(QRegularExpression(QStringLiteral("0000000[0-9]{3}"))), 150);
    QVERIFY(!all.contains(QStringLiteral("2026-12…")));
    // The long name is cut in its own column.
    QVERIFY(all.contains(QStringLiteral("NNNNNNNNNN")) && !all.contains(longName));
}

void TstJournalWindow::longExportCancelled()
{
    Harness h;
    QStringList rows;
    for (int i = 0; i < 20000; ++i)
        rows << QStringLiteral("2026-12-01|08:%1|0000%2|Nom %2|1")
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(100000 + i);
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journalOf(rows))));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    for (const char *name : {"passages.pdf", "passages.xlsx"}) {
        // "Annuler" as soon as the export lets the events in.
        bool cancelled = false;
        QTimer::singleShot(0, w, [&] {
            if (auto *progress = w->findChild<QProgressDialog *>(QStringLiteral("progression"))) {
                progress->cancel();
                cancelled = true;
            }
        });
        h.dialogs.files.push_back(h.path(QString::fromLatin1(name)));
        const auto shown = h.dialogs.shown.size();
        const bool pdf = QString::fromLatin1(name).endsWith(QLatin1String(".pdf"));
        w->findChild<QPushButton *>(QLatin1String(pdf ? "pdf" : "exporter"))->click();
        QVERIFY2(cancelled, name);
        QVERIFY(!QFile::exists(h.path(QString::fromLatin1(name))));
        QCOMPARE(h.dialogs.shown.size(), shown + 1); // the file dialog, no error
    }
}

void TstJournalWindow::unreadableLines_data()
{
    // Lines put among the journal's rows, after its third row (file line 5 on).
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("count"); // the end of the count line
    QTest::newRow("a stray quote")
        << QStringList{"2026-12-01;10:00;0000000101;\"Zoé;1;2026-12-02 18:00"}
        << ", dont 1 ligne illisible";
    QTest::newRow("a garbled line") << QStringList{"\x01#~@ÿÿ"} << ", dont 1 ligne illisible";
    QTest::newRow("a line cut short") << QStringList{"2026-12-31;23"} << ", dont 1 ligne illisible";
    QTest::newRow("both") << QStringList{"2026-12-01;10:00;0000000101;\"Zoé;1;x", "##;?"}
                          << ", dont 2 lignes illisibles";
}

void TstJournalWindow::unreadableLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, count);
    Harness h;
    std::string journal = journalOf(kJournal);
    std::size_t at = 0;
    for (int n = 0; n < 4; ++n) // after the byte-order mark and header, three rows
        at = journal.find("\r\n", at) + 2;
    journal.insert(at, lines.join(QStringLiteral("\r\n")).toStdString() + "\r\n");
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journal)));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    auto *model = w->findChild<QTableView *>(QStringLiteral("passages"))->model();
    // Every row of the journal is there, the unreadable lines at the end, as they stand.
    QCOMPARE(model->rowCount(), 8 + lines.size());
    for (int k = 0; k < lines.size(); ++k) {
        const QModelIndex name = model->index(model->rowCount() - lines.size() + k, 3);
        const int line = 5 + int(lines.size()) - 1 - k; // the later line first
        QCOMPARE(name.data().toString(), lines[int(lines.size()) - 1 - k]);
        QCOMPARE(name.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("ligne illisible du journal (ligne %1)").arg(line));
        QVERIFY(name.data(Qt::FontRole).value<QFont>().italic());
        QVERIFY(model->index(name.row(), 0).data().toString().isEmpty());
    }
    // The row after each unreadable line is read (Zoé Martin's 12:00, file line 5 + n).
    QCOMPARE(model->index(5, 1).data().toString(), QStringLiteral("12:00"));
    auto *label = w->findChild<QLabel *>(QStringLiteral("nombre"));
    QVERIFY2(label->text().endsWith(count), qPrintable(label->text()));
    // The range follows the passages only.
    QCOMPARE(w->findChild<DateField *>(QStringLiteral("au"))->placeholderDate(), QDate(2026, 12, 2));
    // A search finds an unreadable line by its text; a place leaves it out.
    QTest::keyClicks(w->findChild<QLineEdit *>(QStringLiteral("recherche")), QStringLiteral("ZOE"));
    QCOMPARE(model->rowCount(), 4 + int(lines.filter(QStringLiteral("Zoé")).size()));
    w->findChild<QLineEdit *>(QStringLiteral("recherche"))->clear();
    auto *place = w->findChild<QComboBox *>(QStringLiteral("lieu"));
    place->setCurrentIndex(place->findText(QStringLiteral("1")));
    QCOMPARE(model->rowCount(), 7);
    place->setCurrentIndex(0);
    // The export keeps the lines, marked.
    h.dialogs.files.push_back(h.path(QStringLiteral("tout.csv")));
    w->findChild<QPushButton *>(QStringLiteral("exporter"))->click();
    const QString csvText = QString::fromUtf8(Harness::readFile(h.path(QStringLiteral("tout.csv"))));
    QVERIFY2(csvText.contains(QStringLiteral("ligne illisible du journal (ligne 5) : ")),
             qPrintable(csvText));
    // "Présences" counts the passages only: the same days as without them.
    w->findChild<QTabWidget *>(QStringLiteral("onglets"))->setCurrentIndex(1);
    QCOMPARE(w->presence().days.size(), std::size_t(6));
    QCOMPARE(w->presence().totals.size(), std::size_t(4));
}

void TstJournalWindow::readCancelled()
{
    Harness h;
    const QString path = h.path(QString::fromUtf8(kJournalFile));
    QStringList many;
    for (int i = 0; i < 12000; ++i) // about 800 kB: more than one slice of a read
        many << QStringLiteral("2026-11-%1|08:00|0000%2|Nom %2|1")
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(100000 + i);
    // "Annuler" as soon as the read lets the events in.
    const auto cancelSoon = [&](bool *cancelled) {
        QTimer::singleShot(0, h.form.get(), [&h, cancelled] {
            for (auto *p : h.form->window()->findChildren<QProgressDialog *>(
                     QStringLiteral("progression"))) {
                p->cancel();
                *cancelled = true;
            }
        });
    };
    // The first read cancelled: the window is empty and says why.
    QVERIFY(Harness::writeFile(path, QByteArray::fromStdString(journalOf(many))));
    bool cancelled = false;
    cancelSoon(&cancelled);
    h.form->journal_des_passages_Click();
    QVERIFY(cancelled);
    auto *w = h.windows.find<JournalWindow>();
    auto *model = w->findChild<QTableView *>(QStringLiteral("passages"))->model();
    auto *label = w->findChild<QLabel *>(QStringLiteral("nombre"));
    QVERIFY(w->readCancelled());
    QCOMPARE(model->rowCount(), 0);
    QVERIFY2(label->text().contains(QStringLiteral("lecture du journal annulée : aucun passage")),
             qPrintable(label->text()));

    // Read whole in small slices, then a longer journal's read cancelled: the rows stay.
    QVERIFY(Harness::writeFile(path, QByteArray::fromStdString(journalOf(kJournal))));
    w->setReadSlice(64);
    emit label->linkActivated(QStringLiteral("relire"));
    QVERIFY(!w->readCancelled());
    QCOMPARE(model->rowCount(), 8);
    QVERIFY(!label->text().contains(QStringLiteral("annulée")));
    QVERIFY(Harness::writeFile(path, QByteArray::fromStdString(journalOf(kJournal + many))));
    cancelled = false;
    QTimer::singleShot(0, w, [&] {
        if (auto *p = w->findChild<QProgressDialog *>(QStringLiteral("progression")))
            p->cancel(), cancelled = true;
    });
    w->reload();
    QVERIFY(cancelled);
    QCOMPARE(model->rowCount(), 8);
    QVERIFY2(label->text().contains(QStringLiteral("ceux de la lecture précédente")),
             qPrintable(label->text()));
    w->reload();
    QCOMPARE(model->rowCount(), 8 + 12000);

    // Closed during a read: the read stops and the window goes after it,
    // its progress box with it, once.
    QPointer<JournalWindow> gone(w);
    QTimer::singleShot(0, w, [w] { w->close(); });
    w->reload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(!gone);
}

void TstJournalWindow::formatOfFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("format"); // its extension; empty: refused
    QTest::newRow("workbook") << "/tmp/zoe.xlsx" << "xlsx";
    QTest::newRow("letter case aside") << "/tmp/ZOE.Csv" << "csv";
    QTest::newRow("the last extension") << "/tmp/zoe.pdf.csv" << "csv";
    QTest::newRow("a kind not offered") << "/tmp/zoe.pdf" << "";
    QTest::newRow("none") << "/tmp/zoe" << "";
    QTest::newRow("a folder's dot") << "/tmp/a.xlsx/zoe" << "";
}

void TstJournalWindow::formatOfFile()
{
    QFETCH(QString, path);
    QFETCH(QString, format);
    const ReportFormat *f = platine::formatOfFile(path, {FileKind::Workbook, FileKind::Csv});
    QCOMPARE(f ? f->extension : QString(), format);
}

QTEST_MAIN(TstJournalWindow)
#include "tst_journal_window.moc"
