// An upload's wall time against its floor: the window's own "Envoi
// programmation" on the real platform services (Qt serial port, clock, event
// loop) sends a list of 100 records to platine-sim, which plays the board at
// 9600 baud on a pseudo-terminal. The operator's answer to the message box
// is immediate and the board's bp1 is pressed at once; the time runs from
// the press of bp1 to the end of the run.
//
// The floor is what the exchange cannot go below: every paced data byte is
// followed by the 16 ms pause the board is fed at, the run settles 0.2 s
// before "param" and before each badge block, every keyword of the board
// reaches the receive pane through the 100 ms receive timer, and the board
// takes 0.1 s to store each item before its next keyword (for "Pret" after
// the press of bp1 and for "badge" after the parameter block; for the others
// the last paced byte's 16 ms run alongside).

#include "app/form2.h"
#include "bench_lists.h"
#include "bench_util.h"
#include "core/platform/files.h"
#include "platform/qt_platform.h"
#include "support/controls.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>

using namespace platine;
using namespace platine::testing;
using namespace platine::bench;

namespace {

// Message boxes answered at once; every box runs `onMessage` first.
class AnsweringDialogs : public Dialogs {
public:
    std::function<void(const QString &title)> onMessage;

    MsgAnswer message(MsgIcon, MsgButtons, const QString &title, const QString &, QWidget *,
                      MsgAnswer) override
    {
        if (onMessage)
            onMessage(title);
        return MsgAnswer::Ok;
    }
    QString input(const QString &, const QString &, const QString &, QWidget *) override
    {
        return {};
    }
    QString openFile(const QString &, const QString &, QWidget *) override { return listToOpen; }
    QString listToOpen;
    QString saveFile(const QString &, const QString &, QWidget *) override { return {}; }
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Polls `path` until it holds `text` `times` times; false after `limit`.
bool waitForText(const QString &path, const QByteArray &text, int times, Millis limit)
{
    const auto start = SteadyClock::now();
    while (SteadyClock::now() - start < limit) {
        if (readFile(path).count(text) >= times)
            return true;
        QThread::msleep(20);
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const int records = qEnvironmentVariableIntValue("BENCH_UPLOAD_RECORDS") > 0
                            ? qEnvironmentVariableIntValue("BENCH_UPLOAD_RECORDS")
                            : kBoardRecords;
    const int runs = qEnvironmentVariableIntValue("BENCH_UPLOAD_RUNS") > 0
                         ? qEnvironmentVariableIntValue("BENCH_UPLOAD_RUNS")
                         : 3;

    QTemporaryDir dir;
    const QString listPath = dir.filePath(QStringLiteral("liste.txt"));
    const QString simLog = dir.filePath(QStringLiteral("sim.log"));
    std::string error;
    if (!files::writeAtomic(QFile::encodeName(listPath).toStdString(), makeList(records), &error) ||
        !files::writeAtomic(
            QFile::encodeName(dir.filePath(QStringLiteral("param.ini"))).toStdString(),
            "[COM]\r\nvaleur=COM1\r\n[temporisation]\r\nvaleur=10\r\n", &error)) {
        std::fprintf(stderr, "bench_upload: %s\n", error.c_str());
        return 1;
    }

    QProcess sim;
    sim.setStandardOutputFile(simLog);
    sim.setProcessChannelMode(QProcess::MergedChannels);
    sim.start(QStringLiteral(PLATINE_SIM_PATH),
              {QStringLiteral("--link"), dir.filePath(QStringLiteral("COM1")),
               QStringLiteral("--wire-speed")});
    // The simulator links its terminal within a few milliseconds.
    if (!sim.waitForStarted() || !waitForText(simLog, "READY", 1, Millis(5000))) {
        std::fprintf(stderr, "bench_upload: platine-sim did not start\n");
        return 1;
    }

    QtPlatform services(dir.path());
    AnsweringDialogs dialogs;
    Platform platform = services.platform();
    platform.dialogs = &dialogs;
    Form2 window(platform);
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    dialogs.listToOpen = listPath;
    window.Command1_Click(); // "Ouvrir une liste enregistrée"

    // bp1 is pressed as soon as the run has opened the port and waits.
    SteadyClock::time_point pressed;
    dialogs.onMessage = [&](const QString &) {
        QTimer::singleShot(0, [&] {
            pressed = SteadyClock::now();
            sim.write("push bp1\n");
        });
    };

    // The board takes the badges in blocks of 25 records' worth (1 to 4 blocks).
    const int blocks = std::clamp((records + 24) / 25, 1, 4);
    const int pacedBytes = blocks * 250 + 7 * 100;
    const int keywords = 1 + blocks + 7; // "Pret", the badge blocks, the seven tables
    const double store = 0.1 * 2 + (0.1 - 0.016) * (keywords - 2);
    const double floor = pacedBytes * 0.016 + 0.2 * (blocks + 1) + 0.1 * keywords + store;

    std::vector<double> walls;
    for (int i = 1; i <= runs; ++i) {
        window.Command8_Click();
        const double wall = secondsSince(pressed);
        const QByteArray complete = "UPLOAD COMPLETE blocks=" + QByteArray::number(blocks) +
                                    " slots=" + QByteArray::number(records);
        // The board reports the upload a moment after the last byte reached it.
        if (!waitForText(simLog, complete, i, Millis(3000)) ||
            controls(window).Label5->text() != QStringLiteral("Transfert terminé")) {
            std::fprintf(stderr, "bench_upload: run %d did not complete (%s)\n%s\n", i,
                         qPrintable(controls(window).Label14->text()),
                         readFile(simLog).right(2000).constData());
            sim.kill();
            sim.waitForFinished(2000);
            return 1;
        }
        walls.push_back(wall);
    }
    if (readFile(simLog).contains("VIOLATION")) {
        std::fprintf(stderr, "bench_upload: the board saw protocol violations\n%s\n",
                     readFile(simLog).constData());
        sim.kill();
        sim.waitForFinished(2000);
        return 1;
    }
    sim.write("quit\n");
    sim.waitForFinished(2000);

    const double wall = median(walls);
    report("upload of " + std::to_string(records) + " records (" + std::to_string(blocks) +
               " blocks, " + std::to_string(pacedBytes) + " paced bytes)",
           fmt("median %.2f s, floor %.2f s, ratio %.3f", wall, floor, wall / floor));
    return 0;
}
