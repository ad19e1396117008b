#pragma once
// The window on the real Qt serial port, clock and event loop, and the
// board simulator beside it on a pseudo-terminal linked as COM1 in the
// window's program directory.

#include "app/form2.h"
#include "platform/qt_platform.h"
#include "support/controls.h"
#include "support/fakes.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace platine::testing {

// The simulator, linked as COM1 in the program directory, driven on its
// standard input; its report lines are read from its standard output. It is
// strict: an answer sent before the board's keyword has left, or without the
// pause the program leaves after it, is a violation. A line quiet for up to
// 10 s inside an item is not: a loaded machine may hold the program that long.
class Sim {
public:
    explicit Sim(const QString &dir, const QStringList &extra = {})
    {
        m_process.start(PLATINE_SIM_PATH,
                        QStringList{QStringLiteral("--link"), dir + QStringLiteral("/COM1"),
                                    QStringLiteral("--strict"), QStringLiteral("--quiet-limit"),
                                    QStringLiteral("10")} +
                            extra);
        m_ready = m_process.waitForStarted(5000) && !waitLine("READY", 5000).isEmpty();
    }
    ~Sim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("quit\n");
            if (!m_process.waitForFinished(2000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    bool ready() const { return m_ready; }
    // The simulator exited (after a hang-up) within `ms`.
    bool gone(int ms)
    {
        return m_process.waitForFinished(ms) || m_process.state() == QProcess::NotRunning;
    }
    void command(const QByteArray &line) { m_process.write(line + "\n"); }

    // The next report line starting with `prefix` within `ms`, empty if none.
    QByteArray waitLine(const QByteArray &prefix, int ms = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            take();
            while (m_lines.size() > m_taken) {
                const QByteArray line = m_lines.at(m_taken++);
                if (line.startsWith(prefix))
                    return line;
            }
            if (timer.elapsed() >= ms)
                return {};
            m_process.waitForReadyRead(50);
        }
    }
    QByteArray report()
    {
        take();
        return m_lines.join('\n');
    }

private:
    void take()
    {
        m_pending += m_process.readAllStandardOutput();
        int eol;
        while ((eol = int(m_pending.indexOf('\n'))) >= 0) {
            m_lines << m_pending.left(eol);
            m_pending.remove(0, eol + 1);
        }
    }
    QProcess m_process;
    bool m_ready = false;
    QList<QByteArray> m_lines;
    QByteArray m_pending;
    qsizetype m_taken = 0;
};

// The PC's clock stopped at a known moment, its elapsed time running for
// real: what the board's clock is set to is known in advance.
struct StoppedWallClock : QtClock {
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(17, 5, 9)); }
};

// The window on the Qt serial port, clock and event loop; dialogs answered
// by the test.
struct RealWindow {
    QTemporaryDir dir;
    QtSerialPort serial{dir.path()};
    StoppedWallClock clock;
    QtEventPump pump{clock};
    FakeDialogs dialogs;
    FakeShell shell;
    std::unique_ptr<Form2> form;

    RealWindow()
    {
        Platform p;
        p.serial = &serial;
        p.dialogs = &dialogs;
        p.shell = &shell;
        p.clock = &clock;
        p.pump = &pump;
        p.makeTimer = [] { return makeQtTimer(); };
        p.programDir = dir.path();
        form = std::make_unique<Form2>(p);
        form->setEndProgram([] {});
        form->Form_Load();
        controls(*form).Combo1->setCurrentIndex(0); // COM1, the simulator's link
    }
};

} // namespace platine::testing
