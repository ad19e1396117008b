// The board operations in real time against the board simulator over a
// pseudo-terminal: the window's own serial port, clock and event loop, with
// the operator's message boxes answered by the test, which then acts on the
// simulated board as the operator would (its push buttons, its antenna).

#include "app/form2.h"
#include "serial/pane.h"
#include "platform/qt_platform.h"
#include "support/board_sim.h"
#include "support/controls.h"
#include "support/harness.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace platine;
using namespace platine::testing;

class TstBoardSim : public QObject {
    Q_OBJECT
private slots:
    void uploadOfOneRecord();
    void uploadOfSixtyRecordsAsTheSimulatorStoresThem();
    void maintenanceCommands();
    void clockSetting();
    void badgeReading();
    void historyOfThreePassages();
    void journalOfTwoOverlappingDownloads();
    void wholeHistoryAgainCountsNothingTwice();
};

void TstBoardSim::uploadOfOneRecord()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    // The one-record list of the upload example, in its file.
    const QString list = w.dir.filePath(QStringLiteral("liste.txt"));
    QVERIFY(Harness::writeFile(
        list, "[0123456789]\r\nnumero=0123456789\r\nnom=Valmire\r\nheure de debut=07\r\n"
              "minute de debut=30\r\nheure de fin=17\r\nminute de fin=30\r\n24 h 24=non\r\n"
              "jour autoris\xE9=Lundi\r\njour autoris\xE9_=0\r\nlieu autoris\xE9=10\r\n"
              "tous lieux=non\r\njour du mois=0\r\n\r\n"));
    Form2 &form = *w.form;
    openListFile(form, w.dialogs, list);
    controls(form).tempo_gache->setText(QStringLiteral("10"));
    controls(form).buzzer->setChecked(true);
    // The operator presses bp1 once the prompt is closed.
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &) {
        QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("push bp1"); });
    };

    form.Command8_Click();

    QCOMPARE(sim.waitLine("UPLOAD COMPLETE"), QByteArray("UPLOAD COMPLETE blocks=1 slots=1"));
    QVERIFY2(!sim.report().contains("VIOLATION"), sim.report().constData());
    QVERIFY(sim.report().contains("\nSTORED param delay=10 blocks=1 buzzer=1\n"));
    QVERIFY2(sim.report().contains(
                 "\nSLOT 0 badge=0123456789 debut=07:30 fin=17:30 jour=0 lieu=10 jour_mois=0\n"),
             sim.report().constData());
    QCOMPARE(controls(form).Label5->text(), QStringLiteral("Transfert terminé"));
    QVERIFY2(QRegularExpression(QStringLiteral("^Transfert en : \\d+ mS$"))
                 .match(controls(form).Label14->text())
                 .hasMatch(),
             qPrintable(controls(form).Label14->text()));
}

void TstBoardSim::uploadOfSixtyRecordsAsTheSimulatorStoresThem()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    // Sixty records, each with its own values, written in the list format.
    QByteArray file = "Liste cr\xE9\x65 le  : 06/12/2026\r\nHeure courante : 10:15:42\r\n"
                      "Nom du fichier : liste.txt\r\n\r\n\r\n";
    QStringList expected;
    for (int i = 0; i < 60; ++i) {
        const QByteArray number =
            QByteArray::number(0x10000000ll + i * 0x1F3, 16).toUpper().rightJustified(10, '0');
        const bool allDay = i % 7 == 3, allPlaces = i % 5 == 4;
        const QByteArray hd = allDay ? "99" : QByteArray::number(6 + i % 12).rightJustified(2, '0');
        const QByteArray md = allDay ? "99" : QByteArray::number(i % 60).rightJustified(2, '0');
        const QByteArray hf = allDay ? "99" : QByteArray::number(18 + i % 6);
        const QByteArray mf = allDay ? "99" : "45";
        const int day = i % 10;
        const QByteArray place = allPlaces ? "99" : QByteArray::number(1 + i % 20);
        const int dom = i % 29;
        file += "[" + number + "]\r\nnumero=" + number + "\r\nnom=Porteur " +
                QByteArray::number(i) + "\r\nheure de debut=" + hd + "\r\nminute de debut=" + md +
                "\r\nheure de fin=" + hf + "\r\nminute de fin=" + mf +
                "\r\n24 h 24=" + (allDay ? "oui" : "non") +
                "\r\njour autoris\xE9=x\r\njour autoris\xE9_=" + QByteArray::number(day) +
                "\r\nlieu autoris\xE9=" + place +
                "\r\ntous lieux=non\r\njour du mois=" + QByteArray::number(dom) + "\r\n\r\n";
        expected << QStringLiteral(
                        "SLOT %1 badge=%2 debut=%3:%4 fin=%5:%6 jour=%7 lieu=%8 jour_mois=%9")
                        .arg(i)
                        .arg(QString::fromLatin1(number), QString::fromLatin1(hd),
                             QString::fromLatin1(md),
                             QString::fromLatin1(hf.rightJustified(2, '0')),
                             QString::fromLatin1(mf))
                        .arg(day)
                        .arg(QString::number(place.toInt()))
                        .arg(dom);
    }
    const QString list = w.dir.filePath(QStringLiteral("liste.txt"));
    QVERIFY(Harness::writeFile(list, file));
    openListFile(*w.form, w.dialogs, list);
    controls(*w.form).tempo_gache->setText(QStringLiteral("5"));
    controls(*w.form).buzzer->setChecked(false);
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &) {
        QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("push bp1"); });
    };

    w.form->Command8_Click();

    QCOMPARE(sim.waitLine("UPLOAD COMPLETE"), QByteArray("UPLOAD COMPLETE blocks=3 slots=60"));
    const QByteArray report = sim.report();
    QVERIFY2(!report.contains("VIOLATION"), report.constData());
    QVERIFY(report.contains("STORED param delay=5 blocks=3 buzzer=0"));
    QStringList stored;
    for (const QByteArray &line : report.split('\n'))
        if (line.startsWith("SLOT "))
            stored << QString::fromLatin1(line);
    QCOMPARE(stored, expected);
}

void TstBoardSim::maintenanceCommands()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    Form2 &form = *w.form;
    form.Command10_MouseDown(MouseButton::Left);
    form.Command15_Click();
    QVERIFY2(!sim.waitLine("DUMP eeprom").isEmpty(), sim.report().constData());
    QTRY_VERIFY_WITH_TIMEOUT(form.text2().count(QLatin1Char('.')) >= 16, 3000);
    form.Command16_Click();
    QVERIFY(!sim.waitLine("RAZ offset").isEmpty());
    // The operator confirms the erasure of the history (left press).
    w.dialogs.answers = {MsgAnswer::Yes};
    form.Command20_MouseDown(MouseButton::Left);
    QVERIFY2(!sim.waitLine("RAZ flash history").isEmpty(), sim.report().constData());
    QVERIFY(!sim.report().contains("VIOLATION"));
}

void TstBoardSim::clockSetting()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("announce clock"); });
    w.form->Command17_Click();
    // The PC says 17:05:09 on Sunday 6 December 2026.
    const QByteArray set = sim.waitLine("CLOCK SET");
    QVERIFY2(set == "CLOCK SET 17:05:09 06/12/26 weekday=1",
             (sim.report() + "\n" + controls(*w.form).Label14->text().toUtf8()).constData());
    QVERIFY(!sim.report().contains("VIOLATION"));
    QCOMPARE(controls(*w.form).Label14->text(),
             QStringLiteral("Modification enregistree 17:05:09 06/12/26"));
}

void TstBoardSim::badgeReading()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &) {
        QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("present 00000000AB"); });
    };
    // A reading that never gets its badge would wait for ever: give up after 5 s.
    QTimer::singleShot(5000, w.form.get(),
                       [&w] { w.form->Command10_MouseDown(MouseButton::Right); });
    w.form->lecture_badge_Click();
    QCOMPARE(controls(*w.form).numero_badge->text(), QStringLiteral("00000000AB"));
}

void TstBoardSim::historyOfThreePassages()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &) {
        QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("push bp3"); });
    };
    w.form->Command3_Click();
    QVERIFY2(!sim.waitLine("HISTORY SENT").isEmpty(), sim.report().constData());
    QCOMPARE(controls(*w.form).Label14->text(),
             QStringLiteral("Téléchargement terminé : 3 nouveaux passages dans le journal"));
    QVERIFY(QFile::exists(w.dir.filePath(QStringLiteral("histo.txt"))));
    // The header, its blank line and one row per passage.
    QCOMPARE(w.form->text1().count(QStringLiteral("\r\n")), 2 + 3);
}

void TstBoardSim::journalOfTwoOverlappingDownloads()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    // The open list names the first of the three passages' badges.
    const QString list = w.dir.filePath(QStringLiteral("liste.txt"));
    QVERIFY(Harness::writeFile(list, "[0123456789]\r\nnumero=0123456789\r\nnom=Val\xE9rie\r\n"));
    openListFile(*w.form, w.dialogs, list);
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &) {
        QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("push bp3"); });
    };
    const QString journal = w.dir.filePath(QStringLiteral("journal des passages.csv"));
    const auto rows = [&] {
        QFile j(journal);
        return j.open(QIODevice::ReadOnly) ? QString::fromUtf8(j.readAll())
                                                 .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                           : QStringList();
    };

    w.form->Command3_Click();
    QVERIFY2(!sim.waitLine("HISTORY SENT 3").isEmpty(), sim.report().constData());
    QCOMPARE(rows().size(), 1 + 3);
    QVERIFY2(rows().at(1).startsWith(QStringLiteral("2026-")) &&
                 rows().at(1).contains(QStringLiteral(";0123456789;Valérie;")),
             qPrintable(rows().at(1)));
    QVERIFY(controls(*w.form).Label14->toolTip().contains(journal));

    // A fourth passage, and the board told to send its whole log again.
    sim.command("passage 00000000AB 5");
    QVERIFY(!sim.waitLine("PASSAGE").isEmpty());
    w.form->Command16_Click();
    QVERIFY(!sim.waitLine("RAZ offset").isEmpty());
    w.form->Command3_Click();
    QVERIFY2(!sim.waitLine("HISTORY SENT 4").isEmpty(), sim.report().constData());
    QCOMPARE(controls(*w.form).Label14->text(),
             QStringLiteral("Téléchargement terminé : 1 nouveau passage dans le journal"));
    QCOMPARE(rows().size(), 1 + 4);
    QVERIFY(rows().at(4).contains(QStringLiteral(";00000000AB;;05;")));
    QVERIFY2(!sim.report().contains("VIOLATION"), sim.report().constData());
}

void TstBoardSim::wholeHistoryAgainCountsNothingTwice()
{
    RealWindow w;
    Sim sim(w.dir.path());
    QVERIFY(sim.ready());
    // The operator agrees to the recovery, then presses bp3 when asked.
    w.dialogs.onMessage = [&sim, &w](const FakeDialogs::Shown &s) {
        if (s.title == QStringLiteral("Téléchargement de l'historique des passages"))
            QTimer::singleShot(300, w.form.get(), [&sim] { sim.command("push bp3"); });
    };
    const QString journal = w.dir.filePath(QStringLiteral("journal des passages.csv"));
    const auto rows = [&] {
        QFile j(journal);
        return j.open(QIODevice::ReadOnly) ? QString::fromUtf8(j.readAll())
                                                 .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                           : QStringList();
    };
    w.form->Command3_Click();
    QVERIFY2(!sim.waitLine("HISTORY SENT 3").isEmpty(), sim.report().constData());
    sim.command("passage 00000000AB 5");
    QVERIFY(!sim.waitLine("PASSAGE").isEmpty());

    // Twice the whole log: the first adds the one passage the journal lacks, the second none.
    for (const char *added : {"1 nouveau passage", "0 nouveau passage"}) {
        w.dialogs.answers = {MsgAnswer::Yes};
        w.form->recuperer_historique_Click();
        QVERIFY2(!sim.waitLine("RAZ offset").isEmpty(), sim.report().constData());
        QVERIFY2(!sim.waitLine("HISTORY SENT 4").isEmpty(), sim.report().constData());
        QCOMPARE(controls(*w.form).Label14->text(),
                 QStringLiteral("Téléchargement terminé : %1 dans le journal")
                     .arg(QLatin1String(added)));
        QCOMPARE(rows().size(), 1 + 4);
    }
    QCOMPARE(w.dialogs.shown.front().title, QStringLiteral("Téléchargement de l'historique des passages"));
    QVERIFY(w.dialogs.shown.at(1).text.contains(QStringLiteral("raz_offset")));
    QVERIFY2(!sim.report().contains("VIOLATION"), sim.report().constData());
}

QTEST_MAIN(TstBoardSim)
#include "tst_board_sim.moc"
