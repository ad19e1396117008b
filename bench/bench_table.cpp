// "Tableau des badges" on a list of 100 records: from the menu item to the
// window shown with its rows, the list file read from disk (offscreen).

#include "badges/badge_table_window.h"
#include "bench_window.h"
#include "bench_util.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>

#include <cstdio>

using namespace platine;
using namespace platine::bench;
using platine::testing::Harness;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Harness h;
    const QString path = openBoardList(h);
    QAction *item = h.ui().MenuBar->findChild<QAction *>(QStringLiteral("tableau_des_badges"));

    int rows = 0;
    const double t = medianSeconds(30, [&] {
        item->trigger();
        auto *w = h.windows.find<BadgeTableWindow>();
        QApplication::processEvents(); // drawn once
        rows = w ? w->shownCount() : -1;
        if (w)
            w->close(); // deleted: the next run opens a new one
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    if (rows != kBoardRecords) {
        std::fprintf(stderr, "bench_table: %d rows\n", rows);
        return 1;
    }
    report("Tableau des badges, 100 records",
           fmt("median %.2f ms to open (at most 50 ms)", t * 1e3));
    return t < 0.050 ? 0 : 1;
}
