// The window's item models, each under Qt's QAbstractItemModelTester over
// realistic rows: set again on each reading (a reset), sorted by every
// column both ways, filtered through the proxy its window uses.

#include "app/port_list_model.h"
#include "badges/badge_table_model.h"
#include "board/operations_model.h"
#include "board/boards_model.h"
#include "core/boards/boards.h"
#include "board/passages_model.h"
#include "board/text_model.h"
#include "core/badges/listfile.h"
#include "core/board/journal_view.h"
#include "core/platform/csv.h"
#include "platform/date_field.h"
#include "platform/text.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

using namespace platine;

namespace {

// The operators' desktops run in French: texts sort as French orders them.
void frenchDesktop()
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
}
Q_CONSTRUCTOR_FUNCTION(frenchDesktop)

// A journal as the download writes it: "date|time|badge|name|place" rows.
JournalData journal(const QStringList &rows, const NamesByBadge &names = {})
{
    std::string s = std::string(csv::kBom) + csv::row(journalHeader());
    for (const QString &r : rows) {
        const QStringList f = r.split(QLatin1Char('|'));
        s += csv::row({f[0].toStdString(), f[1].toStdString(), f[2].toStdString(),
                       f[3].toStdString(), f[4].toStdString(), "2026-12-02 18:00"});
    }
    return readJournal(s, names);
}

const QStringList kJournal = {
    "2026-12-01|07:30|0000000101|Zoé Martin|1", "2026-12-01|09:00|0000000102|Paul Durand|2",
    "2026-12-02|08:00|0000000101||1",           "2026-12-02|10:00|0000000103|Élodie Œuvray|2",
    "2026-12-02|11:00|0000000900||3",           "3/xx/26|0a:15|0000000104|Inconnu|1",
};

QStringList column(const QAbstractItemModel &m, int c)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r, c).data().toString();
    return out;
}

} // namespace

class TstModels : public QObject {
    Q_OBJECT
private slots:
    void passages_data();
    void passages();
    void passagesReset();
    void operations();
    void passagesFromBytes_data();
    void passagesFromBytes();
    void texts();
    void ports();
    void badges();
    void badgeStates();
    void boardNames();
};

void TstModels::passages_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("shown"); // the column, top to bottom
    const auto asc = int(Qt::AscendingOrder), desc = int(Qt::DescendingOrder);
    // The journal's order is newest first; the garbled date sorts as the file has it.
    QTest::newRow("date, newest first")
        << 0 << desc
        << QStringList{"3/xx/26", "02/12/2026", "02/12/2026", "02/12/2026", "01/12/2026",
                       "01/12/2026"}; // shown as a French desktop writes dates
    QTest::newRow("badge ascending")
        << 2 << asc
        << QStringList{"0000000101", "0000000101", "0000000102", "0000000103", "0000000104",
                       "0000000900"};
    // A name taken from another row shows as such; nobody's comes last either way.
    QTest::newRow("name ascending")
        << 3 << asc
        << QStringList{"Élodie Œuvray", "Inconnu", "Paul Durand", "Zoé Martin", "Zoé Martin",
                       "(inconnu)"};
    QTest::newRow("name descending")
        << 3 << desc
        << QStringList{"Zoé Martin", "Zoé Martin", "Paul Durand", "Inconnu", "Élodie Œuvray",
                       "(inconnu)"};
    QTest::newRow("place descending") << 4 << desc
                                      << QStringList{"3", "2", "2", "1", "1", "1"};
}

void TstModels::passages()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, shown);
    const JournalData data = journal(kJournal);
    PassagesModel model(data);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setShown(filterJournal(data, {}));
    model.sort(column, Qt::SortOrder(order));
    QCOMPARE(::column(model, column), shown);
    QVERIFY(!QTest::currentTestFailed());
}

void TstModels::operations()
{
    // Three rows of the journal of operations, oldest first as written.
    std::vector<OperationRow> rows(3);
    const char *const badges[] = {"0000000102", "0000000101", ""};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].date = "2026-12-0" + std::to_string(i + 1);
        rows[i].badge = badges[i];
        rows[i].operation = i == 2 ? op::kUpload : op::kChanged;
    }
    OperationsModel model(rows);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setShown(filterOperations(rows, {}, "", "", ""));
    QCOMPARE(::column(model, 0), (QStringList{"2026-12-03", "2026-12-02", "2026-12-01"}));
    model.sort(6, Qt::AscendingOrder);
    QCOMPARE(::column(model, 6), (QStringList{"", "0000000101", "0000000102"}));
    // Filtered again (a keystroke): the sorting asked for stays.
    model.setShown(filterOperations(rows, {}, "modif", "", ""));
    QCOMPARE(::column(model, 6), (QStringList{"0000000101", "0000000102"}));
    QCOMPARE(model.headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Après"));
    QVERIFY(!model.index(5, 0).isValid());
    QVERIFY(!QTest::currentTestFailed());
}

void TstModels::passagesReset()
{
    JournalData data = journal(kJournal);
    PassagesModel model(data);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setShown(filterJournal(data, {}));
    model.sort(3, Qt::AscendingOrder);
    // The name of 2026-12-02 08:00 comes from the badge's other row, in italics.
    const int taken = int(column(model, 1).indexOf(QStringLiteral("08:00")));
    QVERIFY(model.index(taken, 3).data(Qt::FontRole).value<QFont>().italic());
    QVERIFY(!model.index(taken, 3).data(Qt::ToolTipRole).toString().isEmpty());
    QVERIFY(!model.index(0, 3).data(Qt::FontRole).isValid());

    // Read again after a download (the rows emptied first, as the window
    // does before the journal it points into goes), then filtered: the
    // sorting asked for stays.
    model.setShown({});
    data = journal(kJournal + QStringList{"2026-12-03|07:00|0000000102|Paul Durand|2"});
    JournalFilter f;
    f.place = "2";
    model.setShown(filterJournal(data, f));
    QCOMPARE(column(model, 3), (QStringList{"Élodie Œuvray", "Paul Durand", "Paul Durand"}));
    model.setShown({});
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!QTest::currentTestFailed());
}

// The rows shown, top to bottom, each as "date|time|badge|name|place|downloaded".
QStringList shownRows(const QAbstractItemModel &m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.index(r, c).data().toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

void TstModels::passagesFromBytes_data()
{
    // The journal's bytes as a hand, a spreadsheet or a cut-off write leave them.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown"); // newest first
    QTest::addColumn<int>("unreadable");
    QTest::addColumn<QString>("tip"); // of the first unreadable row
    const QByteArray head = "\xEF\xBB\xBF" "date;heure;badge;nom;lieu;t\xC3\xA9l\xC3\xA9" "chargement\r\n";
    const QByteArray a = "2026-12-01;07:30;0000000101;Zo\xC3\xA9 Martin;1;2026-12-02 18:00";
    const QByteArray b = "2026-12-02;08:00;0000000102;Paul Durand;2;2026-12-02 18:00";
    const QString shownA = QStringLiteral("2026-12-01|07:30|0000000101|Zoé Martin|1|2026-12-02 18:00");
    const QString shownB = QStringLiteral("2026-12-02|08:00|0000000102|Paul Durand|2|2026-12-02 18:00");
    QTest::newRow("empty file") << QByteArray() << QStringList() << 0 << QString();
    QTest::newRow("header alone, no line end")
        << head.chopped(2) << QStringList() << 0 << QString();
    QTest::newRow("last line without its line end")
        << head + a + "\r\n" + b << QStringList{shownB, shownA} << 0 << QString();
    QTest::newRow("LF, lone CR and blank lines")
        << QByteArray(head).replace("\r\n", "\n") + "\r\n\n" + a + "\r" + b + "\n\n"
        << QStringList{shownB, shownA} << 0 << QString();
    // A quote left open marks its own line only, the next row stands.
    QTest::newRow("quote left open")
        << head + b + "\r\n\r\n2026-12-03;\"09:00;0000000103;X;1;-\r\n" + a + "\r\n"
        << QStringList{shownB, shownA,
                       QStringLiteral("|||2026-12-03;\"09:00;0000000103;X;1;-||")}
        << 1 << QStringLiteral("ligne illisible du journal (ligne 4)");
    QTest::newRow("line cut short")
        << head + a + "\r\n2026-12-0" << QStringList{shownA, QStringLiteral("|||2026-12-0||")}
        << 1 << QStringLiteral("ligne illisible du journal (ligne 3)");
    // A column added at the end, old rows without it; columns found by their names.
    QTest::newRow("a column more, rows with and without it")
        << head.chopped(2) + ";platine\r\n" + a + "\r\n" + b + ";Porte nord\r\n"
        << QStringList{shownB + "|Porte nord", shownA} << 0 << QString();
    QTest::newRow("columns in another order")
        << QByteArray("nom;badge;date;heure;lieu\r\nZo\xE9 Martin;0000000101;2026-12-01;07:30;1\r\n")
        << QStringList{QStringLiteral("2026-12-01|07:30|0000000101|Zoé Martin|1|")} << 0
        << QString();
    // Newest first as texts: a time or a date typed otherwise sorts among
    // the usual ones as its text does; the same minute, the later line first.
    QTest::newRow("dates and times as typed")
        << head + "2026-12-02;08:00;A;a;1\r\n2026-12-02;8:00;B;b;1\r\n2026-12-02;08:00;C;c;1\r\n"
                  "02/12/2026;09:00;D;d;1\r\n2026-12-02;23:59;E;e;1\r\n"
        << QStringList{"2026-12-02|8:00|B|b|1|", "2026-12-02|23:59|E|e|1|",
                       "2026-12-02|08:00|C|c|1|", "2026-12-02|08:00|A|a|1|",
                       "02/12/2026|09:00|D|d|1|"}
        << 0 << QString();
    // Quoted cells (a separator, a quote, a guarded formula) are read whole.
    QTest::newRow("quoted and guarded cells")
        << head + "2026-12-01;07:30;0000000101;\"Martin; \"\"Zo\xC3\xA9\"\"\";'=1;x\r\n"
        << QStringList{QStringLiteral("2026-12-01|07:30|0000000101|Martin; \"Zoé\"|=1|x")} << 0
        << QString();
}

void TstModels::passagesFromBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, shown);
    QFETCH(int, unreadable);
    QFETCH(QString, tip);
    const JournalData data = readJournal(bytes.toStdString(), {});
    PassagesModel model(data);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setShown(filterJournal(data, {}));
    // The rows above as the journal holds them: the window shows their days
    // as the desktop writes them, and the board's column last.
    for (QString &row : shown) {
        QStringList cells = row.split(QLatin1Char('|'));
        while (cells.size() < model.columnCount())
            cells << QString();
        for (int c : {0, 5})
            cells[c] = shownDate(cells[c].toStdString());
        row = cells.join(QLatin1Char('|'));
    }
    QCOMPARE(shownRows(model), shown);
    QCOMPARE(data.unreadable, unreadable);
    for (int r = 0; r < model.rowCount(); ++r)
        if (data.entries.info(std::size_t(model.shown()[std::size_t(r)])).unreadable) {
            QCOMPARE(model.index(r, 3).data(Qt::ToolTipRole).toString(), tip);
            break;
        }
    // Sorted by each column and back: every row stays, once.
    for (int c = 0; c < model.columnCount(); ++c) {
        model.sort(c, Qt::AscendingOrder);
        QCOMPARE(model.rowCount(), shown.size());
    }
    model.sort(0, Qt::DescendingOrder);
    QCOMPARE(shownRows(model), shown);
    QVERIFY(!QTest::currentTestFailed());
}

void TstModels::texts()
{
    TextModel model({"Nom", "Passages", "Durée"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows({{"Zoé", "9", "1:00"}, {"Élodie", "10", "0:30"}, {"Paul", "2", ""}});
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Passages");
    // Numbers by their value, not as texts; the rows keep their first place.
    model.sort(1, Qt::DescendingOrder);
    QCOMPARE(column(model, 1), (QStringList{"10", "9", "2"}));
    QCOMPARE(model.sourceRows(), (std::vector<int>{1, 0, 2}));
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(column(model, 0).last(), QStringLiteral("Zoé"));
    QCOMPARE(model.sourceRows().back(), 0);
    model.setRows({{"Paul", "1", ""}});
    QCOMPARE(model.sourceRows(), std::vector<int>{0});
    QVERIFY(!QTest::currentTestFailed());
}

void TstModels::ports()
{
    PortListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 1; i <= 10; ++i)
        model.addPort(QStringLiteral("COM%1").arg(i));
    const int usb = model.addDevice("/dev/ttyUSB0", "Fabricant : FTDI");
    const int acm = model.addDevice("/dev/ttyACM0", "", true);
    QCOMPARE(usb, 10);
    QVERIFY(!model.isDevice(2) && model.isDevice(usb) && !model.isAbsent(usb));
    QCOMPARE(model.portName(2), QStringLiteral("COM3"));
    QVERIFY(!model.index(2).data(PortListModel::DeviceNameRole).isValid());
    // Absent is a role; the caption only shows it, the name stored never holds it.
    QCOMPARE(model.index(acm).data().toString(), QStringLiteral("/dev/ttyACM0 (absent)"));
    QVERIFY(model.index(acm).data(PortListModel::AbsentRole).toBool());
    QCOMPARE(model.index(acm).data(PortListModel::DeviceNameRole).toString(), "/dev/ttyACM0");
    QCOMPARE(model.portName(acm), QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(model.rowOfDevice("/dev/ttyACM0"), acm);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.markPresent(acm);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(model.index(acm).data().toString(), QStringLiteral("/dev/ttyACM0"));
    QVERIFY(!model.isAbsent(acm));
    model.markPresent(acm); // nothing to change: nothing told
    model.markPresent(2);
    QCOMPARE(changed.size(), 1);
    // Listed again when the list drops down: the numbered ports stay.
    model.removeDevices();
    QCOMPARE(model.rowCount(), 10);
    QCOMPARE(model.rowOfDevice("/dev/ttyUSB0"), -1);
    model.removeDevices();
    QCOMPARE(model.rowCount(), 10);
    QVERIFY(!QTest::currentTestFailed());
}

// A list file of the given "number|name|place" records, as the editor writes them.
std::vector<BadgeRow> listRows(const QStringList &records)
{
    std::string list = "Liste cr\xE9\x65 le  : 06/12/2026\r\n\r\n";
    for (const QString &r : records) {
        const QStringList f = r.split(QLatin1Char('|'));
        const std::string n = f[0].toStdString();
        list += "[" + n + "]\r\nnumero=" + n + "\r\nnom=" + toCp1252(f[1]) +
                "\r\nheure de debut=07\r\nminute de debut=30\r\nheure de fin=17\r\n"
                "minute de fin=30\r\n24 h 24=non\r\njour autoris\xE9=Lundi \xE0 Vendredi\r\n"
                "jour autoris\xE9_=7\r\nlieu autoris\xE9=" +
                f[2].toStdString() + "\r\ntous lieux=non\r\njour du mois=0\r\n\r\n";
    }
    BadgeTables tables;
    const ListReadReport report = readList(list, tables);
    return badgeRows(tables, report.count);
}

void TstModels::badges()
{
    BadgeTableModel model;
    BadgeTableFilter filter;
    filter.setSourceModel(&model);
    filter.setSortRole(Qt::UserRole);
    QAbstractItemModelTester source(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester shown(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows(listRows({"0000000101|Zoé Martin|2", "0000000102|Élodie Œuvray|10",
                            "0000000103|Employé 4|1", "12345|Employé 40|3"}));
    QCOMPARE(filter.rowCount(), 4);
    // Places sort by their number (10 after 3), not as texts.
    filter.sort(4, Qt::AscendingOrder);
    QCOMPARE(column(filter, 4), (QStringList{"1", "2", "3", "10"}));
    // A record the board cannot take says why, in red.
    const QModelIndex bad = filter.index(2, 6);
    QVERIFY(!bad.data().toString().isEmpty());
    QCOMPARE(bad.data(Qt::ForegroundRole).value<QColor>(), QColor(192, 0, 0));
    QVERIFY(!filter.index(0, 6).data(Qt::ForegroundRole).isValid());
    filter.setText(QStringLiteral("employe 4"));
    QCOMPARE(column(filter, 1), (QStringList{"Employé 4", "Employé 40"}));
    // The list read again (a reset): the filter and the sorting stay.
    model.setRows(listRows({"0000000104|Employé 41|5", "0000000105|Paul|1",
                            "0000000106|Employé 4|9"}));
    QCOMPARE(column(filter, 1), (QStringList{"Employé 41", "Employé 4"}));
    filter.setText(QString());
    QCOMPARE(filter.rowCount(), 3);
    QCOMPARE(model.headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "État");
    QVERIFY(!QTest::currentTestFailed());
}

void TstModels::badgeStates()
{
    // The dates and the board's state: a removed badge is a greyed row of
    // its own, the dates sort and filter by the days left.
    BadgeTableModel model;
    BadgeTableFilter filter;
    filter.setSourceModel(&model);
    filter.setSortRole(Qt::UserRole);
    QAbstractItemModelTester shown(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    std::string list = "[0000000001]\r\nnumero=0000000001\r\nvalide jusqu'au=08/12/2026\r\n"
                       "[0000000002]\r\nnumero=0000000002\r\nvalide jusqu'au=19/12/2026\r\n"
                       "[0000000003]\r\nnumero=0000000003\r\n";
    const boards::Sent sent{true, "07/12/2026 14:02", "l", list + "[0000000009]\r\nnom=Parti\r\n"};
    const boards::BoardDiff diff = boards::compareWithBoard(list, sent, "l", {2026, 12, 9});
    std::vector<BadgeRow> rows = listRows(list);
    boards::addStates(rows, list, &diff, {2026, 12, 9});
    model.setRows(rows);
    QCOMPARE(filter.rowCount(), 4);
    QCOMPARE(column(filter, BadgeTableModel::kValidityColumn),
             (QStringList{"expiré", "expire dans 10 jours", "", ""}));
    const QModelIndex removed = filter.index(3, BadgeTableModel::kBoardColumn);
    QCOMPARE(removed.data().toString(), "retiré — encore actif sur la platine");
    QCOMPARE(removed.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
    filter.sort(BadgeTableModel::kValidityColumn, Qt::DescendingOrder);
    QCOMPARE(column(filter, 0).mid(2), (QStringList{"0000000002", "0000000001"}));
    filter.setDates(BadgeTableFilter::Dates::Expired);
    QCOMPARE(column(filter, 0), (QStringList{"0000000001"}));
    filter.setDates(BadgeTableFilter::Dates::EndingSoon);
    QCOMPARE(column(filter, 0), (QStringList{"0000000002"}));
}

void TstModels::boardNames()
{
    BoardsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setBoards({{"COM3", "Entr\xE9" "e", ""}, {"/dev/ttyUSB0", "", ""}});
    QCOMPARE(model.index(0, 1).data().toString(), "Entrée");
    // The port is what knows the board: it is not edited.
    QVERIFY(!model.setData(model.index(0, 0), "COM4", Qt::EditRole));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1, 1), "  Garage  nord ", Qt::EditRole));
    QVERIFY(model.setData(model.index(1, 2), "3, 4", Qt::EditRole));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(model.boards()[1], (boards::Board{"/dev/ttyUSB0", "Garage nord", "3, 4"}));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Lieux");
}

QTEST_MAIN(TstModels)
#include "tst_models.moc"
