// Processor time of a 10-second reply wait on the real platform services
// (QtClock and QtEventPump): the window waits for a keyword that never comes,
// as when the operator has not yet pressed the board's button. The wait
// sleeps in the event loop until an event or its deadline, so it should cost
// almost nothing.

#include "app/form2.h"
#include "bench_util.h"
#include "platform/qt_platform.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace platine;
using namespace platine::bench;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QtPlatform services(dir.path());
    Form2 window(services.platform());
    services.dialogs.owner = &window;
    window.show();
    QApplication::processEvents();

    // The board's own time limit for an awaited keyword.
    const Millis limit{10'000};
    const int runs = qEnvironmentVariableIntValue("BENCH_WAIT_RUNS") > 0
                         ? qEnvironmentVariableIntValue("BENCH_WAIT_RUNS")
                         : 3;
    std::vector<double> shares, cpus, walls;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = cpuSeconds();
        const auto start = SteadyClock::now();
        const WaitEnd end = window.attendre([](const QString &) { return false; }, limit);
        const double wall = secondsSince(start);
        const double cpu = cpuSeconds() - cpu0;
        if (end != WaitEnd::TimedOut) {
            std::fprintf(stderr, "bench_wait: the wait did not time out\n");
            return 1;
        }
        cpus.push_back(cpu);
        walls.push_back(wall);
        shares.push_back(cpu / wall);
    }
    report("10-second reply wait, processor time",
           fmt("median %.1f ms over %.2f s = %.3f %% of a core", median(cpus) * 1e3, median(walls),
               median(shares) * 100));
    return 0;
}
