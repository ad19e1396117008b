// "Journal des passages": the filters and the attendance over the journal's
// rows, then the window opened from the main window, filtered, exported to
// .csv, .xlsx (its sheet read back from the zip) and PDF (its text read back
// with pdftotext), and following a download.

#include "board/journal_view.h"
#include "board/journal_window.h"
#include "platform/csv.h"
#include "support/example_list.h"
#include "support/harness.h"

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

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

} // namespace

class TstJournalWindow : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void attendance_data();
    void attendance();
    void windowFiltersAndExports();
    void windowFollowsDownloadsAndNamesFromList();
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

void TstJournalWindow::attendance_data()
{
    QTest::addColumn<QStringList>("journal");
    // The day row of badge 0000000101 on 2026-12-01, then its totals.
    QTest::addColumn<QString>("day");   // "name|first|last|passages|duration"
    QTest::addColumn<QString>("total"); // "name|days|passages"

    QTest::newRow("three passages") << QStringList{"2026-12-01|07:30|0000000101|Zoé Martin|1",
                                                   "2026-12-01|12:00|0000000101|Zoé Martin|2",
                                                   "2026-12-01|17:05|0000000101|Zoé Martin|1"}
                                    << "Zoé Martin|07:30|17:05|3|9:35"
                                    << "Zoé Martin|1|3";
    QTest::newRow("one passage") << QStringList{"2026-12-01|08:00|0000000101|Zoé Martin|1",
                                                "2026-12-01|09:00|0000000102|Paul Durand|1"}
                                 << "Zoé Martin|08:00|08:00|1|0:00"
                                 << "Zoé Martin|1|1";
    QTest::newRow("out of order, over two days")
        << QStringList{"2026-12-01|17:05|0000000101|Zoé Martin|1",
                       "2026-12-02|06:00|0000000101|Zoé Martin|1",
                       "2026-12-01|07:30|0000000101|Zoé Martin|1",
                       "2026-12-01|12:00|0000000101|Zoé Martin|1"}
        << "Zoé Martin|07:30|17:05|3|9:35"
        << "Zoé Martin|2|4";
    QTest::newRow("renamed between downloads: the newer name")
        << QStringList{"2026-12-01|07:30|0000000101|Zoé Martin|1",
                       "2026-12-02|07:45|0000000101|Zoé Martin-Roux|1",
                       "2026-12-01|08:10|0000000101|Zoé Martin|1"}
        << "Zoé Martin-Roux|07:30|08:10|2|0:40"
        << "Zoé Martin-Roux|2|3";
}

void TstJournalWindow::attendance()
{
    QFETCH(QStringList, journal);
    QFETCH(QString, day);
    QFETCH(QString, total);
    const JournalData data = readJournal(journalOf(journal), {});
    const Attendance a = platine::attendance(data, filterJournal(data, {}));
    const auto it = std::find_if(a.days.begin(), a.days.end(), [](const AttendanceDay &d) {
        return d.badge == "0000000101" && d.date == "2026-12-01";
    });
    QVERIFY(it != a.days.end());
    QCOMPARE(QString::fromStdString(it->name + "|" + it->first + "|" + it->last + "|" +
                                    std::to_string(it->passages) + "|" + it->duration),
             day);
    const auto t = std::find_if(a.totals.begin(), a.totals.end(),
                                [](const AttendanceTotal &x) { return x.badge == "0000000101"; });
    QVERIFY(t != a.totals.end());
    QCOMPARE(QString::fromStdString(t->name + "|" + std::to_string(t->days) + "|" +
                                    std::to_string(t->passages)),
             total);
    QCOMPARE(std::count_if(a.totals.begin(), a.totals.end(),
                           [](const AttendanceTotal &x) { return x.badge == "0000000101"; }),
             1);
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
                               "Date;Heure;N° du badge;Nom;Lieu;Téléchargé le\r\n"
                               "2026-12-02;08:00;0000000101;Zoé Martin;1;2026-12-02 18:00\r\n"));
    QCOMPARE(csvText.count("\r\n"), 5);

    // .xlsx: badge numbers as text, dates and times as numbers shown as such.
    const QString xlsx = exportTo("exporter", QStringLiteral("zoe.xlsx"));
    const QString sheet = xlsxPart(xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString strings = xlsxPart(xlsx, QStringLiteral("xl/sharedStrings.xml"));
    const QString styles = xlsxPart(xlsx, QStringLiteral("xl/styles.xml"));
    QCOMPARE(sheet.count(QStringLiteral("<row ")), 5);
    QVERIFY2(sheet.contains(QStringLiteral("<c r=\"A2\" s=\"")) &&
                 sheet.contains(QStringLiteral("<v>46358</v>")),
             qPrintable(sheet));
    QVERIFY(sheet.contains(QStringLiteral("<v>0.3125</v>"))); // 07:30
    QVERIFY(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"C2\" t=\"s\">"))));
    QVERIFY(strings.contains(QStringLiteral("<t>0000000101</t>")));
    QVERIFY(styles.contains(QStringLiteral("formatCode=\"yyyy-mm-dd\"")));
    QVERIFY(sheet.contains(QStringLiteral("ySplit=\"1\"")));
    QVERIFY(sheet.contains(QStringLiteral("<autoFilter ref=\"A1:F5\"/>")));

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

QTEST_MAIN(TstJournalWindow)
#include "tst_journal_window.moc"
