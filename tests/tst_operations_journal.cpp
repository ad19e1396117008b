// The journal of operations as a file: the rows telling how one list became
// another, the rows added to a journal in its own form and read back.

#include "core/badges/listfile.h"
#include "core/board/operations_journal.h"
#include "core/platform/cp1252.h"

#include <QTest>

#include <string>

using namespace platine;

Q_DECLARE_METATYPE(std::string)

namespace {

RecordFields rec(const std::string &numero, const std::string &nom, const std::string &lieu = "1")
{
    RecordFields r;
    r.numero = numero;
    r.nom = nom;
    r.heure_debut = "7";
    r.minute_debut = "30";
    r.heure_fin = "17";
    r.minute_fin = "30";
    r.h24 = "non";
    r.jour_texte = "Lundi";
    r.jour_code = "0";
    r.lieu = lieu;
    r.tous_lieux = "non";
    r.jour_du_mois = "0";
    return r;
}

std::string listOf(const std::vector<RecordFields> &records)
{
    std::string content = newListHeader("07/12/2026", "14:02:00", "liste.txt");
    for (const RecordFields &r : records)
        content = saveRecord(content, r);
    return content;
}

// "operation|badge|field|before|after"; a record added or removed shows its
// values only as "+" or "-".
QStringList described(const std::vector<OperationRow> &rows)
{
    QStringList out;
    for (const OperationRow &r : rows)
        out << QString::fromStdString(r.operation + "|" + r.badge + "|" + r.field + "|" +
                                      (r.operation == op::kRemoved ? "-" : r.before) + "|" +
                                      (r.operation == op::kAdded ? "+" : r.after));
    return out;
}

OperationRow row(std::string detail, std::string before = {}, std::string after = {})
{
    return {"2026-12-07", "14:02:31", "zoe",  "COM1",  "C:\\listes\\liste.txt",
            op::kChanged, "0000000001", "nom", before, after, std::move(detail)};
}

} // namespace

class TstOperationsJournal : public QObject {
    Q_OBJECT
private slots:
    void recordChanges_data();
    void recordChanges();
    void stampAndRecordText();
    void roundTrip_data();
    void roundTrip();
    void readsByHeaderName();
    void minutes_data();
    void minutes();
    void filter();
};

void TstOperationsJournal::recordChanges_data()
{
    QTest::addColumn<std::string>("before");
    QTest::addColumn<std::string>("after");
    QTest::addColumn<QStringList>("rows");
    const RecordFields a = rec("0000000001", "Ana"), b = rec("0000000002", "Zo\xE9");
    RecordFields a2 = a;
    a2.nom = "Ana Lopez";
    a2.lieu = "12";
    QTest::newRow("none before") << std::string() << listOf({a})
                                 << QStringList{"ajout|0000000001|||+"};
    QTest::newRow("added") << listOf({a}) << listOf({a, b})
                           << QStringList{"ajout|0000000002|||+"};
    QTest::newRow("removed") << listOf({a, b}) << listOf({a})
                             << QStringList{"suppression|0000000002||-|"};
    QTest::newRow("two fields, old and new values")
        << listOf({a, b}) << listOf({a2, b})
        << QStringList{"modification|0000000001|nom|Ana|Ana Lopez",
                       "modification|0000000001|lieu autorisé|1|12"};
    QTest::newRow("Windows-1252 value") << listOf({b}) << listOf({rec("0000000002", "Zo\xE9 M")})
                                        << QStringList{"modification|0000000002|nom|Zoé|Zoé M"};
    QTest::newRow("reordered: nothing") << listOf({a, b}) << listOf({b, a}) << QStringList{};
    QTest::newRow("same list: nothing") << listOf({a}) << listOf({a}) << QStringList{};
    QTest::newRow("all removed") << listOf({a, b}) << listOf({})
                                 << QStringList{"suppression|0000000001||-|",
                                                "suppression|0000000002||-|"};
}

void TstOperationsJournal::recordChanges()
{
    QFETCH(std::string, before);
    QFETCH(std::string, after);
    QFETCH(QStringList, rows);
    QCOMPARE(described(platine::recordChanges(before, after, OperationRow{})), rows);
}

void TstOperationsJournal::stampAndRecordText()
{
    const OperationRow stamp = row("");
    const std::vector<OperationRow> rows = platine::recordChanges(
        listOf({rec("0000000001", "Ana")}), listOf({rec("0000000001", "Ana", "2")}), stamp,
        op::kBulkChanged);
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(rows[0].date, stamp.date);
    QCOMPARE(rows[0].user, stamp.user);
    QCOMPARE(rows[0].board, stamp.board);
    QCOMPARE(rows[0].list, stamp.list);
    QCOMPARE(rows[0].operation, std::string(op::kBulkChanged));
    // A record removed keeps its values in the journal.
    const std::vector<OperationRow> gone =
        platine::recordChanges(listOf({rec("0000000001", "Ana")}), listOf({}), stamp);
    QVERIFY(gone[0].before.find("nom=Ana") != std::string::npos);
    QVERIFY(gone[0].before.find("lieu autorisé=1") != std::string::npos);
}

void TstOperationsJournal::roundTrip_data()
{
    QTest::addColumn<std::string>("journal"); // as it stands before the rows are added
    QTest::addColumn<std::string>("rowEnd");  // what ends a row added to it
    const std::string header = "date;heure;utilisateur;platine;liste;opération;badge;champ;"
                               "avant;après;détail";
    QTest::newRow("none yet") << std::string() << std::string("\r\n");
    QTest::newRow("byte-order mark alone") << std::string("\xEF\xBB\xBF") << std::string("\r\n");
    QTest::newRow("ours") << "\xEF\xBB\xBF" + header + "\r\n" << std::string("\r\n");
    QTest::newRow("LF, last line end missing") << header + "\n2026-12-01;08:00" << std::string("\n");
    QTest::newRow("saved by a spreadsheet in Windows-1252, commas")
        << std::string("date,heure,utilisateur,platine,liste,op\xE9ration,badge,champ,avant,"
                       "apr\xE8s,d\xE9tail\r\n")
        << std::string("\r\n");
    // Rows added under the header's names, wherever a spreadsheet moved them;
    // a column the header lacks goes after its last, not onto another's.
    QTest::newRow("columns moved, one of the spreadsheet's own")
        << std::string("d\xC3\xA9tail;Remarque;date;heure;utilisateur;platine;liste;op\xC3\xA9ration;"
                       "badge;champ;avant;apr\xC3\xA8s\r\n")
        << std::string("\r\n");
    QTest::newRow("columns missing") << std::string("op\xC3\xA9ration;date;heure;badge\r\n")
                                     << std::string("\r\n");
}

void TstOperationsJournal::roundTrip()
{
    QFETCH(std::string, journal);
    QFETCH(std::string, rowEnd);
    // Cells a spreadsheet would run as formulas, separators, quotes.
    const std::vector<OperationRow> rows = {row("=HYPERLINK(\"x\")", "-1", "+33"),
                                            row("a;b, \"c\"", "Zoé", "@Zoé")};
    const std::string written = appendOperations(journal, rows);
    QVERIFY(written.starts_with(journal));
    QVERIFY(written.ends_with(rowEnd));
    QVERIFY(written.find("=HYPERLINK") == std::string::npos ||
            written.find("'=HYPERLINK") != std::string::npos);
    const bool fresh = journal.find_first_not_of("\xEF\xBB\xBF") == std::string::npos;
    QCOMPARE(written.starts_with("\xEF\xBB\xBF"), fresh || journal.starts_with("\xEF\xBB\xBF"));
    QCOMPARE(cp1252::isUtf8(written), cp1252::isUtf8(journal));
    std::vector<OperationRow> read = readOperations(written);
    // A row the journal held before comes first.
    if (read.size() == rows.size() + 1)
        read.erase(read.begin());
    QCOMPARE(read.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        QVERIFY(read[i] == rows[i]);
    // Added to again: the rows before stay byte for byte.
    QVERIFY(appendOperations(written, rows).starts_with(written));
}

void TstOperationsJournal::readsByHeaderName()
{
    // Columns moved and renamed by hand, a row cut short.
    const std::string journal = "Opération;Date;Heure;Badge\r\nenvoi;2026-12-07;14:02\r\n";
    const std::vector<OperationRow> rows = readOperations(journal);
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(rows[0].operation, std::string("envoi"));
    QCOMPARE(rows[0].date, std::string("2026-12-07"));
    QCOMPARE(rows[0].time, std::string("14:02"));
    QCOMPARE(rows[0].badge, std::string());
}

void TstOperationsJournal::minutes_data()
{
    QTest::addColumn<std::string>("date");
    QTest::addColumn<std::string>("time");
    QTest::addColumn<long long>("minutes"); // -1: not a date and time
    QTest::newRow("origin") << std::string("2000-01-01") << std::string("00:00") << 0LL;
    QTest::newRow("leap day") << std::string("2000-03-01") << std::string("00:01")
                              << (31LL + 29) * 1440 + 1;
    QTest::newRow("seconds") << std::string("2000-01-02") << std::string("23:59:59")
                             << 1440LL + 1439;
    QTest::newRow("new year") << std::string("2027-01-01") << std::string("00:00")
                              << (27LL * 365 + 7) * 1440;
    QTest::newRow("hour 24") << std::string("2026-12-07") << std::string("24:00") << -1LL;
    QTest::newRow("month 13") << std::string("2026-13-07") << std::string("08:00") << -1LL;
    QTest::newRow("French date") << std::string("07/12/2026") << std::string("08:00") << -1LL;
    QTest::newRow("empty") << std::string() << std::string() << -1LL;
}

void TstOperationsJournal::minutes()
{
    QFETCH(std::string, date);
    QFETCH(std::string, time);
    QFETCH(long long, minutes);
    long long m = -1;
    const bool ok = minutesOf(date, time, m);
    QCOMPARE(ok, minutes >= 0);
    if (ok)
        QCOMPARE(m, minutes);
}

void TstOperationsJournal::filter()
{
    std::vector<OperationRow> rows = {row("un"), row("deux", "Élodie"), row("trois")};
    rows[0].date = "2026-12-01";
    rows[2].date = "2026-12-09";
    const std::vector<std::string> none;
    // Newest first; the search ignores case and accents; the range includes its days.
    QCOMPARE(filterOperations(rows, none, "", "", ""), (std::vector<int>{2, 1, 0}));
    QCOMPARE(filterOperations(rows, none, "elodie", "", ""), (std::vector<int>{1}));
    QCOMPARE(filterOperations(rows, none, "", "2026-12-07", "2026-12-09"),
             (std::vector<int>{2, 1}));
    QCOMPARE(filterOperations(rows, none, "", "", "2026-12-01"), (std::vector<int>{0}));
}

QTEST_APPLESS_MAIN(TstOperationsJournal)
#include "tst_operations_journal.moc"
