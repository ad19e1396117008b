// The list file on its own: reading into the record tables, the record
// writer, the new-list header and the value checks.

#include "app/list_dates.h"
#include "core/badges/listfile.h"
#include "core/platform/cp1252.h"
#include "core/platform/files.h"
#include "support/example_list.h"

#include <QTest>

#include <memory>
#include <string>

using namespace platine;
using platine::testing::kExampleRecord;
using platine::testing::kListHeader;

Q_DECLARE_METATYPE(std::string)

namespace {

RecordFields exampleFields()
{
    RecordFields f;
    f.numero = "0000000001";
    f.nom = "Valmire";
    f.heure_debut = "07";
    f.minute_debut = "30";
    f.heure_fin = "17";
    f.minute_fin = "30";
    f.h24 = "non";
    f.jour_texte = "Lundi \xE0 Vendredi";
    f.jour_code = "7";
    f.lieu = "1";
    f.tous_lieux = "non";
    f.jour_du_mois = "0";
    return f;
}

// A section written by hand, keys the reader takes only.
std::string section(const std::string &name, const std::string &numero, const std::string &nom,
                    const std::string &hd = "08", const std::string &md = "00",
                    const std::string &hf = "18", const std::string &mf = "00",
                    const std::string &jour = "9", const std::string &lieu = "3",
                    const std::string &jdm = "0")
{
    return "[" + name + "]\r\nnumero=" + numero + "\r\nnom=" + nom + "\r\nheure de debut=" + hd +
           "\r\nminute de debut=" + md + "\r\nheure de fin=" + hf + "\r\nminute de fin=" + mf +
           "\r\njour autoris\xE9_=" + jour + "\r\nlieu autoris\xE9=" + lieu +
           "\r\njour du mois=" + jdm + "\r\n\r\n";
}

// Twelve hexadecimal digits' worth of distinct numbers: record i is i+1.
std::string numberOf(int i)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%010X", unsigned(i + 1));
    return buf;
}

std::string manySections(int n)
{
    std::string s = kListHeader;
    for (int i = 0; i < n; ++i)
        s += section(numberOf(i), numberOf(i), "Nom " + std::to_string(i));
    return s;
}

} // namespace

class TstListFile : public QObject {
    Q_OBJECT

private slots:
    void exampleReadBack();
    void readCases_data();
    void readCases();
    void duplicateSections();
    void sectionCounts_data();
    void sectionCounts();
    void noStaleBytesAfterEmptyList();
    void readReportNamesEverything();
    void unusedLinesNamed_data();
    void unusedLinesNamed();
    void sampleRecordsSayWhatTheyHold();

    void exampleWrittenByteForByte();
    void resaveInPlace();
    void changedNumberAddsSection();
    void storedFormsKept_data();
    void storedFormsKept();
    void validate_data();
    void validate();

    void valeurEntiere_data();
    void valeurEntiere();
    void headerDateAndTimeFrench();
    void openedLinesEndWithCrLf_data();
    void openedLinesEndWithCrLf();
};

void TstListFile::exampleReadBack()
{
    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(kListHeader + kExampleRecord, *t);
    QVERIFY(r.readable);
    QCOMPARE(r.count, 1);
    QCOMPARE(r.sectionsInFile, 1);
    QVERIFY(!r.hasProblems());
    QCOMPARE(t->tab_sections[0] + "|" + t->tab_numero[0] + "|" + t->tab_nom[0] + "|" +
                 t->tab_jour[0],
             std::string("0000000001|0000000001|Valmire|7"));
    const QList<int> values{
        t->tab_heure_debut[0],      t->tab_heure_debut_bcd[0], t->tab_minute_debut[0],
        t->tab_minute_debut_bcd[0], t->tab_heure_fin[0],       t->tab_heure_fin_bcd[0],
        t->tab_minute_fin[0],       t->tab_minute_fin_bcd[0],  t->tab_lieu[0],
        t->tab_lieu_bcd[0],         t->tab_jour_du_mois[0],    t->invalid[0]};
    QCOMPARE(values, (QList<int>{7, 7, 30, 48, 17, 23, 30, 48, 1, 1, 0, 0}));
    const int expected[] = {0, 0, 0, 0, 1};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(t->tab_octets_badge[k], expected[k]);
    for (int k = 5; k < kBadgeBytes; ++k)
        QCOMPARE(t->tab_octets_badge[k], 0);
    QCOMPARE(t->tab_numero[1], std::string("0000000000"));
    QCOMPARE(t->tab_nom[1], std::string(" "));
    QCOMPARE(t->tab_jour[1], std::string("0"));
}

void TstListFile::readCases_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<int>("count");
    QTest::addColumn<std::string>("nom");
    QTest::addColumn<int>("heureDebut");
    QTest::addColumn<int>("heureDebutBcd");
    QTest::addColumn<int>("lieu");
    QTest::addColumn<int>("lieuBcd");
    QTest::addColumn<std::string>("jour");
    QTest::addColumn<int>("invalid");
    QTest::addColumn<QList<int>>("bytes");

    const QList<int> one{0, 0, 0, 0, 1};
    QTest::newRow("24h/24") << section("0000000001", "0000000001", "Jour", "99", "99", "99", "99")
                            << 1 << std::string("Jour") << 99 << 153 << 3 << 3 << std::string("9")
                            << 0 << one;
    QTest::newRow("all places") << section("0000000001", "0000000001", "Lieux", "08", "00", "18",
                                           "00", "9", "99")
                                << 1 << std::string("Lieux") << 8 << 8 << 99 << 153
                                << std::string("9") << 0 << one;
    QTest::newRow("day code -1 kept, flagged")
        << section("0000000001", "0000000001", "A", "08", "00", "18", "00", "-1") << 1
        << std::string("A") << 8 << 8 << 3 << 3 << std::string("-1") << int(BadJour) << one;
    QTest::newRow("empty day code reads 0")
        << section("0000000001", "0000000001", "A", "08", "00", "18", "00", "") << 1
        << std::string("A") << 8 << 8 << 3 << 3 << std::string("0") << 0 << one;
    QTest::newRow("name cut to 19 characters")
        << section("0000000001", "0000000001", "Abcdefghijklmnopqrstuvwxy") << 1
        << std::string("Abcdefghijklmnopqrs") << 8 << 8 << 3 << 3 << std::string("9") << 0 << one;
    QTest::newRow("seven-digit badge")
        << section("1234567", "1234567", "Court") << 1 << std::string("Court") << 8 << 8 << 3 << 3
        << std::string("9") << int(BadNumero) << QList<int>{0x12, 0x34, 0x56, 7, 0};
    QTest::newRow("lower-case badge")
        << section("00000000ab", "00000000ab", "Min") << 1 << std::string("Min") << 8 << 8 << 3 << 3
        << std::string("9") << int(BadNumero) << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("Windows-1252 name") << section("0000000001", "0000000001",
                                                  "H\xE9l\xE8ne \x8C"
                                                  "dile")
                                       << 1
                                       << std::string("H\xE9l\xE8ne \x8C"
                                                      "dile")
                                       << 8 << 8 << 3 << 3 << std::string("9") << 0 << one;
    QTest::newRow("[2] in a name adds no record")
        << section("0000000001", "0000000001", "Dupont [2]") << 1 << std::string("Dupont [2]") << 8
        << 8 << 3 << 3 << std::string("9") << 0 << one;
    QTest::newRow("text before the first section ignored")
        << ("Texte libre\r\nnom=Faux\r\n" + section("0000000001", "0000000001", "Vrai")) << 1
        << std::string("Vrai") << 8 << 8 << 3 << 3 << std::string("9") << 0 << one;
    QTest::newRow("header without ] is a section")
        << ("[x\r\n" + section("0000000001", "0000000001", "Vrai")) << 2 << std::string("") << 0
        << 0 << 0 << 0 << std::string("0")
        << int(BadNumero | BadHeureDebut | BadMinuteDebut | BadHeureFin | BadMinuteFin | BadLieu)
        << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("every number invalid")
        << section("0000000001", "0000000001", "N", "7h", "", "123", " ", "10", "1A", "32") << 1
        << std::string("N") << 7 << 0 << 1 << 26 << std::string("10")
        << int(BadHeureDebut | BadMinuteDebut | BadHeureFin | BadMinuteFin | BadJour | BadLieu |
               BadJourDuMois)
        << one;
    QTest::newRow("hour 25 flagged")
        << section("0000000001", "0000000001", "N", "25", "00", "18", "00", "9") << 1
        << std::string("N") << 25 << 0x25 << 3 << 3 << std::string("9") << int(BadHeureDebut)
        << one;
    QTest::newRow("end 24:00 kept")
        << section("0000000001", "0000000001", "N", "08", "00", "24", "00", "9") << 1
        << std::string("N") << 8 << 8 << 3 << 3 << std::string("9") << 0 << one;
    QTest::newRow("end 24:30, minute 60 flagged")
        << section("0000000001", "0000000001", "N", "08", "60", "24", "30", "9") << 1
        << std::string("N") << 8 << 8 << 3 << 3 << std::string("9")
        << int(BadMinuteDebut | BadHeureFin) << one;
    QTest::newRow("day of month past 31")
        << section("0000000001", "0000000001", "N", "08", "00", "18", "00", "9", "3", "45") << 1
        << std::string("N") << 8 << 8 << 3 << 3 << std::string("9") << int(BadJourDuMois) << one;
}

void TstListFile::readCases()
{
    QFETCH(std::string, content);
    QFETCH(int, count);
    QFETCH(std::string, nom);
    QFETCH(int, heureDebut);
    QFETCH(int, heureDebutBcd);
    QFETCH(int, lieu);
    QFETCH(int, lieuBcd);
    QFETCH(std::string, jour);
    QFETCH(int, invalid);
    QFETCH(QList<int>, bytes);

    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(content, *t);
    QCOMPARE(r.count, count);
    QCOMPARE(t->tab_nom[0], nom);
    QCOMPARE(t->tab_heure_debut[0], heureDebut);
    QCOMPARE(t->tab_heure_debut_bcd[0], heureDebutBcd);
    QCOMPARE(t->tab_lieu[0], lieu);
    QCOMPARE(t->tab_lieu_bcd[0], lieuBcd);
    QCOMPARE(t->tab_jour[0], jour);
    QCOMPARE(int(t->invalid[0]), invalid);
    QCOMPARE(r.hasInvalid(), invalid != 0);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(int(t->tab_octets_badge[k]), bytes[k]);
    for (int k = 5 * count; k < kBadgeBytes; ++k)
        QCOMPARE(t->tab_octets_badge[k], 0);
}

void TstListFile::duplicateSections()
{
    const std::string content = kListHeader + section("0000000001", "0000000001", "Premier") +
                                section("0000000002", "0000000002", "Autre") +
                                section("0000000001", "0000000001", "Second", "10");
    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(content, *t);
    QCOMPARE(r.count, 3);
    // The profile look-up finds the first section of the name for both slots.
    QCOMPARE(t->tab_nom[0], std::string("Premier"));
    QCOMPARE(t->tab_nom[2], std::string("Premier"));
    QCOMPARE(t->tab_heure_debut[2], 8);
    QCOMPARE(r.duplicates, std::vector<std::string>{"0000000001"});
    QVERIFY(r.hasProblems());
    QVERIFY(QString::fromStdString(readReportText(r, *t)).contains("0000000001"));
}

void TstListFile::sectionCounts_data()
{
    QTest::addColumn<int>("sections");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<bool>("tooMany");
    QTest::newRow("100") << 100 << 100 << 0 << false;
    QTest::newRow("101") << 101 << 101 << 0 << true;
    QTest::newRow("102") << 102 << 101 << 1 << true;
    QTest::newRow("250") << 250 << 101 << 149 << true;
}

void TstListFile::sectionCounts()
{
    QFETCH(int, sections);
    QFETCH(int, count);
    QFETCH(int, leftOut);
    QFETCH(bool, tooMany);
    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(manySections(sections), *t);
    QCOMPARE(r.sectionsInFile, sections);
    QCOMPARE(r.count, count);
    QCOMPARE(r.leftOut, leftOut);
    QCOMPARE(r.tooManyForBoard(), tooMany);
    QCOMPARE(r.hasProblems(), tooMany);
    QCOMPARE(t->tab_numero[count - 1], numberOf(count - 1));
    QCOMPARE(t->tab_nom[count - 1], "Nom " + std::to_string(count - 1));
    // Last record's last byte, then nothing.
    QCOMPARE(int(t->tab_octets_badge[5 * count - 1]), count & 0xFF);
    for (int k = 5 * count; k < kBadgeBytes; ++k)
        QCOMPARE(t->tab_octets_badge[k], 0);
    const QString text = QString::fromUtf8(readReportText(r, *t).c_str());
    if (leftOut)
        QVERIFY(text.contains(QString::number(leftOut)));
    if (tooMany)
        QVERIFY(text.contains("100 badges"));
}

void TstListFile::noStaleBytesAfterEmptyList()
{
    auto t = std::make_unique<BadgeTables>();
    QCOMPARE(readList(manySections(3), *t).count, 3);
    QVERIFY(t->tab_octets_badge[4] != 0);
    const ListReadReport r = readList(kListHeader, *t);
    QCOMPARE(r.count, 0);
    QVERIFY(!r.hasProblems());
    for (int k = 0; k < kBadgeBytes; ++k)
        QCOMPARE(t->tab_octets_badge[k], 0);
    QCOMPARE(t->tab_numero[0], std::string("0000000000"));
    QCOMPARE(t->tab_heure_debut[0], 8); // the decimal tables are not reset
    // Fewer records than before: the bytes of the dropped ones are gone too.
    readList(manySections(3), *t);
    readList(manySections(1), *t);
    for (int k = 5; k < kBadgeBytes; ++k)
        QCOMPARE(t->tab_octets_badge[k], 0);
}

void TstListFile::readReportNamesEverything()
{
    std::string content = kListHeader;
    for (int i = 0; i < 13; ++i)
        content += section(numberOf(i), numberOf(i), "N", "25h");
    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(content, *t);
    QCOMPARE(int(r.invalidSlots.size()), 13);
    const QString text = QString::fromUtf8(readReportText(r, *t).c_str());
    QVERIFY(text.contains("enregistrement 1 (badge 0000000001) : heure de debut"));
    QVERIFY(text.contains("et 3 autre"));
    QVERIFY(!text.contains('\n') || text.contains("\r\n"));
    ListReadReport unreadable;
    unreadable.readable = false;
    unreadable.error = "absent";
    QVERIFY(QString::fromUtf8(readReportText(unreadable, *t).c_str()).contains("absent"));
}

void TstListFile::unusedLinesNamed_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("named"); // "line:why" of each line named, why as its number

    const std::string one = section("0000000001", "0000000001", "Un");
    const std::string seven = section("0000000007", "0000000007", "Sept");
    // The header of five lines, then a section of eleven lines: line 17 follows it.
    QTest::newRow("text before [ hides a record") << (kListHeader + one + "x" + seven) << 1
                                                  << QString("17:0 18:2 19:2 20:2 21:2 22:2 23:2 "
                                                             "24:2 25:2 26:2");
    QTest::newRow("first record behind text") << (kListHeader + "x" + one) << 0 << QString("6:0");
    QTest::newRow("stray line in a record")
        << (kListHeader + one.substr(0, one.size() - 2) + "bla bla\r\n\r\n") << 1
        << QString("16:1");
    QTest::newRow("clean list, comments, brackets in the header and a name")
        << (newListHeader("[1/2/03]", "[4:05]", "l[2].txt") + "; note\r\n" + one +
            section("0000000002", "0000000002", "Dupont [2]"))
        << 2 << QString();
    QTest::newRow("a repeated section is named once, as such")
        << (kListHeader + one + one) << 2 << QString();
}

void TstListFile::unusedLinesNamed()
{
    QFETCH(std::string, content);
    QFETCH(int, count);
    QFETCH(QString, named);
    auto t = std::make_unique<BadgeTables>();
    const ListReadReport r = readList(content, *t);
    QCOMPARE(r.count, count);
    QStringList lines;
    for (const profile::UnusedLine &u : r.unused)
        lines << QString("%1:%2").arg(u.number).arg(int(u.why));
    QCOMPARE(lines.join(' '), named);
    QCOMPARE(r.hasProblems(), !named.isEmpty() || r.duplicates.size() > 0);
    if (!named.isEmpty()) {
        const QString text = QString::fromUtf8(readReportText(r, *t).c_str());
        QVERIFY2(text.contains(QString("ligne %1 « ").arg(r.unused[0].number)), qPrintable(text));
    }
}

void TstListFile::sampleRecordsSayWhatTheyHold()
{
    // Each record of the shipped sample: "24 h 24" and "tous lieux" say
    // whether it holds 99, "jour autorisé" names its day code.
    const auto bytes = files::read(PLATINE_SOURCE_DIR "/examples/liste-exemple.txt");
    QVERIFY(bytes);
    const profile::Parsed list(*bytes);
    QCOMPARE(int(list.sections().size()), 4);
    for (const std::string &s : list.sections()) {
        const RecordFields f = storedFields(list, s);
        const bool h24 = f.heure_debut == "99" && f.minute_debut == "99" && f.heure_fin == "99" &&
                         f.minute_fin == "99";
        QCOMPARE(f.h24, std::string(h24 ? "oui" : "non"));
        QCOMPARE(f.tous_lieux, std::string(f.lieu == "99" ? "oui" : "non"));
        QCOMPARE(cp1252::toUtf8(f.jour_texte), std::string(kDayChoices[std::stoi(f.jour_code)]));
        QVERIFY(invalidBits(f) == 0);
    }
}

void TstListFile::exampleWrittenByteForByte()
{
    QVERIFY(!hasSection(kListHeader, "0000000001"));
    QCOMPARE(saveRecord(kListHeader, exampleFields()), kListHeader + kExampleRecord);
    // The header builder gives the same first lines.
    QCOMPARE(newListHeader("06/12/2026", "10:15:42", "liste.txt"), kListHeader);
    auto t = std::make_unique<BadgeTables>();
    QCOMPARE(readList(newListHeader("1/2/03", "[4:05:06 PM]", "l.txt"), *t).count, 0);
}

void TstListFile::resaveInPlace()
{
    const std::string list =
        kListHeader + kExampleRecord + section("0000000002", "0000000002", "B");
    QVERIFY(hasSection(list, "0000000001"));
    QCOMPARE(saveRecord(list, exampleFields()), list);
    RecordFields f = exampleFields();
    f.nom = "Valmire Durand";
    f.heure_debut = "7";
    std::string expected = list;
    expected.replace(expected.find("nom=Valmire"), 11, "nom=Valmire Durand");
    expected.replace(expected.find("heure de debut=07"), 17, "heure de debut=7");
    const std::string saved = saveRecord(list, f);
    QCOMPARE(saved, expected);
    QCOMPARE(saveRecord(saved, f), saved);
}

void TstListFile::changedNumberAddsSection()
{
    const std::string list = kListHeader + kExampleRecord;
    RecordFields f = exampleFields();
    f.numero = "00000000A2";
    QVERIFY(!hasSection(list, f.numero));
    std::string record = kExampleRecord;
    record.replace(record.find("0000000001"), 10, "00000000A2");
    record.replace(record.find("0000000001"), 10, "00000000A2");
    QCOMPARE(saveRecord(list, f), list + record);
    auto t = std::make_unique<BadgeTables>();
    QCOMPARE(readList(saveRecord(list, f), *t).count, 2);
    QCOMPARE(t->tab_octets_badge[9], 0xA2);
}

void TstListFile::storedFormsKept_data()
{
    QTest::addColumn<std::string>("field");
    QTest::addColumn<std::string>("shown"); // what the editor shows or the operator typed
    QTest::addColumn<std::string>("written");
    QTest::newRow("07 shown as 7 stays 07")
        << std::string("heure de debut") << std::string("7") << std::string("07");
    QTest::newRow("changed hour") << std::string("heure de debut") << std::string("8")
                                  << std::string("8");
    QTest::newRow("typed 07 again")
        << std::string("heure de debut") << std::string("07") << std::string("07");
    QTest::newRow("place 01 shown as 1")
        << std::string("lieu autoris\xE9") << std::string("1") << std::string("01");
    QTest::newRow("long name shown cut") << std::string("nom") << std::string("Abcdefghijklmnopqrs")
                                         << std::string("Abcdefghijklmnopqrstuvwxy");
    QTest::newRow("long name changed") << std::string("nom") << std::string("Abcdefghijklmnopqr")
                                       << std::string("Abcdefghijklmnopqr");
}

void TstListFile::storedFormsKept()
{
    QFETCH(std::string, field);
    QFETCH(std::string, shown);
    QFETCH(std::string, written);
    const std::string list =
        kListHeader + section("0000000001", "0000000001", "Abcdefghijklmnopqrstuvwxy", "07", "30",
                              "17", "30", "7", "01");
    RecordFields f = exampleFields();
    f.nom = "Abcdefghijklmnopqrstuvwxy";
    f.lieu = "01";
    std::string *target = field == "nom"              ? &f.nom
                          : field == "heure de debut" ? &f.heure_debut
                                                      : &f.lieu;
    *target = shown;
    const RecordFields kept = keepStoredForms(list, f);
    const std::string saved = saveRecord(list, kept);
    QVERIFY2(saved.find("\n" + field + "=" + written + "\r\n") != std::string::npos, saved.c_str());
    // Another badge number: nothing is taken from the first record.
    f.numero = "0000000002";
    QCOMPARE(keepStoredForms(list, f).heure_debut, f.heure_debut);
}

void TstListFile::validate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<std::string>("value");
    QTest::addColumn<QString>("problem"); // the field named, or empty
    QTest::newRow("good") << "nom" << std::string("x") << "";
    QTest::newRow("short number") << "numero" << std::string("123456789") << "numero_badge";
    QTest::newRow("lower case number") << "numero" << std::string("000000000a") << "numero_badge";
    QTest::newRow("empty start hour") << "heure_debut" << std::string("") << "heure_debut";
    QTest::newRow("three digits") << "minute_debut" << std::string("100") << "minute_debut";
    QTest::newRow("sign") << "heure_fin" << std::string("-1") << "heure_fin";
    QTest::newRow("letters") << "minute_fin" << std::string("3O") << "minute_fin";
    QTest::newRow("no day") << "jour_code" << std::string("-1") << "Combo2";
    QTest::newRow("empty place") << "lieu" << std::string("") << "lieu";
    QTest::newRow("one-digit place") << "lieu" << std::string("5") << "";
    QTest::newRow("empty day of month") << "jour_du_mois" << std::string("") << "";
    QTest::newRow("day of month 1.5") << "jour_du_mois" << std::string("1.5") << "jour_du_mois";
}

void TstListFile::validate()
{
    QFETCH(QString, field);
    QFETCH(std::string, value);
    QFETCH(QString, problem);
    RecordFields f = exampleFields();
    std::string *target = field == "numero"         ? &f.numero
                          : field == "nom"          ? &f.nom
                          : field == "heure_debut"  ? &f.heure_debut
                          : field == "minute_debut" ? &f.minute_debut
                          : field == "heure_fin"    ? &f.heure_fin
                          : field == "minute_fin"   ? &f.minute_fin
                          : field == "jour_code"    ? &f.jour_code
                          : field == "lieu"         ? &f.lieu
                                                    : &f.jour_du_mois;
    *target = value;
    const std::vector<FieldProblem> problems = validateRecord(f);
    if (problem.isEmpty()) {
        QVERIFY(problems.empty());
        return;
    }
    QCOMPARE(problems.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(problems[0].field), problem);
    QVERIFY(problems[0].message.find("rifiez") != std::string::npos);
}

void TstListFile::valeurEntiere_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("leading zero") << std::string("07") << 7;
    QTest::newRow("blanks") << std::string("  12 ") << 12;
    QTest::newRow("empty") << std::string("") << 0;
    QTest::newRow("dots") << std::string("...") << 0;
    QTest::newRow("leading part") << std::string("5 badges") << 5;
    QTest::newRow("half to even down") << std::string("2.5") << 2;
    QTest::newRow("half to even up") << std::string("3.5") << 4;
    QTest::newRow("negative") << std::string("-1") << -1;
    QTest::newRow("above 16 bits") << std::string("99999") << 32767;
    QTest::newRow("below 16 bits") << std::string("-99999") << -32768;
    QTest::newRow("endless digits") << std::string(400, '9') << 32767;
}

void TstListFile::valeurEntiere()
{
    QFETCH(std::string, text);
    QFETCH(int, value);
    QCOMPARE(int(platine::valeurEntiere(text)), value);
}

void TstListFile::headerDateAndTimeFrench()
{
    const QLocale fr(QLocale::French, QLocale::France);
    QCOMPARE(dateCourte(QDate(2026, 12, 6), fr), QStringLiteral("06/12/2026"));
    QCOMPARE(heureCourante(QTime(10, 15, 42), fr), QStringLiteral("10:15:42"));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QVERIFY(heureCourante(QTime(16, 5, 6), us).startsWith(QStringLiteral("4:05:06")));
}

void TstListFile::openedLinesEndWithCrLf_data()
{
    QTest::addColumn<std::string>("content");
    QTest::addColumn<std::string>("shown");
    QTest::newRow("CR LF kept") << std::string("a\r\nb\r\n") << std::string("a\r\nb\r\n");
    QTest::newRow("last line without end") << std::string("a\r\nb") << std::string("a\r\nb\r\n");
    QTest::newRow("LF and CR") << std::string("a\nb\rc") << std::string("a\r\nb\r\nc\r\n");
    QTest::newRow("empty lines") << std::string("\r\n\r\n") << std::string("\r\n\r\n");
    QTest::newRow("empty file") << std::string() << std::string();
}

void TstListFile::openedLinesEndWithCrLf()
{
    QFETCH(std::string, content);
    QFETCH(std::string, shown);
    QCOMPARE(linesWithCrLf(content), shown);
}

QTEST_GUILESS_MAIN(TstListFile)
#include "tst_listfile.moc"
