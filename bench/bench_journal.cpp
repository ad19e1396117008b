// "Journal des passages" over journals of 100,000 and 1,000,000 passages
// (300 holders, two years): the memory the open window holds as a ratio to
// the journal's size and the time it takes to open (read, index, sort, table
// shown), for both sizes; then, over 100,000 rows, the longest wait of the
// events while it reads again, one keystroke in the search (a refilter of
// every row) and the attendance of the whole journal; and the tab
// "Opérations" over a journal of operations of 100,000 rows.

#include "bench_util.h"
#include "board/journal_window.h"
#include "board/operations_tab.h"
#include "core/board/journal_view.h"
#include "core/board/operations_journal.h"
#include "core/platform/csv.h"
#include "core/platform/files.h"
#include "support/fakes.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace platine;
using namespace platine::bench;

namespace {

constexpr int kRows = 100'000;

std::string makeJournal(int rows)
{
    static const char *first[] = {"Zoé", "Paul",  "Élodie", "Jean", "Anaïs",
                                  "Luc", "Marie", "Hugo",   "Léa",  "Noé"};
    static const char *last[] = {"Martin",   "Durand", "Lefèvre", "Moreau",  "Girard",
                                 "Rousseau", "Bonnet", "Dupont",  "Lambert", "Fontaine"};
    std::string s = std::string(csv::kBom) + csv::row(journalHeader());
    unsigned seed = 7;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 100000u; };
    char date[32], time[32], badge[32]; // room for any int: the compiler cannot bound them
    for (int i = 0; i < rows; ++i) {
        const int day = int(std::int64_t(i) * 730 / rows), holder = int(next() % 300);
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2025 + day / 365, 1 + day % 365 / 31,
                      1 + day % 31 % 28);
        std::snprintf(time, sizeof time, "%02d:%02d", 6 + int(next() % 14), int(next() % 60));
        std::snprintf(badge, sizeof badge, "%010d", 100 + holder);
        s += csv::row({date, time, badge,
                       std::string(first[holder % 10]) + " " + last[holder / 10 % 10] + " " +
                           std::to_string(holder),
                       std::to_string(1 + holder % 4), "2026-12-07 15:04"});
    }
    return s;
}

// Who changed what over two years: fields changed, uploads, downloads.
std::string makeOperations()
{
    std::vector<OperationRow> rows;
    rows.reserve(kRows);
    char date[16], time[16], badge[16];
    for (int i = 0; i < kRows; ++i) {
        const int day = i * 730 / kRows;
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2025 + day / 365, 1 + day % 365 / 31,
                      1 + day % 31 % 28);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", 6 + i % 14, i % 60, i * 7 % 60);
        std::snprintf(badge, sizeof badge, "%010d", 100 + i % 300);
        OperationRow r{date, time, i % 3 ? "zoe" : "paul", "Entrée principale",
                       "C:\\listes\\personnel.txt", op::kChanged, badge, "nom",
                       "Zoé Martin " + std::to_string(i), "Zoé Lefèvre " + std::to_string(i), {}};
        if (i % 10 == 0) {
            r.operation = op::kUpload;
            r.badge = r.field = r.before = r.after = {};
            r.detail = "100 enregistrement(s) ; mémorisation terminée";
        }
        rows.push_back(std::move(r));
    }
    return appendOperations({}, rows);
}

double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Freed pages back to the system, so that what is resident is what is held.
void trim()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// The window over a journal of `rows` passages: the memory it holds (as a
// ratio to the file's size) and its open time, median of `runs`.
void openFigures(const QTemporaryDir &dir, testing::FakeDialogs &dialogs, int rows, int runs)
{
    const std::string path =
        dir.filePath(QStringLiteral("journal-%1.csv").arg(rows)).toStdString();
    double fileMiB = 0;
    {
        const std::string journal = makeJournal(rows);
        fileMiB = double(journal.size()) / (1024.0 * 1024.0);
        if (!files::writeAtomic(path, journal))
            std::exit(1);
    }
    trim();
    const double before = residentMiB();
    auto *window = new JournalWindow({path, {}}, dialogs);
    window->show();
    QApplication::processEvents();
    trim();
    const double held = residentMiB() - before;
    if (window->rows().size() != std::size_t(rows))
        std::exit(1);
    // The processor time beside the wall time: the machine is shared.
    std::vector<double> cpu;
    const double open = medianSeconds(runs, [&] {
        const double start = cpuSeconds();
        delete window;
        window = new JournalWindow({path, {}}, dialogs);
        window->show();
        QApplication::processEvents();
        cpu.push_back(cpuSeconds() - start);
    });
    // The first search makes the folded texts of every row, kept for the next.
    QTest::keyClick(window->findChild<QLineEdit *>(QStringLiteral("recherche")), 'a');
    QApplication::processEvents();
    trim();
    const double searched = residentMiB() - before;
    delete window;
    trim();
    const std::string what = "journal window, " + std::to_string(rows) + " rows (" +
                             fmt("%.1f MiB", fileMiB) + ")";
    report(what + ": memory held",
           fmt("%.0f MiB, %.2f x the journal's size (limit 3 x); after a search %.2f x", held,
               held / fileMiB, searched / fileMiB));
    report(what + ": open (read, index, sort, table shown)",
           fmt("median of %.0f: %.0f ms, processor %.0f ms (limit 1500 ms for 1,000,000 rows)",
               runs, open * 1e3, median(cpu) * 1e3));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::FakeDialogs dialogs;
    QTemporaryDir dir;
    // Qt's own start (fonts, style) is not the journal's: an empty window first.
    delete new JournalWindow({dir.filePath(QStringLiteral("none.csv")).toStdString(), {}}, dialogs);
    {
        JournalWindow empty({dir.filePath(QStringLiteral("none.csv")).toStdString(), {}}, dialogs);
        empty.show();
        QApplication::processEvents();
    }
    openFigures(dir, dialogs, kRows, 5);
    openFigures(dir, dialogs, 10 * kRows, 3);

    const std::string path = dir.filePath(QStringLiteral("journal.csv")).toStdString();
    const std::string journal = makeJournal(kRows);
    if (!files::writeAtomic(path, journal))
        return 1;
    JournalWindow *window = new JournalWindow({path, {}}, dialogs);
    window->show();
    QApplication::processEvents();
    // How long the events wait at most while the journal is read again: a
    // timer of 1 ms notes the longest gap between its ticks.
    std::vector<double> freezes;
    for (int round = 0; round < 5; ++round) {
        QTimer tick;
        auto last = SteadyClock::now();
        double longest = 0;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, secondsSince(last));
            last = SteadyClock::now();
        });
        tick.start(1);
        QApplication::processEvents();
        last = SteadyClock::now();
        window->reload();
        longest = std::max(longest, secondsSince(last));
        freezes.push_back(longest);
    }
    report("journal window, 100,000 rows: read again, the longest wait of the events",
           fmt("median %.0f ms", median(freezes) * 1e3));

    const double read = medianSeconds(5, [&] { readJournal(journal, {}); });
    report("journal, 100,000 rows (" + std::to_string(journal.size() / 1024) + " KiB): read",
           fmt("median %.0f ms", read * 1e3));

    auto *search = window->findChild<QLineEdit *>(QStringLiteral("recherche"));
    std::vector<double> keys;
    const char *typed = "martin";
    for (int round = 0; round < 5; ++round)
        for (int i = 0; typed[i]; ++i) {
            const auto start = SteadyClock::now();
            QTest::keyClick(search, typed[i]);
            QApplication::processEvents();
            keys.push_back(secondsSince(start));
            if (!typed[i + 1])
                search->clear();
        }
    report("journal window, 100,000 rows: a keystroke in the search (refilter, table shown)",
           fmt("median %.1f ms, slowest %.1f ms (limit 50 ms)", median(keys) * 1e3,
               *std::max_element(keys.begin(), keys.end()) * 1e3));

    const JournalData data = readJournal(journal, {});
    const std::vector<int> all = filterJournal(data, {});
    const double presence = medianSeconds(5, [&] { attendance(data, all); });
    report("attendance of 100,000 rows (300 holders, 730 days)",
           fmt("median %.0f ms", presence * 1e3));
    delete window;

    // The tab "Opérations" over 100,000 rows: the window opened on it, a keystroke.
    const std::string opsPath = dir.filePath(QStringLiteral("operations.csv")).toStdString();
    if (!files::writeAtomic(opsPath, makeOperations()))
        return 1;
    const std::string none = dir.filePath(QStringLiteral("none.csv")).toStdString();
    const auto openOnOperations = [&] {
        auto *w = new JournalWindow({none, {}, {}, opsPath}, dialogs);
        w->show();
        w->findChild<QTabWidget *>(QStringLiteral("onglets"))->setCurrentIndex(2);
        QApplication::processEvents();
        return w;
    };
    const double opsBefore = residentMiB();
    window = openOnOperations();
    const double opsHeld = residentMiB() - opsBefore;
    const double opsOpen = medianSeconds(5, [&] {
        delete window;
        window = openOnOperations();
    });
    if (window->operations().rows().size() != std::size_t(kRows))
        return 1;
    report("journal window, tab Opérations, 100,000 rows: open (read, table shown)",
           fmt("median %.0f ms (limit 500 ms)", opsOpen * 1e3));
    search = window->findChild<QLineEdit *>(QStringLiteral("recherche"));
    keys.clear();
    for (int round = 0; round < 5; ++round)
        for (int i = 0; typed[i]; ++i) {
            const auto start = SteadyClock::now();
            QTest::keyClick(search, typed[i]);
            QApplication::processEvents();
            keys.push_back(secondsSince(start));
            if (!typed[i + 1])
                search->clear();
        }
    report("journal window, tab Opérations, 100,000 rows: a keystroke in the search",
           fmt("median %.1f ms, slowest %.1f ms (limit 50 ms)", median(keys) * 1e3,
               *std::max_element(keys.begin(), keys.end()) * 1e3));
    report("journal window, tab Opérations, 100,000 rows: memory held",
           fmt("%.0f MiB resident more than before it opened (limit 100 MB)", opsHeld));
    delete window;
    return 0;
}
