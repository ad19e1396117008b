// Start-up of the program's window against a bare Qt widgets window of the
// same size with one line of text: each started in a process of its own (this benchmark, started
// again with "bare" or "form"), from the start of the process to the window
// laid out and painted once (what the operator waits for), the two kinds in
// turn. Medians and their ratio; the Form_Load share is measured inside the
// window's own runs; the whole processes' ratio beside it.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_startup [RUNS]

#include "app/form2.h"
#include "platform/fonts_warm_up.h"
#include "platform/qt_platform.h"
#include "support/fakes.h"

#include "bench_util.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

using namespace platine;
using namespace platine::bench;

namespace {

// Until the window has been laid out and painted once.
void settle(QWidget &w)
{
    w.show();
    QApplication::processEvents();
    w.repaint();
}

// The window's size in pixels (10920 by 9645 twips).
constexpr int kWidth = (10920 + 7) / 15;
constexpr int kHeight = (9645 + 7) / 15;

// The moment the window is painted, on the clock the parent started the
// process by (the steady clock is one for every process of the machine).
void printPainted(double loaded)
{
    std::printf("%lld %.6f\n", static_cast<long long>(SteadyClock::now().time_since_epoch().count()),
                loaded);
    std::fflush(stdout);
}

int child(int argc, char **argv, bool form)
{
    // The program reads the fonts' configuration while it connects to the
    // display (as main does); a bare window does not.
    std::optional<FontsWarmUp> fonts;
    if (form)
        fonts.emplace();
    QApplication app(argc, argv);
    if (fonts)
        fonts->wait();
    if (!form) {
        // A bare widgets window: its size and one line of text, as a
        // "hello world" of Qt widgets has (the text loads the fonts).
        QWidget w;
        w.resize(kWidth, kHeight);
        QLabel caption(QStringLiteral("Contrôle d'accès horodaté"), &w);
        settle(w);
        printPainted(0);
        return 0;
    }
    QTemporaryDir dir;
    QtPlatform services(dir.path());
    testing::FakeDialogs dialogs;
    Platform p = services.platform();
    p.dialogs = &dialogs;
    Form2 window(p);
    const auto loading = SteadyClock::now();
    window.Form_Load();
    const double loaded = secondsSince(loading);
    settle(window);
    printPainted(loaded);
    // What the window leaves until after its first paint runs before the
    // process ends: in the whole process's time, not in the start-up's.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return 0;
}

struct Run {
    double painted = 0; // process start to the window painted
    double whole = 0;   // process start to its end
    double load = 0;    // Form_Load
};

// Runs this benchmark as `kind`.
Run run(const char *self, const char *kind)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    const auto start = SteadyClock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, "--child", kind, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    int status = 0;
    waitpid(pid, &status, 0);
    Run r;
    r.whole = secondsSince(start);
    close(out[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::exit(3);
    long long paintedAt = 0;
    if (std::sscanf(text.c_str(), "%lld %lf", &paintedAt, &r.load) != 2)
        std::exit(4);
    r.painted = std::chrono::duration<double>(SteadyClock::duration(paintedAt) -
                                              start.time_since_epoch())
                    .count();
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, std::strcmp(argv[2], "form") == 0);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    std::vector<double> bare, form, bareWhole, formWhole, load;
    run(argv[0], "bare"); // the first start fills the caches
    run(argv[0], "form");
    for (int i = 0; i < runs; ++i) {
        const Run b = run(argv[0], "bare");
        const Run f = run(argv[0], "form");
        bare.push_back(b.painted);
        bareWhole.push_back(b.whole);
        form.push_back(f.painted);
        formWhole.push_back(f.whole);
        load.push_back(f.load);
    }
    const double b = median(bare), f = median(form);
    report("bare window, process start to painted", fmt("%.1f ms (median of %.0f)", b * 1e3, runs));
    report("Form2, process start to loaded and painted",
           fmt("%.1f ms, of which Form_Load %.2f ms", f * 1e3, median(load) * 1e3));
    report("start-up ratio", fmt("%.2f times the bare window", f / b));
    report("whole process ratio (the work after the first paint included)",
           fmt("%.2f times the bare window (%.1f ms against %.1f ms)",
               median(formWhole) / median(bareWhole), median(formWhole) * 1e3,
               median(bareWhole) * 1e3));
    return 0;
}
