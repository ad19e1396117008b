// The board simulator, driven as the program drives the board: its terminal
// opened from this side in raw mode, its commands written on its standard
// input, its report read from its standard output. Waits are short and
// bounded; nothing here sleeps for the board's own time limits except the
// one check of a block cut short (the board's quiet line, made 1 s). The
// board is strict about time: each answer leaves the pause the program leaves.

#include "support/sim_process.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

using platine::testing::SimProcess;

// The folder of the simulator's link, made before the simulator starts.
struct LinkDir {
    QTemporaryDir dir;
    QString link() const { return dir.path() + "/COM1"; }
};

class Sim : private LinkDir, public SimProcess {
public:
    explicit Sim(const QStringList &extra = {})
        : SimProcess(link(), QStringList{"--strict"} + extra)
    {
        if (!ready())
            return;
        m_fd = ::open(link().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0) {
            termios tio{};
            tcgetattr(m_fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Sim()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return ready() && m_fd >= 0; }
    using LinkDir::link;
    int fd() const { return m_fd; }

    // Every report line so far, after a short wait for late ones; the lines
    // count as taken.
    QByteArray report()
    {
        waitLine("\x01", 100);
        return SimProcess::report();
    }

    // What the board sent, read until `until` is in it or `ms` passed.
    QByteArray readLine(const QByteArray &until, int ms = 2000)
    {
        QElapsedTimer timer;
        timer.start();
        QByteArray got;
        while (!got.contains(until) || until.isEmpty()) {
            const qint64 left = ms - timer.elapsed();
            if (left <= 0)
                break;
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, int(left)) <= 0)
                break;
            char buf[4096];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, n);
        }
        return got;
    }
    bool write(const QByteArray &bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Answers a keyword just read as the program does: it sees the keyword
    // at its receive step, 100 ms after it came, then leaves its pause
    // (200 ms in the upload, 500 ms in the history and the clock, none
    // before a table).
    bool answer(const QByteArray &bytes, int pauseMs) { return follow(bytes, 100 + pauseMs); }
    // The program's next word, `ms` after its last ("heure" after "horaire").
    bool follow(const QByteArray &bytes, int ms)
    {
        ::poll(nullptr, 0, ms);
        return write(bytes);
    }

private:
    int m_fd = -1;
};

QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

QByteArray table(char first)
{
    return QByteArray(1, first) + zeros(99);
}

} // namespace

class TstSim : public QObject {
    Q_OBJECT
private slots:
    // The one-record list of the upload example, byte for byte as the
    // program sends it, and the list the board then holds.
    void uploadExample()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer(QByteArray("param\x0a\x01\x01", 8), 200));
        QCOMPARE(sim.waitLine("STORED param"),
                 QByteArray("STORED param delay=10 blocks=1 buzzer=1"));
        QCOMPARE(sim.readLine("badge"), QByteArray("badge"));
        QVERIFY(sim.answer(QByteArray("\x01\x23\x45\x67\x89", 5) + zeros(245), 200));
        const QList<QPair<QByteArray, char>> tables = {
            {"HD", 0x07}, {"MD", 0x30},   {"HF", 0x17},    {"MF", 0x30},
            {"jour", 0},  {"lieu", 0x10}, {"jour_mois", 0}};
        for (const auto &[keyword, first] : tables) {
            QCOMPARE(sim.readLine(keyword), keyword);
            QVERIFY(sim.answer(keyword + table(first), 0));
        }
        QCOMPARE(
            sim.waitLine("SLOT"),
            QByteArray("SLOT 0 badge=0123456789 debut=07:30 fin=17:30 jour=0 lieu=10 jour_mois=0"));
        QCOMPARE(sim.waitLine("UPLOAD COMPLETE"), QByteArray("UPLOAD COMPLETE blocks=1 slots=1"));
        QVERIFY(!sim.report().contains("VIOLATION"));
        // The board says nothing more once the list is stored.
        QCOMPARE(sim.readLine("", 200), QByteArray());
    }

    // Blocks 2 to n are asked for with their number.
    void uploadBlockPrompts_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::newRow("2 blocks") << 2;
        QTest::newRow("4 blocks") << 4;
    }
    void uploadBlockPrompts()
    {
        QFETCH(int, blocks);
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer(QByteArray("param") + char(5) + char(blocks) + char(0), 200));
        QCOMPARE(sim.readLine("badge"), QByteArray("badge"));
        for (int k = 1; k <= blocks; ++k) {
            QByteArray block = zeros(250);
            block[0] = char(k); // first badge byte of the block's first record
            QVERIFY(sim.answer(block, 200));
            const QByteArray next = k < blocks ? "badge" + QByteArray::number(k + 1) : "HD";
            QCOMPARE(sim.readLine(next), next);
        }
        for (const char *kw : {"HD", "MD", "HF", "MF", "jour", "lieu", "jour_mois"}) {
            if (QByteArray(kw) != "HD")
                QCOMPARE(sim.readLine(kw), QByteArray(kw));
            QVERIFY(sim.answer(QByteArray(kw) + zeros(100), 0));
        }
        QCOMPARE(sim.waitLine("UPLOAD COMPLETE"),
                 "UPLOAD COMPLETE blocks=" + QByteArray::number(blocks) + " slots=2");
        // Blocks 1 and 2 begin at records 0 and 50; the list holds 100 records.
        QByteArrayList stored;
        for (const QByteArray &line : sim.report().split('\n'))
            if (line.startsWith("SLOT "))
                stored << line;
        QCOMPARE(stored,
                 (QByteArrayList{
                     "SLOT 0 badge=0100000000 debut=00:00 fin=00:00 jour=0 lieu=0 jour_mois=0",
                     "SLOT 50 badge=0200000000 debut=00:00 fin=00:00 jour=0 lieu=0 jour_mois=0"}));
        QVERIFY(!sim.report().contains("VIOLATION"));
    }

    void clockSetting()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("announce clock");
        QCOMPARE(sim.readLine("jour"), QByteArray("Mise a jour"));
        QVERIFY(sim.answer("horaire", 500));
        QVERIFY(sim.follow(QByteArray("heure\x17\x05\x09\x06\x12\x26\x01", 12), 500));
        QCOMPARE(sim.readLine("\r\n"),
                 QByteArray("Modification enregistree 17:05:09 06/12/26\r\n"));
        QCOMPARE(sim.waitLine("CLOCK SET"), QByteArray("CLOCK SET 17:05:09 06/12/26 weekday=1"));
    }

    // A clock byte that is not packed decimal is refused, not stored.
    void clockBadByte()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("announce clock");
        QVERIFY(sim.readLine("Mise").startsWith("Mise"));
        QVERIFY(sim.answer("horaire", 500));
        QVERIFY(sim.follow(QByteArray("heure\x17\x65\x09\x06\x12\x26\x01", 12), 500));
        QVERIFY(sim.waitLine("VIOLATION").contains("minute"));
        QCOMPARE(sim.readLine("Modification", 300), QByteArray());
    }

    void historyThreePassages()
    {
        Sim sim({"--passages", "3"});
        QVERIFY(sim.ok());
        sim.command("push bp3");
        QCOMPARE(sim.readLine("externe"), QByteArray("Vidage EEPROM externe"));
        QVERIFY(sim.answer("vidage", 500));
        const QByteArray log = sim.readLine("Historique");
        QVERIFY(log.endsWith("Historique"));
        const QList<QByteArray> lines = log.split('\n');
        int passages = 0;
        for (QByteArray line : lines) {
            if (!line.contains('*'))
                continue;
            ++passages;
            QVERIFY(line.endsWith('\r'));
            // Badge, hour, minute and place where the history table cuts them.
            QCOMPARE(line.mid(0, 10).size(), 10);
            QCOMPARE(line.at(17), ':');
            bool ok = false;
            QVERIFY(line.mid(15, 2).toInt(&ok) < 24 && ok);
            QVERIFY(line.mid(18, 2).toInt(&ok) < 60 && ok);
            QVERIFY(line.mid(29, 3).trimmed().toInt(&ok) >= 0 && ok);
        }
        QCOMPARE(passages, 3);
        QCOMPARE(sim.waitLine("HISTORY SENT"), QByteArray("HISTORY SENT 3 passages"));
    }

    void passageLoggedNow()
    {
        Sim sim({"--passages", "0"});
        QVERIFY(sim.ok());
        sim.command("passage 00000ABCDE 7");
        QVERIFY(sim.waitLine("PASSAGE").startsWith("PASSAGE 00000ABCDE"));
        sim.command("push bp3");
        QVERIFY(sim.readLine("externe").endsWith("externe"));
        QVERIFY(sim.answer("vidage", 500));
        const QByteArray log = sim.readLine("Historique");
        QCOMPARE(log.count('*'), 1);
        QVERIFY(log.startsWith("00000ABCDE"));
    }

    void badgePresentation()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("present 0123456789");
        QCOMPARE(sim.readLine("\n"), QByteArray("tag: 0123456789\r\n"));
    }

    void maintenanceEeprom()
    {
        Sim sim;
        QVERIFY(sim.ok());
        QVERIFY(sim.write("eeprom"));
        const QByteArray dump =
            sim.readLine("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n"
                         "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF .\r\n");
        QCOMPARE(dump.count(".\r\n"), 16);
        QCOMPARE(dump.size(), 16 * (16 * 3 + 3));
        QVERIFY(sim.waitLine("DUMP eeprom").size() > 0);
    }

    // "raz_flash" 0 0 empties the log only; 1 1 empties the list too.
    void maintenanceErase_data()
    {
        QTest::addColumn<QByteArray>("selector");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("history") << QByteArray("\0\0", 2) << QByteArray("RAZ flash history erased");
        QTest::newRow("everything")
            << QByteArray("\1\1", 2) << QByteArray("RAZ flash everything erased");
    }
    void maintenanceErase()
    {
        QFETCH(QByteArray, selector);
        QFETCH(QByteArray, said);
        Sim sim({"--passages", "5"});
        QVERIFY(sim.ok());
        QVERIFY(sim.write("raz_flash" + selector));
        QCOMPARE(sim.waitLine("RAZ"), said);
        QVERIFY(sim.write("vidage")); // outside a download: the external memory dump
        QCOMPARE(sim.waitLine("DUMP vidage"), QByteArray("DUMP vidage 0 bytes"));
        sim.command("dump");
        QCOMPARE(sim.waitLine("PASSAGES"), QByteArray("PASSAGES 0"));
        QVERIFY(!sim.report().contains("VIOLATION"));
    }

    // A download sends the passages after the offset; "raz_offset" rewinds it.
    void downloadOffset()
    {
        Sim sim({"--passages", "2"});
        QVERIFY(sim.ok());
        for (int run = 0; run < 2; ++run) {
            sim.command("push bp3");
            QVERIFY(sim.readLine("externe").endsWith("externe"));
            QVERIFY(sim.answer("vidage", 500));
            QCOMPARE(sim.readLine("Historique").count('*'), run == 0 ? 2 : 0);
        }
        QVERIFY(sim.write("raz_offset"));
        QVERIFY(!sim.waitLine("RAZ offset").isEmpty());
        sim.command("push bp3");
        QVERIFY(sim.readLine("externe").endsWith("externe"));
        QVERIFY(sim.answer("vidage", 500));
        QCOMPARE(sim.readLine("Historique").count('*'), 2);
    }

    // --- Faults ------------------------------------------------------------------

    void silent()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("silent on");
        sim.command("push bp1");
        QVERIFY(!sim.waitLine("SILENT").isEmpty());
        QCOMPARE(sim.readLine("", 300), QByteArray());
        sim.command("silent off");
        sim.command("present 0123456789");
        QCOMPARE(sim.readLine("\n"), QByteArray("tag: 0123456789\r\n"));
    }

    void delayedAnswer()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("delay 0.5");
        QElapsedTimer timer;
        timer.start();
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret", 3000), QByteArray("Pret"));
        QVERIFY2(timer.elapsed() >= 400, qPrintable(QString::number(timer.elapsed())));
    }

    void garbageBeforeKeyword()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("garbage on");
        sim.command("push bp1");
        const QByteArray got = sim.readLine("Pret");
        QCOMPARE(got.size(), 5);
        QVERIFY(got.endsWith("Pret") && !got.startsWith("Pret"));
    }

    void splitMarker()
    {
        // The gap made wide: a test slowed down by a loaded machine still
        // reads the first burst well before the second leaves.
        Sim sim({"--passages", "1", "--split-gap", "2"});
        QVERIFY(sim.ok());
        sim.command("split on");
        sim.command("push bp3");
        // The announcement is split too: its second half is 2 s behind.
        QVERIFY(sim.readLine("externe", 5000).endsWith("externe"));
        QVERIFY(sim.answer("vidage", 500));
        const QByteArray first = sim.readLine("Histo");
        QVERIFY(first.endsWith("Histo"));
        QCOMPARE(sim.readLine("rique", 500), QByteArray()); // the second burst is 2 s behind
        QCOMPARE(sim.readLine("rique", 5000), QByteArray("rique"));
    }

    void wirePacing()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("wire on");
        QVERIFY(!sim.waitLine("OK wire on").isEmpty());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(sim.write("eeprom"));
        // 816 characters at 9600 baud take about 850 ms.
        QByteArray all;
        while (all.count(".\r\n") < 16 && timer.elapsed() < 5000)
            all += sim.readLine(".\r\n", 500);
        QCOMPARE(all.count(".\r\n"), 16);
        QVERIFY2(timer.elapsed() >= 700, qPrintable(QString::number(timer.elapsed())));
    }

    // The faults given a step: a keyword spoilt in its middle or split,
    // silence after a number of outputs, a flood of noise at line speed, a
    // hang-up once a number of bytes came from the program.
    void faultsAtAStep()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("garbage inside");
        sim.command("split on");
        sim.command("silent after 2"); // the two halves of "Pr#et"
        sim.command("push bp1");
        const QByteArray first = sim.readLine("Pr", 1000);
        QCOMPARE(first, QByteArray("Pr"));
        QCOMPARE(first + sim.readLine("et", 1000), QByteArray("Pr#et"));
        sim.command("present 0123456789"); // the third output: dropped
        QVERIFY(!sim.waitLine("SILENT dropped").isEmpty());
        sim.command("silent off");
        QElapsedTimer timer;
        timer.start();
        sim.command("noise 500");
        QByteArray noise;
        while (noise.size() < 500 && timer.elapsed() < 3000)
            noise += sim.readLine({}, 100);
        QCOMPARE(noise.size(), 500);
        QVERIFY2(timer.elapsed() >= 450, qPrintable(QString::number(timer.elapsed())));
        sim.command("hangup after 3");
        QVERIFY(!sim.waitLine("OK hangup after 3").isEmpty());
        QVERIFY(sim.write("ee"));
        QVERIFY(sim.waitLine("HANGUP", 300).isEmpty());
        QVERIFY(sim.write("prom"));
        QCOMPARE(sim.waitLine("HANGUP"), QByteArray("HANGUP after 3 bytes"));
        QVERIFY(sim.process().waitForFinished(2000));
    }

    // The board stops reading half way through the block and asks for nothing more.
    void cutBlock()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("cut on");
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer(QByteArray("param\x0a\x01\x01", 8), 200));
        QCOMPARE(sim.readLine("badge"), QByteArray("badge"));
        QVERIFY(sim.answer(zeros(250), 200));
        QVERIFY(sim.waitLine("CUT").contains("125 bytes of 250 bytes of block 1"));
        QCOMPARE(sim.readLine("HD", 300), QByteArray());
    }

    // --- Conformance checker ------------------------------------------------------

    // An upload sent without its pauses, or without awaiting the keywords,
    // is refused at the first item that came too soon.
    void uploadTooSoon_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("pauses");
        QTest::addColumn<QByteArray>("violation");
        QTest::newRow("no pause") << "--strict" << false
                                  << QByteArray("VIOLATION offset=0 expected \"param\" and 3 "
                                                "bytes at least 250 ms (100 ms receive step, 200 "
                                                "ms pause, 50 ms short allowed) after \"Pret\" "
                                                "got 0x70 'p' ");
        QTest::newRow("tables streamed")
            << "--strict" << true
            << QByteArray("VIOLATION offset=258 expected \"HD\" and 100 bytes at least 50 ms "
                          "(100 ms receive step, no pause, 50 ms short allowed) after \"HD\" got "
                          "0x48 'H' before \"HD\" had left");
        QTest::newRow("lenient") << "--lenient" << false << QByteArray();
    }
    void uploadTooSoon()
    {
        QFETCH(QString, mode);
        QFETCH(bool, pauses);
        QFETCH(QByteArray, violation);
        Sim sim({mode});
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QByteArray rest;
        if (pauses) {
            QVERIFY(sim.answer(QByteArray("param\x0a\x01\x01", 8), 200));
            QCOMPARE(sim.readLine("badge"), QByteArray("badge"));
        } else {
            rest = QByteArray("param\x0a\x01\x01", 8);
        }
        rest += zeros(250);
        for (const char *kw : {"HD", "MD", "HF", "MF", "jour", "lieu", "jour_mois"})
            rest += kw + zeros(100);
        QVERIFY(sim.answer(rest, pauses ? 200 : 0));
        if (violation.isEmpty()) {
            QVERIFY(!sim.waitLine("UPLOAD COMPLETE").isEmpty());
            QVERIFY(!sim.report().contains("VIOLATION"));
        } else {
            const QByteArray v = sim.waitLine("VIOLATION");
            QVERIFY2(v.startsWith(violation), v.constData());
            QVERIFY(!sim.report().contains("UPLOAD COMPLETE"));
        }
    }

    // The pause is counted from the keyword's last byte on the line: the
    // receive step (100 ms) plus the pause, 50 ms short allowed. A program
    // that left 60 ms where it owes 200 ms (or 500 ms) is caught, although
    // its receive step alone brings it past the pause.
    void pauseCountedFromKeyword_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("pause");
        QTest::addColumn<QByteArray>("outcome"); // a report line it begins
        const QByteArray param("param\x0a\x01\x01", 8);
        QTest::newRow("param after 60 ms")
            << QByteArray("push bp1") << QByteArray("Pret") << param << 60
            << QByteArray("VIOLATION offset=0 expected \"param\" and 3 bytes at least 250 ms");
        QTest::newRow("param after 200 ms") << QByteArray("push bp1") << QByteArray("Pret") << param
                                            << 200 << QByteArray("STORED param");
        QTest::newRow("vidage after 60 ms")
            << QByteArray("push bp3") << QByteArray("externe") << QByteArray("vidage") << 60
            << QByteArray("VIOLATION offset=0 expected \"vidage\" at least 550 ms");
        QTest::newRow("vidage after 500 ms")
            << QByteArray("push bp3") << QByteArray("externe") << QByteArray("vidage") << 500
            << QByteArray("HISTORY SENT");
        QTest::newRow("horaire after 60 ms")
            << QByteArray("announce clock") << QByteArray("jour") << QByteArray("horaire") << 60
            << QByteArray("VIOLATION offset=0 expected \"horaire\" at least 550 ms");
    }
    void pauseCountedFromKeyword()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, keyword);
        QFETCH(QByteArray, reply);
        QFETCH(int, pause);
        QFETCH(QByteArray, outcome);
        Sim sim;
        QVERIFY(sim.ok());
        sim.command(command);
        QVERIFY(sim.readLine(keyword).endsWith(keyword));
        QVERIFY(sim.answer(reply, pause));
        const QByteArray line = sim.waitLine(outcome.left(outcome.indexOf(' ')));
        QVERIFY2(line.startsWith(outcome), line.constData());
        if (!outcome.startsWith("VIOLATION"))
            QVERIFY(!sim.report().contains("VIOLATION"));
    }

    void wrongKeyword()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer("parma", 200));
        const QByteArray v = sim.waitLine("VIOLATION");
        QVERIFY2(v.startsWith("VIOLATION offset=3 expected \"param\""), v.constData());
        QCOMPARE(sim.readLine("badge", 300), QByteArray());
    }

    void shortBlock()
    {
        Sim sim({"--quiet-limit", "1"});
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer(QByteArray("param\x0a\x01\x01", 8), 200));
        QCOMPARE(sim.readLine("badge"), QByteArray("badge"));
        QVERIFY(sim.answer(zeros(100), 200));
        // The board notices once the line has been quiet for its limit.
        const QByteArray v = sim.waitLine("VIOLATION", 4000);
        QVERIFY2(v.startsWith("VIOLATION offset=108 expected 250 bytes of block 1 got 100 bytes"),
                 v.constData());
    }

    void badBlockCount()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("push bp1");
        QCOMPARE(sim.readLine("Pret"), QByteArray("Pret"));
        QVERIFY(sim.answer(QByteArray("param\x0a\x05\x01", 8), 200));
        QVERIFY(sim.waitLine("VIOLATION").contains("block count"));
        QCOMPARE(sim.readLine("badge", 300), QByteArray());
    }

    // --- The terminal -------------------------------------------------------------

    void hangupLooksUnplugged()
    {
        Sim sim;
        QVERIFY(sim.ok());
        sim.command("hangup");
        QVERIFY(sim.process().waitForFinished(3000));
        QCOMPARE(sim.process().exitCode(), 0);
        pollfd p{sim.fd(), POLLIN, 0};
        QVERIFY(::poll(&p, 1, 1000) == 1);
        QVERIFY(p.revents & (POLLHUP | POLLERR));
        QVERIFY(!QFileInfo::exists(sim.link()));
    }

    void refusesRegularFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/COM1";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        QProcess p;
        p.start(PLATINE_SIM_PATH, {"--link", path});
        QVERIFY(p.waitForFinished(3000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }

    void replacesOldLink()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/COM1";
        QVERIFY(QFile::link("/nonexistent/old", path));
        QProcess p;
        p.start(PLATINE_SIM_PATH, {"--link", path});
        QVERIFY(p.waitForReadyRead(3000));
        QVERIFY(p.readLine().startsWith("READY"));
        QVERIFY(QFileInfo(path).symLinkTarget().startsWith("/dev/pts/"));
        p.write("quit\n");
        QVERIFY(p.waitForFinished(3000));
        QVERIFY(!QFileInfo(path).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TstSim)
#include "tst_sim.moc"
