// The upload's bytes worked out from the record tables, and the refusal of a
// list the board cannot take.

#include "core/board/protocol.h"
#include "core/board/upload_plan.h"

#include <QTest>

using namespace platine;

namespace {

struct Record {
    std::string numero;
    int hd, md, hf, mf; // as typed: 7 means "07"
    std::string jour;
    int lieu;
    int jourDuMois;
};

// Fills slot `slot` as the list reader does: times and place as packed
// decimal, the badge number as five bytes.
void put(BadgeTables &t, int slot, const Record &r)
{
    t.tab_numero[slot] = r.numero;
    t.tab_heure_debut_bcd[slot] = std::int16_t(protocol::packedDecimal(r.hd));
    t.tab_minute_debut_bcd[slot] = std::int16_t(protocol::packedDecimal(r.md));
    t.tab_heure_fin_bcd[slot] = std::int16_t(protocol::packedDecimal(r.hf));
    t.tab_minute_fin_bcd[slot] = std::int16_t(protocol::packedDecimal(r.mf));
    t.tab_jour[slot] = r.jour;
    t.tab_lieu_bcd[slot] = std::int16_t(protocol::packedDecimal(r.lieu));
    t.tab_jour_du_mois[slot] = std::int16_t(r.jourDuMois);
    for (int k = 0; k < 5 && 2 * k + 1 < int(r.numero.size()); ++k)
        t.tab_octets_badge[5 * slot + k] =
            std::int16_t(std::stoi(r.numero.substr(std::size_t(2 * k), 2), nullptr, 16));
}

BadgeTables emptyTables()
{
    BadgeTables t;
    for (int i = 0; i < kSlots; ++i) {
        t.tab_numero[i] = "0000000000";
        t.tab_jour[i] = "0";
    }
    return t;
}

BadgeTables listOf(int records)
{
    BadgeTables t = emptyTables();
    for (int i = 0; i < records && i < kSlots; ++i) {
        char num[11];
        std::snprintf(num, sizeof num, "%010X", 0x1000 + i);
        put(t, i, {num, 8, 0, 18, 30, std::to_string(i % 10), i % 100, i % 32});
    }
    return t;
}

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += char(v);
    return s;
}

using Mutation = void (*)(BadgeTables &, std::string &delay, std::string &count);

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TstUploadPlan : public QObject {
    Q_OBJECT
private slots:
    void oneRecordExampleByteForByte();
    void blockCount_data();
    void blockCount();
    void allDayAndAllPlacesAre99h();
    void onlySlots0To99GoOut();
    void refusal_data();
    void refusal();
    void acceptedLists_data();
    void acceptedLists();
};

// One record 0123456789, 07:30 to 17:30, day code 0, place 10, no day of the
// month, strike delay 10, buzzer on.
void TstUploadPlan::oneRecordExampleByteForByte()
{
    BadgeTables t = emptyTables();
    put(t, 0, {"0123456789", 7, 30, 17, 30, "0", 10, 0});
    QVERIFY(!validateUpload(t, "10", "1"));
    const UploadPlan plan = planUpload(t, "10", true, "1");

    std::string expected = "param" + bytes({0x0A, 0x01, 0x01});
    std::string block = bytes({0x01, 0x23, 0x45, 0x67, 0x89});
    block.resize(250, '\0');
    expected += block;
    auto table = [](const char *keyword, int first) {
        std::string s = keyword;
        s += char(first);
        s.append(99, '\0');
        return s;
    };
    expected += table("HD", 0x07) + table("MD", 0x30) + table("HF", 0x17) + table("MF", 0x30) +
                table("jour", 0) + table("lieu", 0x10) + table("jour_mois", 0);

    const std::string stream = uploadStream(plan);
    QCOMPARE(stream.size(), std::size_t(8 + 250 + 4 * 102 + 2 * 104 + 109));
    QCOMPARE(QByteArray::fromStdString(stream).toHex(' '),
             QByteArray::fromStdString(expected).toHex(' '));
}

void TstUploadPlan::blockCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("blocks");
    QTest::newRow("0") << "0" << 4;
    QTest::newRow("empty text") << "" << 4;
    for (auto [records, blocks] :
         {std::pair{1, 1}, {25, 1}, {26, 2}, {50, 2}, {51, 3}, {75, 3}, {76, 4}, {100, 4}})
        QTest::newRow(qPrintable(QString::number(records))) << QString::number(records) << blocks;
}

void TstUploadPlan::blockCount()
{
    QFETCH(QString, count);
    QFETCH(int, blocks);
    const std::string countText = count.toStdString();
    const BadgeTables t = listOf(uploadRecordCount(countText));
    QVERIFY(!validateUpload(t, "5", countText));
    const UploadPlan plan = planUpload(t, "5", false, countText);
    QCOMPARE(plan.blocks, blocks);
    QCOMPARE(int(plan.blockBytes.size()), blocks);
    QCOMPARE(int(plan.param[1]), blocks);
    QCOMPARE(int(plan.param[2]), 0);
    QCOMPARE(uploadStream(plan).size(), std::size_t(8 + 250 * blocks + 4 * 102 + 2 * 104 + 109));
    // Block k carries badge bytes 250k to 250k+249: the last record's bytes
    // stand where its slot puts them.
    const int records = uploadRecordCount(countText);
    if (records > 0) {
        const int last = 5 * (records - 1) + 4;
        QCOMPARE(int(plan.blockBytes[std::size_t(last / 250)][std::size_t(last % 250)]),
                 (0x1000 + records - 1) & 0xFF);
    }
}

void TstUploadPlan::allDayAndAllPlacesAre99h()
{
    BadgeTables t = emptyTables();
    put(t, 0, {"00000000AB", 99, 99, 99, 99, "9", 99, 0});
    put(t, 1, {"00000000CD", 8, 15, 12, 0, "7", 3, 31});
    const UploadPlan plan = planUpload(t, "3", false, "2");
    for (int k = 0; k < 4; ++k)
        QCOMPARE(int(plan.tables[std::size_t(k)][0]), 0x99);
    QCOMPARE(int(plan.tables[5][0]), 0x99);
    QCOMPARE(int(plan.tables[4][0]), 9);
    // The day of the month goes out as a plain number, the others packed.
    QCOMPARE(int(plan.tables[0][1]), 0x08);
    QCOMPARE(int(plan.tables[1][1]), 0x15);
    QCOMPARE(int(plan.tables[4][1]), 7);
    QCOMPARE(int(plan.tables[5][1]), 0x03);
    QCOMPARE(int(plan.tables[6][1]), 31);
}

void TstUploadPlan::onlySlots0To99GoOut()
{
    BadgeTables t = listOf(100);
    t.tab_heure_debut_bcd[100] = 0x55;
    const UploadPlan plan = planUpload(t, "0", false, "100");
    QCOMPARE(int(plan.tables[0][99]), 0x08);
    QCOMPARE(plan.tables[0].size(), std::size_t(100));
    QCOMPARE(int(plan.blockBytes[1][249]), (0x1000 + 99) & 0xFF); // slot 99: entries 495 to 499
}

void TstUploadPlan::refusal_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QStringList>("said");

    QTest::newRow("delay 66") << Mutation([](BadgeTables &, std::string &d, std::string &) {
        d = "66";
    }) << QStringList{"temporisation", "« 66 »", "0 à 65"};
    QTest::newRow("delay empty") << Mutation([](BadgeTables &, std::string &d, std::string &) {
        d = "";
    }) << QStringList{"temporisation"};
    QTest::newRow("delay negative")
        << Mutation([](BadgeTables &, std::string &d, std::string &) { d = "-1"; })
        << QStringList{"« -1 »"};
    QTest::newRow("delay 0066") << Mutation([](BadgeTables &, std::string &d, std::string &) {
        d = "0066";
    }) << QStringList{"« 0066 »"};
    QTest::newRow("delay letters")
        << Mutation([](BadgeTables &, std::string &d, std::string &) { d = "1O"; })
        << QStringList{"« 1O »"};
    QTest::newRow("101 records") << Mutation([](BadgeTables &, std::string &, std::string &c) {
        c = "101";
    }) << QStringList{"101 enregistrements", "100 au plus"};
    QTest::newRow("short number") << Mutation([](BadgeTables &t, std::string &, std::string &) {
        t.tab_numero[1] = "012345678";
    }) << QStringList{"badge n° 2", "emplacement 1", "« 012345678 »", "dix chiffres hexadécimaux"};
    QTest::newRow("lower-case number")
        << Mutation(
               [](BadgeTables &t, std::string &, std::string &) { t.tab_numero[0] = "00000000ab"; })
        << QStringList{"badge n° 1", "« 00000000ab »", "numéro de badge"};
    QTest::newRow("number marked by the reader")
        << Mutation([](BadgeTables &t, std::string &, std::string &) { t.invalid[2] = BadNumero; })
        << QStringList{"badge n° 3", "numéro de badge"};
    QTest::newRow("start hour 7A") << Mutation([](BadgeTables &t, std::string &, std::string &) {
        t.tab_heure_debut_bcd[0] = 0x7A;
    }) << QStringList{"badge n° 1", "heure de début", "7Ah"};
    QTest::newRow("end minute of three digits")
        << Mutation([](BadgeTables &t, std::string &, std::string &) {
               t.tab_minute_fin_bcd[2] = 0x123;
           })
        << QStringList{"badge n° 3", "minute de fin", "123h"};
    QTest::newRow("place A0") << Mutation([](BadgeTables &t, std::string &, std::string &) {
        t.tab_lieu_bcd[1] = 0xA0;
    }) << QStringList{"badge n° 2", "lieu autorisé"};
    QTest::newRow("end hour marked by the reader")
        << Mutation(
               [](BadgeTables &t, std::string &, std::string &) { t.invalid[0] = BadHeureFin; })
        << QStringList{"badge n° 1", "heure de fin"};
    QTest::newRow("no day chosen")
        << Mutation([](BadgeTables &t, std::string &, std::string &) { t.tab_jour[2] = "-1"; })
        << QStringList{"badge n° 3", "jour autorisé « -1 »", "0 à 9"};
    QTest::newRow("day code 10") << Mutation([](BadgeTables &t, std::string &, std::string &) {
        t.tab_jour[0] = "10";
    }) << QStringList{"jour autorisé « 10 »"};
    QTest::newRow("day of the month 32")
        << Mutation(
               [](BadgeTables &t, std::string &, std::string &) { t.tab_jour_du_mois[1] = 32; })
        << QStringList{"badge n° 2", "jour du mois 32", "1 à 31"};
    QTest::newRow("first problem named")
        << Mutation([](BadgeTables &t, std::string &, std::string &) {
               t.tab_jour[2] = "x";
               t.tab_lieu_bcd[1] = 0xFF;
           })
        << QStringList{"badge n° 2", "lieu autorisé"};
}

void TstUploadPlan::refusal()
{
    QFETCH(Mutation, mutate);
    QFETCH(QStringList, said);
    BadgeTables t = listOf(3);
    std::string delay = "10", count = "3";
    QVERIFY(!validateUpload(t, delay, count));
    mutate(t, delay, count);
    const auto problem = validateUpload(t, delay, count);
    QVERIFY(problem);
    const QString text = QString::fromStdString(*problem);
    QVERIFY2(text.startsWith("Liste refusée, rien n'a été envoyé"), qPrintable(text));
    for (const QString &s : said)
        QVERIFY2(text.contains(s), qPrintable(text + " / " + s));
}

void TstUploadPlan::acceptedLists_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::newRow("delay 65") << Mutation(
        [](BadgeTables &, std::string &d, std::string &) { d = "65"; });
    QTest::newRow("delay 0 with blanks")
        << Mutation([](BadgeTables &, std::string &d, std::string &) { d = " 0 "; });
    QTest::newRow("delay 005") << Mutation(
        [](BadgeTables &, std::string &d, std::string &) { d = "005"; });
    QTest::newRow("100 records") << Mutation([](BadgeTables &t, std::string &, std::string &c) {
        t = listOf(100);
        c = "100";
    });
    QTest::newRow("garbage past the last record")
        << Mutation([](BadgeTables &t, std::string &, std::string &) {
               t.tab_jour[3] = "-1";
               t.tab_numero[4] = "zz";
           });
}

void TstUploadPlan::acceptedLists()
{
    QFETCH(Mutation, mutate);
    BadgeTables t = listOf(3);
    std::string delay = "10", count = "3";
    mutate(t, delay, count);
    const auto problem = validateUpload(t, delay, count);
    QVERIFY2(!problem, problem ? problem->c_str() : "");
    if (delay == "005")
        QCOMPARE(int(planUpload(t, delay, false, count).param[0]), 5);
}

QTEST_APPLESS_MAIN(TstUploadPlan)
#include "tst_upload_plan.moc"
