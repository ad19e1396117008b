// The text readers over what the board sends: the layout of the receive pane,
// the history table and the memory dump listing.

#include "core/board/dump_listing.h"
#include "core/board/history_table.h"
#include "core/serial/pane_layout.h"

#include <QByteArray>
#include <QList>
#include <QTest>

#include <string>

using namespace platine;

namespace {

std::string bytes(const QByteArray &b)
{
    return b.toStdString();
}
QByteArray qb(const std::string &s)
{
    return QByteArray::fromStdString(s);
}

const QByteArray kHeader =
    " N\xB0 de badge     Heure du passage    Date du passage      Lieu \r\n\r\n";

// A passage line with every column set: badge 1-14, "#" in 15, hour, "h" in
// 18, minute, " 12" day (blank in 21), "-" in 24 and 27, place, then text past 32.
const QByteArray kFullLine = "1234567890    #08h15 12-03-24005*XYZ";
// A row as the table lays it out, from its seven fields.
QByteArray row(const QByteArray &badge, const QByteArray &hour, const QByteArray &minute,
               const QByteArray &day, const QByteArray &month, const QByteArray &year,
               const QByteArray &place)
{
    return badge + QByteArray(8, ' ') + hour + ":" + minute + QByteArray(12, ' ') + day + "/" +
           month + "/" + year + QByteArray(9, ' ') + place + "\r\n";
}

const QByteArray kFullRow = row("1234567890    ", "08", "15", " 12", "03", "24", "005");

} // namespace

class TestReaders : public QObject {
    Q_OBJECT

private slots:
    void layOut_data();
    void layOut();
    void layOutIsNotIdempotent();

    void fileLines_data();
    void fileLines();

    void historyHeader();
    void historyRow_data();
    void historyRow();
    void historyTable_data();
    void historyTable();
    void historyFileAlwaysEndsWithLineBreak();

    void dumpCharacters_data();
    void dumpCharacters();
    void dumpListing_data();
    void dumpListing();
    void dumpAddresses_data();
    void dumpAddresses();
    void dumpLongListingAddresses();
};

void TestReaders::layOut_data()
{
    QTest::addColumn<QByteArray>("pane");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("two lines") << QByteArray("0A1B2C.3D4E")
                               << QByteArray("0A 1B 2C \r\n3D 4E \r\n");
    QTest::newRow("lone last character") << QByteArray("ABC") << QByteArray("AB C\r\n");
    QTest::newRow("lone full stop") << QByteArray(".") << QByteArray("\r\n\r\n");
    QTest::newRow("empty pane") << QByteArray() << QByteArray("\r\n");
    QTest::newRow("odd count before stop") << QByteArray("414.41") << QByteArray("41 4\r\n41 \r\n");
    QTest::newRow("line breaks counted") << QByteArray("AB\r\nCD") << QByteArray("AB \r\n CD \r\n");
    QTest::newRow("two stops") << QByteArray("..A") << QByteArray("\r\n\r\nA\r\n");
    QTest::newRow("8-bit bytes copied")
        << QByteArray("\xE9\xFF\x00Z", 4) << QByteArray("\xE9\xFF \x00Z \r\n", 8);
}

void TestReaders::layOut()
{
    QFETCH(QByteArray, pane);
    QFETCH(QByteArray, expected);
    QCOMPARE(qb(layOutPane(bytes(pane))), expected);
}

void TestReaders::layOutIsNotIdempotent()
{
    const std::string once = layOutPane("0A1B");
    QCOMPARE(qb(once), QByteArray("0A 1B \r\n"));
    QCOMPARE(qb(layOutPane(once)), QByteArray("0A  1 B  \r\n \r\n"));
}

void TestReaders::fileLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("one line break") << QByteArray("\r\n") << QList<QByteArray>{""};
    QTest::newRow("CR LF, CR alone, LF inside, last without CR")
        << QByteArray("a\r\nb\rc\nd") << QList<QByteArray>{"a", "b", "c\nd"};
    QTest::newRow("LF after the line break starts the next line")
        << QByteArray("a\r\n\nb\r\n") << QList<QByteArray>{"a", "\nb"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\n") << QList<QByteArray>{"a", ""};
    QTest::newRow("trailing LF alone") << QByteArray("a\n") << QList<QByteArray>{"a\n"};
}

void TestReaders::fileLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QByteArray>, lines);
    const std::string text = bytes(content);
    QList<QByteArray> got;
    for (std::string_view l : platine::fileLines(text))
        got << QByteArray(l.data(), qsizetype(l.size()));
    QCOMPARE(got, lines);
}

void TestReaders::historyHeader()
{
    const std::string h = platine::historyHeader();
    QCOMPARE(qb(h), kHeader);
    QCOMPARE(h.size(), std::size_t(63 + 4));
    // One row spelled out in full: 60 characters, then the line break.
    QCOMPARE(kFullRow,
             QByteArray("1234567890            08:15             12/03/24         005\r\n"));
    QCOMPARE(kFullRow.size(), 62);
}

void TestReaders::historyRow_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("full line, columns 15/18/24/27 and past 32 dropped") << kFullLine << kFullRow;
    QTest::newRow("exactly 32 characters") << kFullLine.left(32) << kFullRow;
    QTest::newRow("short line: empty fields, separators kept")
        << QByteArray("*ABC") << row("*ABC", "", "", "", "", "", "");
    QTest::newRow("line ends inside the hour")
        << QByteArray("12345678901234*0") << row("12345678901234", "0", "", "", "", "", "");
    QTest::newRow("place cut short")
        << kFullLine.left(31) << row("1234567890    ", "08", "15", " 12", "03", "24", "00");
    QTest::newRow("LF inside the line counts as a column")
        << QByteArray("\n") + kFullLine
        << row("\n1234567890   ", "#0", "h1", "5 1", "-0", "-2", "400");
}

void TestReaders::historyRow()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, row);
    QCOMPARE(qb(platine::historyRow(bytes(line))), row);
}

void TestReaders::historyTable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("table");

    const QByteArray second = "ABCDEF0123    *23h59 31-12-99255";
    const QByteArray secondRow = row("ABCDEF0123    ", "23", "59", " 31", "12", "99", "255");
    const QByteArray third = "0000000001***  00h00 01-01-00001";
    const QByteArray thirdRow = row("0000000001*** ", "00", "00", " 01", "01", "00", "001");

    QTest::newRow("three passages between announcement and marker")
        << QByteArray("Vidage EEPROM externe\r\n") + kFullLine + "\r\n" + second + "\r\n" + third +
               "\r\nHistorique\r\n"
        << kHeader + kFullRow + secondRow + thirdRow;
    QTest::newRow("announcement run into the first passage")
        << QByteArray("Vidage EEPROM externe") + kFullLine + "\r\n" + second + "\r\nHistorique\r\n"
        << kHeader + kFullRow + secondRow;
    QTest::newRow("announcement and a line feed before the first passage")
        << QByteArray("Vidage EEPROM externe\n") + kFullLine + "\r\nHistorique\r\n"
        << kHeader + kFullRow;
    QTest::newRow("no passage: header alone")
        << QByteArray("Vidage EEPROM externe\r\nHistorique\r\n") << kHeader;
    QTest::newRow("empty file") << QByteArray() << kHeader;
    QTest::newRow("last line without CR") << QByteArray("x\r\n") + kFullLine << kHeader + kFullRow;
    QTest::newRow("CR alone ends a line")
        << kFullLine + "\r" + second << kHeader + kFullRow + secondRow;
    QTest::newRow("LF alone does not end a line")
        << QByteArray("Historique\n") + kFullLine + "\r\n"
        << kHeader + qb(platine::historyRow(bytes(QByteArray("Historique\n") + kFullLine)));
}

void TestReaders::historyTable()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, table);
    QCOMPARE(qb(platine::historyTable(bytes(file))), table);
}

void TestReaders::historyFileAlwaysEndsWithLineBreak()
{
    QCOMPARE(qb(historyFileContent("abc")), QByteArray("abc\r\n"));
    QCOMPARE(qb(historyFileContent("abc\r\n")), QByteArray("abc\r\n\r\n"));
    QCOMPARE(qb(historyFileContent("")), QByteArray("\r\n"));
}

void TestReaders::dumpCharacters_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("characters");
    QTest::newRow("five pairs with blanks")
        << QByteArray("41 42 43 44 45 .") << QByteArray("ABCDE");
    QTest::newRow("ten packed digits") << QByteArray("4142434445.") << QByteArray("ABCDE");
    QTest::newRow("odd digits: last digit pairs with the stop")
        << QByteArray("4 1 4 .") << QByteArray("A@");
    QTest::newRow("lower case 4a") << QByteArray("4a.") << QByteArray("@");
    QTest::newRow("lower case first gives zero") << QByteArray("a4.") << QByteArray("\0", 1);
    QTest::newRow("0D is a carriage return") << QByteArray("0D 0A.") << QByteArray("\r\n");
    QTest::newRow("8-bit values") << QByteArray("E9 FF.") << QByteArray("\xE9\xFF");
    QTest::newRow("no full stop") << QByteArray("41 42 43") << QByteArray();
    QTest::newRow("stop first") << QByteArray(" .4142") << QByteArray();
    QTest::newRow("only pairs before the first stop") << QByteArray("41.42.") << QByteArray("A");
    QTest::newRow("tab stays and fails") << QByteArray("4\t1.") << QByteArray("@\x10");
    QTest::newRow("LF inside the line") << QByteArray("41\n42.") << QByteArray("A\0 ", 3);
}

void TestReaders::dumpCharacters()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, characters);
    QCOMPARE(qb(platine::dumpCharacters(bytes(line))), characters);
}

void TestReaders::dumpListing_data()
{
    QTest::addColumn<QByteArray>("pane");
    QTest::addColumn<QByteArray>("listing");
    // The raw line keeps its own full stop, the marker follows it.
    QTest::newRow("worked examples") << QByteArray("41 42 43 44 45 .\r\n30 31 .\r\nno stop here")
                                     << QByteArray("00000 : 41 42 43 44 45 ......ABCDE\r\n"
                                                   "00005 : 30 31 ......01\r\n"
                                                   "00010 : no stop here.....\r\n");
    QTest::newRow("empty pane") << QByteArray() << QByteArray("00000 : .....\r\n");
    QTest::newRow("trailing line break")
        << QByteArray("41.\r\n") << QByteArray("00000 : 41......A\r\n00005 : .....\r\n");
    QTest::newRow("CR alone ends a line")
        << QByteArray("41.\r42.") << QByteArray("00000 : 41......A\r\n00005 : 42......B\r\n");
    QTest::newRow("trailing LF alone belongs to the line")
        << QByteArray("41.\n") << QByteArray("00000 : 41.\n.....A\r\n");
    QTest::newRow("0D in the characters part")
        << QByteArray("0D.") << QByteArray("00000 : 0D......\r\r\n");
    QTest::newRow("laid-out pane has no characters")
        << qb(layOutPane("4142.4344."))
        << QByteArray(
               "00000 : 41 42 .....\r\n00005 : 43 44 .....\r\n00010 : .....\r\n00015 : .....\r\n");
}

void TestReaders::dumpListing()
{
    QFETCH(QByteArray, pane);
    QFETCH(QByteArray, listing);
    QCOMPARE(qb(platine::dumpListing(bytes(pane))), listing);
}

void TestReaders::dumpAddresses_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("address");
    QTest::newRow("first") << 0 << QByteArray("00000");
    QTest::newRow("second") << 1 << QByteArray("00005");
    QTest::newRow("2001st line") << 2000 << QByteArray("10000");
    QTest::newRow("last with five digits") << 19999 << QByteArray("99995");
    QTest::newRow("20001st line") << 20000 << QByteArray("100000");
}

void TestReaders::dumpAddresses()
{
    QFETCH(int, index);
    QFETCH(QByteArray, address);
    QCOMPARE(qb(dumpAddress(std::size_t(index))), address);
}

void TestReaders::dumpLongListingAddresses()
{
    // 20000 data lines and the line end the working file adds: 20001 lines.
    std::string pane;
    for (int i = 0; i < 20000; ++i)
        pane += "41 42.\r\n";
    const QByteArray listing = qb(platine::dumpListing(pane));
    const QList<QByteArray> lines = listing.split('\n');
    QCOMPARE(lines.size(), 20001 + 1); // the split leaves an empty tail
    QCOMPARE(lines[2000], QByteArray("10000 : 41 42......AB\r"));
    QCOMPARE(lines[20000], QByteArray("100000 : .....\r"));
}

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_readers.moc"
