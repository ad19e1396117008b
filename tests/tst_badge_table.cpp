// "Tableau des badges", "Supprimer" and the changes to many badges at once:
// the pure functions over the list's bytes, then the window on the test
// doubles (answered dialogs, virtual time, the windows' seam).

#include "badges/badge_table_window.h"
#include "board/journal_window.h"
#include "core/badges/badge_rows.h"
#include "core/badges/list_edit.h"
#include "core/badges/list_table.h"
#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "platform/file_lock.h"
#include "serial/pane.h"
#include "support/harness.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTest>

using namespace platine;
using platine::testing::Harness;

namespace {

const QByteArray kHeader = "Liste cr\xE9"
                           "e le  : 06/12/2026\r\nHeure courante : 10:15:42\r\n"
                           "Nom du fichier : liste.txt\r\n\r\n\r\n";

// A record as "Enregistrer" writes it (Windows-1252, CR LF).
QByteArray record(const QByteArray &numero, const QByteArray &nom, const QByteArray &hd = "07",
                  const QByteArray &lieu = "1", const QByteArray &jour = "7",
                  const QByteArray &jourMois = "0")
{
    const QByteArray times = hd == "99" ? "99" : "30";
    const QByteArray fin = hd == "99" ? "99" : "17";
    return "[" + numero + "]\r\nnumero=" + numero + "\r\nnom=" + nom + "\r\nheure de debut=" + hd +
           "\r\nminute de debut=" + times + "\r\nheure de fin=" + fin +
           "\r\nminute de fin=" + times + "\r\n24 h 24=" + (hd == "99" ? "oui" : "non") +
           "\r\njour autoris\xE9=Lundi \xE0 Vendredi\r\njour autoris\xE9_=" + jour +
           "\r\nlieu autoris\xE9=" + lieu + "\r\ntous lieux=" + (lieu == "99" ? "oui" : "non") +
           "\r\njour du mois=" + jourMois + "\r\n\r\n";
}

const QByteArray kA = record("0000000001", "Valmire");
const QByteArray kB = record("0000000101", "Zo\xE9 Martin");
const QByteArray kC = record("0000000003", "Fran\xE7ois");

std::string bytes(const QByteArray &b)
{
    return b.toStdString();
}

// A list of `n` records named "Employé 0" to "Employé n-1".
QByteArray employees(int n)
{
    QByteArray f = kHeader;
    for (int i = 0; i < n; ++i)
        f += record(QByteArray::number(i).rightJustified(10, '0'),
                    "Employ\xE9 " + QByteArray::number(i));
    return f;
}

struct Window {
    Harness h;
    QString list = h.path(QStringLiteral("liste.txt"));
    explicit Window(const QByteArray &content)
    {
        Harness::writeFile(list, content);
        h.openList(list);
    }
    QByteArray file() const { return Harness::readFile(list); }
    BadgeTableWindow *table()
    {
        h.form->tableau_des_badges_Click();
        return h.windows.find<BadgeTableWindow>();
    }
    // The badges of `rows` (shown rows) selected in the table.
    void select(BadgeTableWindow *t, std::initializer_list<int> rows)
    {
        auto *view = t->findChild<QTableView *>(QStringLiteral("tableau"));
        view->clearSelection();
        for (int r : rows)
            view->selectionModel()->select(view->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

} // namespace

class TstBadgeTable : public QObject {
    Q_OBJECT
private slots:
    void removeSection_data();
    void removeSection();
    void importSkipsBlankRows_data();
    void importSkipsBlankRows();
    void rows_data();
    void rows();
    void filter_data();
    void filter();
    void deleteInEditor_data();
    void deleteInEditor();
    void refusedWhileLineBusy();
    void removeEverySectionOfABadge();
    void bulkChangeTimes_data();
    void bulkChangeTimes();
    void bulkChangeTwoFieldsOnThree();
    void tableThroughSeam();
    void menuBar();
    void editorFieldsAreItsOwn();
    void reportAsShown();
};

void TstBadgeTable::removeSection_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray all = kHeader + kA + kB + kC;
    QTest::newRow("first") << all << QByteArray("0000000001") << kHeader + kB + kC;
    QTest::newRow("middle") << all << QByteArray("0000000101") << kHeader + kA + kC;
    QTest::newRow("last") << all << QByteArray("0000000003") << kHeader + kA + kB;
    QTest::newRow("the only one") << kHeader + kB << QByteArray("0000000101") << kHeader;
    QTest::newRow("name repeated: both go") << kHeader + kB + kA + record("0000000101", "Autre")
                                            << QByteArray("0000000101") << kHeader + kA;
    QTest::newRow("name matched as the reader matches it")
        << kHeader + kA + record("00000000AB", "x") << QByteArray(" 00000000ab ") << kHeader + kA;
    QTest::newRow("free text before the first section, no CR LF at the end")
        << QByteArray("notes [sans section]\nligne\r\n") + kA + kB.chopped(4)
        << QByteArray("0000000101") << QByteArray("notes [sans section]\nligne\r\n") + kA;
    QTest::newRow("absent: nothing changes") << all << QByteArray("0000000009") << all;
}

void TstBadgeTable::removeSection()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(profile::removeSection(bytes(content), bytes(section))),
             expected);
}

void TstBadgeTable::importSkipsBlankRows_data()
{
    QTest::addColumn<QByteArray>("blank"); // a row between two records and after them
    QTest::newRow("empty cells") << QByteArray(";;;;;;;;");
    QTest::newRow("spaces") << QByteArray("   ;  ; ;;;;;; ");
    QTest::newRow("one cell of spaces") << QByteArray("     ");
    QTest::newRow("tabs and spaces") << QByteArray("\t ;\t;;");
    QTest::newRow("no-break spaces") << QByteArray("\xC2\xA0;\xC2\xA0\xC2\xA0;;");
    QTest::newRow("quoted spaces") << QByteArray("\"  \";\" \"");
}

void TstBadgeTable::importSkipsBlankRows()
{
    QFETCH(QByteArray, blank);
    const QByteArray table = "badge;nom;heure de d\xC3\xA9"
                             "but;minute de d\xC3\xA9"
                             "but;heure de "
                             "fin;minute de fin;jours;lieu;jour du mois\r\n"
                             "0000000001;Valmire;7;30;17;30;7;1;0\r\n" +
                             blank + "\r\n0000000002;Zo\xC3\xA9;8;0;18;0;9;99;0\r\n" + blank +
                             "\r\n" + blank;
    const TableImport read = readListTable(bytes(table));
    QStringList problems;
    for (const TableProblem &p : read.problems)
        problems << QString::fromStdString(p.text());
    QCOMPARE(problems, QStringList());
    QCOMPARE(read.records.size(), std::size_t(2));
    QCOMPARE(read.records[1].nom, std::string("Zo\xE9"));
}

void TstBadgeTable::rows_data()
{
    QTest::addColumn<QByteArray>("rec");
    QTest::addColumn<QStringList>("texts"); // plage, jours, lieu, jour du mois, état
    QTest::newRow("weekdays") << kA
                              << QStringList{"07:30 – 17:30", "Lundi à Vendredi", "1", "", ""};
    QTest::newRow("24h/24, all places, the 15th")
        << record("0000000002", "x", "99", "99", "9", "15")
        << QStringList{"24h/24", "Tous les jours", "Tous", "15", ""};
    QTest::newRow("badge number too short")
        << record("12345", "x")
        << QStringList{"07:30 – 17:30", "Lundi à Vendredi", "1", "",
                       "le numéro de badge doit compter dix chiffres hexadécimaux (0 à 9, A à F)."};
    QTest::newRow("no day chosen")
        << record("0000000002", "x", "07", "1", "-1")
        << QStringList{"07:30 – 17:30", "", "1", "",
                       "jour autorisé « -1 » ; un code de jour de 0 à 9 est attendu."};
    QTest::newRow("place of three digits")
        << record("0000000002", "x", "07", "100")
        << QStringList{"07:30 – 17:30", "Lundi à Vendredi", "100", "",
                       "lieu autorisé illisible (valeur 100h) ; un nombre de deux chiffres au plus "
                       "est attendu."};
    QTest::newRow("day of the month 32")
        << record("0000000002", "x", "07", "1", "7", "32")
        << QStringList{"07:30 – 17:30", "Lundi à Vendredi", "1", "32",
                       "jour du mois 32 ; 0 (aucun) ou un jour de 1 à 31 est attendu."};
}

void TstBadgeTable::rows()
{
    QFETCH(QByteArray, rec);
    QFETCH(QStringList, texts);
    BadgeTables t;
    const ListReadReport report = readList(bytes(kHeader + rec), t);
    const std::vector<BadgeRow> rows = badgeRows(t, report.count);
    QCOMPARE(rows.size(), std::size_t(1));
    const BadgeRow &r = rows[0];
    const QStringList got{QString::fromStdString(r.plage), QString::fromStdString(r.jours),
                          QString::fromStdString(r.lieu), QString::fromStdString(r.jourDuMois),
                          QString::fromStdString(r.etat)};
    QCOMPARE(got, texts);
}

void TstBadgeTable::filter_data()
{
    QTest::addColumn<QByteArray>("numero");
    QTest::addColumn<QByteArray>("nom");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    QTest::newRow("accent and case")
        << QByteArray("0000000040") << QByteArray("Employ\xE9 40") << "employe 4" << true;
    QTest::newRow("accent typed, none stored")
        << QByteArray("0000000001") << QByteArray("ZOE") << "zoé" << true;
    QTest::newRow("capital accent stored, typed small")
        << QByteArray("0000000001") << QByteArray("\xC9LODIE") << "élodie" << true;
    QTest::newRow("capital accent stored and typed")
        << QByteArray("0000000001") << QByteArray("\xC9LODIE \xC8VE") << "ÉLODIE È" << true;
    QTest::newRow("oe ligature") << QByteArray("0000000001") << QByteArray("C\x9C ur") << "coe"
                                 << true;
    QTest::newRow("part of the number")
        << QByteArray("00000000A1") << QByteArray("x") << " a1 " << true;
    QTest::newRow("empty keeps") << QByteArray("0000000001") << QByteArray("x") << "" << true;
    QTest::newRow("not in either")
        << QByteArray("0000000004") << QByteArray("Employ\xE9 3") << "employe 4" << false;
}

void TstBadgeTable::filter()
{
    QFETCH(QByteArray, numero);
    QFETCH(QByteArray, nom);
    QFETCH(QString, typed);
    QFETCH(bool, kept);
    BadgeRow row;
    row.numero = bytes(numero);
    row.nom = bytes(nom);
    QCOMPARE(rowMatches(row, typed.toLatin1().toStdString()), kept);
}

void TstBadgeTable::deleteInEditor_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("middle: the next one") << 1 << kHeader + kA + kC << "0000000003";
    QTest::newRow("last: the previous one") << 2 << kHeader + kA + kB << "0000000101";
}

void TstBadgeTable::deleteInEditor()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, left);
    QFETCH(QString, shownAfter);
    Window w(kHeader + kA + kB + kC);
    w.h.form->Command5_Click();
    for (int i = 0; i < slot; ++i)
        w.h.form->Command11_Click();
    const Form2Ui u = w.h.ui();
    const QString badge = u.numero_badge->text();
    w.h.dialogs.answers = {MsgAnswer::Yes};
    u.Command23->click();

    QCOMPARE(w.h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(w.h.dialogs.shown[0].buttons, MsgButtons::YesNo);
    if (slot == 1)
        QCOMPARE(w.h.dialogs.shown[0].text,
                 QStringLiteral("Retirer de la liste le badge 0000000101 (Zoé Martin) ?"));
    QCOMPARE(w.file(), left);
    QCOMPARE(u.numero_badge->text(), shownAfter);
    QCOMPARE(u.nombre_enregistrements->text(), QStringLiteral("2"));
    QCOMPARE(u.Label14->text(), QStringLiteral("Badge retiré de la liste : ") + badge);

    // "No" leaves the file as it was.
    w.h.dialogs.answers = {MsgAnswer::No};
    u.Command23->click();
    QCOMPARE(w.file(), left);

    // The console pane shows the list without the badge, and is still the
    // list that "Enregistrer une liste sous" saves, as the operator edits it.
    QTest::keyClicks(u.Text1, "X");
    const QString copy = w.h.path(QStringLiteral("copie.txt"));
    w.h.dialogs.files.push_back(copy);
    w.h.form->Command2_Click();
    QVERIFY2(Harness::readFile(copy).startsWith("X" + left.left(20)),
             Harness::readFile(copy).left(40).constData());
}

void TstBadgeTable::refusedWhileLineBusy()
{
    Window w(kHeader + kA + kB);
    w.h.form->Command5_Click();
    BadgeTableWindow *t = w.table();
    QVERIFY(t);
    QVERIFY(w.h.form->line().take(QStringLiteral("envoi de la liste")).isEmpty());
    const QString refused = QStringLiteral("Opération refusée : envoi de la liste en cours");
    QLabel *status = w.h.ui().Label14;
    // Each refusal shows anew: the strip is cleared before each command.
    status->setText(QStringLiteral("..."));
    w.h.ui().Command23->click();
    QCOMPARE(status->text(), refused);
    w.select(t, {0});
    status->setText(QStringLiteral("..."));
    t->removeSelected();
    QCOMPARE(status->text(), refused);
    // Closed, the table does not open again while the line is busy.
    t->close();
    delete t;
    status->setText(QStringLiteral("..."));
    w.h.form->tableau_des_badges_Click();
    QCOMPARE(status->text(), refused);
    QVERIFY(!w.h.windows.find<BadgeTableWindow>());
    QVERIFY(w.h.dialogs.shown.empty());
    QCOMPARE(w.file(), kHeader + kA + kB);
    w.h.form->line().release();
}

void TstBadgeTable::removeEverySectionOfABadge()
{
    Window w(kHeader + kA + kB + kC + record("0000000101", "Autre"));
    BadgeTableWindow *t = w.table();
    QCOMPARE(t->totalCount(), 4);
    w.select(t, {1, 3}); // both rows of the badge: one question, each holder once
    w.h.dialogs.answers = {MsgAnswer::Yes};
    t->removeSelected();
    QCOMPARE(w.h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(w.h.dialogs.shown[0].text,
             QStringLiteral("Retirer de la liste le badge 0000000101 ? Il y figure 2 fois : les 2 "
                            "sections sont retirées.\r\n0000000101 (Zoé Martin)\r\n"
                            "0000000101 (Autre)"));
    QCOMPARE(w.h.dialogs.shown[0].parent.data(), t); // asked over the table
    QCOMPARE(w.file(), kHeader + kA + kC);

    // Two badges, one of them twice.
    Harness::writeFile(w.list, kHeader + kA + kB + kC + record("0000000001", "Bis"));
    t = w.table(); // shows the list as its file is now
    w.select(t, {0, 2});
    w.h.dialogs.answers = {MsgAnswer::No};
    t->removeSelected();
    QCOMPARE(w.h.dialogs.shown.back().text,
             QStringLiteral("Retirer de la liste les 2 badges suivants ? Certains y figurent "
                            "plusieurs fois : les 3 sections sont retirées.\r\n0000000001 "
                            "(Valmire)\r\n0000000001 (Bis)\r\n0000000003 (François)"));

    // Another copy writing the list: it keeps its turn, nothing is removed.
    const QByteArray before = w.file();
    FileLock other(w.list);
    QVERIFY(other.locked());
    w.select(t, {0});
    w.h.dialogs.answers = {MsgAnswer::Yes};
    t->removeSelected();
    QVERIFY(w.h.dialogs.shown.back().text.contains(QStringLiteral("en cours d'écriture par")));
    QCOMPARE(w.file(), before);
}

void TstBadgeTable::bulkChangeTimes_data()
{
    QTest::addColumn<QStringList>("typed"); // start hour, minute, end hour, minute
    QTest::addColumn<QString>("refused");   // the message's line; empty: set
    QTest::newRow("each time in its key") << QStringList{"8", "15", "18", "45"} << QString();
    QTest::newRow("start 23") << QStringList{"23", "0", "24", "00"} << QString();
    QTest::newRow("start 24") << QStringList{"24", "0", "24", "00"}
                              << QStringLiteral("Badge 0000000003 : Vérifiez l'heure de début : "
                                                "une heure de 0 à 23 est attendue (99 pour "
                                                "24h/24).");
    QTest::newRow("a character no list keeps")
        << QStringList{"8", "15", QStringLiteral("1Ł"), "45"}
        << QStringLiteral("Vérifiez l'heure de fin : le caractère « Ł » ne peut pas être gardé "
                          "dans une liste ni par la platine.");
}

void TstBadgeTable::bulkChangeTimes()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, refused);
    Window w(kHeader + kA + kC);
    BadgeTableWindow *t = w.table();
    w.select(t, {1});
    t->findChild<QCheckBox *>(QStringLiteral("plage"))->setChecked(true);
    const char *const fields[] = {"heure_debut", "minute_debut", "heure_fin", "minute_fin"};
    for (int i = 0; i < 4; ++i)
        t->findChild<QLineEdit *>(QLatin1String(fields[i]))->setText(typed[i]);
    w.h.dialogs.answers = {MsgAnswer::Yes};
    t->changeSelected();
    QCOMPARE(w.h.dialogs.shown.back().parent.data(), t);
    if (!refused.isEmpty()) {
        QCOMPARE(w.h.dialogs.shown.back().text,
                 QStringLiteral("Aucun badge n'est modifié.\r\n") + refused);
        QCOMPARE(w.file(), kHeader + kA + kC);
        return;
    }
    QByteArray changed = kC;
    changed.replace("heure de debut=07", "heure de debut=" + typed[0].toLatin1())
        .replace("minute de debut=30", "minute de debut=" + typed[1].toLatin1())
        .replace("heure de fin=17", "heure de fin=" + typed[2].toLatin1())
        .replace("minute de fin=30", "minute de fin=" + typed[3].toLatin1());
    QCOMPARE(w.file(), kHeader + kA + changed);
}

void TstBadgeTable::bulkChangeTwoFieldsOnThree()
{
    const QByteArray d = record("0000000004", "Dora");
    Window w(kHeader + kA + kB + kC + d);
    BadgeTableWindow *t = w.table();
    QVERIFY(t);
    w.select(t, {0, 1, 3});
    t->findChild<QCheckBox *>(QStringLiteral("plage"))->setChecked(true);
    t->findChild<QCheckBox *>(QStringLiteral("h24"))->setChecked(true);
    t->findChild<QCheckBox *>(QStringLiteral("lieu_coche"))->setChecked(true);
    t->findChild<QLineEdit *>(QStringLiteral("lieu"))->setText(QStringLiteral(" 5 "));
    w.h.dialogs.answers = {MsgAnswer::Yes};
    t->findChild<QPushButton *>(QStringLiteral("modifier_selection"))->click();

    QCOMPARE(w.h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(w.h.dialogs.shown[0].text, QStringLiteral("Modifier 3 badges de la liste ?"));
    QCOMPARE(w.file(), kHeader + record("0000000001", "Valmire", "99", "5") +
                           record("0000000101", "Zo\xE9 Martin", "99", "5") + kC +
                           record("0000000004", "Dora", "99", "5"));
    // The table follows.
    QCOMPARE(t->cell(0, 2), QStringLiteral("24h/24"));
    QCOMPARE(t->cell(2, 2), QStringLiteral("07:30 – 17:30"));
    QCOMPARE(t->cell(3, 4), QStringLiteral("5"));

    // A value the board cannot take changes nothing, and says which.
    w.select(t, {2});
    t->findChild<QCheckBox *>(QStringLiteral("h24"))->setChecked(false);
    t->findChild<QLineEdit *>(QStringLiteral("heure_debut"))->setText(QStringLiteral("7h"));
    const QByteArray before = w.file();
    t->changeSelected();
    QCOMPARE(w.h.dialogs.shown.size(), std::size_t(2));
    QVERIFY2(w.h.dialogs.shown[1].text.contains(QStringLiteral("Badge 0000000003 : Vérifiez "
                                                               "l'heure de début")),
             qPrintable(w.h.dialogs.shown[1].text));
    QCOMPARE(w.file(), before);
}

void TstBadgeTable::tableThroughSeam()
{
    Window w(employees(100));
    w.h.ui().MenuBar->findChild<QAction *>(QStringLiteral("tableau_des_badges"))->trigger();
    auto *t = w.h.windows.find<BadgeTableWindow>();
    QVERIFY(t);
    QCOMPARE(t->windowTitle(), QStringLiteral("Tableau des badges — liste.txt"));
    // The filter as the window drives it (typing, removals, another list), under Qt's tester.
    QAbstractItemModelTester tester(t->findChild<QTableView *>(QStringLiteral("tableau"))->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(t->shownCount(), 100);
    QTest::keyClicks(t->findChild<QLineEdit *>(QStringLiteral("filtre")), "employe 4");
    QCOMPARE(t->shownCount(), 11);
    QCOMPARE(t->cell(0, 1), QStringLiteral("Employé 4"));
    QCOMPARE(t->cell(10, 1), QStringLiteral("Employé 49"));
    QCOMPARE(t->findChild<QLabel *>(QStringLiteral("compte"))->text(),
             QStringLiteral("11 badge(s) affiché(s) sur 100"));

    // The Delete key takes the selected rows off, after one question.
    w.select(t, {1, 2});
    w.h.dialogs.answers = {MsgAnswer::Yes};
    QTest::keyClick(t->findChild<QTableView *>(QStringLiteral("tableau")), Qt::Key_Delete);
    QVERIFY(w.h.dialogs.shown.back().text.startsWith(
        QStringLiteral("Retirer de la liste les 2 badges suivants ?\r\n0000000040 (Employé 40)")));
    QCOMPARE(t->totalCount(), 98);
    QCOMPARE(t->shownCount(), 9);
    QCOMPARE(w.h.ui().Label14->text(),
             QStringLiteral("Badges retirés de la liste : 0000000040, 0000000041"));

    // Enter opens the record editor on the current row.
    auto *view = t->findChild<QTableView *>(QStringLiteral("tableau"));
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(w.h.ui().Frame2->isVisibleTo(w.h.form.get()));
    QCOMPARE(w.h.ui().numero_badge->text(), QStringLiteral("0000000042"));

    // Another list opened: the table follows.
    Harness::writeFile(w.h.path(QStringLiteral("autre.txt")), employees(3));
    w.h.openList(w.h.path(QStringLiteral("autre.txt")));
    QCOMPARE(t->windowTitle(), QStringLiteral("Tableau des badges — autre.txt"));
    QCOMPARE(t->totalCount(), 3);
}

void TstBadgeTable::menuBar()
{
    Harness h;
    const Form2Ui u = h.ui();
    const int menuHeight = u.MenuBar->height();
    QVERIFY(menuHeight > 0);
    // The controls on their page, under the menu bar.
    QCOMPARE(u.Frame1->geometry(), QRect(572, 22, 153, 619));
    QCOMPARE(h.form->height(), 643 + menuHeight);
    QStringList titles;
    for (QAction *a : u.MenuBar->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"&Fichier", "&Liste", "&Platine", "Pa&ssages", "&Aide"}));
    const auto item = [&](const char *name) {
        return u.MenuBar->findChild<QAction *>(QLatin1String(name));
    };
    QCOMPARE(item("ouvrir_liste")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(item("quitter")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    // "Journal des passages" opens its window beside this one.
    item("journal_des_passages")->trigger();
    QVERIFY(h.windows.find<JournalWindow>());
    // An item runs its button's handler, refused the same way while the line is busy.
    item("quitter")->trigger();
    QCOMPARE(h.ended, 1);
    QVERIFY(h.form->line().take(QStringLiteral("envoi de la liste")).isEmpty());
    item("lire_badge")->trigger();
    QCOMPARE(u.Label14->text(), QStringLiteral("Opération refusée : envoi de la liste en cours"));
    h.form->line().release();
}

void TstBadgeTable::editorFieldsAreItsOwn()
{
    // Another window's field named as one of the editor's ("Modifier la
    // sélection" has its "lieu" and "heure_debut"), found first by name, is
    // not the editor's: the editor neither shows the record in it nor saves from it.
    Window w(kHeader + kA + kB);
    auto *decoy = new QLineEdit(QStringLiteral("Leurre"), w.h.form.get());
    decoy->setObjectName(QStringLiteral("nom"));
    QCOMPARE(w.h.form->findChild<QLineEdit *>(QStringLiteral("nom")), decoy);
    w.h.form->Command5_Click();
    w.h.form->Command11_Click();
    QCOMPARE(decoy->text(), QStringLiteral("Leurre"));
    w.h.form->Command7_Click();
    QVERIFY(w.file().contains("nom=Zo\xE9 Martin\r\n"));
    QVERIFY(!w.file().contains("Leurre"));
}

void TstBadgeTable::reportAsShown()
{
    Window w(employees(100));
    BadgeTableWindow *t = w.table();
    const auto pdfPages = [&](const QString &name) {
        w.h.dialogs.files.push_back(w.h.path(name));
        t->findChild<QPushButton *>(QStringLiteral("pdf"))->click();
        // A name typed without extension takes the PDF's.
        const QString file = w.h.path(name.contains(QLatin1Char('.')) ? name : name + ".pdf");
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        p.waitForFinished(30000);
        // The report's font may join "fi" and "ffi" as one glyph.
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput())
                                .replace(QStringLiteral("ﬃ"), QStringLiteral("ffi"))
                                .replace(QStringLiteral("ﬁ"), QStringLiteral("fi"))
                                .split(QLatin1Char('\f'));
        pages.removeAll(QString());
        return pages;
    };
    // Filtered and sorted by name, last first: the rows as shown, the filter under the title.
    QTest::keyClicks(t->findChild<QLineEdit *>(QStringLiteral("filtre")), "employe 4");
    t->findChild<QTableView *>(QStringLiteral("tableau"))->sortByColumn(1, Qt::DescendingOrder);
    QStringList pages = pdfPages(QStringLiteral("filtre"));
    QCOMPARE(w.h.dialogs.shown.back().parent.data(), t);
    QCOMPARE(pages.size(), 1);
    const QString &text = pages[0];
    QVERIFY2(text.contains(QStringLiteral("Tableau des badges — liste.txt")) &&
                 text.contains(QStringLiteral("filtre « employe 4 » : 11 badge(s) affiché(s) sur 100")) &&
                 text.contains(QStringLiteral("Plage horaire")) &&
                 text.contains(QStringLiteral("page 1 / 1")),
             qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("Employé 49")) < text.indexOf(QStringLiteral("Employé 40")));
    QVERIFY(!text.contains(QStringLiteral("Employé 39")));

    // The whole list runs over pages, each with the header.
    t->findChild<QLineEdit *>(QStringLiteral("filtre"))->clear();
    pages = pdfPages(QStringLiteral("liste.pdf"));
    QVERIFY(pages.size() >= 2);
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY(pages[p].contains(QStringLiteral("N° du badge")) &&
                pages[p].contains(QStringLiteral("page %1 / %2").arg(p + 1).arg(pages.size())));
    QCOMPARE(pages.join(QString()).count(QStringLiteral("07:30 – 17:30")), 100);

    // A name of another kind is refused; nothing is written.
    const auto shown = w.h.dialogs.shown.size();
    pdfPages(QStringLiteral("liste.csv"));
    QCOMPARE(w.h.dialogs.shown.size(), shown + 2);
    QCOMPARE(w.h.dialogs.shown.back().icon, MsgIcon::Critical);
    QVERIFY(!QFile::exists(w.h.path(QStringLiteral("liste.csv"))));
}

QTEST_MAIN(TstBadgeTable)
#include "tst_badge_table.moc"
