// Receive-pane appends up to 4 MB: the receive path hands the pane the
// board's text in chunks (960 bytes here, about a second of the line at 9600
// baud); each chunk is appended and the event loop then lays the pane out
// and paints it, as in the running program. The figure is the median time
// of one chunk around 1 MB and around 4 MB of text; a pane that keeps
// appends constant-time shows a ratio near 1.

#include "app/pane.h"
#include "bench_util.h"

#include <QApplication>
#include <QString>

using namespace platine;
using namespace platine::bench;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    constexpr int kChunk = 960;
    constexpr long kTotal = 4L * 1024 * 1024;
    constexpr long kOneMb = 1024L * 1024;
    // History lines as the board sends them, CR LF each; chunk borders fall
    // anywhere, also between a CR and its LF.
    QString stream;
    for (int i = 0; stream.size() < kChunk * 64; ++i)
        stream += QString::asprintf("%010d     %02d:%02d %02d/%02d/26 %2d *\r\n", 123456789 + i,
                                    i % 24, i % 60, i % 28 + 1, i % 12 + 1, i % 99);

    Pane pane;
    pane.resize(580, 470);
    pane.show();
    QApplication::processEvents();

    std::vector<double> near1, near4;
    const long window = 100L * kChunk; // a hundred chunks on each side of the mark
    long size = 0;
    int offset = 0;
    const auto all = SteadyClock::now();
    while (size < kTotal) {
        const QString chunk = stream.mid(offset, kChunk);
        offset = (offset + kChunk) % (stream.size() - kChunk);
        const auto start = SteadyClock::now();
        pane.append(chunk);
        QApplication::processEvents();
        const double t = secondsSince(start);
        if (size >= kOneMb - window && size < kOneMb + window)
            near1.push_back(t);
        if (size >= kTotal - 2 * window)
            near4.push_back(t);
        size += kChunk;
    }
    const double total = secondsSince(all);
    if (pane.text().size() != size) {
        std::fprintf(stderr, "bench_pane: the pane holds %lld characters, %ld appended\n",
                     static_cast<long long>(pane.text().size()), size);
        return 1;
    }
    const double m1 = median(near1), m4 = median(near4);
    report("receive pane, 960-byte chunk at 1 MB", fmt("median %.3f ms", m1 * 1e3));
    report("receive pane, 960-byte chunk at 4 MB",
           fmt("median %.3f ms, ratio to 1 MB %.2f", m4 * 1e3, m4 / m1));
    report("receive pane, 4 MB in 960-byte chunks", fmt("%.2f s in all", total));
    return 0;
}
