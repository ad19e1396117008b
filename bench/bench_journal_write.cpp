// What a download costs the journal of passages when the journal is long:
// 1,000,000 rows (about 72 MB), a download of 200 passages (100 of them
// already in the journal), against copying the journal's file (read whole,
// replaced atomically). Each figure is measured in a process of its own, so
// its peak memory is its own: the median time of 5 runs, and the peak
// resident memory above the process's start; then the ratios of the two.
// Run: build/bench/bench_journal_write [ROWS]

#include "bench_util.h"
#include "core/board/journal.h"
#include "core/platform/csv.h"
#include "core/platform/files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace platine;
using namespace platine::bench;

namespace {

constexpr int kRuns = 5;

double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double peakMiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// The passage line of the history file for row `i` (badge, time, date, place
// at their columns).
std::string passageLine(int i, int badgeBase = 100)
{
    char line[64];
    std::snprintf(line, sizeof line, "%010d     %02d:%02d%3d/%02d/%02d%3d *\r\n",
                  badgeBase + i % 300, 6 + i % 14, i % 60, 1 + i % 28, 1 + i / 28 % 12,
                  25 + i / 336 % 2, 1 + i % 4);
    return line;
}

void makeFiles(const std::string &journal, const std::string &history, int rows)
{
    std::string s = std::string(csv::kBom) + csv::row(journalHeader());
    for (int i = 0; i < rows; ++i) {
        const JournalRow r =
            passageRow(passageLine(i), "Holder " + std::to_string(i % 300), "2026-12-07 15:04");
        s += csv::row(r.fields());
    }
    files::writeAtomic(journal, s);
    std::string h;
    for (int i = rows - 100; i < rows; ++i)
        h += passageLine(i);
    for (int i = 0; i < 100; ++i)
        h += passageLine(i, 5000); // badges the journal does not hold
    files::writeAtomic(history, h);
}

struct Figure {
    double seconds = 0; // median
    double peakMiB = 0; // above the child's start
};

// Runs `body` kRuns times in a child process and reports its median and peak.
template <class F> Figure measure(const char *what, F body)
{
    std::fflush(stdout);
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    const pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        const double start = residentMiB();
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i) {
            const auto t = SteadyClock::now();
            body();
            times.push_back(secondsSince(t));
        }
        const Figure f{median(times), peakMiB() - start};
        report(what, fmt("%.0f ms (median of %.0f), peak %.0f MiB above the start",
                         f.seconds * 1e3, kRuns, f.peakMiB));
        (void)!write(out[1], &f, sizeof f);
        _exit(0);
    }
    close(out[1]);
    Figure f;
    (void)!read(out[0], &f, sizeof f);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("platine-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string journal = (dir / "journal des passages.csv").string();
    const std::string history = (dir / "histo.txt").string();
    const std::string copy = (dir / "copie.csv").string();
    // The files are made in a child, so that this process stays small.
    std::fflush(stdout);
    if (const pid_t pid = fork(); pid == 0) {
        makeFiles(journal, history, rows);
        _exit(0);
    } else {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    const double sizeMiB = double(std::filesystem::file_size(journal)) / (1024.0 * 1024.0);
    std::printf("bench: journal of %d rows: %.1f MiB\n", rows, sizeMiB);

    const Figure copied = measure("copy of the journal (read, atomic replace)", [&] {
        const auto bytes = files::read(journal);
        files::writeAtomic(copy, *bytes);
    });
    const Figure downloaded = measure("download of 200 passages (read, new passages, atomic replace)", [&] {
        const auto bytes = files::read(journal);
        const auto h = files::read(history);
        const JournalAddition a = newPassages(*bytes, {*h}, {}, "2026-12-08 10:00");
        if (a.changes(*bytes))
            files::writeAtomic(copy, a.pieces(*bytes));
        if (a.added == 0)
            std::printf("bench: the download added nothing\n");
    });
    report("download ratio", fmt("%.2f times the copy's time, peak memory %.2f times the journal's size",
                                 downloaded.seconds / copied.seconds, downloaded.peakMiB / sizeMiB));
    std::filesystem::remove_all(dir);
    return 0;
}
