// The byte forms shared by the program and the board simulator.
#include "core/board/protocol.h"

#include <QTest>

using namespace platine;

class TstProtocol : public QObject {
    Q_OBJECT
private slots:
    void packedDecimal_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("packed");
        QTest::newRow("0") << 0 << 0x00;
        QTest::newRow("7") << 7 << 0x07;
        QTest::newRow("10") << 10 << 0x10;
        QTest::newRow("17") << 17 << 0x17;
        QTest::newRow("59") << 59 << 0x59;
        QTest::newRow("99 (no restriction)") << 99 << 0x99;
        QTest::newRow("100 does not fit") << 100 << -1;
        QTest::newRow("negative") << -1 << -1;
    }
    void packedDecimal()
    {
        QFETCH(int, value);
        QFETCH(int, packed);
        QCOMPARE(protocol::packedDecimal(value), packed);
        if (packed >= 0)
            QCOMPARE(protocol::unpackDecimal(packed), value);
    }

    void unpackDecimal_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::newRow("0x30") << 0x30 << 30;
        QTest::newRow("0x99") << 0x99 << 99;
        QTest::newRow("low nibble A") << 0x1A << -1;
        QTest::newRow("high nibble F") << 0xF1 << -1;
        QTest::newRow("erased EEPROM") << 0xFF << -1;
        QTest::newRow("above a byte") << 0x100 << -1;
    }
    void unpackDecimal()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        QCOMPARE(protocol::unpackDecimal(byte), value);
    }

    void blockCount_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("blocks");
        for (auto [r, b] : {std::pair{0, 4},
                            {1, 1},
                            {25, 1},
                            {26, 2},
                            {50, 2},
                            {51, 3},
                            {75, 3},
                            {76, 4},
                            {100, 4},
                            {-3, 4},
                            {101, 4}})
            QTest::newRow(qPrintable(QString::number(r))) << r << b;
    }
    void blockCount()
    {
        QFETCH(int, records);
        QFETCH(int, blocks);
        QCOMPARE(protocol::blockCount(records), blocks);
    }

    void clockBytes()
    {
        // 17:05:09 on Sunday 6 December 2026.
        const auto bytes = protocol::clockBytes(17, 5, 9, 6, 12, 26, 1);
        const std::array<unsigned char, 7> expected{0x17, 0x05, 0x09, 0x06, 0x12, 0x26, 0x01};
        QCOMPARE(bytes, expected);
        // A value that cannot be packed never turns into a plausible byte.
        QCOMPARE(int(protocol::clockBytes(123, 0, 0, 1, 1, 0, 1)[0]), 0xFF);
    }

    void dumpLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("perLine");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("one line") << QByteArray("ABCDE") << 16
                                  << QByteArray("41 42 43 44 45 .\r\n");
        QTest::newRow("two lines, short last")
            << QByteArray("ABC") << 2 << QByteArray("41 42 .\r\n43 .\r\n");
        QTest::newRow("exact lines")
            << QByteArray("\x00\xff\x0d\x0a", 4) << 2 << QByteArray("00 FF .\r\n0D 0A .\r\n");
        QTest::newRow("nothing") << QByteArray() << 16 << QByteArray();
    }
    void dumpLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, perLine);
        QFETCH(QByteArray, text);
        const std::string out = protocol::dumpLines(
            std::string_view(bytes.constData(), std::size_t(bytes.size())), perLine);
        QCOMPARE(QByteArray::fromStdString(out), text);
    }

    void historyLine()
    {
        const std::string line = protocol::historyLine("0123456789", 7, 30, 6, 12, 26, 10);
        const QByteArray l = QByteArray::fromStdString(line);
        // The columns the history table cuts (counted from 1).
        QCOMPARE(l.mid(0, 14), QByteArray("0123456789    "));
        QCOMPARE(l.mid(15, 2), QByteArray("07"));
        QCOMPARE(l.mid(18, 2), QByteArray("30"));
        QCOMPARE(l.mid(20, 3).trimmed(), QByteArray("06"));
        QCOMPARE(l.mid(24, 2), QByteArray("12"));
        QCOMPARE(l.mid(27, 2), QByteArray("26"));
        QCOMPARE(l.mid(29, 3).trimmed(), QByteArray("10"));
        QVERIFY(l.contains('*'));
        QVERIFY(!l.contains('\r') && !l.contains('\n'));
        QCOMPARE(l, QByteArray("0123456789     07:30 06/12/26 10 *"));
        // All places (99) and a longer badge text keep the columns in place.
        const QByteArray wide = QByteArray::fromStdString(
            protocol::historyLine("0123456789ABCDEF", 23, 59, 31, 1, 0, 99));
        QCOMPARE(wide, QByteArray("0123456789ABCD 23:59 31/01/00 99 *"));
    }

    void keywords()
    {
        const std::array<std::string_view, 7> order = {"HD",   "MD",   "HF",       "MF",
                                                       "jour", "lieu", "jour_mois"};
        QCOMPARE(protocol::kTableKeywords, order);
        QCOMPARE(protocol::kVidageAnnounce.size(), std::size_t(21));
        QCOMPARE(protocol::kModificationEnregistree, std::string_view("Modification enregistree"));
    }
};

QTEST_GUILESS_MAIN(TstProtocol)
#include "tst_protocol.moc"
