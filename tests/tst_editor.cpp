// The list commands, the record editor and the search in the window, on the
// test doubles: answered file dialogs, virtual time.

#include "platform/text.h"
#include "serial/pane.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <map>

using namespace platine;
using platine::testing::FakeDialogs;
using platine::testing::Harness;

namespace {

// The program writes dates and times in the system's formats: the tests run
// on a French system whatever the machine's own settings.
void frenchSystem()
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
}
Q_CONSTRUCTOR_FUNCTION(frenchSystem)

const QByteArray kHeader = "Liste cr\xE9"
                           "e le  : 06/12/2026\r\n"
                           "Heure courante : 10:15:42\r\n"
                           "Nom du fichier : liste.txt\r\n"
                           "\r\n"
                           "\r\n";

QByteArray record(const QByteArray &numero, const QByteArray &nom, const QByteArray &hd = "07",
                  const QByteArray &md = "30", const QByteArray &hf = "17",
                  const QByteArray &mf = "30", const QByteArray &jour = "7",
                  const QByteArray &lieu = "1")
{
    const QByteArray h24 = hd == "99" ? "oui" : "non";
    const QByteArray tous = lieu == "99" ? "oui" : "non";
    const char *const days[] = {"Lundi",    "Mardi",         "Mercredi", "Jeudi",
                                "Vendredi", "Samedi",        "Dimanche", "Lundi \xE0 Vendredi",
                                "Week end", "Tous les jours"};
    return "[" + numero + "]\r\nnumero=" + numero + "\r\nnom=" + nom + "\r\nheure de debut=" + hd +
           "\r\nminute de debut=" + md + "\r\nheure de fin=" + hf + "\r\nminute de fin=" + mf +
           "\r\n24 h 24=" + h24 + "\r\njour autoris\xE9=" + days[jour.toInt()] +
           "\r\njour autoris\xE9_=" + jour + "\r\nlieu autoris\xE9=" + lieu +
           "\r\ntous lieux=" + tous + "\r\njour du mois=0\r\n\r\n";
}

const QByteArray kExample = kHeader + record("0000000001", "Valmire");

// A list kept by an operator: accented names, a 24h/24 record, an
// all-places record, a bracket in a name.
const QByteArray kKept =
    kHeader + record("0000000001", "Valmire") +
    record("0000000002", "H\xE9l\xE8ne", "99", "99", "99", "99", "9") +
    record("00000000A3", "Fran\xE7ois [2]", "08", "00", "18", "00", "8", "99") +
    record("0000000004", "valmire");

QString latin(const QByteArray &b)
{
    return QString::fromLatin1(b);
}

struct Fixture {
    Harness h;
    QString list;
    Form2Ui u() const { return h.ui(); }

    explicit Fixture(const QByteArray &content = kExample)
    {
        list = h.path("liste.txt");
        Harness::writeFile(list, content);
        // No board on the line: the badge reading that ends "Nouveau" finds
        // no port and ends at once, leaving the editor as "Nouveau" set it.
        h.port.nextOpen = OpenResult::Absent;
    }
    // Opens the list with the open command and enters record mode.
    void open()
    {
        h.dialogs.files.push_back(list);
        h.form->Command1_Click();
    }
    void enter()
    {
        open();
        h.form->Command5_Click();
    }
    // The editor as the operator sees it: slot number, fields, boxes, day.
    QStringList shown()
    {
        const Form2Ui &x = u();
        return {x.Label11->text(),
                x.numero_badge->text(),
                x.nom->text(),
                x.heure_debut->text(),
                x.minute_debut->text(),
                x.heure_fin->text(),
                x.minute_fin->text(),
                x.lieu->text(),
                x.jour_du_mois->text(),
                x.Choix_24->isChecked() ? "24h" : "-",
                x.choix_lieu->isChecked() ? "tous" : "-",
                QString::number(x.Combo2->currentIndex())};
    }
    int messages() const
    {
        int n = 0;
        for (const auto &s : h.dialogs.shown)
            n += s.kind == QLatin1String("message");
        return n;
    }
};

} // namespace

class TstEditor : public QObject {
    Q_OBJECT

private slots:
    void openShowsTheFile();
    void openCancelledOrMissing();
    void newListWritesHeader();
    void saveAsWritesPane();
    void saveAsWritesTheListNotThePane_data();
    void saveAsWritesTheListNotThePane();
    void recordModeNeedsAList();
    void recordModeShowsSlot0();
    void unreadableListChangesNothing();
    void readProblemsInOneMessage();
    void nextPreviousBounds();
    void nouveau_data();
    void nouveau();
    void saveNewThenAgain();
    void saveRefusesBadFields();
    void datesOfValidity_data();
    void datesOfValidity();
    void save24hAndAllPlaces();
    void checkBoxes();
    void dayTyped_data();
    void dayTyped();
    void timesRefused_data();
    void timesRefused();
    void keptListEditedChangesOneLine();
    void removedBadgeBytesZero();
    void saveRefusesUnheldCharacters_data();
    void saveRefusesUnheldCharacters();
    void unsavedEdits_data();
    void unsavedEdits();
    void search_data();
    void search();
    void searchCapitalAccents_data();
    void searchCapitalAccents();
    void searchBeforeAnyRead();
    void badgeReadPrompt();
};

void TstEditor::openShowsTheFile()
{
    Fixture f(kExample.left(kExample.size() - 4)); // no line end at the very end
    f.u().Text1->setText("ancien");
    f.open();
    QCOMPARE(f.h.dialogs.presets, QStringList{"*.txt"});
    QCOMPARE(f.h.form->text1(), latin(kExample.left(kExample.size() - 2)));
    QCOMPARE(f.u().nom_fichier->text(), QStringLiteral("Fichier en cours :liste.txt"));
    QCOMPARE(f.u().nom_fichier->toolTip(), f.list);
    QVERIFY(f.u().nom_fichier->width() >= f.u().nom_fichier->sizeHint().width());
    QCOMPARE(f.h.form->liste().fichier, f.list);
    QCOMPARE(f.h.form->liste().titre, QStringLiteral("liste.txt"));
    // Opening does not read the records.
    QCOMPARE(f.h.form->liste().tables.tab_numero[0], std::string());
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("..."));
}

void TstEditor::openCancelledOrMissing()
{
    Fixture f;
    f.open();
    f.u().Text1->setText("x");
    f.h.form->Command1_Click(); // cancelled
    QCOMPARE(f.h.form->text1(), QString());
    QCOMPARE(f.h.form->liste().fichier, f.list);
    QCOMPARE(f.messages(), 0);

    f.h.dialogs.files.push_back(f.h.path("absent.txt"));
    f.h.form->Command1_Click();
    QCOMPARE(f.messages(), 1);
    QCOMPARE(f.h.form->liste().fichier, f.list);
    QCOMPARE(f.h.form->liste().titre, QStringLiteral("liste.txt"));
    QCOMPARE(f.u().nom_fichier->text(), QStringLiteral("Fichier en cours :liste.txt"));
}

void TstEditor::newListWritesHeader()
{
    Fixture f;
    f.open();
    const QString path = f.h.path("nouvelle.txt");
    const QByteArray old = "ancien contenu\r\n[0000000009]\r\n";
    Harness::writeFile(path, old);
    // An existing file is replaced only when the operator agrees; typed
    // without its extension, the name gets ".txt".
    f.h.dialogs.files = {f.h.path("nouvelle"), path};
    f.h.dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    f.h.form->Command4_Click();
    QCOMPARE(f.h.dialogs.shown.back().buttons, MsgButtons::YesNo);
    QVERIFY(f.h.dialogs.shown.back().text.contains(path));
    QCOMPARE(Harness::readFile(path), old);
    QCOMPARE(f.h.form->liste().fichier, f.list);
    QVERIFY(!QFile::exists(f.h.path("nouvelle")));
    f.h.form->Command4_Click();
    QCOMPARE(f.h.dialogs.shown.back().kind, QStringLiteral("message"));
    // Created at 17:05:09 on 6 December 2026, on a French system.
    QCOMPARE(Harness::readFile(path), QByteArray("Liste cr\xE9"
                                                 "e le  : 06/12/2026\r\n"
                                                 "Heure courante : 17:05:09\r\n"
                                                 "Nom du fichier : nouvelle.txt\r\n\r\n\r\n"));
    QCOMPARE(f.h.form->liste().fichier, path);
    QCOMPARE(f.h.form->liste().titre, QStringLiteral("liste.txt")); // unchanged
    QCOMPARE(f.u().nom_fichier->text(), QStringLiteral("Fichier en cours :nouvelle.txt"));
    QCOMPARE(f.h.form->text1(), QString());

    // The new list is read as empty: no record, no byte.
    f.h.form->Command5_Click();
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("0"));
    QCOMPARE(f.h.form->liste().nombre, std::optional<int>(0));

    // Cancelled: nothing changes.
    f.h.form->Command4_Click();
    QCOMPARE(f.h.form->liste().fichier, path);
}

void TstEditor::saveAsWritesPane()
{
    Fixture f;
    f.open();
    const QString out = f.h.path("copie.txt");
    f.h.dialogs.files.push_back(out);
    f.h.form->Command2_Click();
    QCOMPARE(f.h.dialogs.presets.last(), QStringLiteral("liste.txt"));
    QCOMPARE(Harness::readFile(out), kExample); // the list as it is, no line added
    QCOMPARE(f.h.form->liste().fichier, f.list);

    // Cancelled, or the existing file kept: nothing written.
    Harness::writeFile(out, "x");
    f.h.form->Command2_Click();
    f.h.dialogs.files.push_back(out);
    f.h.dialogs.answers.push_back(MsgAnswer::No);
    f.h.form->Command2_Click();
    QCOMPARE(Harness::readFile(out), QByteArray("x"));

    // The list as the operator edited it in the pane.
    f.u().Text1->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.u().Text1, "Note");
    f.h.dialogs.files.push_back(f.h.path("copie")); // ".txt" added, asked again
    f.h.dialogs.answers.push_back(MsgAnswer::Yes);
    f.h.form->Command2_Click();
    QCOMPARE(Harness::readFile(out), kExample + "Note\r\n");
}

void TstEditor::saveAsWritesTheListNotThePane_data()
{
    QTest::addColumn<int>("shown"); // 0 a badge reading, 1 a new list's empty pane, 2 no list
    QTest::newRow("badge reading") << 0;
    QTest::newRow("new list") << 1;
    QTest::newRow("no list open") << 2;
}

void TstEditor::saveAsWritesTheListNotThePane()
{
    QFETCH(int, shown);
    Fixture f;
    if (shown < 2)
        f.open();
    QString list = f.list;
    if (shown == 0) {
        f.h.port.nextOpen = OpenResult::Opened;
        f.h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
            f.h.port.deliver("tag: 0123456789\r\n", std::chrono::seconds(1));
        };
        f.h.form->lecture_badge_Click();
        QCOMPARE(f.h.form->text1(), QStringLiteral("Numéro de badge lu :0123456789\r\n"));
    } else if (shown == 1) {
        list = f.h.path("n.txt");
        f.h.dialogs.files.push_back(list);
        f.h.form->Command4_Click();
    }
    const QByteArray before = Harness::readFile(list);
    const QString out = f.h.path("copie.txt");
    f.h.dialogs.files.push_back(out);
    f.h.form->Command2_Click();
    if (shown == 2) // refused as the other list commands do
        QVERIFY(f.h.dialogs.shown.back().text.startsWith("Vous devez ouvrir une liste avant"));
    QCOMPARE(Harness::readFile(out), shown == 2 ? QByteArray() : before);
}

void TstEditor::recordModeNeedsAList()
{
    Harness h;
    h.form->Command5_Click();
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    const auto &m = h.dialogs.shown[0];
    QCOMPARE(m.icon, MsgIcon::Critical);
    QCOMPARE(m.title, QStringLiteral("Message"));
    QCOMPARE(m.text,
             QStringLiteral("Vous devez ouvrir une liste avant\r\nd'effectuer des modifications"));
    QVERIFY(h.ui().Frame2->isHidden());
}

void TstEditor::recordModeShowsSlot0()
{
    Fixture f;
    f.enter();
    QCOMPARE(f.messages(), 0);
    QVERIFY(!f.u().Frame2->isHidden());
    QCOMPARE(f.u().Label8->text(), QStringLiteral("Mode enregistrement"));
    QCOMPARE(f.u().Frame2->title(), QStringLiteral("Nouveau badge à mémoriser"));
    QCOMPARE(f.u().nom_fichier->text(), QStringLiteral("Fichier en cours :") + f.list);
    QVERIFY(f.u().nom_fichier->width() >= f.u().nom_fichier->sizeHint().width());
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("1"));
    QCOMPARE(f.h.form->liste().nombre, std::optional<int>(1));
    QCOMPARE(f.shown(), (QStringList{"1", "0000000001", "Valmire", "7", "30", "17", "30", "1", "0",
                                     "-", "-", "7"}));

    // Leaving and entering again reads the file afresh.
    f.h.form->Command12_Click();
    QVERIFY(f.u().Frame2->isHidden());
    Harness::writeFile(f.list, kKept);
    f.h.form->Command11_Click();
    f.h.form->Command5_Click();
    QCOMPARE(f.u().Label11->text(), QStringLiteral("1"));
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("4"));
}

void TstEditor::unreadableListChangesNothing()
{
    Fixture f;
    f.enter();
    f.h.form->Command12_Click();
    QFile::remove(f.list);
    f.h.form->Command5_Click();
    QCOMPARE(f.messages(), 1);
    QVERIFY(!f.h.form->liste().derniere_lecture.readable);
    QVERIFY(f.u().Frame2->isHidden());
    QCOMPARE(f.h.form->liste().tables.tab_numero[0], std::string("0000000001"));
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("1"));
}

void TstEditor::readProblemsInOneMessage()
{
    QByteArray content = kHeader;
    for (int i = 0; i < 102; ++i)
        content += record(QByteArray::number(i + 1).rightJustified(10, '0'), "N");
    content += record("0000000005", "Double") + record("123", "Court");
    Fixture f(content);
    f.enter();
    QCOMPARE(f.messages(), 1);
    const QString text = f.h.dialogs.shown.back().text;
    QVERIFY2(text.contains("104 badges") && text.contains("3 laiss"), qPrintable(text));
    QVERIFY(text.contains("100 badges"));
    QVERIFY(text.contains("0000000005"));
    const ListReadReport &r = f.h.form->liste().derniere_lecture;
    QCOMPARE(r.count, 101);
    QVERIFY(r.tooManyForBoard());
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("101"));
    QVERIFY(!f.u().Frame2->isHidden());
}

void TstEditor::nextPreviousBounds()
{
    Fixture f;
    f.enter();
    f.h.form->Command14_Click();
    QCOMPARE(f.h.form->liste().index_courant, 0);
    QCOMPARE(f.u().Label11->text(), QStringLiteral("1"));
    f.h.form->Command11_Click();
    QCOMPARE(f.h.form->liste().index_courant, 1);
    QCOMPARE(f.u().numero_badge->text(), QStringLiteral("0000000000")); // no record there
    f.h.form->mise_a_jour_affichage(100);
    f.h.form->Command11_Click();
    QCOMPARE(f.h.form->liste().index_courant, 100);
    QCOMPARE(f.u().Label11->text(), QStringLiteral("101"));
    f.h.form->Command14_Click();
    QCOMPARE(f.u().Label11->text(), QStringLiteral("100"));
}

void TstEditor::nouveau_data()
{
    QTest::addColumn<int>("count"); // -1: no list read
    QTest::addColumn<int>("slot");
    QTest::newRow("no list read") << -1 << 0;
    QTest::newRow("five records") << 5 << 5;
    QTest::newRow("99 records") << 99 << 99;
    QTest::newRow("full list keeps the shown slot") << 100 << 3;
}

void TstEditor::nouveau()
{
    QFETCH(int, count);
    QFETCH(int, slot);
    QByteArray list = kHeader;
    for (int i = 0; i < count; ++i)
        list += record(QByteArray::number(i + 1).rightJustified(10, '0'), "N");
    Fixture f(list);
    if (count >= 0)
        f.enter();
    f.h.form->mise_a_jour_affichage(3);
    f.u().choix_lieu->setChecked(true);
    f.u().Choix_24->setChecked(true);
    f.u().Combo2->setCurrentIndex(2);
    f.h.dialogs.answers = {MsgAnswer::No}; // the edits above are dropped
    f.h.form->Command13_Click();
    QCOMPARE(f.h.form->liste().index_courant, slot);
    QCOMPARE(f.shown(), (QStringList{QString::number(slot + 1), "", "", "07", "30", "17", "30", "1",
                                     "0", "-", "-", "7"}));
}

void TstEditor::saveNewThenAgain()
{
    Fixture f;
    f.enter();
    f.h.form->Command13_Click();
    QCOMPARE(f.h.form->liste().index_courant, 1);
    f.u().numero_badge->setText(" 0000000002 ");
    f.u().nom->setText(QStringLiteral("Zoé"));
    QString during; // the status strip during the confirmation's second
    f.h.time.onBlock = [&](Millis) { during = f.u().Label14->text(); };
    f.h.form->Command7_Click();
    QCOMPARE(during, QStringLiteral("Enregistrement effectué"));
    QCOMPARE(f.messages(), 0);
    QCOMPARE(f.u().Label14->text(), QStringLiteral("..."));
    QCOMPARE(f.h.time.blockedFor, Millis(1000));
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("2"));
    QCOMPARE(Harness::readFile(f.list), kExample + record("0000000002", "Zo\xE9"));
    QCOMPARE(f.h.form->liste().tables.tab_numero[1], std::string("0000000002"));
    QCOMPARE(f.h.form->liste().tables.tab_nom[1], std::string("Zo\xE9"));

    // The same badge again: updated in place, still two records.
    f.u().nom->setText("Zoe");
    f.u().heure_debut->setText("8");
    f.h.form->Command7_Click();
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("2"));
    QCOMPARE(Harness::readFile(f.list), kExample + record("0000000002", "Zoe", "8"));
    QCOMPARE(f.h.form->liste().tables.tab_heure_debut[1], 8);

    // The next new record takes the next slot.
    f.h.form->Command13_Click();
    QCOMPARE(f.h.form->liste().index_courant, 2);
}

void TstEditor::datesOfValidity_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("until");
    QTest::addColumn<QByteArray>("stored"); // the keys after "jour du mois"; "-": refused
    QTest::newRow("none") << "" << "" << QByteArray();
    QTest::newRow("both, typed loosely") << " 1/12/2026" << "31/12/2026 "
                                         << QByteArray("valide du=01/12/2026\r\n"
                                                       "valide jusqu'au=31/12/2026\r\n");
    QTest::newRow("one day") << "" << "09/12/2026" << QByteArray("valide jusqu'au=09/12/2026\r\n");
    QTest::newRow("wrong order") << "10/12/2026" << "09/12/2026" << QByteArray("-");
    QTest::newRow("no such day") << "31/02/2027" << "" << QByteArray("-");
}

void TstEditor::datesOfValidity()
{
    QFETCH(QString, from);
    QFETCH(QString, until);
    QFETCH(QByteArray, stored);
    Fixture f;
    f.enter();
    f.u().valide_du->setText(from);
    f.u().valide_jusqu_au->setText(until);
    f.h.form->Command7_Click();
    if (stored == "-") {
        QCOMPARE(f.messages(), 1);
        QCOMPARE(Harness::readFile(f.list), kExample);
        return;
    }
    QCOMPARE(f.messages(), 0);
    QByteArray expected = kExample;
    expected.insert(expected.size() - 2, stored);
    QCOMPARE(Harness::readFile(f.list), expected);
    // Shown again as stored; "Nouveau" starts without dates.
    f.h.form->Command13_Click();
    QVERIFY(f.u().valide_jusqu_au->text().isEmpty());
    f.h.form->Command5_Click();
    QCOMPARE(f.u().valide_jusqu_au->text(), until.trimmed());
}

void TstEditor::saveRefusesBadFields()
{
    Fixture f;
    f.enter();
    f.u().numero_badge->setText("12345");
    f.u().heure_debut->setText("7h");
    f.u().jour_du_mois->setText("");
    f.h.form->Command7_Click();
    QCOMPARE(f.messages(), 1);
    const QString text = f.h.dialogs.shown.back().text;
    QVERIFY2(text.contains(QStringLiteral("numéro de badge")) &&
                 text.contains(QStringLiteral("heure de début")),
             qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("jour du mois")));
    QCOMPARE(Harness::readFile(f.list), kExample);
    QCOMPARE(f.h.form->liste().tables.tab_numero[0], std::string("0000000001"));
    QCOMPARE(f.h.time.blockedFor, Millis(0));
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("1"));

    // No day chosen, or a day typed that is no whole item of the list.
    f.h.form->mise_a_jour_affichage(0);
    f.u().Combo2->setCurrentIndex(-1);
    f.h.form->Command7_Click();
    QVERIFY(f.h.dialogs.shown.back().text.contains(QStringLiteral("jour autorisé")));
    QLineEdit *day = f.u().Combo2->lineEdit();
    int refusals = f.messages();
    for (const char *typed : {"Mar", "M", "Mardi x"}) {
        f.h.form->mise_a_jour_affichage(0);
        QTest::keyClick(day, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(day, QLatin1String(typed));
        QTest::keyClick(day, Qt::Key_Return); // Return in a field saves, as "Enregistrer"
        QCOMPARE(f.u().Combo2->currentText(), QLatin1String(typed));
        QCOMPARE(f.messages(), ++refusals);
    }
    QCOMPARE(Harness::readFile(f.list), kExample);
    // A whole item, the day is chosen.
    QTest::keyClick(day, Qt::Key_Backspace);
    QTest::keyClick(day, Qt::Key_Backspace);
    f.h.form->Command7_Click();
    QCOMPARE(Harness::readFile(f.list),
             kHeader + record("0000000001", "Valmire", "07", "30", "17", "30", "1"));
}

void TstEditor::save24hAndAllPlaces()
{
    Fixture f;
    f.enter();
    f.u().Choix_24->click();
    f.u().choix_lieu->click();
    f.u().heure_fin->setText("12"); // typed after ticking: the save writes 99 all the same
    f.h.form->Command7_Click();
    QCOMPARE(f.u().heure_fin->text(), QStringLiteral("99"));
    QCOMPARE(f.u().lieu->text(), QStringLiteral("99"));
    QCOMPARE(Harness::readFile(f.list),
             kHeader + record("0000000001", "Valmire", "99", "99", "99", "99", "7", "99"));
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("1"));
}

void TstEditor::checkBoxes()
{
    // The second record's start minute and the fourth's day code as a
    // hand-edited file may hold them.
    QByteArray kept = kKept;
    kept.replace("minute de debut=99", "minute de debut=8");
    kept.replace(kept.lastIndexOf("jour autoris\xE9_=7"), 16, "jour autoris\xE9_=-1");
    Fixture f(kept);
    f.enter();
    f.u().heure_debut->setText("5");
    f.u().Choix_24->click();
    QCOMPARE(f.u().minute_fin->text(), QStringLiteral("99"));
    f.u().Choix_24->click();
    QCOMPARE(f.u().heure_debut->text(), QStringLiteral("07"));
    QCOMPARE(f.u().minute_debut->text(), QStringLiteral("30"));
    QCOMPARE(f.u().heure_fin->text(), QStringLiteral("17"));
    QCOMPARE(f.u().minute_fin->text(), QStringLiteral("30"));
    f.u().choix_lieu->click();
    QCOMPARE(f.u().lieu->text(), QStringLiteral("99"));
    f.u().choix_lieu->click();
    QCOMPARE(f.u().lieu->text(), QStringLiteral("01"));

    // Showing records sets the boxes without their reactions (the clicks
    // above are dropped).
    f.h.dialogs.answers = {MsgAnswer::No};
    f.h.form->Command11_Click();
    QCOMPARE(f.shown(), (QStringList{"2", "0000000002", "Hélène", "99", "8", "99", "99", "1", "0",
                                     "24h", "-", "9"}));
    f.h.form->Command11_Click();
    QCOMPARE(f.shown().mid(3), (QStringList{"8", "0", "18", "0", "99", "0", "-", "tous", "8"}));
    f.h.form->Command11_Click();
    // Its day code -1 shows no day, not the day of the record before, and
    // the save refuses it until a day is chosen.
    QCOMPARE(f.shown().mid(7), (QStringList{"1", "0", "-", "-", "-1"}));
    QCOMPARE(f.u().Combo2->currentText(), QString());
    const QByteArray before = Harness::readFile(f.list);
    f.h.form->Command7_Click();
    QVERIFY(f.h.dialogs.shown.back().text.contains(QStringLiteral("jour autorisé")));
    QCOMPARE(Harness::readFile(f.list), before);
}

void TstEditor::dayTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code"); // -1: no day chosen
    QTest::newRow("no accent, lower case") << "lundi a vendredi" << 7;
    QTest::newRow("hyphen for the blank") << "week-end" << 8;
    QTest::newRow("capitals, hyphens") << "TOUS-LES-JOURS" << 9;
    QTest::newRow("part of an item") << "lundi a" << -1;
    QTest::newRow("a code") << "7" << -1;
}

void TstEditor::dayTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, code);
    Fixture f;
    f.enter();
    QLineEdit *day = f.u().Combo2->lineEdit();
    QTest::keyClick(day, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(day, typed);
    QCOMPARE(f.u().Combo2->currentIndex(), code);
    QTest::keyClick(day, Qt::Key_Return);
    QCOMPARE(f.u().Combo2->currentIndex(), code);
    f.h.form->Command7_Click();
    if (code < 0) {
        QCOMPARE(Harness::readFile(f.list), kExample);
        return;
    }
    // The item's own name is shown and saved.
    QCOMPARE(f.u().Combo2->currentText(), f.u().Combo2->itemText(code));
    QCOMPARE(Harness::readFile(f.list), kHeader + record("0000000001", "Valmire", "07", "30", "17",
                                                         "30", QByteArray::number(code)));
}

void TstEditor::timesRefused_data()
{
    QTest::addColumn<QStringList>("times"); // start hour, minute, end hour, minute
    QTest::addColumn<QString>("refused");   // the field named; empty: saved
    QTest::newRow("hour 25") << QStringList{"25", "00", "17", "30"} << "l'heure de début";
    QTest::newRow("minute 60") << QStringList{"07", "60", "17", "30"} << "la minute de début";
    QTest::newRow("end 24:30") << QStringList{"07", "30", "24", "30"} << "l'heure de fin";
    QTest::newRow("end 24:00") << QStringList{"0", "0", "24", "00"} << "";
}

void TstEditor::timesRefused()
{
    QFETCH(QStringList, times);
    QFETCH(QString, refused);
    Fixture f;
    f.enter();
    const Form2Ui &u = f.u();
    const QList<QLineEdit *> fields{u.heure_debut, u.minute_debut, u.heure_fin, u.minute_fin};
    for (int i = 0; i < 4; ++i) {
        fields[i]->selectAll();
        QTest::keyClicks(fields[i], times[i]);
    }
    f.h.form->Command7_Click();
    if (refused.isEmpty()) {
        QCOMPARE(f.messages(), 0);
        QCOMPARE(Harness::readFile(f.list),
                 kHeader + record("0000000001", "Valmire", times[0].toLatin1(), times[1].toLatin1(),
                                  times[2].toLatin1(), times[3].toLatin1()));
        return;
    }
    const QString text = f.h.dialogs.shown.back().text;
    QVERIFY2(text.count(QStringLiteral("Vérifiez")) == 1 && text.contains("Vérifiez " + refused),
             qPrintable(text));
    QCOMPARE(Harness::readFile(f.list), kExample);
}

void TstEditor::keptListEditedChangesOneLine()
{
    Fixture f(kKept);
    f.enter();
    QCOMPARE(f.messages(), 0);
    f.h.form->Command11_Click();
    f.h.form->Command11_Click();
    QCOMPARE(f.u().nom->text(), QStringLiteral("François [2]"));
    f.u().nom->setText(QStringLiteral("François Ép"));
    f.h.form->Command7_Click();
    QByteArray expected = kKept;
    expected.replace("nom=Fran\xE7ois [2]", "nom=Fran\xE7ois \xC9p");
    QCOMPARE(Harness::readFile(f.list), expected);
    QCOMPARE(f.u().nombre_enregistrements->text(), QStringLiteral("4"));
}

void TstEditor::removedBadgeBytesZero()
{
    Fixture f(kKept);
    f.enter();
    const auto &bytes = f.h.form->liste().tables.tab_octets_badge;
    QCOMPARE(bytes[14], 0xA3);
    QCOMPARE(bytes[19], 4);
    Harness::writeFile(f.list, kHeader + record("0000000001", "Valmire"));
    f.h.form->mise_en_tableau();
    QCOMPARE(f.h.form->liste().nombre, std::optional<int>(1));
    for (int k = 5; k < kBadgeBytes; ++k)
        QCOMPARE(bytes[k], 0);
    Harness::writeFile(f.list, kHeader);
    f.h.form->mise_en_tableau();
    QCOMPARE(f.h.form->liste().nombre, std::optional<int>(0));
    QCOMPARE(bytes[4], 0);
}

void TstEditor::saveRefusesUnheldCharacters_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("heure");
    QTest::addColumn<QString>("refused"); // the message's line; empty: saved
    QTest::newRow("Ł in the name")
        << QStringLiteral("Łukasz Wójcik") << "7"
        << QStringLiteral("Vérifiez le nom : le caractère « Ł » ne peut pas être gardé dans une "
                          "liste ni par la platine.");
    QTest::newRow("a sign beyond the basic plane")
        << QStringLiteral("Zoé 😀") << "7"
        << QStringLiteral("Vérifiez le nom : le caractère « 😀 » ne peut pas être gardé dans une "
                          "liste ni par la platine.");
    QTest::newRow("in a time, named once")
        << "Valmire" << QStringLiteral("7Ł")
        << QStringLiteral("Vérifiez l'heure de début : le caractère « Ł » ne peut pas être gardé "
                          "dans une liste ni par la platine.");
    QTest::newRow("€ and œ are Windows-1252") << QStringLiteral("Cœur 5 €") << "7" << QString();
}

void TstEditor::saveRefusesUnheldCharacters()
{
    QFETCH(QString, nom);
    QFETCH(QString, heure);
    QFETCH(QString, refused);
    Fixture f;
    f.enter();
    f.u().nom->setText(nom);
    f.u().heure_debut->setText(heure);
    f.h.form->Command7_Click();
    if (refused.isEmpty()) {
        QCOMPARE(f.messages(), 0);
        QCOMPARE(Harness::readFile(f.list), kHeader + record("0000000001", "C\x9C"
                                                                           "ur 5 \x80"));
        return;
    }
    QCOMPARE(f.messages(), 1);
    QCOMPARE(f.h.dialogs.shown.back().text,
             QStringLiteral("Le badge n'est pas enregistré.\r\n") + refused);
    QCOMPARE(Harness::readFile(f.list), kExample);
    QCOMPARE(f.h.form->liste().tables.tab_nom[0], std::string("Valmire"));
    QCOMPARE(f.u().nom->text(), nom); // nothing replaced under the operator's eyes
}

void TstEditor::unsavedEdits_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer"); // MsgAnswer; -1: no edit, no question
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("goesOn");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), cancel = int(MsgAnswer::Cancel);
    const QString edited = QStringLiteral("Zoé Martin");
    QTest::newRow("upload, Annuler") << "upload" << cancel << edited << false;
    QTest::newRow("upload, Oui: the edit goes to the board") << "upload" << yes << edited << true;
    QTest::newRow("upload, Non: the editor shows what goes") << "upload" << no << edited << true;
    QTest::newRow("upload, Oui refused: stops")
        << "upload" << yes << QStringLiteral("Łukasz") << false;
    QTest::newRow("upload, no edit: no question") << "upload" << -1 << QString() << true;
    QTest::newRow("next, Annuler") << "next" << cancel << edited << false;
    QTest::newRow("next, Non") << "next" << no << edited << true;
    QTest::newRow("previous, Oui") << "previous" << yes << edited << true;
    QTest::newRow("search, Annuler") << "search" << cancel << edited << false;
    QTest::newRow("search, Oui") << "search" << yes << edited << true;
    QTest::newRow("open another list, Annuler") << "open" << cancel << edited << false;
    QTest::newRow("open another list, Non") << "open" << no << edited << true;
    QTest::newRow("quit, Annuler") << "quit" << cancel << edited << false;
    QTest::newRow("quit, Oui") << "quit" << yes << edited << true;
    QTest::newRow("quit, Oui refused") << "quit" << yes << QStringLiteral("Łukasz") << false;
    QTest::newRow("Nouveau, Annuler") << "nouveau" << cancel << edited << false;
    QTest::newRow("leave record mode, Non") << "leave" << no << edited << true;
}

void TstEditor::unsavedEdits()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, nom);
    QFETCH(bool, goesOn);
    const QByteArray list = kHeader + record("0000000001", "Valmire") +
                            record("0000000002", "Hector") + record("0000000003", "Ida");
    Fixture f(list);
    f.enter();
    f.h.form->Command11_Click(); // "Hector", slot 1
    if (answer >= 0) {
        f.u().nom->setText(nom);
        f.h.dialogs.answers = {MsgAnswer(answer)};
    }
    const QString other = f.h.path("autre.txt");
    Harness::writeFile(other, kExample);
    const std::map<QString, std::function<void()>> run{
        {"upload", [&] { f.h.form->Command8_Click(); }},
        {"next", [&] { f.h.form->Command11_Click(); }},
        {"previous", [&] { f.h.form->Command14_Click(); }},
        {"search",
         [&] {
             f.h.dialogs.inputs = {"ida"};
             f.h.form->Command22_Click();
         }},
        {"open",
         [&] {
             f.h.dialogs.files = {other};
             f.h.form->Command1_Click();
         }},
        {"quit", [&] { f.h.form->Command6_Click(); }},
        {"nouveau", [&] { f.h.form->Command13_Click(); }},
        {"leave", [&] { f.h.form->Command12_Click(); }},
    };
    const std::size_t before = f.h.dialogs.shown.size();
    run.at(command)();

    // The question comes first (after the file dialog of an open, the
    // search's input box).
    std::vector<FakeDialogs::Shown> asked(f.h.dialogs.shown.begin() + qsizetype(before),
                                          f.h.dialogs.shown.end());
    if (command == "open" || command == "search")
        asked.erase(asked.begin());
    const bool question =
        !asked.empty() && asked.front().text.startsWith("Enregistrer les modifications");
    QCOMPARE(question, answer >= 0);
    if (question) {
        QCOMPARE(asked.front().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(
            asked.front().text,
            QStringLiteral("Enregistrer les modifications du badge 0000000002 (%1) ?").arg(nom));
        asked.erase(asked.begin());
    }
    const bool saved = answer == int(MsgAnswer::Yes) && goesOn;
    QCOMPARE(Harness::readFile(f.list), saved ? kHeader + record("0000000001", "Valmire") +
                                                    record("0000000002", toCp1252Bytes(nom)) +
                                                    record("0000000003", "Ida")
                                              : list);
    if (answer == int(MsgAnswer::Yes) && !goesOn) // the save's refusal, and nothing else
        QVERIFY(asked.size() == 1 && asked[0].text.contains(QStringLiteral("« Ł »")));

    const Form2Ui u = f.u();
    const std::map<QString, bool> wentOn{
        {"upload", std::any_of(asked.begin(), asked.end(),
                               [](const auto &m) { return m.text.contains("bp1"); })},
        {"next", f.h.form->liste().index_courant == 2},
        {"previous", f.h.form->liste().index_courant == 0},
        {"search", f.h.form->liste().index_courant == 2},
        {"open", f.h.form->liste().fichier == other},
        {"quit", f.h.ended == 1},
        {"nouveau", u.numero_badge->text().isEmpty()},
        {"leave", u.Frame2->isHidden()},
    };
    QCOMPARE(wentOn.at(command), goesOn);
    if (!goesOn) // back to the editor, the edit as typed
        QCOMPARE(u.nom->text(), nom);
    else if (answer == int(MsgAnswer::No) && f.h.form->liste().index_courant == 1)
        QCOMPARE(u.nom->text(), QStringLiteral("Hector")); // what the list holds
    if (command == "upload" && goesOn) // the board is sent what the editor shows
        QCOMPARE(fromCp1252(f.h.form->liste().tables.tab_nom[1]), u.nom->text());
}

void TstEditor::search_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("slot"); // -1: the record shown stays
    QTest::newRow("number") << false << "00000000A3" << 2;
    QTest::newRow("number in lower case") << false << "00000000a3" << 2;
    QTest::newRow("part of a number") << false << "A3" << -1;
    QTest::newRow("default number of the slot after the list") << false << "0000000000" << 4;
    QTest::newRow("name") << true << QStringLiteral("Hélène") << 1;
    QTest::newRow("name in other case") << true << "VALMIRE" << 0;
    QTest::newRow("name of two records: the lower slot") << true << "Valmire" << 0;
    QTest::newRow("exact match before the case-blind one") << true << "valmire" << 3;
    QTest::newRow("no accents, lower case") << true << " helene " << 1;
    QTest::newRow("part of a name") << true << "OIS" << 2;
    QTest::newRow("a name matched whole before a part") << true << "francois [2]" << 2;
    QTest::newRow("no name matches") << true << "Zorro" << -1;
    QTest::newRow("cancelled") << true << "" << -1;
}

void TstEditor::search()
{
    QFETCH(bool, byName);
    QFETCH(QString, key);
    QFETCH(int, slot);
    Fixture f(kKept);
    f.enter();
    f.h.form->Command11_Click(); // slot 1 shown
    f.h.dialogs.inputs.push_back(key);
    if (byName)
        f.h.form->Command22_Click();
    else
        f.h.form->Command21_Click();
    const auto &asked = f.h.dialogs.shown.back();
    QCOMPARE(asked.kind, QStringLiteral("input"));
    QCOMPARE(asked.title,
             byName ? QStringLiteral("recherche de nom") : QStringLiteral("recherche de badge"));
    const int shown = slot < 0 ? 1 : slot;
    QCOMPARE(f.h.form->liste().index_courant, shown);
    QCOMPARE(f.u().Label11->text(), QString::number(shown + 1));
    QCOMPARE(f.u().numero_badge->text(), latin(f.h.form->liste().tables.tab_numero[shown].c_str()));
    const QString missed = QStringLiteral("Aucun badge ne correspond à « %1 »").arg(key);
    QCOMPARE(f.u().Label14->text(), slot < 0 && !key.isEmpty() ? missed : QStringLiteral("....."));
}

void TstEditor::searchCapitalAccents_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("slot");
    QTest::newRow("accented, lower case") << QStringLiteral("élodie") << 1;
    QTest::newRow("no accent") << "elodie" << 1;
    QTest::newRow("capital accent typed") << QStringLiteral("ÉLODIE") << 1;
    QTest::newRow("part, capitals") << QStringLiteral("ÈVE") << 2;
    QTest::newRow("ligature") << "oeuvre" << 3;
}

void TstEditor::searchCapitalAccents()
{
    QFETCH(QString, key);
    QFETCH(int, slot);
    Fixture f(kHeader + record("0000000001", "Valmire") + record("0000000002", "\xC9LODIE") +
              record("0000000003", "GENEVI\xC8VE") +
              record("0000000004", "\x8C"
                                   "UVRE"));
    f.enter();
    // A miss first: its message goes with the next hit.
    f.h.dialogs.inputs = {"Zorro", key};
    f.h.form->Command22_Click();
    QCOMPARE(f.u().Label14->text(), QStringLiteral("Aucun badge ne correspond à « Zorro »"));
    f.h.form->Command22_Click();
    QCOMPARE(f.h.form->liste().index_courant, slot);
    QCOMPARE(f.u().Label14->text(), QStringLiteral("..."));
}

void TstEditor::searchBeforeAnyRead()
{
    Harness h;
    h.form->Command21_Click();
    h.form->Command22_Click();
    QCOMPARE(h.dialogs.shown.size(), std::size_t(2));
    QCOMPARE(h.dialogs.shown[0].kind, QStringLiteral("message"));
    QVERIFY(h.dialogs.shown[0].text.contains(QStringLiteral("vide")));
    QCOMPARE(h.form->liste().index_courant, 0);
}

void TstEditor::badgeReadPrompt()
{
    Harness h;
    h.form->setLabel2(QStringLiteral("Badge N°:0000000007"));
    QCOMPARE(h.ui().Label9->text(),
             QStringLiteral(
                 "Badge lu\r\nUne fois les champs renseignés cliquer sur le bouton 'Enregistrer'"));
}

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
