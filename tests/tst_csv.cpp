// The spreadsheet tables: the journal of passages (one row per passage, each
// once), the table reader, and a list exported and imported back through the
// window's own list buttons.

#include "core/badges/list_table.h"
#include "core/badges/listfile.h"
#include "core/board/journal.h"
#include "core/board/journal_view.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"
#include "support/harness.h"

#include <QTest>

#include <string>

using namespace platine;
using namespace platine::testing;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const std::string kHeaderRow = "badge;nom;heure de début;minute de début;heure de fin;minute de "
                               "fin;jours;lieu;jour du mois\r\n";

// Record i of a list of many, each value its own.
RecordFields record(int i)
{
    RecordFields r;
    char number[16];
    std::snprintf(number, sizeof number, "%010X", unsigned(0x1A2B000 + i * 37));
    r.numero = number;
    r.nom = i % 3 ? "Porteur " + std::to_string(i) : "Z\xE9lie; \"la\" " + std::to_string(i);
    const bool allDay = i % 7 == 3;
    r.heure_debut = allDay ? "99" : (i % 2 ? "0" : "") + std::to_string(6 + i % 4);
    r.minute_debut = allDay ? "99" : std::to_string(i % 60);
    r.heure_fin = allDay ? "99" : std::to_string(17 + i % 6);
    r.minute_fin = allDay ? "99" : "45";
    r.h24 = allDay ? "oui" : "non";
    r.jour_code = std::to_string(i % 10);
    r.jour_texte = cp1252::fromUtf8(kDayChoices[i % 10]);
    r.lieu = i % 5 == 4 ? "99" : std::to_string(1 + i % 20);
    r.tous_lieux = i % 5 == 4 ? "oui" : "non";
    r.jour_du_mois = i % 4 ? std::to_string(i % 32) : "";
    return r;
}

// "Ouvrir une liste enregistrée" on `path`; the message boxes it showed.
std::vector<FakeDialogs::Shown> openThrough(Harness &h, const QString &path)
{
    const std::size_t before = h.dialogs.shown.size();
    h.dialogs.files.push_back(path);
    h.form->Command1_Click();
    std::vector<FakeDialogs::Shown> out;
    for (std::size_t i = before; i < h.dialogs.shown.size(); ++i)
        if (h.dialogs.shown[i].kind == QLatin1String("message"))
            out.push_back(h.dialogs.shown[i]);
    return out;
}

} // namespace

class TstCsv : public QObject {
    Q_OBJECT
private slots:
    void passageRow_data();
    void passageRow();
    void journalAddsEachPassageOnce();
    void passageShape_data();
    void passageShape();
    void noiseAddsNoRow();
    void journalSavedBySpreadsheet_data();
    void journalSavedBySpreadsheet();
    void strayQuoteHidesNoRow();
    void journalRowsFoundInAnyForm_data();
    void journalRowsFoundInAnyForm();
    void scanNumbersRowsAfterQuotedBreaks_data();
    void scanNumbersRowsAfterQuotedBreaks();
    void readerFindsSeparatorAndEncoding_data();
    void readerFindsSeparatorAndEncoding();
    void listExportedAndImportedKeyByKey();
    void brokenRowsNamedAndNothingWritten();
    void formulaCellsGuarded_data();
    void formulaCellsGuarded();
    void listExportedToTheByte();
    void spreadsheetTableImported();
    void spreadsheetTableRefused_data();
    void spreadsheetTableRefused();
    void tenFaultsInTheBoxAllInThePane();
    void daysAndTimesAsTyped_data();
    void daysAndTimesAsTyped();
};

void TstCsv::passageRow_data()
{
    QTest::addColumn<std::string>("line");
    QTest::addColumn<QString>("cells"); // date|time|badge|place
    QTest::newRow("board line") << std::string("0123456789     08:37 07/12/26 10 *")
                                << "2026-12-07|08:37|0123456789|10";
    QTest::newRow("day of one digit")
        << std::string("00000000AB     23:05  6/01/27 99 *") << "2027-01-06|23:05|00000000AB|99";
    QTest::newRow("letters kept") << std::string("0123456789     x8:37 07/1a/26 1\xE9 *")
                                  << "07/1a/26|x8:37|0123456789|1é";
    QTest::newRow("short line kept") << std::string("ABC*") << "//|:|ABC*|";
}

void TstCsv::passageRow()
{
    QFETCH(std::string, line);
    QFETCH(QString, cells);
    const JournalRow r = platine::passageRow(line, "Nom", "2026-12-07 15:04");
    QCOMPARE(QString::fromStdString(r.date + "|" + r.time + "|" + r.badge + "|" + r.place), cells);
    QCOMPARE(r.name, std::string("Nom"));
}

void TstCsv::journalAddsEachPassageOnce()
{
    const std::string first = "Vidage EEPROM externe\r\n0123456789     08:37 07/12/26 10 *\r\n"
                              "00000000AB     09:00 07/12/26 10 *\r\nHistorique\r\n\r\n";
    const NamesByBadge names{{"0123456789", "Zélie; \"la\""}};
    const JournalUpdate a = addPassages("", first, names, "2026-12-07 15:04");
    QCOMPARE(a.added, 2);
    QCOMPARE(a.content,
             std::string(csv::kBom) +
                 "date;heure;badge;nom;lieu;téléchargement;platine\r\n"
                 "2026-12-07;08:37;0123456789;\"Zélie; \"\"la\"\"\";10;2026-12-07 15:04;\r\n"
                 "2026-12-07;09:00;00000000AB;;10;2026-12-07 15:04;\r\n");
    // The board did not erase its log: the same two again, then two equal
    // passages of one minute, which are two passages.
    const std::string second = first.substr(0, first.size() - 14) +
                               "00000000AB     09:00 07/12/26 11 *\r\n"
                               "00000000AB     09:00 07/12/26 11 *\r\nHistorique\r\n\r\n";
    const std::string rowAt11 = "2026-12-07;09:00;00000000AB;;11;2026-12-08 10:00;\r\n";
    const JournalUpdate b = addPassages(a.content, second, {}, "2026-12-08 10:00");
    QCOMPARE(b.added, 2);
    QVERIFY(b.content.starts_with(a.content));
    QCOMPARE(b.content.substr(a.content.size()), rowAt11 + rowAt11);
    // A third of them is new; the two the journal holds are not.
    const std::string third = "00000000AB     09:00 07/12/26 11 *\r\n"
                              "00000000AB     09:00 07/12/26 11 *\r\n"
                              "00000000AB     09:00 07/12/26 11 *\r\n";
    const JournalUpdate c = addPassages(b.content, third, {}, "2026-12-08 10:00");
    QCOMPARE(c.added, 1);
    QCOMPARE(c.content, b.content + rowAt11);
}

void TstCsv::passageShape_data()
{
    QTest::addColumn<std::string>("line");
    QTest::addColumn<bool>("passage");
    QTest::newRow("board line") << std::string("0123456789     08:37 07/12/26 10 *") << true;
    QTest::newRow("day of one digit, place of one")
        << std::string("00000000ab     23:05  6/01/27  1 *") << true;
    QTest::newRow("noise after the star")
        << std::string("0123456789     08:37 07/12/26 10 *\x93\x01") << true;
    QTest::newRow("noise with a star")
        << std::string("\x8F*\x12\xE9 k**\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0B\x0C\x0E\x0F")
        << false;
    QTest::newRow("cut before the star")
        << std::string("0123456789     08:37 07/12/26 10") << false;
    QTest::newRow("star inside the fields")
        << std::string("0123456789     08:37 07/12/*6 10 *") << false;
    QTest::newRow("nine digits") << std::string("012345678      08:37 07/12/26 10 *") << false;
    QTest::newRow("hour 24") << std::string("0123456789     24:00 07/12/26 10 *") << false;
    QTest::newRow("month 13") << std::string("0123456789     08:37 07/13/26 10 *") << false;
    QTest::newRow("day 0") << std::string("0123456789     08:37 00/12/26 10 *") << false;
    QTest::newRow("letter in the place")
        << std::string("0123456789     08:37 07/12/26 1x *") << false;
    QTest::newRow("noise in front") << std::string("\x01"
                                                   "0123456789     08:37 07/12/26 10 *")
                                    << false;
}

void TstCsv::passageShape()
{
    QFETCH(std::string, line);
    QFETCH(bool, passage);
    QCOMPARE(isPassageLine(line), passage);
}

void TstCsv::noiseAddsNoRow()
{
    // 3,000 random bytes among the board's lines: not one row of them.
    std::string noise;
    unsigned seed = 20261207;
    for (int i = 0; i < 3000; ++i)
        noise += char((seed = seed * 1103515245u + 12345u) >> 16);
    const std::string history = "Vidage EEPROM externe\r\n0123456789     08:37 07/12/26 10 *\r\n" +
                                noise +
                                "\r\n00000000AB     09:00 07/12/26 10 *\r\nHistorique\r\n\r\n";
    const JournalAddition a = newPassages("", {history}, {}, "2026-12-07 15:04");
    QCOMPARE(a.added, 2);
    QVERIFY(a.ignored > 0);
    QCOMPARE(csv::read(csv::decode(a.content(""))).rows.size(), std::size_t(3));
}

void TstCsv::journalSavedBySpreadsheet_data()
{
    QTest::addColumn<std::string>("journal");
    QTest::addColumn<std::string>("added"); // the row a download adds after it
    // Rows added to a journal written before the board was kept carry it last, empty.
    const std::string row = "2026-12-07;09:00;00000000AB;;2;2026-12-08 10:00;";
    QTest::newRow("zeros, seconds, place, no mark")
        << std::string("date;heure;badge;nom;lieu;téléchargement\r\n"
                       "2026-12-07;08:37:00;123456789;Zoé;1;2026-12-07 15:04\r\n")
        << row + "\r\n";
    QTest::newRow("French dates, LF, no last line end")
        << std::string("date;heure;badge;nom;lieu;téléchargement\n"
                       "07/12/2026;8:37;0123456789;Zoé;01;07/12/2026 15:04")
        << "\n" + row + "\n";
    QTest::newRow("commas") << std::string("date,heure,badge,nom,lieu,téléchargement\r\n"
                                           "07/12/26,08:37,123456789,Zoé,1,2026-12-07 15:04\r\n")
                            << std::string("2026-12-07,09:00,00000000AB,,2,2026-12-08 10:00,\r\n");
    QTest::newRow("Windows-1252")
        << std::string("date;heure;badge;nom;lieu;t\xE9l\xE9\x63hargement\r\n"
                       "2026-12-07;08:37;0123456789;Zo\xE9;1;2026-12-07 15:04\r\n")
        << row + "\r\n";
}

void TstCsv::journalSavedBySpreadsheet()
{
    QFETCH(std::string, journal);
    QFETCH(std::string, added);
    const std::string history = "0123456789     08:37 07/12/26  1 *\r\n"
                                "00000000AB     09:00 07/12/26  2 *\r\n";
    const JournalAddition a = newPassages(journal, {history}, {}, "2026-12-08 10:00");
    QCOMPARE(a.added, 1);
    QCOMPARE(a.content(journal), journal + added);
    QCOMPARE(newPassages(a.content(journal), {history}, {}, "2026-12-09 10:00").added, 0);
}

void TstCsv::strayQuoteHidesNoRow()
{
    const std::string journal = std::string(csv::kBom) +
                                "date;heure;badge;nom;lieu;téléchargement\r\n"
                                "2026-12-07;08:37;0123456789;\"Zoé;1;2026-12-07 15:04\r\n"
                                "2026-12-07;09:00;00000000AB;Ana;2;2026-12-07 15:04\r\n";
    const std::string history = "00000000AB     09:00 07/12/26  2 *\r\n"
                                "00000000AC     10:00 07/12/26  2 *\r\n";
    const JournalAddition a = newPassages(journal, {history}, {}, "2026-12-08 10:00");
    QCOMPARE(a.added, 1); // the row after the stray quote still counts
    const JournalData data = readJournal(a.content(journal), {});
    QCOMPARE(data.entries.size(), std::size_t(3));
    QCOMPARE(data.unreadable, 1);
    for (const JournalEntry &e : data.entries)
        QCOMPARE(e.unreadable, e.text.starts_with("2026-12-07;08:37;0123456789;\"Zoé"));
}

void TstCsv::journalRowsFoundInAnyForm_data()
{
    // Two passages to add (the second's place written guarded, as "'-1"),
    // against journals holding them in the forms a reader meets.
    QTest::addColumn<std::string>("journal");
    QTest::addColumn<int>("added");
    const std::string header = "date;heure;badge;nom;lieu;téléchargement\r\n";
    QTest::newRow("neither") << header + "2026-12-07;08:38;0123456789;Zoé;1;x\r\n" << 2;
    QTest::newRow("both as written")
        << header + "2026-12-07;08:37;0123456789;Zoé;1;x\r\n2026-12-07;09:00;00000000AB;;'-1;x\r\n"
        << 0;
    QTest::newRow("quoted cells, a separator in the name")
        << header + "\"2026-12-07\";08:37;0123456789;\"Zoé; \"\"la\"\"\";\"1\";x\r\n" << 1;
    QTest::newRow("guarded cell quoted")
        << header + "2026-12-07;09:00;00000000AB;;\"'-1\";x\r\n" << 1;
    QTest::newRow("columns in another order, CR line ends, blank lines")
        << std::string("lieu;badge;nom;date;heure\r\r1;123456789;Zoé;07/12/2026;8:37\r\r") << 1;
    QTest::newRow("a column more, a row cut short")
        << header.substr(0, header.size() - 2) + ";Platine\r\n2026-12-07;08:37;0123456789;Zoé;1;x;A\r\n"
           "2026-12-07;09:00;00000000AB\r\n" << 1;
    QTest::newRow("a cell of blanks only, the last line without its end")
        << header + "2026-12-07;08:37; 0123456789 ;;  ;x\r\n2026-12-07;08:37;0123456789;;01;x" << 1;
}

void TstCsv::journalRowsFoundInAnyForm()
{
    QFETCH(std::string, journal);
    QFETCH(int, added);
    const JournalRow a{"2026-12-07", "08:37", "0123456789", "Zoé", "1", "y"};
    const JournalRow b{"2026-12-07", "09:00", "00000000AB", "", "-1", "y"};
    const JournalAddition addition = addRows(journal, {{a, b}});
    QCOMPARE(addition.added, added);
    // What the download adds is found again the next time.
    QCOMPARE(addRows(addition.content(journal), {{a, b}}).added, 0);
}

void TstCsv::scanNumbersRowsAfterQuotedBreaks_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::vector<int>>("lines");
    QTest::newRow("CR LF inside") << std::string("a\r\n\"b\r\nc\"\r\nd")
                                  << std::vector<int>{1, 2, 4};
    QTest::newRow("two LF inside") << std::string("a\n\"b\nc\nd\"\ne") << std::vector<int>{1, 2, 5};
    QTest::newRow("CR alone inside, blank line after")
        << std::string("a\r\"b\rc\"\r\r\"d\"\"\ne\"\rf") << std::vector<int>{1, 2, 5, 7};
}

void TstCsv::scanNumbersRowsAfterQuotedBreaks()
{
    QFETCH(std::string, text);
    QFETCH(std::vector<int>, lines);
    std::vector<int> seen;
    csv::scan(text, [&](std::span<const std::string>, int line) { seen.push_back(line); });
    QCOMPARE(seen, lines);
}

void TstCsv::readerFindsSeparatorAndEncoding_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::newRow("semicolons, BOM") << std::string("\xEF\xBB\xBFnom;lieu\r\nZ\xC3\xA9lie;3\r\n");
    QTest::newRow("commas, Windows-1252") << std::string("nom,lieu\nZ\xE9lie,3");
    QTest::newRow("tabs, quoted") << std::string(
        "\"nom\"\t\"lieu\"\r\n\r\n\"Z\xC3\xA9lie\"\t3\r\n");
}

void TstCsv::readerFindsSeparatorAndEncoding()
{
    QFETCH(std::string, bytes);
    const csv::Table t = csv::read(csv::decode(bytes));
    QCOMPARE(t.rows.size(), std::size_t(2));
    QCOMPARE(t.rows[1], (std::vector<std::string>{"Zélie", "3"}));
    QCOMPARE(csv::column(t.rows[0], "LIEU"), 1);
}

void TstCsv::listExportedAndImportedKeyByKey()
{
    Harness h;
    std::vector<RecordFields> records;
    for (int i = 0; i < 100; ++i)
        records.push_back(record(i));
    const QString list = h.path(QStringLiteral("liste.txt"));
    const std::string original =
        listFromRecords(newListHeader("06/12/2026", "10:15", "liste.txt"), records);
    Harness::writeFile(list, QByteArray::fromStdString(original));
    h.openList(list);

    const QString table = h.path(QStringLiteral("équipe.csv"));
    h.dialogs.files.push_back(table);
    h.form->Command2_Click();
    QCOMPARE(h.form->liste().fichier, list); // the open list stays the one it was
    const QByteArray bytes = Harness::readFile(table);
    QVERIFY(bytes.startsWith(QByteArray::fromStdString(std::string(csv::kBom) + kHeaderRow)));

    // Back as a list beside the table: an existing one is replaced only when
    // the operator agrees.
    const QString imported = h.path(QStringLiteral("équipe.txt"));
    Harness::writeFile(imported, "ancienne\r\n");
    h.dialogs.answers.push_back(MsgAnswer::No);
    QCOMPARE(openThrough(h, table).size(), std::size_t(1));
    QCOMPARE(Harness::readFile(imported), QByteArray("ancienne\r\n"));
    QCOMPARE(h.form->liste().fichier, list);
    h.dialogs.answers.push_back(MsgAnswer::Yes);
    QCOMPARE(openThrough(h, table).size(), std::size_t(1));
    QCOMPARE(h.form->liste().fichier, imported);
    const std::vector<RecordFields> back = storedRecords(Harness::readFile(imported).toStdString());
    QCOMPARE(back.size(), records.size());
    for (std::size_t i = 0; i < back.size(); ++i)
        for (const RecordField &f : kRecordFields)
            QCOMPARE(back[i].*f.value, records[i].*f.value);
}

void TstCsv::brokenRowsNamedAndNothingWritten()
{
    Harness h;
    const QString table = h.path(QStringLiteral("t.csv"));
    Harness::writeFile(table, QByteArray::fromStdString(
                                  "lieu;jours;nom;badge;jour du mois;heure de fin;minute de fin;"
                                  "heure de début;minute de début\r\n"
                                  "3;Lundi;Ana;0000000001;0;18;00;2h;00\r\n"
                                  "99;Tous les jours;Bo;0000000002;;18;00;08;00\r\n"
                                  "3;Jeudy;Łukasz;0000000002;40;18;00;08;00\r\n"));
    const std::vector<FakeDialogs::Shown> shown = openThrough(h, table);
    QCOMPARE(shown.size(), std::size_t(1));
    const QString text = shown[0].text;
    for (const char *part :
         {"Ligne 2, colonne « heure de début » : « 2h »",
          "Ligne 4, colonne « jours » : jour inconnu « Jeudy »",
          "Ligne 4, colonne « nom » : le caractère « Ł »",
          "Ligne 4, colonne « jour du mois » : « 40 »",
          "Ligne 4, colonne « badge » : le badge 0000000002 est déjà à la ligne 3"})
        QVERIFY2(text.contains(QString::fromUtf8(part)), qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("Ligne ")), 5);
    QVERIFY(!QFile::exists(h.path(QStringLiteral("t.txt"))));
    QVERIFY(h.form->liste().fichier.isEmpty());
}

void TstCsv::formulaCellsGuarded_data()
{
    QTest::addColumn<std::string>("field");
    QTest::addColumn<std::string>("written");
    QTest::newRow("=") << std::string("=HYPERLINK(\"x\")")
                       << std::string("\"'=HYPERLINK(\"\"x\"\")\"\r\n");
    QTest::newRow("+") << std::string("+33 6 12") << std::string("'+33 6 12\r\n");
    QTest::newRow("-") << std::string("-Dupont") << std::string("'-Dupont\r\n");
    QTest::newRow("@") << std::string("@SOMME(A1)") << std::string("'@SOMME(A1)\r\n");
    QTest::newRow("tab") << std::string("\tx") << std::string("\"'\tx\"\r\n");
    QTest::newRow("CR") << std::string("\rx") << std::string("\"'\rx\"\r\n");
    QTest::newRow("apostrophe typed") << std::string("'=x") << std::string("''=x\r\n");
    QTest::newRow("apostrophe alone") << std::string("'x") << std::string("'x\r\n");
    QTest::newRow("inside") << std::string("a=b-c") << std::string("a=b-c\r\n");
}

void TstCsv::formulaCellsGuarded()
{
    QFETCH(std::string, field);
    QFETCH(std::string, written);
    QCOMPARE(csv::row({field}), written);
    QCOMPARE(csv::read(written).rows.at(0).at(0), field);
}

void TstCsv::listExportedToTheByte()
{
    Harness h;
    RecordFields a = record(1), b = record(3);
    a.nom = "=HYPERLINK(\"http://x\")";
    b.nom = "@SOMME(A1)";
    const QString list = h.path(QStringLiteral("liste.txt"));
    Harness::writeFile(list, QByteArray::fromStdString(listFromRecords(
                                 newListHeader("06/12/2026", "10:15", "liste.txt"), {a, b})));
    h.openList(list);
    const QString table = h.path(QStringLiteral("t.csv"));
    h.dialogs.files.push_back(table);
    h.form->Command2_Click();
    QCOMPARE(Harness::readFile(table),
             QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(kHeaderRow) +
                 "0001A2B025;\"'=HYPERLINK(\"\"http://x\"\")\";07;1;18;45;Mardi;2;1\r\n"
                 "0001A2B06F;'@SOMME(A1);99;99;99;99;Jeudi;4;3\r\n");
    // Back through the import: the names as they were typed.
    openThrough(h, table);
    const std::vector<RecordFields> back =
        storedRecords(Harness::readFile(h.path(QStringLiteral("t.txt"))).toStdString());
    QCOMPARE(back.size(), std::size_t(2));
    QCOMPARE(back[0].nom, a.nom);
    QCOMPARE(back[1].nom, b.nom);
}

void TstCsv::spreadsheetTableImported()
{
    // As a spreadsheet saves it: commas, no byte-order mark, leading zeros
    // dropped, rows of empty cells, day names typed.
    Harness h;
    const QString table = h.path(QStringLiteral("tableur.csv"));
    Harness::writeFile(table, "badge,nom,heure de d\xC3\xA9"
                              "but,minute de d\xC3\xA9"
                              "but,heure "
                              "de fin,minute de fin,jours,lieu,jour du mois\n"
                              "1,Ana,8,0,18,0,lundi \xC3\xA0 vendredi,3,\n"
                              ",,,,,,,,\n"
                              "123456789,\"Bo, Jr\",99,99,99,99,Week-end,99,0\n"
                              "00000abcde,Cy,8,0,24,0,Tous les jours,3,\n"
                              ",,,,,,,,\n");
    QVERIFY(openThrough(h, table).empty());
    const QString listPath = h.path(QStringLiteral("tableur.txt"));
    QCOMPARE(h.form->liste().fichier, listPath);
    const std::vector<RecordFields> back = storedRecords(Harness::readFile(listPath).toStdString());
    QCOMPARE(back.size(), std::size_t(3));
    QCOMPARE(back[0].numero, std::string("0000000001"));
    QCOMPARE(back[0].jour_code, std::string("7"));
    QCOMPARE(back[1].numero, std::string("0123456789"));
    QCOMPARE(back[1].nom, std::string("Bo, Jr"));
    QCOMPARE(back[1].jour_code, std::string("8"));
    QCOMPARE(back[2].numero, std::string("00000ABCDE"));
    QVERIFY2(h.form->text1().startsWith(
                 QStringLiteral("Numéros de badge complétés par des zéros à gauche :\r\n"
                                "Ligne 2 : « 1 » devient 0000000001\r\n"
                                "Ligne 4 : « 123456789 » devient 0123456789\r\n\r\n")),
             qPrintable(h.form->text1()));
}

void TstCsv::spreadsheetTableRefused_data()
{
    QTest::addColumn<QByteArray>("rows"); // below the header
    QTest::addColumn<QString>("fault");   // the one fault named
    QTest::newRow("empty day") << QByteArray("0000000001;Ana;8;0;18;0;;3;\r\n")
                               << "Ligne 2, colonne « jours » : jour absent";
    QTest::newRow("scientific") << QByteArray("1,23457E+09;Ana;8;0;18;0;Lundi;3;\r\n")
                                << "Ligne 2, colonne « badge » : « 1,23457E+09 » : le tableur a "
                                   "changé le numéro de badge en nombre. Formatez la colonne";
    QTest::newRow("decimal") << QByteArray(";;;;;;;;\r\n101.0;Ana;8;0;18;0;Lundi;3;\r\n")
                             << "Ligne 3, colonne « badge » : « 101.0 » : le tableur a changé";
    QByteArray many;
    for (int i = 1; i <= 101; ++i)
        many += QByteArray::number(i) + ";N;8;0;18;0;Lundi;3;\r\n" + (i == 50 ? ";;\r\n" : "");
    QTest::newRow("101 rows") << many
                              << "Ligne 103 : la platine ne garde que 100 badges, cette ligne est "
                                 "en trop.";
}

void TstCsv::spreadsheetTableRefused()
{
    QFETCH(QByteArray, rows);
    QFETCH(QString, fault);
    Harness h;
    const QString table = h.path(QStringLiteral("t.csv"));
    Harness::writeFile(table, QByteArray::fromStdString(kHeaderRow) + rows);
    const std::vector<FakeDialogs::Shown> shown = openThrough(h, table);
    QCOMPARE(shown.size(), std::size_t(1));
    QVERIFY2(shown[0].text.contains(fault), qPrintable(shown[0].text));
    QCOMPARE(shown[0].text.count(QStringLiteral("Ligne ")), 1);
    QVERIFY(!QFile::exists(h.path(QStringLiteral("t.txt"))));
}

void TstCsv::tenFaultsInTheBoxAllInThePane()
{
    Harness h;
    QByteArray rows;
    for (int i = 1; i <= 13; ++i)
        rows += QByteArray::number(i) + ";N;8;0;18;0;Lundi;3;40\r\n";
    const QString table = h.path(QStringLiteral("t.csv"));
    Harness::writeFile(table, QByteArray::fromStdString(kHeaderRow) + rows);
    const std::vector<FakeDialogs::Shown> shown = openThrough(h, table);
    QCOMPARE(shown.size(), std::size_t(1));
    const QString box = shown[0].text;
    QVERIFY2(box.contains(QStringLiteral("Ligne 11,")) &&
                 !box.contains(QStringLiteral("Ligne 12,")),
             qPrintable(box));
    QVERIFY2(box.contains(QStringLiteral("… et 3 autres")), qPrintable(box));
    QCOMPARE(h.form->text1().count(QStringLiteral("Ligne ")), 13);
}

void TstCsv::daysAndTimesAsTyped_data()
{
    QTest::addColumn<std::string>("row");     // after the header row
    QTest::addColumn<std::string>("outcome"); // the day code kept, or the fault named
    QTest::newRow("no accent") << std::string("0000000001;A;07;30;17;30;lundi a vendredi;1;0")
                               << std::string("7");
    QTest::newRow("hyphen") << std::string("0000000001;A;07;30;24;00;Week-end;1;0")
                            << std::string("8");
    QTest::newRow("hour 25") << std::string("0000000001;A;25;30;17;30;Lundi;1;0")
                             << std::string("Ligne 2, colonne « heure de début » : « 25 »");
    QTest::newRow("end 24:30") << std::string("0000000001;A;07;30;24;30;Lundi;1;0")
                               << std::string("Ligne 2, colonne « heure de fin » : « 24 »");
}

void TstCsv::daysAndTimesAsTyped()
{
    QFETCH(std::string, row);
    QFETCH(std::string, outcome);
    const TableImport t = readListTable(kHeaderRow + row + "\r\n");
    if (t.ok())
        QCOMPARE(t.records.at(0).jour_code, outcome);
    else
        QVERIFY2(t.problems.at(0).text().rfind(outcome, 0) == 0, t.problems[0].text().c_str());
}

QTEST_MAIN(TstCsv)
#include "tst_csv.moc"
