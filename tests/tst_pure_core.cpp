// The foundation under the list and settings files: the Windows-1252 codec,
// the hexadecimal conversion, the profile reader and writer, atomic writes.

#include "core/badges/hexconv.h"
#include "core/badges/profile.h"
#include "core/platform/cp1252.h"
#include "core/platform/files.h"
#include "platform/text.h"
#include "support/example_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>

#include <random>
#include <string>

using namespace platine;
using platine::testing::kExampleRecord;
using platine::testing::kListHeader;

Q_DECLARE_METATYPE(std::string)

namespace {

std::string bytes(const char *s, std::size_t n)
{
    return std::string(s, n);
}

std::string readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll().toStdString();
}

void writeFile(const QString &path, const std::string &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content.data(), qint64(content.size()));
}

// The twelve keys the editor writes for the example record, in their order.
const std::pair<const char *, const char *> kRecord[] = {
    {"numero", "0000000001"},   {"nom", "Valmire"},
    {"heure de debut", "07"},   {"minute de debut", "30"},
    {"heure de fin", "17"},     {"minute de fin", "30"},
    {"24 h 24", "non"},         {"jour autoris\xE9", "Lundi \xE0 Vendredi"},
    {"jour autoris\xE9_", "7"}, {"lieu autoris\xE9", "1"},
    {"tous lieux", "non"},      {"jour du mois", "0\r\n"},
};

// The five lines of a new list, then the record that the editor saves.
const std::string kListWithRecord = kListHeader + kExampleRecord;

// Files left in `dir` whose name is not `keep` (temporary files left behind).
QStringList strayFiles(const QString &dir, const QStringList &keep)
{
    QStringList out;
    const QStringList all =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : all) {
        if (!keep.contains(name))
            out << name;
    }
    return out;
}

} // namespace

class TstPureCore : public QObject {
    Q_OBJECT

private slots:
    // --- Windows-1252 ---------------------------------------------------
    void codecEveryByteRoundTrips();
    void codecSamples_data();
    void codecSamples();
    void codecQStringUnmapped_data();
    void codecQStringUnmapped();
    void utf8Invalid_data();
    void utf8Invalid();

    // --- Hexadecimal conversion -------------------------------------------
    void hex_data();
    void hex();

    // --- Profile reader ---------------------------------------------------
    void profileGet_data();
    void profileGet();
    void profileSections();
    void profileManyRecords();
    void profileHostileContent();

    // --- Profile writer ---------------------------------------------------
    void profileSet_data();
    void profileSet();
    void profileSetThenGetOnRandomContent();
    void settingsFileFromNothing();
    void listRecordWrittenAsExample();
    void listRecordRewrittenUnchanged();
    void profileFileMissing();

    // --- Files ------------------------------------------------------------
    void writeAtomicCreatesAndReplaces();
    void writeAtomicFailures_data();
    void writeAtomicFailures();
    void writeInPlaceWhenNoTemporary();
    void readFailures();
};

void TstPureCore::codecEveryByteRoundTrips()
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += char(b);
        QCOMPARE(cp1252::fromUnicode(cp1252::toUnicode(static_cast<unsigned char>(b))), b);
    }
    QCOMPARE(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    const QString text = fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCp1252(text), all);
    QCOMPARE(toCp1252Bytes(text), QByteArray(all.data(), 256));
    // The bytes the code page leaves unassigned stay control characters.
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(cp1252::toUnicode(static_cast<unsigned char>(b)), char32_t(b));
}

void TstPureCore::codecSamples_data()
{
    QTest::addColumn<uint>("unicode");
    QTest::addColumn<int>("byte");
    QTest::newRow("e acute") << 0xE9u << 0xE9;
    QTest::newRow("a grave") << 0xE0u << 0xE0;
    QTest::newRow("euro") << 0x20ACu << 0x80;
    QTest::newRow("OE ligature") << 0x152u << 0x8C;
    QTest::newRow("right quote") << 0x2019u << 0x92;
    QTest::newRow("Y diaeresis") << 0x178u << 0x9F;
    QTest::newRow("nbsp") << 0xA0u << 0xA0;
    QTest::newRow("U+0080 has no byte (80h is the euro)") << 0x80u << -1;
    QTest::newRow("U+009F has no byte") << 0x9Fu << -1;
    QTest::newRow("CJK") << 0x4E2Du << -1;
    QTest::newRow("beyond the basic plane") << 0x1F600u << -1;
}

void TstPureCore::codecSamples()
{
    QFETCH(uint, unicode);
    QFETCH(int, byte);
    QCOMPARE(cp1252::fromUnicode(char32_t(unicode)), byte);
    const QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(&unicode), 1);
    const std::string expected(1, byte < 0 ? '?' : char(byte));
    QCOMPARE(toCp1252(text), expected);
    QCOMPARE(cp1252::fromUtf8(text.toUtf8().toStdString()), expected);
    if (byte >= 0) {
        QCOMPARE(fromCp1252(expected), text);
        QCOMPARE(cp1252::toUtf8(expected), text.toUtf8().toStdString());
    }
}

void TstPureCore::codecQStringUnmapped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("pair is one character") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                                "b")
                                           << std::string("a?b");
    QTest::newRow("lone high half") << (QString("a") + QChar(0xD83D) + "b") << std::string("a?b");
    QTest::newRow("lone low half") << (QString("a") + QChar(0xDE00)) << std::string("a?");
    QTest::newRow("high half at the end") << (QString("x") + QChar(0xD83D)) << std::string("x?");
    QTest::newRow("French") << QString::fromUtf8("cr\xC3\xA9\xC3\xA9 \xE2\x82\xAC")
                            << std::string("cr\xE9\xE9 \x80");
}

void TstPureCore::codecQStringUnmapped()
{
    QFETCH(QString, text);
    QFETCH(std::string, expected);
    QCOMPARE(toCp1252(text), expected);
}

void TstPureCore::utf8Invalid_data()
{
    QTest::addColumn<std::string>("utf8");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("valid") << std::string("\xC3\xA9t\xC3\xA9") << std::string("\xE9t\xE9");
    QTest::newRow("cut at the end") << std::string("a\xC3") << std::string("a?");
    QTest::newRow("cut in the middle") << std::string("a\xE2\x82"
                                                      "b")
                                       << std::string("a?b");
    QTest::newRow("overlong slash") << std::string("\xC0\xAF") << std::string("??");
    QTest::newRow("overlong three bytes") << std::string("\xE0\x80\xAF") << std::string("???");
    QTest::newRow("surrogate") << std::string("\xED\xA0\x80") << std::string("???");
    QTest::newRow("past 10FFFFh") << std::string("\xF4\x90\x80\x80") << std::string("????");
    QTest::newRow("stray continuation") << std::string("\x80x") << std::string("?x");
    QTest::newRow("FF byte") << std::string("\xFF") << std::string("?");
    QTest::newRow("NUL kept") << bytes("a\0b", 3) << bytes("a\0b", 3);
    QTest::newRow("four bytes, no byte") << std::string("\xF0\x9F\x98\x80") << std::string("?");
}

void TstPureCore::utf8Invalid()
{
    QFETCH(std::string, utf8);
    QFETCH(std::string, expected);
    QCOMPARE(cp1252::fromUtf8(utf8), expected);
}

void TstPureCore::hex_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("overflow");
    QTest::addColumn<int>("failPosition");
    QTest::newRow("17") << std::string("17") << 23 << true << false << 0;
    QTest::newRow("99") << std::string("99") << 153 << true << false << 0;
    QTest::newRow("07") << std::string("07") << 7 << true << false << 0;
    QTest::newRow("7") << std::string("7") << 7 << true << false << 0;
    QTest::newRow("FF") << std::string("FF") << 255 << true << false << 0;
    QTest::newRow("0A") << std::string("0A") << 10 << true << false << 0;
    QTest::newRow("empty") << std::string() << 0 << true << false << 0;
    QTest::newRow("7FFF") << std::string("7FFF") << 32767 << true << false << 0;
    QTest::newRow("4 full stop") << std::string("4.") << 64 << false << false << 2;
    QTest::newRow("full stop 4") << std::string(".4") << 0 << false << false << 1;
    QTest::newRow("lower case a") << std::string("4a") << 64 << false << false << 2;
    QTest::newRow("lower case ff") << std::string("ff") << 0 << false << false << 1;
    QTest::newRow("blank") << std::string("1 2") << 256 << false << false << 2;
    QTest::newRow("NUL") << bytes("2\0", 2) << 32 << false << false << 2;
    QTest::newRow("8000") << std::string("8000") << 0 << false << true << 0;
    QTest::newRow("FFFF") << std::string("FFFF") << 0 << false << true << 0;
    QTest::newRow("five digits") << std::string("10000") << 0 << false << true << 0;
    QTest::newRow("twenty digits")
        << std::string("12345678901234567890") << 0 << false << true << 0;
    QTest::newRow("leading zeros") << std::string(40, '0') + "7FFF" << 32767 << true << false << 0;
    QTest::newRow("100k zeros then 1") << std::string(100000, '0') + "1" << 1 << true << false << 0;
    QTest::newRow("1 then 300 zeros") << "1" + std::string(300, '0') << 0 << false << true << 0;
    QTest::newRow("bad after many zeros")
        << std::string(1000, '0') + "x" << 0 << false << false << 1001;
}

void TstPureCore::hex()
{
    QFETCH(std::string, text);
    QFETCH(int, value);
    QFETCH(bool, ok);
    QFETCH(bool, overflow);
    QFETCH(int, failPosition);
    const HexResult r = convertion_hex_dec(text);
    QCOMPARE(int(r.value), value);
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.overflow, overflow);
    QCOMPARE(r.failPosition, failPosition);
}

void TstPureCore::profileGet_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<std::string>("section");
    QTest::addColumn<std::string>("key");
    QTest::addColumn<int>("size");
    QTest::addColumn<std::string>("expected");
    const std::string basic = "[A]\r\nnom=Valmire\r\nvide=\r\n";
    QTest::newRow("plain") << basic << std::string("A") << std::string("nom") << 20
                           << std::string("Valmire");
    QTest::newRow("empty value, not the default")
        << basic << std::string("A") << std::string("vide") << 20 << std::string();
    QTest::newRow("letter case of names")
        << std::string("[Com]\r\nVALEUR=COM3\r\n") << std::string("cOM") << std::string("valeur")
        << 20 << std::string("COM3");
    QTest::newRow("accented names are compared as bytes")
        << std::string("[A]\r\njour autoris\xE9_=7\r\n") << std::string("a")
        << std::string("JOUR AUTORIS\xE9_") << 20 << std::string("7");
    QTest::newRow("blanks and tabs")
        << std::string(" \t[ A ]\t\r\n \tnom \t=  Val mire \t\r\n") << std::string("A")
        << std::string("nom") << 20 << std::string("Val mire");
    QTest::newRow("double quotes") << std::string("[A]\r\nk= \" x \" \r\n") << std::string("A")
                                   << std::string("k") << 20 << std::string(" x ");
    QTest::newRow("single quotes") << std::string("[A]\r\nk='x'\r\n") << std::string("A")
                                   << std::string("k") << 20 << std::string("x");
    QTest::newRow("one pair only") << std::string("[A]\r\nk=\"\"x\"\"\r\n") << std::string("A")
                                   << std::string("k") << 20 << std::string("\"x\"");
    QTest::newRow("quotes that do not match")
        << std::string("[A]\r\nk=\"x'\r\n") << std::string("A") << std::string("k") << 20
        << std::string("\"x'");
    QTest::newRow("a lone quote") << std::string("[A]\r\nk=\"\r\n") << std::string("A")
                                  << std::string("k") << 20 << std::string("\"");
    QTest::newRow("cut to size - 1")
        << std::string("[A]\r\nnom=ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n") << std::string("A")
        << std::string("nom") << 20 << std::string("ABCDEFGHIJKLMNOPQRS");
    QTest::newRow("size 1") << basic << std::string("A") << std::string("nom") << 1
                            << std::string();
    QTest::newRow("size 0") << basic << std::string("A") << std::string("nom") << 0
                            << std::string();
    QTest::newRow("missing section")
        << basic << std::string("B") << std::string("nom") << 20 << std::string("<def>");
    QTest::newRow("missing key") << basic << std::string("A") << std::string("prenom") << 20
                                 << std::string("<def>");
    QTest::newRow("empty file") << std::string() << std::string("A") << std::string("nom") << 20
                                << std::string("<def>");
    QTest::newRow("default cut too")
        << std::string() << std::string("A") << std::string("nom") << 3 << std::string("<d");
    QTest::newRow("first section wins")
        << std::string("[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n") << std::string("A")
        << std::string("k") << 20 << std::string("1");
    QTest::newRow("keys of a repeated section are not seen")
        << std::string("[A]\r\nk=1\r\n[a]\r\nj=3\r\n") << std::string("A") << std::string("j") << 20
        << std::string("<def>");
    QTest::newRow("first key wins") << std::string("[A]\r\nk=1\r\nK=2\r\n") << std::string("A")
                                    << std::string("k") << 20 << std::string("1");
    QTest::newRow("free text before the first section")
        << std::string("k=0\r\nLigne libre\r\n[A]\r\nk=1\r\n") << std::string("A")
        << std::string("k") << 20 << std::string("1");
    QTest::newRow("key of another section")
        << std::string("[A]\r\nk=1\r\n[B]\r\n") << std::string("B") << std::string("k") << 20
        << std::string("<def>");
    QTest::newRow("LF only") << std::string("[A]\nx=1\nk=2\n") << std::string("A")
                             << std::string("k") << 20 << std::string("2");
    QTest::newRow("CR only") << std::string("[A]\rx=1\rk=2") << std::string("A") << std::string("k")
                             << 20 << std::string("2");
    QTest::newRow("mixed, no final line end")
        << std::string("[A]\r\n\n\rx=1\n\rk=2") << std::string("A") << std::string("k") << 20
        << std::string("2");
    QTest::newRow("line without equals sign")
        << std::string("[A]\r\nk\r\nk=2\r\n") << std::string("A") << std::string("k") << 20
        << std::string("2");
    QTest::newRow("value holds an equals sign")
        << std::string("[A]\r\nk=a=b\r\n") << std::string("A") << std::string("k") << 20
        << std::string("a=b");
    QTest::newRow("name runs to the last bracket")
        << std::string("[a]b] c\r\nk=1\r\n") << std::string("a]b") << std::string("k") << 20
        << std::string("1");
    QTest::newRow("header without bracket") << std::string("[abc\r\nk=1\r\n") << std::string("abc")
                                            << std::string("k") << 20 << std::string("1");
    QTest::newRow("NUL ends the value") << bytes("[A]\r\nk=ab\0cd\r\n", 14) << std::string("A")
                                        << std::string("k") << 20 << std::string("ab");
}

void TstPureCore::profileGet()
{
    QFETCH(std::string, content);
    QFETCH(std::string, section);
    QFETCH(std::string, key);
    QFETCH(int, size);
    QFETCH(std::string, expected);
    QCOMPARE(profile::get(content, section, key, "<def>", std::size_t(size)), expected);
}

void TstPureCore::profileSections()
{
    const std::string content = "libre [X]\r\n[A]\r\n x=1\r\n  [ B ] c\n[A]\r[C";
    const std::vector<std::string> expected{"A", "B", "A", "C"};
    QCOMPARE(profile::sections(content), expected);
    QVERIFY(profile::sections("").empty());
}

void TstPureCore::profileManyRecords()
{
    // A full list, read once and looked up key by key.
    std::string content = kListHeader;
    for (int r = 0; r < 101; ++r) {
        const std::string name = std::to_string(1000000000 + r);
        for (const auto &[key, value] : kRecord)
            content = profile::set(content, name, key,
                                   key == std::string("nom") ? "N" + std::to_string(r) : value);
    }
    const profile::Parsed parsed(content);
    QCOMPARE(parsed.sections().size(), std::size_t(101));
    for (int r = 0; r < 101; ++r) {
        const std::string name = std::to_string(1000000000 + r);
        QCOMPARE(parsed.get(name, "numero", "", 20), std::string("0000000001"));
        QCOMPARE(parsed.get(name, "nom", "", 20), "N" + std::to_string(r));
        QCOMPARE(parsed.get(name, "jour du mois", "", 20), std::string("0"));
    }
}

void TstPureCore::profileHostileContent()
{
    // A megabyte line with NUL bytes and brackets, and no final line end.
    std::string line(1 << 20, 'x');
    line[10] = '\0';
    line[500] = '[';
    line[7000] = ']';
    const std::string content = "[A]\r\nk=" + line;
    QCOMPARE(profile::get(content, "A", "k", "", 20), std::string(10, 'x'));
    const std::string written = profile::set(content, "A", "k", "v");
    QCOMPARE(written, std::string("[A]\r\nk=v\r\n"));
    const std::string other = profile::set(content, "A", "j", "v");
    QCOMPARE(other, content + "\r\nj=v\r\n");
}

void TstPureCore::profileSet_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<std::string>("section");
    QTest::addColumn<std::string>("key");
    QTest::addColumn<std::string>("value");
    QTest::addColumn<std::string>("expected");
    QTest::newRow("replaced where it stands")
        << std::string("[A]\r\nx=1\r\ny=2\r\n") << std::string("A") << std::string("x")
        << std::string("9") << std::string("[A]\r\nx=9\r\ny=2\r\n");
    QTest::newRow("other lines kept byte for byte")
        << std::string("libre\n[A]\nx=1\ny = 2 \n; note\r") << std::string("A") << std::string("x")
        << std::string("9") << std::string("libre\n[A]\nx=9\r\ny = 2 \n; note\r");
    QTest::newRow("name matched without case and blanks")
        << std::string("[a]\r\n  X = 1 \r\n") << std::string("A") << std::string("x")
        << std::string("2") << std::string("[a]\r\nx=2\r\n");
    QTest::newRow("first of repeated sections and keys")
        << std::string("[A]\r\nx=1\r\nx=2\r\n[A]\r\nx=3\r\n") << std::string("A")
        << std::string("x") << std::string("9")
        << std::string("[A]\r\nx=9\r\nx=2\r\n[A]\r\nx=3\r\n");
    QTest::newRow("new key before the trailing empty lines")
        << std::string("[A]\r\nx=1\r\n\r\n\r\n[B]\r\nz=3\r\n") << std::string("A")
        << std::string("y") << std::string("2")
        << std::string("[A]\r\nx=1\r\ny=2\r\n\r\n\r\n[B]\r\nz=3\r\n");
    QTest::newRow("new key in a section without keys")
        << std::string("[A]\r\n\r\n[B]\r\n") << std::string("A") << std::string("y")
        << std::string("2") << std::string("[A]\r\ny=2\r\n\r\n[B]\r\n");
    QTest::newRow("new key after a header without line end")
        << std::string("[A]") << std::string("A") << std::string("y") << std::string("2")
        << std::string("[A]\r\ny=2\r\n");
    QTest::newRow("new key after a key without line end")
        << std::string("[A]\r\nx=1") << std::string("A") << std::string("y") << std::string("2")
        << std::string("[A]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("a line without equals sign is not the key")
        << std::string("[A]\r\ny\r\n") << std::string("A") << std::string("y") << std::string("2")
        << std::string("[A]\r\ny=2\r\ny\r\n");
    QTest::newRow("new section at the end")
        << std::string("[A]\r\nx=1\r\n") << std::string("B") << std::string("y") << std::string("2")
        << std::string("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    QTest::newRow("new section after a line without line end")
        << std::string("libre") << std::string("B") << std::string("y") << std::string("2")
        << std::string("libre\r\n[B]\r\ny=2\r\n");
    QTest::newRow("new section after a lone CR")
        << std::string("[A]\rx=1\r") << std::string("B") << std::string("y") << std::string("2")
        << std::string("[A]\rx=1\r[B]\r\ny=2\r\n");
    QTest::newRow("new section in an empty file")
        << std::string() << std::string("B") << std::string("y") << std::string("2")
        << std::string("[B]\r\ny=2\r\n");
    QTest::newRow("no line breaks carried by the value")
        << std::string("[A]\r\nx=1\r\n") << std::string("A") << std::string("x")
        << std::string("a\r\n[B]\rk=v\nz") << std::string("[A]\r\nx=a[B]k=vz\r\n");
    QTest::newRow("no line breaks carried by the names")
        << std::string() << std::string("A\r\nB") << std::string("k\nx") << std::string("1")
        << std::string("[AB]\r\nkx=1\r\n");
    QTest::newRow("empty line asked, new key at the end")
        << std::string("[A]\r\nx=1\r\n") << std::string("A") << std::string("j")
        << std::string("0\r\n") << std::string("[A]\r\nx=1\r\nj=0\r\n\r\n");
    QTest::newRow("empty line asked, new key before an empty line")
        << std::string("[A]\r\nx=1\r\n\r\n[B]\r\n") << std::string("A") << std::string("j")
        << std::string("0\r\n") << std::string("[A]\r\nx=1\r\nj=0\r\n\r\n[B]\r\n");
    QTest::newRow("empty line asked, replaced key followed by one")
        << std::string("[A]\r\nj=5\r\n\r\n[B]\r\n") << std::string("A") << std::string("j")
        << std::string("0\r\n") << std::string("[A]\r\nj=0\r\n\r\n[B]\r\n");
    QTest::newRow("empty line asked, replaced key followed by a header")
        << std::string("[A]\r\nj=5\r\n[B]\r\n") << std::string("A") << std::string("j")
        << std::string("0\r\n") << std::string("[A]\r\nj=0\r\n\r\n[B]\r\n");
    QTest::newRow("empty line asked, key on the last line")
        << std::string("[A]\r\nj=5") << std::string("A") << std::string("j") << std::string("0\r\n")
        << std::string("[A]\r\nj=0\r\n\r\n");
    QTest::newRow("empty line asked, new section")
        << std::string() << std::string("A") << std::string("j") << std::string("0\r\n")
        << std::string("[A]\r\nj=0\r\n\r\n");
    QTest::newRow("a lone LF at the end asks nothing")
        << std::string() << std::string("A") << std::string("j") << std::string("0\n")
        << std::string("[A]\r\nj=0\r\n");
}

void TstPureCore::profileSet()
{
    QFETCH(std::string, content);
    QFETCH(std::string, section);
    QFETCH(std::string, key);
    QFETCH(std::string, value);
    QFETCH(std::string, expected);
    const std::string once = profile::set(content, section, key, value);
    QCOMPARE(once, expected);
    // Writing the same again changes nothing.
    QCOMPARE(profile::set(once, section, key, value), once);
}

void TstPureCore::profileSetThenGetOnRandomContent()
{
    // Whatever the file holds, a value written is the value read back, and
    // the other sections read as before.
    std::mt19937 random(20261206);
    const char alphabet[] = {'[',  ']', '=', '\r', '\n', ' ', '\t', '"',
                             '\0', 'S', 's', 'k',  'K',  'T', 'x',  '\xE9'};
    for (int round = 0; round < 2000; ++round) {
        std::string content;
        const int length = int(random() % 80);
        for (int i = 0; i < length; ++i)
            content += alphabet[random() % sizeof alphabet];
        const std::string before = profile::get(content, "T", "k", "<def>", 100);
        const std::string written = profile::set(content, "S", "k", "valeur\r\n");
        QCOMPARE(profile::get(written, "S", "k", "<def>", 100), std::string("valeur"));
        QCOMPARE(profile::get(written, "T", "k", "<def>", 100), before);
        QCOMPARE(profile::set(written, "S", "k", "valeur\r\n"), written);
    }
}

void TstPureCore::settingsFileFromNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("platine.ini");
    std::string error;
    QVERIFY(profile::writeToFile(path.toStdString(), "COM", "valeur", "COM3", &error));
    QVERIFY(profile::writeToFile(path.toStdString(), "temporisation", "valeur", "10", &error));
    QCOMPARE(readFile(path),
             std::string("[COM]\r\nvaleur=COM3\r\n[temporisation]\r\nvaleur=10\r\n"));
    QCOMPARE(profile::getFromFile(path.toStdString(), "com", "VALEUR", "", 20),
             std::string("COM3"));
    QCOMPARE(strayFiles(dir.path(), {"platine.ini"}), QStringList());
}

void TstPureCore::listRecordWrittenAsExample()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("liste.txt");
    writeFile(path, kListHeader);
    for (const auto &[key, value] : kRecord)
        QVERIFY(profile::writeToFile(path.toStdString(), "0000000001", key, value));
    QCOMPARE(readFile(path), kListWithRecord);
    QCOMPARE(profile::getFromFile(path.toStdString(), "0000000001", "jour autoris\xE9_", "", 20),
             std::string("7"));
}

void TstPureCore::listRecordRewrittenUnchanged()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("liste.txt");
    writeFile(path, kListWithRecord);
    for (const auto &[key, value] : kRecord)
        QVERIFY(profile::writeToFile(path.toStdString(), "0000000001", key, value));
    QCOMPARE(readFile(path), kListWithRecord);

    // A second record goes after the first one's empty line, the same way.
    for (const auto &[key, value] : kRecord)
        QVERIFY(profile::writeToFile(path.toStdString(), "0000000002", key, value));
    std::string second = kListWithRecord.substr(kListHeader.size());
    second.replace(second.find("[0000000001]"), 12, "[0000000002]");
    QCOMPARE(readFile(path), kListWithRecord + second);
    QCOMPARE(profile::getFromFile(path.toStdString(), "0000000002", "nom", "", 20),
             std::string("Valmire"));
}

void TstPureCore::profileFileMissing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(profile::getFromFile(dir.filePath("absent.txt").toStdString(), "A", "k", "def", 20),
             std::string("def"));
    // A folder in place of the file: nothing is written and the reason is given.
    std::string error;
    QVERIFY(!profile::writeToFile(dir.path().toStdString(), "A", "k", "v", &error));
    QVERIFY(!error.empty());
    QVERIFY(QFileInfo(dir.path()).isDir());
}

void TstPureCore::writeAtomicCreatesAndReplaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("f.txt");
    std::string error;
    QVERIFY(files::writeAtomic(path.toStdString(), bytes("a\0b\r\n", 5), &error));
    QCOMPARE(readFile(path), bytes("a\0b\r\n", 5));
    QVERIFY(files::writeAtomic(path.toStdString(), "", &error));
    QCOMPARE(readFile(path), std::string());
    QCOMPARE(files::read(path.toStdString()), std::optional<std::string>(std::string()));
    QVERIFY(files::writeAtomic(path.toStdString(), std::string(3 << 20, 'z'), &error));
    QCOMPARE(files::read(path.toStdString())->size(), std::size_t(3 << 20));
    // In pieces, one after the other; an empty piece among them adds nothing.
    const std::array<std::string_view, 3> pieces{"ab", "", std::string_view("c\0d", 3)};
    QVERIFY(files::writeAtomic(path.toStdString(), pieces, &error));
    QCOMPARE(readFile(path), bytes("abc\0d", 5));
    // Readable by the operator's other programs, like any file the user makes.
    QVERIFY(QFileInfo(path).permissions() & QFileDevice::ReadOwner);
    QVERIFY(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
    QCOMPARE(strayFiles(dir.path(), {"f.txt"}), QStringList());
}

void TstPureCore::writeAtomicFailures_data()
{
    QTest::addColumn<QString>("target"); // relative to a fresh folder
    QTest::newRow("target is a folder") << QString("dossier");
    QTest::newRow("folder missing") << QString("absent/f.txt");
    QTest::newRow("parent is a file") << QString("fichier/f.txt");
    QTest::newRow("empty name") << QString();
}

void TstPureCore::writeAtomicFailures()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("dossier"));
    writeFile(dir.filePath("fichier"), "contenu");
    const std::string path = target.isEmpty() ? std::string() : dir.filePath(target).toStdString();
    std::string error;
    QVERIFY(!files::writeAtomic(path, "nouveau", &error));
    QVERIFY(!error.empty());
    QVERIFY(QFileInfo(dir.filePath("dossier")).isDir());
    QCOMPARE(readFile(dir.filePath("fichier")), std::string("contenu"));
    QCOMPARE(strayFiles(dir.path(), {"dossier", "fichier"}), QStringList());
    QCOMPARE(strayFiles(dir.filePath("dossier"), {}), QStringList());
}

void TstPureCore::writeInPlaceWhenNoTemporary()
{
    // A name so long that no temporary name fits beside it: the folder takes
    // no new file, while the file itself is writable.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QString(250, 'p'));
    writeFile(path, "ancien contenu, plus long");
    std::string error;
    QVERIFY(!files::writeAtomic(path.toStdString(), "nouveau", &error));
    QCOMPARE(readFile(path), std::string("ancien contenu, plus long"));
    QVERIFY(files::writeAtomic(path.toStdString(), "nouveau", &error, true));
    QCOMPARE(readFile(path), std::string("nouveau"));
    // In pieces too, cut to their length.
    const std::array<std::string_view, 2> pieces{"neu", "f"};
    QVERIFY(files::writeAtomic(path.toStdString(), pieces, &error, true));
    QCOMPARE(readFile(path), std::string("neuf"));
    QCOMPARE(strayFiles(dir.path(), {QString(250, 'p')}), QStringList());
}

void TstPureCore::readFailures()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::string error;
    QVERIFY(!files::read(dir.filePath("absent").toStdString(), &error));
    QVERIFY(!error.empty());
    error.clear();
    QVERIFY(!files::read(dir.path().toStdString(), &error));
    QVERIFY(!error.empty());
}

QTEST_GUILESS_MAIN(TstPureCore)
#include "tst_pure_core.moc"
