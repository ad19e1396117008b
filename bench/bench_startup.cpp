// Start-up of the program's window against a bare Qt widgets window of the
// same size with one line of text: each started in a process of its own (this benchmark, started
// again with "bare" or "form"), from the start of the process to the window
// laid out and painted once, the two kinds in turn. Medians and their ratio;
// the Form_Load share is measured inside the window's own runs.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_startup [RUNS]

#include "app/form2.h"
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

int child(int argc, char **argv, bool form)
{
    QApplication app(argc, argv);
    if (!form) {
        // A bare widgets window: its size and one line of text, as a
        // "hello world" of Qt widgets has (the text loads the fonts).
        QWidget w;
        w.resize(kWidth, kHeight);
        QLabel caption(QStringLiteral("Contrôle d'accès horodaté"), &w);
        settle(w);
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
    std::printf("%.6f\n", loaded);
    return 0;
}

// Runs this benchmark as `kind` and returns its wall time; `load` gets the
// Form_Load time the child printed.
double run(const char *self, const char *kind, double *load)
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
    char text[64] = {};
    const ssize_t n = read(out[0], text, sizeof text - 1);
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = secondsSince(start);
    close(out[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::exit(3);
    if (load && n > 0)
        *load = std::atof(text);
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, std::strcmp(argv[2], "form") == 0);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    std::vector<double> bare, form, load;
    run(argv[0], "bare", nullptr); // the first start fills the caches
    run(argv[0], "form", nullptr);
    for (int i = 0; i < runs; ++i) {
        bare.push_back(run(argv[0], "bare", nullptr));
        double l = 0;
        form.push_back(run(argv[0], "form", &l));
        load.push_back(l);
    }
    const double b = median(bare), f = median(form);
    report("bare window, process start to painted", fmt("%.1f ms (median of %.0f)", b * 1e3, runs));
    report("Form2, process start to loaded and painted",
           fmt("%.1f ms, of which Form_Load %.2f ms", f * 1e3, median(load) * 1e3));
    report("start-up ratio", fmt("%.2f times the bare window", f / b));
    return 0;
}
