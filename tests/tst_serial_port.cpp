// The real serial port and event loop: QSerialPort against a pseudo-terminal
// whose master side plays the board, and the Qt event pump the waits sleep in.

#include "app/form2.h"
#include "serial/pane.h"
#include "platform/qt_platform.h"
#include "platform/text.h"
#include "support/controls.h"
#include "support/fakes.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

// Processor time of this process so far (user and system).
Millis cpuTime()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto us = [](const timeval &t) { return std::int64_t(t.tv_sec) * 1'000'000 + t.tv_usec; };
    return Millis((us(u.ru_utime) + us(u.ru_stime)) / 1000);
}

// The board's end of the line: the master side of a pseudo-terminal.
class Peer {
public:
    Peer()
    {
        int slave = -1;
        char name[256] = {};
        if (openpty(&m_master, &slave, name, nullptr, nullptr) != 0)
            return;
        ::close(slave); // the program opens the slave by its name
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        device = QString::fromLocal8Bit(name);
    }
    ~Peer() { hangUp(); }

    bool ok() const { return m_master >= 0; }
    void send(const QByteArray &bytes)
    {
        QByteArray rest = bytes;
        while (!rest.isEmpty()) {
            const ssize_t n = ::write(m_master, rest.constData(), size_t(rest.size()));
            if (n > 0)
                rest.remove(0, n);
            else if (n < 0 && errno != EAGAIN)
                return;
            else
                QTest::qWait(1); // the line is full: the program reads on
        }
    }
    // Sends `bytes` at full speed as the line takes them, from the event loop.
    void stream(QByteArray bytes)
    {
        m_pending = std::move(bytes);
        m_writer = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
        QObject::connect(m_writer.get(), &QSocketNotifier::activated, [this] {
            const ssize_t n = ::write(m_master, m_pending.constData(),
                                      size_t(std::min<qsizetype>(m_pending.size(), 4096)));
            if (n > 0)
                m_pending.remove(0, n);
            if (m_pending.isEmpty())
                m_writer->setEnabled(false);
        });
    }
    bool streamed() const { return m_pending.isEmpty(); }
    QByteArray received()
    {
        QByteArray all;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            all.append(buf, n);
        }
        return all;
    }
    // The adapter is pulled out: the terminal hangs up.
    void hangUp()
    {
        m_writer.reset();
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    QString device;

private:
    int m_master = -1;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_writer;
};

// Links "COM3" in a program directory to the pseudo-terminal, as an operator would.
bool linkCom(const QTemporaryDir &dir, int n, const QString &device)
{
    return QFile::link(device, dir.filePath(QStringLiteral("COM%1").arg(n)));
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void deviceOfEachPortNumber();
    void openSendReceive();
    void bytesFromBeforeTheOpenAreDropped();
    void refusedDtrIsNoError();
    void portHeldElsewhereIsInUse();
    void absentDevice();
    void hangUpIsReportedOnceAndClosesTheWindowPort();
    void burstsReachThePaneWholeAndInOrder();
    void rightPressEndsARunningWait();
    void megabyteAtFullSpeedLosesNothing();
    void hangUpUnderAWaitEndsItAndClosesThePort();
    void pumpSleepsUntilItsDeadline();
    void pumpWakesOnTimerAndOnSerialData();
    void pumpDoesNotSpinWithADeferredDeletePending();
};

void TestSerialPort::deviceOfEachPortNumber()
{
    QTemporaryDir dir;
    QtSerialPort port(dir.path());
    QCOMPARE(port.deviceName(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(port.deviceName(10), QStringLiteral("/dev/ttyS9"));
    Peer peer;
    QVERIFY(peer.ok());
    QVERIFY(linkCom(dir, 3, peer.device));
    // The link names the device itself, so every name of one device shares its lock.
    QCOMPARE(port.deviceName(3), peer.device);
    QCOMPARE(port.deviceName(4), QStringLiteral("/dev/ttyS3"));
    // A dangling link is shown as it is and fails as an absent port.
    QVERIFY(QFile::link(QStringLiteral("/dev/nonexistent-adapter"), dir.filePath("COM5")));
    QCOMPARE(port.deviceName(5), dir.filePath("COM5"));
    QCOMPARE(port.open(5), OpenResult::Absent);
    QVERIFY(!port.isOpen());
}

void TestSerialPort::openSendReceive()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(peer.ok());
    QVERIFY(linkCom(dir, 3, peer.device));
    QtSerialPort port(dir.path());
    int notifications = 0;
    port.onReadyRead = [&] { ++notifications; };
    QCOMPARE(port.open(3), OpenResult::Opened);
    QVERIFY(port.isOpen());

    // Every byte value leaves as it is: no line-end translation, no terminator.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QVERIFY(port.write("param"));
    QVERIFY(port.write(all));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += peer.received()).size() >= 5 + 256, 5000);
    QCOMPARE(got, QByteArray("param") + all);

    peer.send(QByteArray("Pret\r\n\x00\xff", 8));
    QTRY_VERIFY_WITH_TIMEOUT(notifications > 0, 5000);
    QByteArray in;
    QTRY_VERIFY_WITH_TIMEOUT((in += port.readAll()).size() >= 8, 5000);
    QCOMPARE(in, QByteArray("Pret\r\n\x00\xff", 8));

    port.close();
    QVERIFY(!port.isOpen());
    QVERIFY(!port.write("x"));
    QVERIFY(port.readAll().isEmpty());
}

void TestSerialPort::bytesFromBeforeTheOpenAreDropped()
{
    // The board spoke while the port was closed: those bytes wait in the
    // terminal, and the open drops them.
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(peer.ok());
    QVERIFY(linkCom(dir, 3, peer.device));
    QtSerialPort port(dir.path());
    QCOMPARE(port.open(3), OpenResult::Opened);
    port.close();
    peer.send("Pret");
    QTest::qWait(100);
    QCOMPARE(port.open(3), OpenResult::Opened);
    peer.send("vidage");
    QByteArray in;
    QTRY_VERIFY_WITH_TIMEOUT((in += port.readAll()).size() >= 6, 5000);
    QTest::qWait(100);
    QCOMPARE(in + port.readAll(), QByteArray("vidage"));
}

void TestSerialPort::refusedDtrIsNoError()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    QtSerialPort port(dir.path());
    int lost = 0;
    port.onLost = [&](const QString &) { ++lost; };
    QCOMPARE(port.open(3), OpenResult::Opened);
    // A pseudo-terminal has no DTR line: the port refuses, and is used all the same.
    port.setDtr(false);
    port.setDtr(true);
    QVERIFY(port.isOpen());
    QVERIFY(port.errorText().isEmpty());
    QVERIFY(port.write("HD"));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += peer.received()).size() >= 2, 5000);
    QCOMPARE(got, QByteArray("HD"));
    QCOMPARE(lost, 0);
}

void TestSerialPort::portHeldElsewhereIsInUse()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    QtSerialPort first(dir.path());
    QCOMPARE(first.open(3), OpenResult::Opened);

    // Another program holding the port: this one through its link...
    QtSerialPort second(dir.path());
    QCOMPARE(second.open(3), OpenResult::InUse);
    QVERIFY(!second.isOpen());
    // ...and a plain serial program by the device's own name.
    QSerialPort other(peer.device);
    QVERIFY(!other.open(QIODevice::ReadWrite));

    // The holder lets it go: the port can be had again.
    first.close();
    QCOMPARE(second.open(3), OpenResult::Opened);
}

void TestSerialPort::absentDevice()
{
    QTemporaryDir dir;
    QtSerialPort port(dir.path());
    QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB-not-here"), dir.filePath("COM1")));
    QCOMPARE(port.open(1), OpenResult::Absent);
    QVERIFY(!port.isOpen());
    QVERIFY(!port.errorText().isEmpty());
}

void TestSerialPort::hangUpIsReportedOnceAndClosesTheWindowPort()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    QtSerialPort port(dir.path());
    int lost = 0;
    QString why;
    port.onLost = [&](const QString &w) {
        ++lost;
        why = w;
        port.close(); // as the window does
    };
    QCOMPARE(port.open(3), OpenResult::Opened);
    peer.send("last words");
    QTest::qWait(20);
    const Millis cpuBefore = cpuTime();
    peer.hangUp();
    QTRY_COMPARE_WITH_TIMEOUT(lost, 1, 5000);
    QVERIFY(!why.isEmpty());
    QVERIFY(!port.isOpen());
    QTest::qWait(1000);
    QCOMPARE(lost, 1);
    // A hung-up line that kept waking the loop would burn that second; the
    // limit leaves room for a loaded machine.
    QVERIFY2(cpuTime() - cpuBefore < 400ms, "the hung-up line keeps the loop busy");
}

namespace {

// The window on the real port, clock and event loop; dialogs and shell are doubles.
struct RealWindow {
    explicit RealWindow(const QString &dir) : services(dir)
    {
        Platform p = services.platform();
        p.dialogs = &dialogs;
        p.shell = &shell;
        form = std::make_unique<Form2>(p);
        form->setEndProgram([] {});
        form->Form_Load();
        controls(*form).Combo1->setCurrentIndex(2); // COM3
    }
    QtPlatform services;
    testing::FakeDialogs dialogs;
    testing::FakeShell shell;
    std::unique_ptr<Form2> form;
};

} // namespace

void TestSerialPort::burstsReachThePaneWholeAndInOrder()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    RealWindow w(dir.path());
    w.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(w.services.serial.isOpen());
    QVERIFY(w.form->indicatorConnected());

    QByteArray expected;
    for (int i = 0; i < 20; ++i) {
        const QByteArray burst = "badge" + QByteArray::number(i) + "\r\n";
        expected += burst;
        QTimer::singleShot(int(i * 15), [&peer, burst] { peer.send(burst); });
    }
    const WaitEnd end = waitIn(
        *w.form, [&](const QString &pane) { return pane.size() >= expected.size(); }, 2000ms);
    QCOMPARE(end, WaitEnd::Matched);
    QCOMPARE(w.form->text2(), QString::fromLatin1(expected));
}

void TestSerialPort::rightPressEndsARunningWait()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    RealWindow w(dir.path());
    w.form->Command10_MouseDown(MouseButton::Left);
    QTimer::singleShot(50,
                       [&] { QTest::mousePress(controls(*w.form).Command10, Qt::RightButton); });
    QElapsedTimer t;
    t.start();
    const WaitEnd end = waitStartIn(*w.form, QStringLiteral("Pret"), 10'000ms);
    QCOMPARE(end, WaitEnd::PortClosed);
    QVERIFY2(t.elapsed() < 5000, "the wait ran on after the port was closed");
    QVERIFY(!w.services.serial.isOpen());
    QVERIFY(!w.form->indicatorConnected());
}

void TestSerialPort::megabyteAtFullSpeedLosesNothing()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    RealWindow w(dir.path());
    w.form->Command10_MouseDown(MouseButton::Left);
    // A dump: lines of hexadecimal pairs, every byte value of the code page in between.
    QByteArray dump;
    for (int line = 0; dump.size() < 1'000'000; ++line) {
        dump += QByteArray::number(line, 16).rightJustified(6, '0') + ' ';
        for (int b = 0; b < 32; ++b)
            dump += char((line * 32 + b) & 0xff);
        dump += "\r\n";
    }
    peer.stream(dump);
    const WaitEnd end = waitIn(
        *w.form, [&](const QString &pane) { return pane.size() >= dump.size(); }, 20'000ms);
    QCOMPARE(end, WaitEnd::Matched);
    QVERIFY(peer.streamed());
    QCOMPARE(w.form->text2().size(), dump.size());
    QVERIFY(w.form->text2() == fromCp1252(dump));
}

void TestSerialPort::hangUpUnderAWaitEndsItAndClosesThePort()
{
    QTemporaryDir dir;
    Peer peer;
    QVERIFY(linkCom(dir, 3, peer.device));
    RealWindow w(dir.path());
    w.form->Command10_MouseDown(MouseButton::Left);
    QTimer::singleShot(50, [&] { peer.hangUp(); });
    QElapsedTimer t;
    t.start();
    const WaitEnd end = waitStartIn(*w.form, QStringLiteral("Pret"), 10'000ms);
    QCOMPARE(end, WaitEnd::PortClosed);
    QVERIFY2(t.elapsed() < 5000, "the wait ran on after the line was lost");
    QVERIFY(!w.services.serial.isOpen());
    QVERIFY(!w.form->indicatorConnected());
    QVERIFY2(controls(*w.form).Label14->text().startsWith(QStringLiteral("Port COM3 perdu")),
             qPrintable(controls(*w.form).Label14->text()));
    // The next press opens nothing that is not there.
    w.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(!w.services.serial.isOpen());
    QVERIFY(!w.form->indicatorConnected());
    QVERIFY(
        controls(*w.form).Label14->text().startsWith(QStringLiteral("Port COM3 indisponible : ")));
}

void TestSerialPort::pumpSleepsUntilItsDeadline()
{
    QtClock clock;
    QtEventPump pump(clock);
    const Millis start = clock.elapsed();
    const Millis cpuBefore = cpuTime();
    // The caller loops until its deadline, as the reply wait does.
    while (clock.elapsed() < start + 1000ms)
        pump.waitUntil(start + 1000ms);
    const Millis took = clock.elapsed() - start;
    // Never early; late only by what a loaded machine adds.
    QVERIFY2(took >= 1000ms && took < 5000ms, qPrintable(QString::number(took.count())));
    // Loose: a spinning wait would burn about a second.
    QVERIFY2(cpuTime() - cpuBefore < 250ms,
             qPrintable(QString::number((cpuTime() - cpuBefore).count())));
}

void TestSerialPort::pumpWakesOnTimerAndOnSerialData()
{
    QtClock clock;
    QtEventPump pump(clock);
    {
        // A receive tick due in 50 ms wakes a wait whose deadline is far away.
        auto timer = makeQtTimer();
        bool ticked = false;
        timer->onTimeout = [&] {
            ticked = true;
            timer->stop();
        };
        timer->start(50ms);
        const Millis start = clock.elapsed();
        while (!ticked && clock.elapsed() < start + 5000ms)
            pump.waitUntil(start + 5000ms);
        QVERIFY(ticked);
        QVERIFY2(clock.elapsed() - start < 2500ms, "the tick did not wake the wait");
    }
    {
        // Bytes arriving on the line wake it as well.
        QTemporaryDir dir;
        Peer peer;
        QVERIFY(linkCom(dir, 3, peer.device));
        QtSerialPort port(dir.path());
        bool notified = false;
        port.onReadyRead = [&] { notified = true; };
        QCOMPARE(port.open(3), OpenResult::Opened);
        QTimer::singleShot(50, [&] { peer.send("Mise"); });
        const Millis start = clock.elapsed();
        while (!notified && clock.elapsed() < start + 5000ms)
            pump.waitUntil(start + 5000ms);
        QVERIFY(notified);
        QVERIFY2(clock.elapsed() - start < 2500ms, "the received bytes did not wake the wait");
        QCOMPARE(port.readAll(), QByteArray("Mise"));
    }
}

void TestSerialPort::pumpDoesNotSpinWithADeferredDeletePending()
{
    // A handler running inside the application's loop waits; meanwhile an
    // object is deleted later (as dialogs and tool tips do), which cannot
    // happen before the handler returns.
    QtClock clock;
    QtEventPump pump(clock);
    Millis spent{-1};
    QEventLoop outer;
    QTimer::singleShot(0, [&] {
        auto *doomed = new QObject;
        doomed->deleteLater();
        const Millis start = clock.elapsed();
        const Millis cpuBefore = cpuTime();
        while (clock.elapsed() < start + 1000ms)
            pump.waitUntil(start + 1000ms);
        spent = cpuTime() - cpuBefore;
        outer.quit();
    });
    outer.exec();
    // A spinning wait would burn about a second.
    QVERIFY2(spent >= 0ms && spent < 250ms, qPrintable(QString::number(spent.count())));
}

QTEST_MAIN(TestSerialPort)
#include "tst_serial_port.moc"
