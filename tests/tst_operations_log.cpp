// The journal of operations kept by the window, under virtual time: each
// operation on a list or a board writes its one row; a download dated ahead
// of the PC's clock proposes "Mise à l'heure"; a start after a change of
// daylight-saving time names the board whose clock was set before it.

#include "app/form2.h"
#include "badges/badge_table_window.h"
#include "board/journal_window.h"
#include "core/board/operations_journal.h"
#include "core/board/protocol.h"
#include "platform/date_field.h"
#include "platform/operations_recorder.h"
#include "support/example_list.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QTabWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <functional>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

std::vector<OperationRow> operationsOf(Harness &h)
{
    return readOperations(
        Harness::readFile(h.path(QString::fromUtf8(kOperationsFile))).toStdString());
}

QString list(Harness &h)
{
    return h.path(QStringLiteral("liste.txt"));
}

void openExample(Harness &h)
{
    Harness::writeFile(list(h), QByteArray::fromStdString(kListHeader + kExampleRecord));
    h.openList(list(h));
}

QByteArray passage(const char *badge, int hour, int minute, int day = 6)
{
    const std::string line = protocol::historyLine(badge, hour, minute, day, 12, 26, 1);
    return QByteArray::fromStdString(line) + "\r\n";
}

// The board's side of a download: the log of `passages` once bp3 is asked for.
void historyBoard(Harness &h, const QByteArray &passages)
{
    h.dialogs.onMessage = [&h](const FakeDialogs::Shown &s) {
        if (s.title == QStringLiteral("Téléchargement de l'historique des passages"))
            h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&h, passages](const QByteArray &w) {
        if (w == "vidage")
            h.port.deliver(passages + "Historique\r\n", 100ms);
    };
}

// The board's side of a clock setting, announced `after` from now.
void clockBoard(Harness &h, Millis after)
{
    h.port.deliver("Mise a l'heure\r\n", after);
    const qsizetype start = h.port.writes.size();
    h.port.onWrite = [&h, start](const QByteArray &) {
        if (h.port.writes.size() == start + 9) // "horaire", "heure", seven bytes
            h.port.deliver("Modification enregistree\r\n", 30ms);
    };
}

// The operators' time zone, with its change of summer time, and an account.
const bool kDesktop = [] {
    qputenv("TZ", "Europe/Paris");
    qputenv("USER", "zoe");
    return true;
}();

using Action = std::function<void(Harness &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TstOperationsLog : public QObject {
    Q_OBJECT
private slots:
    void eachOperationWritesItsRow_data();
    void eachOperationWritesItsRow();
    void unwritableJournalSaysSo();
    void operationsTab();
    void clockAhead_data();
    void clockAhead();
    void daylightSavingReminder();
};

void TstOperationsLog::eachOperationWritesItsRow_data()
{
    QTest::addColumn<Action>("action");
    // "operation|badge|field|before|after" of each row ("operation|badge|" for a
    // record added or removed), and what the first one's detail holds.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("detail");

    QTest::newRow("Enregistrer: a field changed")
        << Action([](Harness &h) {
               openExample(h);
               h.form->Command5_Click();
               h.ui().nom->setText(QStringLiteral("Valmire Dupré"));
               h.form->Command7_Click();
           })
        << QStringList{"modification|0000000001|nom|Valmire|Valmire Dupré"} << QString();
    QTest::newRow("Enregistrer: a new badge")
        << Action([](Harness &h) {
               openExample(h);
               h.form->Command5_Click();
               h.ui().numero_badge->setText(QStringLiteral("0000000002"));
               h.form->Command7_Click();
           })
        << QStringList{"ajout|0000000002|"} << QString();
    QTest::newRow("Supprimer")
        << Action([](Harness &h) {
               openExample(h);
               h.form->Command5_Click();
               h.dialogs.answers = {MsgAnswer::Yes};
               h.form->Command23_Click();
           })
        << QStringList{"suppression|0000000001|"} << QString();
    QTest::newRow("Modifier la sélection")
        << Action([](Harness &h) {
               openExample(h);
               h.form->tableau_des_badges_Click();
               auto *t = h.windows.find<BadgeTableWindow>();
               auto *view = t->findChild<QTableView *>(QStringLiteral("tableau"));
               view->selectRow(0);
               t->findChild<QCheckBox *>(QStringLiteral("plage"))->setChecked(true);
               const char *const fields[] = {"heure_debut", "minute_debut", "heure_fin",
                                             "minute_fin"};
               const char *const typed[] = {"8", "30", "17", "30"};
               for (int i = 0; i < 4; ++i)
                   t->findChild<QLineEdit *>(QLatin1String(fields[i]))
                       ->setText(QLatin1String(typed[i]));
               h.dialogs.answers = {MsgAnswer::Yes};
               t->changeSelected();
           })
        << QStringList{"modification de la sélection|0000000001|heure de debut|07|8"}
        << QString();
    QTest::newRow("Nouvelle liste")
        << Action([](Harness &h) {
               h.dialogs.files = {h.path(QStringLiteral("neuve.txt"))};
               h.form->Command4_Click();
           })
        << QStringList{"nouvelle liste||||"} << QString();
    // The board never answered: nothing reached it, no upload to record.
    QTest::newRow("Envoi programmation, no board")
        << Action([](Harness &h) {
               openExample(h);
               h.form->Command8_Click();
           })
        << QStringList{} << QString();
    QTest::newRow("Mise à l'heure")
        << Action([](Harness &h) {
               h.port.open(1);
               clockBoard(h, 500ms);
               h.form->Command17_Click();
           })
        << QStringList{"mise à l'heure||||"} << QStringLiteral("17 05 09 06 12 26 01 ; confirmé");
    QTest::newRow("Téléchargement")
        << Action([](Harness &h) {
               historyBoard(h, passage("0123456789", 8, 30) + passage("00000000AB", 9, 0));
               h.form->Command3_Click();
           })
        << QStringList{"téléchargement||||"} << QStringLiteral("2 passage(s) ajouté(s)");
    QTest::newRow("eeprom") << Action([](Harness &h) {
        h.port.open(1);
        h.form->Command15_Click();
    }) << QStringList{"commande||||"} << QStringLiteral("eeprom");
    QTest::newRow("raz offset telech") << Action([](Harness &h) {
        h.port.open(1);
        h.form->Command16_Click();
    }) << QStringList{"commande||||"} << QStringLiteral("raz_offset");
    QTest::newRow("Raz eeprom externe, everything") << Action([](Harness &h) {
        h.port.open(1);
        h.dialogs.answers = {MsgAnswer::Yes};
        h.form->Command20_MouseDown(MouseButton::Right);
    }) << QStringList{"commande||||"} << QStringLiteral("raz_flash 01 01");
    QTest::newRow("on a closed port: nothing sent, no row") << Action([](Harness &h) {
        h.form->Command15_Click();
    }) << QStringList{} << QString();
}

void TstOperationsLog::eachOperationWritesItsRow()
{
    QFETCH(Action, action);
    QFETCH(QStringList, rows);
    QFETCH(QString, detail);
    Harness h;
    action(h);
    const std::vector<OperationRow> read = operationsOf(h);
    QStringList got;
    for (const OperationRow &r : read)
        got << QString::fromStdString(r.operation + "|" + r.badge + "|" +
                                      (r.operation == op::kAdded || r.operation == op::kRemoved
                                           ? std::string()
                                           : r.field + "|" + r.before + "|" + r.after));
    if (rows.isEmpty()) {
        QCOMPARE(got, rows);
        return;
    }
    // A change to a selection writes a row per field changed: the first is compared.
    QVERIFY(!got.isEmpty());
    QCOMPARE(got.front(), rows.front());
    if (!rows.front().startsWith(QLatin1String("modification de la")))
        QCOMPARE(got, rows);
    const OperationRow &r = read.front();
    QVERIFY2(QString::fromStdString(r.detail).contains(detail), r.detail.c_str());
    QCOMPARE(QString::fromStdString(r.date), QStringLiteral("2026-12-06"));
    QVERIFY(r.time.starts_with("17:0"));
    QCOMPARE(r.user, std::string("zoe"));
    QCOMPARE(QString::fromStdString(r.board), h.form->boardLabel());
    QVERIFY(!r.board.empty());
}

void TstOperationsLog::unwritableJournalSaysSo()
{
    // A folder where the journal's file should be: the command goes out, the
    // status strip says the row is missing.
    Harness h;
    QVERIFY(QDir(h.dir.path()).mkdir(QString::fromUtf8(kOperationsFile)));
    h.port.open(1);
    h.form->Command15_Click();
    QCOMPARE(h.port.writes, QList<QByteArray>{"eeprom"});
    QVERIFY2(h.ui().Label14->text().startsWith(
                 QStringLiteral("Le journal des opérations « ")),
             qPrintable(h.ui().Label14->text()));
}

void TstOperationsLog::operationsTab()
{
    Harness h;
    h.port.open(1);
    h.form->Command15_Click();
    h.form->Command16_Click();
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    QVERIFY(w);
    auto *tabs = w->findChild<QTabWidget *>(QStringLiteral("onglets"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Opérations"));
    tabs->setCurrentIndex(2);
    auto *count = w->findChild<QLabel *>(QStringLiteral("nombre"));
    QCOMPARE(count->text(), QStringLiteral("2 opération(s) sur 2"));
    w->findChild<QLineEdit *>(QStringLiteral("recherche"))->setText(QStringLiteral("RAZ"));
    QCOMPARE(count->text(), QStringLiteral("1 opération(s) sur 2"));
    // A row added while the tab is shown is read at once, the search kept.
    h.form->Command20_MouseDown(MouseButton::Left);
    QCOMPARE(count->text(), QStringLiteral("1 opération(s) sur 2")); // refused: no row
    h.dialogs.answers = {MsgAnswer::Yes};
    h.form->Command20_MouseDown(MouseButton::Left);
    QCOMPARE(count->text(), QStringLiteral("2 opération(s) sur 3"));
    // The rows shown, newest first, exported with the journal's header.
    h.dialogs.files = {h.path(QStringLiteral("ops.csv"))};
    w->exportClicked();
    const QList<QByteArray> lines = Harness::readFile(h.path(QStringLiteral("ops.csv"))).split('\n');
    QCOMPARE(lines.size(), 1 + 2 + 1);
    QVERIFY(lines[0].contains("utilisateur;platine;liste;opération;badge;champ;avant;après"));
    QVERIFY(lines[1].contains(";commande;;;;;raz_flash 00 00"));
    QVERIFY(lines[2].contains(";commande;;;;;raz_offset"));
    // A day picked after them: none shown.
    w->findChild<DateField *>(QStringLiteral("du"))->setDate(QDate(2026, 12, 7));
    QCOMPARE(count->text(), QStringLiteral("0 opération(s) sur 3"));
}

void TstOperationsLog::clockAhead_data()
{
    QTest::addColumn<int>("minutesAhead"); // the newest passage after 17:05 on the PC
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("answer"); // Oui: the clock is set
    QTest::newRow("behind") << -600 << false << false;
    QTest::newRow("5 minutes: within the drift") << 5 << false << false;
    QTest::newRow("6 minutes, Non") << 6 << true << false;
    QTest::newRow("an hour, Oui sets the clock") << 60 << true << true;
    QTest::newRow("next day, Oui") << 24 * 60 << true << true;
}

void TstOperationsLog::clockAhead()
{
    QFETCH(int, minutesAhead);
    QFETCH(bool, warned);
    QFETCH(bool, answer);
    Harness h;
    const int at = 17 * 60 + 5 + minutesAhead;
    historyBoard(h, passage("0123456789", 8, 0) +
                        passage("00000000AB", (at / 60) % 24, at % 60, 6 + at / (24 * 60)));
    const auto download = h.dialogs.onMessage;
    bool asked = false;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &s) {
        download(s);
        if (s.title != QStringLiteral("Horloge de la platine"))
            return;
        asked = true;
        QVERIFY(s.text.contains(QStringLiteral("semble en avance")));
        QCOMPARE(s.buttons, MsgButtons::YesNo);
        if (answer)
            clockBoard(h, 500ms);
    };
    // The bp3 prompt, then the question.
    h.dialogs.answers = {MsgAnswer::Ok, answer ? MsgAnswer::Yes : MsgAnswer::No};
    h.form->Command3_Click();
    QCOMPARE(asked, warned);
    QCOMPARE(h.port.writes.contains("horaire"), answer);
}

void TstOperationsLog::daylightSavingReminder()
{
    Harness h(false);
    h.form->Form_Load();
    h.port.open(1);
    clockBoard(h, 500ms);
    h.form->Command17_Click();
    const QString board = h.form->boardLabel();
    // Set in December: the same offset at the next start says nothing.
    h.ui().Label14->setText(QString());
    h.form->remindClockSettings();
    QCOMPARE(h.ui().Label14->text(), QString());
    // Started again in April, in summer time.
    h.time.m_wallStart = QDateTime(QDate(2027, 4, 2), QTime(8, 0));
    h.form->remindClockSettings();
    QCOMPARE(h.ui().Label14->text(),
             QStringLiteral("Changement d'heure depuis la dernière mise à l'heure de « %1 » (le "
                            "06/12/2026 à 17:05) : refaire « Mise à l'heure » sur cette platine")
                 .arg(board));
    // Set again in summer: nothing more to say.
    clockBoard(h, 500ms);
    h.form->Command17_Click();
    h.ui().Label14->setText(QString());
    h.form->remindClockSettings();
    QCOMPARE(h.ui().Label14->text(), QString());
}

QTEST_MAIN(TstOperationsLog)
#include "tst_operations_log.moc"
