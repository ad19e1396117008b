// The serial link in virtual time: the connection button, the receive path,
// the reply wait and pauses, a lost port, and the operator's actions on the
// two panes.

#include "serial/exchange.h"
#include "serial/pane.h"
#include "platform/keyboard.h"
#include "platform/text.h"
#include "support/harness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <random>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(platine::MouseButton)
Q_DECLARE_METATYPE(platine::OpenResult)
Q_DECLARE_METATYPE(platine::WaitEnd)
using PaneEdits = QList<std::pair<int, QString>>; // view caret, keys (\x16: Ctrl+V)
Q_DECLARE_METATYPE(PaneEdits)

namespace {

QString label14(const Harness &h)
{
    return h.ui().Label14->text();
}

} // namespace

class TestSerial : public QObject {
    Q_OBJECT
private slots:
    void connectionButton_data();
    void connectionButton();
    void connectionFollowsThePortList();
    void keyboardOnConnectionConnects();
    void openFailure_data();
    void openFailure();
    void sendOnClosedPort();

    void burstInTwoPartsIsOneAppend();
    void burstCaughtByAClosedPortIsNotReopened();
    void bytesFromBeforeTheOpenAreDropped_data();
    void bytesFromBeforeTheOpenAreDropped();
    void blankBeforeTheWordDoesNotMatch();
    void halfAWordDoesNotMatch();
    void tenSecondWaitEndsJustAfterTenSeconds();
    void quietWait_data();
    void quietWait();
    void rightPressEndsARunningWait();
    void lostPortEndsWaitsAndIsReportedOnce();
    void pauses();

    void caretPosition_data();
    void caretPosition();
    void doubleClickSavesAndOpens_data();
    void doubleClickSavesAndOpens();
    void unwritableScratchFileOpensNothing();
    void receivePaneMouse();
    void longLinesAndSplitLineBreaksInTheView();
    void typingChangesOnlyWhatWasTyped_data();
    void typingChangesOnlyWhatWasTyped();
    void editsInARow_data();
    void editsInARow();
    void editsAnywhere_data();
    void editsAnywhere();
};

// --- Connection button -----------------------------------------------------------

void TestSerial::connectionButton_data()
{
    QTest::addColumn<bool>("openBefore");
    QTest::addColumn<MouseButton>("button");
    QTest::addColumn<bool>("openAfter");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("closes");
    QTest::addColumn<bool>("green");
    QTest::newRow("left opens") << false << MouseButton::Left << true << 1 << 0 << true;
    QTest::newRow("left on open port only colours")
        << true << MouseButton::Left << true << 1 << 0 << true;
    QTest::newRow("right closes") << true << MouseButton::Right << false << 1 << 1 << false;
    QTest::newRow("middle closes") << true << MouseButton::Middle << false << 1 << 1 << false;
    QTest::newRow("right on closed port only colours")
        << false << MouseButton::Right << false << 0 << 0 << false;
}

void TestSerial::connectionButton()
{
    QFETCH(bool, openBefore);
    QFETCH(MouseButton, button);
    Harness h;
    const QString before = label14(h);
    if (openBefore)
        h.form->Command10_MouseDown(MouseButton::Left);
    else
        h.lightIndicator(true); // the colour is never read back from the port
    h.form->Command10_MouseDown(button);
    QTEST(h.port.isOpen(), "openAfter");
    QTEST(h.port.opens, "opens");
    QTEST(h.port.closes, "closes");
    QTEST(h.form->indicatorConnected(), "green");
    const QColor face = h.ui().Command10->palette().color(QPalette::Button);
    QFETCH(bool, green);
    if (green)
        QCOMPARE(face, QColor(192, 255, 192));
    else
        QCOMPARE(face, QApplication::palette().color(QPalette::Button));
    // The colour is the only feedback.
    QCOMPARE(shownCaption(h.ui().Command10->text()), QStringLiteral("Connexion"));
    QCOMPARE(label14(h), before);
    QVERIFY(h.dialogs.shown.empty());
}

void TestSerial::connectionFollowsThePortList()
{
    Harness h;
    h.ui().Combo1->setCurrentIndex(4);
    h.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(h.port.openedPort, 5);
    // Through the button itself, as the operator presses it.
    h.form->Command10_MouseDown(MouseButton::Right);
    h.ui().Combo1->setCurrentIndex(9);
    QTest::mousePress(h.ui().Command10, Qt::LeftButton);
    QCOMPARE(h.port.openedPort, 10);
    QVERIFY(h.form->indicatorConnected());
    QTest::mousePress(h.ui().Command10, Qt::MiddleButton);
    QVERIFY(!h.port.isOpen());
    QVERIFY(!h.form->indicatorConnected());
}

void TestSerial::keyboardOnConnectionConnects()
{
    // Space, Return and Enter do what the left button does: each connects
    // (the port opened once, then kept open).
    Harness h;
    QPushButton *b = h.ui().Command10;
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Enter);
    QCOMPARE(h.port.opens, 1);
    QVERIFY(h.port.isOpen());
    QVERIFY(h.form->indicatorConnected());
}

void TestSerial::openFailure_data()
{
    QTest::addColumn<OpenResult>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("says");
    QTest::newRow("absent") << OpenResult::Absent << "No such file or directory"
                            << "Port COM3 indisponible : port absent (/dev/fake3)";
    QTest::newRow("in use") << OpenResult::InUse << "Permission error while locking the device"
                            << "Port COM3 indisponible : déjà utilisé par un autre programme";
    QTest::newRow("denied") << OpenResult::Denied << "Permission denied"
                            << "Port COM3 indisponible : accès refusé (Permission denied) ; un "
                               "administrateur doit vous donner accès à /dev/fake3";
    QTest::newRow("other") << OpenResult::Failed << "Input/output error"
                           << "Port COM3 indisponible : Input/output error";
}

void TestSerial::openFailure()
{
    QFETCH(OpenResult, result);
    QFETCH(QString, error);
    for (bool greenBefore : {false, true}) {
        Harness h;
        h.ui().Combo1->setCurrentIndex(2);
        h.lightIndicator(greenBefore); // the colour is never read back from the port
        h.port.nextOpen = result;
        h.port.errorString = error;
        h.form->Command10_MouseDown(MouseButton::Left);
        QVERIFY(!h.port.isOpen());
        QCOMPARE(h.form->indicatorConnected(), greenBefore);
        QTEST(label14(h), "says");
        // The operation that needed the port ends and sends nothing.
        QVERIFY(!connectIn(*h.form));
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(h.ended, 0);
    }
}

void TestSerial::sendOnClosedPort()
{
    Harness h;
    h.ui().Combo1->setCurrentIndex(0);
    QVERIFY(!sendIn(*h.form, "param"));
    QVERIFY(!sendIn(*h.form, QByteArray("\x05", 1)));
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(label14(h), QStringLiteral("Port COM1 fermé : rien n'a été envoyé"));
    // Open, the text leaves as its Windows-1252 bytes with no terminator.
    h.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(sendIn(*h.form, toCp1252Bytes(QStringLiteral("é€"))));
    QCOMPARE(h.port.written, QByteArray("\xe9\x80"));
}

// --- Receive path and waits ---------------------------------------------------------

void TestSerial::burstInTwoPartsIsOneAppend()
{
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.deliver("Mise ");
    h.port.deliver("a l'h", 30ms);
    QVERIFY(pauseIn(*h.form, 99ms));
    QVERIFY(h.form->text2().isEmpty());
    QVERIFY(pauseIn(*h.form, 2ms));
    QCOMPARE(h.form->text2(), QStringLiteral("Mise a l'h"));
    // A later burst is appended after it, byte for byte.
    h.port.deliver(QByteArray("\r\n\x80\xff", 4));
    QVERIFY(pauseIn(*h.form, 150ms));
    QCOMPARE(h.form->text2(), QStringLiteral("Mise a l'h\r\n€ÿ"));
}

void TestSerial::burstCaughtByAClosedPortIsNotReopened()
{
    // The operator closes the port between a burst and its tick: the port
    // is not opened again behind the operator's back.
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.deliver("Pret");
    h.time.after(50ms, [&] { h.form->Command10_MouseDown(MouseButton::Right); });
    pauseIn(*h.form, 200ms);
    QVERIFY(!h.port.isOpen());
    QCOMPARE(h.port.opens, 1);
    QVERIFY(h.form->text2().isEmpty());
}

void TestSerial::bytesFromBeforeTheOpenAreDropped_data()
{
    QTest::addColumn<bool>("openedBefore");
    QTest::newRow("sent before the first open") << false;
    QTest::newRow("left unread when the operator closed") << true;
}

void TestSerial::bytesFromBeforeTheOpenAreDropped()
{
    // Bytes that waited in the adapter are not the board's answer to what
    // the program sends next: the open drops them.
    QFETCH(bool, openedBefore);
    Harness h;
    if (openedBefore) {
        h.form->Command10_MouseDown(MouseButton::Left);
        h.port.deliver("Pret");
        h.time.after(50ms, [&] { h.form->Command10_MouseDown(MouseButton::Right); });
    } else {
        h.port.deliver("Pret");
    }
    pauseIn(*h.form, 200ms);
    h.port.deliver("Mise a l'heure", 300ms);
    h.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(pauseIn(*h.form, 500ms));
    QCOMPARE(h.form->text2(), QStringLiteral("Mise a l'heure"));
}

void TestSerial::blankBeforeTheWordDoesNotMatch()
{
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.deliver(" Pret");
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), 10s), WaitEnd::TimedOut);
    QCOMPARE(h.form->text2(), QStringLiteral(" Pret"));
    // Nor does another case.
    h.ui().Text2->setText(QString());
    h.port.deliver("pret");
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), 10s), WaitEnd::TimedOut);
}

void TestSerial::halfAWordDoesNotMatch()
{
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.deliver("Mi");
    h.port.deliver("se", 150ms);
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Mise"), 10s), WaitEnd::Matched);
    // "Mi" alone was in the pane from 100 ms; the match came with the second tick.
    QCOMPARE(h.time.elapsed(), 250ms);
}

// The wait while the board talks, on a line alone: each burst of "abc"
// reaches the pane one receive step after it left the board.
void TestSerial::quietWait_data()
{
    QTest::addColumn<QList<int>>("talk"); // ms at which a burst leaves the board
    QTest::addColumn<int>("markerAt");    // "Fin" leaves then; -1: never
    QTest::addColumn<int>("loseAt");      // the adapter is pulled out; -1: never
    QTest::addColumn<bool>("awaitMarker");
    QTest::addColumn<int>("quietFor");
    QTest::addColumn<int>("limit"); // -1: none
    QTest::addColumn<WaitEnd>("end");
    QTest::addColumn<int>("endsAt");
    QTest::addColumn<QString>("why"); // empty: the wait succeeded

    QList<int> chatter;
    for (int at = 200; at < 5000; at += 400)
        chatter << at;
    // The limit ends a line that never falls quiet for long.
    QTest::newRow("keeps talking")
        << chatter << -1 << -1 << false << 1000 << 3000 << WaitEnd::TimedOut << 3001
        << QStringLiteral("délai de 3 s dépassé");
    // Quiet counts from the last bytes received (900 + 100 ms), strictly more.
    QTest::newRow("goes quiet") << QList<int>{200, 600, 900} << -1 << -1 << false << 1000 << -1
                                << WaitEnd::Quiet << 2001 << QString();
    QTest::newRow("silent from the start")
        << QList<int>{} << -1 << -1 << false << 1500 << -1 << WaitEnd::Quiet << 1501 << QString();
    QTest::newRow("lost") << QList<int>{200} << -1 << 700 << false << 1000 << -1
                          << WaitEnd::PortClosed << 700
                          << QStringLiteral("liaison fermée ou perdue");
    QTest::newRow("marker") << QList<int>{200, 500} << 800 << -1 << true << 1000 << -1
                            << WaitEnd::Matched << 900 << QString();
    QTest::newRow("quiet before the marker")
        << QList<int>{200} << 2000 << -1 << true << 1000 << -1 << WaitEnd::Quiet << 1301
        << QStringLiteral("plus rien reçu de la platine depuis 1 s (attente de « Fin »)");
    QTest::newRow("lost before the marker")
        << QList<int>{200} << 2000 << 600 << true << 1000 << 10000 << WaitEnd::PortClosed << 600
        << QStringLiteral("liaison fermée ou perdue (attente de « Fin »)");
}

void TestSerial::quietWait()
{
    QFETCH(QList<int>, talk);
    QFETCH(int, markerAt);
    QFETCH(int, loseAt);
    QFETCH(bool, awaitMarker);
    QFETCH(int, quietFor);
    QFETCH(int, limit);
    QFETCH(WaitEnd, end);
    QFETCH(int, endsAt);
    QFETCH(QString, why);

    VirtualTime time;
    FakeSerialPort port{time};
    Pane received;
    Line line(port, time, time, time.makeTimer(), received);
    port.onReadyRead = [&line] { line.dataArrived(); };
    Exchange x(line, QStringLiteral("essai"));
    QVERIFY(x.connect());
    for (int at : talk)
        port.deliver("abc", Millis(at));
    if (markerAt >= 0)
        port.deliver("Fin", Millis(markerAt));
    if (loseAt >= 0)
        port.lose(Millis(loseAt));

    const std::optional<Millis> lim = limit < 0 ? std::nullopt : std::optional(Millis(limit));
    const WaitEnd got = awaitMarker
                            ? x.waitQuiet(Millis(quietFor), lim, QStringLiteral("Fin"),
                                          [](const QString &pane) { return pane.contains(u"Fin"); })
                            : x.waitQuiet(Millis(quietFor), lim);
    QCOMPARE(got, end);
    QCOMPARE(x.lastWait(), end);
    QCOMPARE(int(time.elapsed().count()), endsAt);
    QVERIFY2(why.isEmpty() ? x.why().isEmpty() : x.why().contains(why), qPrintable(x.why()));
}

void TestSerial::tenSecondWaitEndsJustAfterTenSeconds()
{
    Harness h;
    const QString before = label14(h);
    h.form->Command10_MouseDown(MouseButton::Left);
    h.time.advance(std::chrono::hours(23) + 59min + 55s); // any time of day
    const Millis start = h.time.elapsed();
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), 10s), WaitEnd::TimedOut);
    const Millis took = h.time.elapsed() - start;
    QVERIFY2(took > 10s && took <= 10s + 20ms, qPrintable(QString::number(took.count())));
    // Nothing else changed.
    QVERIFY(h.port.isOpen());
    QVERIFY(h.form->indicatorConnected());
    QCOMPARE(label14(h), before);
}

void TestSerial::rightPressEndsARunningWait()
{
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    h.time.after(500ms, [&] { h.form->Command10_MouseDown(MouseButton::Right); });
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), 10s), WaitEnd::PortClosed);
    QCOMPARE(h.time.elapsed(), 500ms);
    // A wait without a limit ends too.
    h.form->Command10_MouseDown(MouseButton::Left);
    h.time.after(1s, [&] { h.form->Command10_MouseDown(MouseButton::Middle); });
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), std::nullopt), WaitEnd::PortClosed);
    QCOMPARE(h.time.elapsed(), 1500ms);
}

void TestSerial::lostPortEndsWaitsAndIsReportedOnce()
{
    Harness h;
    h.ui().Combo1->setCurrentIndex(0);
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.deliver("Pr");
    h.ui().Combo1->setCurrentIndex(2); // COM3 applies at the next opening
    h.port.lose(50ms);
    h.port.lose(400ms);
    QCOMPARE(waitStartIn(*h.form, QStringLiteral("Pret"), 10s), WaitEnd::PortClosed);
    QCOMPARE(h.time.elapsed(), 50ms);
    QVERIFY(!h.port.isOpen());
    QVERIFY(!h.form->indicatorConnected());
    QCOMPARE(h.ui().Command10->palette().color(QPalette::Button),
             QApplication::palette().color(QPalette::Button));
    QCOMPARE(label14(h), QStringLiteral("Port COM1 perdu : périphérique retiré"));
    // What had arrived before the line went away is in the pane.
    QCOMPARE(h.form->text2(), QStringLiteral("Pr"));
    // The second report of the same loss finds the port closed: said once.
    h.ui().Label14->clear();
    QVERIFY(pauseIn(*h.form, 1s) == true); // nothing open to lose any more
    QVERIFY(label14(h).isEmpty());
    // A yielding pause under a loss ends at once and says so.
    h.form->Command10_MouseDown(MouseButton::Left);
    h.port.lose(200ms);
    const Millis start = h.time.elapsed();
    QVERIFY(!pauseIn(*h.form, 5s));
    QCOMPARE(h.time.elapsed() - start, 200ms);
}

void TestSerial::pauses()
{
    Harness h;
    h.form->Command10_MouseDown(MouseButton::Left);
    // The blocking pause receives nothing into the pane meanwhile.
    h.port.deliver("Pret");
    pauseBlockingIn(*h.form, 300ms);
    QCOMPARE(h.time.elapsed(), 300ms);
    QCOMPARE(h.time.blocks, 1);
    QVERIFY(h.form->text2().isEmpty());
    // The yielding pause lets the receive path run, and lasts its time.
    QVERIFY(pauseIn(*h.form, 500ms));
    QCOMPARE(h.time.elapsed(), 800ms);
    QCOMPARE(h.form->text2(), QStringLiteral("Pret"));
}

// --- Panes ----------------------------------------------------------------------------

void TestSerial::caretPosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("viewPosition");
    QTest::addColumn<QString>("tip");
    const QString twoLines = QStringLiteral("0123456789ab\r\ncd\r\nef");
    QTest::newRow("start") << twoLines << 0 << "0";
    QTest::newRow("after the tenth character") << twoLines << 10 << "10";
    QTest::newRow("end of first line") << twoLines << 12 << "12";
    QTest::newRow("start of second line") << twoLines << 13 << "14";
    QTest::newRow("third line") << twoLines << 17 << "19";
    QTest::newRow("end") << twoLines << 18 << "20";
    QTest::newRow("lone line feed") << QStringLiteral("ab\ncd") << 4 << "4";
    QTest::newRow("empty pane") << QString() << 0 << "0";
}

void TestSerial::caretPosition()
{
    QFETCH(QString, text);
    QFETCH(int, viewPosition);
    Harness h;
    h.ui().Text1->setText(text);
    QTextCursor c = h.ui().Text1->textCursor();
    c.setPosition(viewPosition);
    h.ui().Text1->setTextCursor(c);
    h.form->Text1_Click();
    QTEST(h.ui().Text1->toolTip(), "tip");
}

void TestSerial::doubleClickSavesAndOpens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty pane") << QString() << QByteArray("\r\n");
    QTest::newRow("list") << QStringLiteral("[1]\r\nnom=Hélène €")
                          << QByteArray("[1]\r\nnom=H\xe9l\xe8ne \x80\r\n");
}

void TestSerial::doubleClickSavesAndOpens()
{
    QFETCH(QString, text);
    Harness h;
    const QString before = label14(h);
    Harness::writeFile(h.path("temp.txt"), "an older and longer scratch file");
    h.ui().Text1->setText(text);
    h.form->Text1_DblClick();
    QTEST(Harness::readFile(h.path("temp.txt")), "file");
    QCOMPARE(h.shell.opened, QStringList{h.path("temp.txt")});
    QCOMPARE(label14(h), before);
}

void TestSerial::unwritableScratchFileOpensNothing()
{
    Harness h;
    h.ui().Text1->setText(QStringLiteral("liste"));
    // The program's directory has gone and a file stands in its place.
    const QString dir = h.dir.path();
    QVERIFY(h.dir.remove());
    Harness::writeFile(dir, "not a folder");
    h.form->Text1_DblClick();
    QVERIFY(h.shell.opened.isEmpty());
    QVERIFY2(label14(h).startsWith(QStringLiteral("Impossible d'écrire ")), qPrintable(label14(h)));
    QVERIFY(label14(h).contains(QStringLiteral("temp.txt")));
    QCOMPARE(h.ended, 0);
    QFile::remove(dir);
}

void TestSerial::receivePaneMouse()
{
    Harness h;
    QWidget *view = h.ui().Text2->viewport();
    h.ui().Text2->setText(QStringLiteral("0A1B2C.3D4E"));
    // Left and middle presses change nothing.
    QTest::mousePress(view, Qt::LeftButton);
    QTest::mouseRelease(view, Qt::LeftButton);
    h.form->Text2_MouseDown(MouseButton::Middle);
    QCOMPARE(h.form->text2(), QStringLiteral("0A1B2C.3D4E"));
    // A right press lays the dump out.
    QTest::mousePress(view, Qt::RightButton);
    QCOMPARE(h.form->text2(), QStringLiteral("0A 1B 2C \r\n3D 4E \r\n"));
    // Not idempotent: the blanks and line breaks are grouped as well.
    h.form->Text2_MouseDown(MouseButton::Right);
    QCOMPARE(h.form->text2(), QStringLiteral("0A  1 B  2C  \r \n3 D  4E  \r \n\r\n"));
    // Bytes of the whole code page go through unchanged.
    h.ui().Text2->setText(fromCp1252(QByteArray("\x80\x81\xff", 3)));
    h.form->Text2_MouseDown(MouseButton::Right);
    QCOMPARE(h.form->text2(), fromCp1252(QByteArray("\x80\x81 \xff\r\n", 6)));
    h.ui().Text2->setText(QString());
    h.form->Text2_MouseDown(MouseButton::Right);
    QCOMPARE(h.form->text2(), QStringLiteral("\r\n"));
    // A double click clears it.
    QTest::mouseDClick(view, Qt::LeftButton);
    QCOMPARE(h.form->text2(), QString());
}

void TestSerial::longLinesAndSplitLineBreaksInTheView()
{
    Harness h;
    Pane *pane = h.ui().Text1;
    // A line longer than the view's piece, appended in odd chunks, with a CR LF
    // split between two chunks: the text is kept exactly.
    const int n = Pane::kViewLineMax + 10;
    const QString line(n, QLatin1Char('A'));
    QString all;
    for (const QString &chunk :
         {line.left(1000), line.mid(1000) + QStringLiteral("\r"), QStringLiteral("\nB")}) {
        h.ui().Text1->append(chunk);
        all += chunk;
    }
    QCOMPARE(h.form->text1(), all);
    // The view shows the long line in two pieces and one line break for the CR LF.
    QCOMPARE(pane->document()->blockCount(), 3);
    QCOMPARE(pane->toPlainText(), line.left(Pane::kViewLineMax) + QLatin1Char('\n') +
                                      line.mid(Pane::kViewLineMax) + QStringLiteral("\nB"));
    // The caret after "B" stands after every character of the text.
    QTextCursor c = pane->textCursor();
    c.movePosition(QTextCursor::End);
    pane->setTextCursor(c);
    h.form->Text1_Click();
    QCOMPARE(pane->toolTip(), QString::number(all.size()));
    // Set at once, the view is the same.
    h.ui().Text1->setText(all);
    QCOMPARE(pane->document()->blockCount(), 3);
}

void TestSerial::typingChangesOnlyWhatWasTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("viewCaret");
    QTest::addColumn<int>("ctrl"); // a key pressed with Ctrl before the others
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    const int n = Pane::kViewLineMax;
    const QString a(n + 10, QLatin1Char('A'));
    const QString odd = QStringLiteral("a\rb\nc\u00a0");
    QTest::newRow("in a long line")
        << a + "\r\nB" << 5 << 0 << "x" << a.left(5) + "x" + a.mid(5) + "\r\nB" << 6;
    QTest::newRow("return in a long line")
        << a << 5 << 0 << "\r" << a.left(5) + "\r\n" + a.mid(5) << 7;
    QTest::newRow("end of a full view line")
        << a << n << 0 << "xy" << a.left(n) + "xy" + a.mid(n) << n + 2;
    QTest::newRow("a long line's break is no character") << a << n + 1 << 0 << "\b" << a << n;
    QTest::newRow("backspace over CR LF") << "ab\r\ncd" << 3 << 0 << "\b"
                                          << "abcd" << 2;
    QTest::newRow("lone CR, LF and no-break space stay") << odd << 2 << 0 << "\u00a0"
                                                         << "a\r\u00a0b\nc\u00a0" << 3;
    QTest::newRow("CR and LF brought together") << "a\rX\nb" << 3 << 0 << "\b"
                                                << "a\r\nb" << 3;
    QTest::newRow("pasted") << "ab" << 1 << int(Qt::Key_V) << ""
                            << "a1\r\n2\r\n3b" << 8;
    QTest::newRow("all replaced") << odd + a << 0 << int(Qt::Key_A) << "z\r"
                                  << "z\r\n"
                                  << 3;
}

void TestSerial::typingChangesOnlyWhatWasTyped()
{
    QFETCH(QString, text);
    QFETCH(int, viewCaret);
    QFETCH(int, ctrl);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    Harness h;
    Pane *pane = h.ui().Text1;
    h.ui().Text1->setText(text);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\r\n3"));
    QTextCursor c = pane->textCursor();
    c.setPosition(viewCaret);
    pane->setTextCursor(c);
    if (ctrl)
        QTest::keyClick(pane, Qt::Key(ctrl), Qt::ControlModifier);
    QTest::keyClicks(pane, keys);
    QCOMPARE(h.form->text1(), after);
    h.form->Text1_Click();
    QTEST(pane->toolTip().toInt(), "caret");
    // The view is the one of the text, and the receive path goes on after it.
    h.ui().Text1->append(QStringLiteral("Z"));
    Pane fresh;
    fresh.setText(after + "Z");
    QCOMPARE(pane->toPlainText(), fresh.toPlainText());
    // The scratch file holds the text as kept.
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton);
    QCOMPARE(Harness::readFile(h.path("temp.txt")), toCp1252Bytes(after + "Z\r\n"));
}

void TestSerial::editsInARow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<PaneEdits>("edits");
    QTest::addColumn<QString>("after");
    const QString lines = QStringLiteral("l1\r\nl2\r\nl3\r\n");
    const QString a(Pane::kViewLineMax + 1, QLatin1Char('A'));
    QTest::newRow("middle, then end")
        << lines << PaneEdits{{5, "x"}, {10, "yz"}} << "l1\r\nl2x\r\nl3\r\nyz";
    QTest::newRow("typed between a CR and the LF to come")
        << "ab\r" << PaneEdits{{3, "x"}} << "ab\rx";
    QTest::newRow("CR at the end taken back") << "ab\r" << PaneEdits{{3, "\b"}} << "ab";
    QTest::newRow("long line shortened, then end")
        << a + "\r\nB" << PaneEdits{{5, "\b\b"}, {2049, "z"}} << a.left(3) + a.mid(5) + "\r\nBz";
    QTest::newRow("long line grown, then end") << a + "\r\nB" << PaneEdits{{5, "xy"}, {2054, "\rz"}}
                                               << a.left(5) + "xy" + a.mid(5) + "\r\nB\r\nz";
    QTest::newRow("lines pasted, then end")
        << lines << PaneEdits{{1, "\x16"}, {14, "e"}} << "l1\r\n2\r\n31\r\nl2\r\nl3\r\ne";
    QTest::newRow("CR and LF joined, then end")
        << "a\rX\nb\r\nc" << PaneEdits{{3, "\b"}, {5, "d"}} << "a\r\nb\r\ncd";
}

// Edits one after the other keep the text, the view and the caret's place as
// if the text had been set at once, also for what arrives afterwards.
void TestSerial::editsInARow()
{
    QFETCH(QString, text);
    QFETCH(PaneEdits, edits);
    QFETCH(QString, after);
    Pane pane;
    pane.setText(text);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\r\n3"));
    for (const auto &[caret, keys] : edits) {
        QTextCursor c = pane.textCursor();
        c.setPosition(caret);
        pane.setTextCursor(c);
        for (const QChar k : keys) {
            if (k == u'\x16')
                QTest::keyClick(&pane, Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClicks(&pane, QString(k));
        }
    }
    QCOMPARE(pane.text(), after);
    for (const QString &more : {QString(), QStringLiteral("\nZ")}) {
        pane.append(more);
        Pane fresh;
        fresh.setText(after + more);
        QCOMPARE(pane.toPlainText(), fresh.toPlainText());
        for (int p = 0; p <= pane.document()->characterCount() - 1; ++p) {
            QTextCursor c = pane.textCursor();
            c.setPosition(p);
            pane.setTextCursor(c);
            fresh.setTextCursor(c);
            QCOMPARE(pane.caretPosition(), fresh.caretPosition());
        }
    }
}

void TestSerial::editsAnywhere_data()
{
    QTest::addColumn<int>("pasteEvery"); // a paste of 300 lines, beyond the room kept for new lines
    QTest::addColumn<int>("arriveEvery"); // a line from the board
    QTest::addColumn<int>("readEvery");   // the text read in one piece
    QTest::newRow("keys here and there") << 0 << 0 << 0;
    QTest::newRow("many lines pasted") << 40 << 0 << 0;
    QTest::newRow("lines arriving between keys") << 0 << 3 << 0;
    QTest::newRow("text read between keys") << 0 << 0 << 2;
    QTest::newRow("all at once") << 25 << 4 << 7;
}

// Keys, line breaks, erasures and pastes at random places of a text of CR LF
// lines, one after another: its view stays the text with each CR LF a line
// break, and the caret's place counts each line break as two characters.
void TestSerial::editsAnywhere()
{
    QFETCH(int, pasteEvery);
    QFETCH(int, arriveEvery);
    QFETCH(int, readEvery);
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("ligne %1\r\n").arg(i);
    QStringList pasted;
    for (int i = 0; i < 300; ++i)
        pasted << QStringLiteral("collé %1").arg(i, 12, 10, QLatin1Char('0'));
    QGuiApplication::clipboard()->setText(pasted.join(QLatin1Char('\n')));
    Pane pane;
    pane.setText(text);
    std::mt19937 random(7);
    const Qt::Key keys[] = {Qt::Key_A, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete};
    for (int step = 1; step <= 600; ++step) {
        const int end = pane.document()->characterCount() - 1;
        QTextCursor c = pane.textCursor();
        c.setPosition(int(random() % std::uint32_t(end + 1)));
        pane.setTextCursor(c);
        if (pasteEvery && step % pasteEvery == 0)
            QTest::keyClick(&pane, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(&pane, keys[random() % 4]);
        if (arriveEvery && step % arriveEvery == 0)
            pane.append(QStringLiteral("reçu %1\r\n").arg(step));
        if (readEvery && step % readEvery == 0)
            (void)pane.text();
        const int caret = pane.textCursor().position();
        QCOMPARE(pane.caretPosition(), caret + pane.textCursor().blockNumber());
        if (step % 100 == 0) {
            QCOMPARE(pane.text(), pane.toPlainText().replace(QLatin1Char('\n'), "\r\n"));
            Pane fresh;
            fresh.setText(pane.text());
            QCOMPARE(fresh.toPlainText(), pane.toPlainText());
        }
    }
}

QTEST_MAIN(TestSerial)
#include "tst_serial.moc"
