// Costs of the serial link on the real event loop and widgets:
//  - processor time of a 10-second reply wait that never matches, in % of one core;
//  - appending 1 MB and 4 MB to the receive pane in 100-ms chunks (960 bytes
//    at 9600 baud), median and worst time per chunk, with and without line breaks.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_serial [--no-wait]

#include "app/form2.h"
#include "serial/pane.h"
#include "platform/qt_platform.h"
#include "support/controls.h"
#include "support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void replyWait(const QString &dir)
{
    QtPlatform services(dir);
    testing::FakeDialogs dialogs;
    testing::FakeShell shell;
    Platform p = services.platform();
    p.dialogs = &dialogs;
    p.shell = &shell;
    Form2 form(p);
    form.show();
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    const WaitEnd end = waitStartIn(form, QStringLiteral("Pret"), 10s);
    const double cpu = cpuSeconds() - cpu0;
    const double seconds = double(wall.elapsed()) / 1000.0;
    std::printf("reply wait 10 s: %s after %.3f s wall, %.1f ms processor = %.3f %% of one core\n",
                end == WaitEnd::TimedOut ? "timed out" : "ended otherwise", seconds, cpu * 1000.0,
                100.0 * cpu / seconds);
}

void appendChunks(qsizetype total, bool lineBreaks)
{
    Pane pane;
    pane.resize(600, 400);
    pane.show();
    // One 100-ms tick at 9600 baud: 960 bytes.
    QString chunk;
    for (int i = 0; chunk.size() < 960; ++i) {
        if (lineBreaks && i % 24 == 23)
            chunk += QStringLiteral("\r\n");
        else
            chunk += QStringLiteral("%1 ").arg((i * 7) & 0xff, 2, 16, QLatin1Char('0')).toUpper();
    }
    chunk.truncate(960);
    std::vector<double> us, paint;
    QElapsedTimer t;
    for (qsizetype done = 0; done < total; done += chunk.size()) {
        t.start();
        pane.append(chunk);
        us.push_back(double(t.nsecsElapsed()) / 1000.0);
        t.start();
        QCoreApplication::processEvents(); // the view repaints as it would between ticks
        paint.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    std::sort(us.begin(), us.end());
    std::sort(paint.begin(), paint.end());
    const double median = us[us.size() / 2];
    std::printf(
        "append %4lld KB %-16s %5zu chunks: median %7.1f us/chunk (%.3f ms/KB), 99th %7.1f us,"
        " worst %7.1f us; repaint median %7.1f us\n",
        (long long)(total / 1024), lineBreaks ? "(lines of 72)" : "(no line break)", us.size(),
        median, median / 1000.0 / 0.9375, us[us.size() * 99 / 100], us.back(),
        paint[paint.size() / 2]);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const bool wait = !(argc > 1 && std::strcmp(argv[1], "--no-wait") == 0);
    QTemporaryDir dir;
    if (wait)
        replyWait(dir.path());
    // --small: a quick look at the trend.
    const bool small = argc > 1 && std::strcmp(argv[argc - 1], "--small") == 0;
    for (bool lines : {true, false}) {
        if (small) {
            appendChunks(64 << 10, lines);
            appendChunks(256 << 10, lines);
        } else {
            appendChunks(1 << 20, lines);
            appendChunks(4 << 20, lines);
        }
    }
    return 0;
}
