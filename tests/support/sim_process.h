#pragma once
// The board simulator as a child process: started on a link (its
// pseudo-terminal), driven on its standard input, its report lines read from
// its standard output.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <algorithm>

namespace platine::testing {

class SimProcess {
public:
    SimProcess(const QString &link, const QStringList &args)
    {
        m_process.start(PLATINE_SIM_PATH, QStringList{QStringLiteral("--link"), link} + args);
        m_ready = m_process.waitForStarted(5000) && !waitLine("READY", 5000).isEmpty();
    }
    ~SimProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("quit\n");
            if (!m_process.waitForFinished(2000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Started, and said "READY".
    bool ready() const { return m_ready; }
    QProcess &process() { return m_process; }
    // The simulator exited (after a hang-up) within `ms`.
    bool gone(int ms)
    {
        return m_process.waitForFinished(ms) || m_process.state() == QProcess::NotRunning;
    }
    void command(const QByteArray &line)
    {
        m_process.write(line + "\n");
        m_process.waitForBytesWritten(1000);
    }

    // The next report line (from the last one taken) that starts with
    // `prefix`, within `ms`; the empty text when none came.
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
            const qint64 left = ms - timer.elapsed();
            if (left <= 0)
                return {};
            m_process.waitForReadyRead(int(std::clamp<qint64>(left, 1, 50)));
        }
    }
    // Every report line so far, taken or not.
    QByteArray report()
    {
        take();
        return m_lines.join('\n');
    }

private:
    void take()
    {
        m_pending += m_process.readAllStandardOutput();
        qsizetype eol;
        while ((eol = m_pending.indexOf('\n')) >= 0) {
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

} // namespace platine::testing
