// The fault campaign: every board operation run by the real window (its Qt
// serial port, clock and event loop, the operator's boxes answered) against
// the board simulator, while the board fails at a chosen step. One table of
// (operation, fault, step); the steps come from a seed printed first, so a
// failing run can be replayed alone:
//
//   faults_campaign [--short | --long] [--runs N] [--seed S] [--run I | --share K/N]
// (--share K/N: the runs I where I modulo N is K - 1, so that N processes
// share one campaign's runs)
//
// After each run: the window answers a click, Label14 says what happened (a
// success only when the board holds what was sent), no file is torn, no
// wrong byte reached the board, and after a hang-up the port opens again
// once the board is back and the same operation then succeeds byte for byte.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"
#include "core/board/protocol.h"
#include "support/board_sim.h"
#include "support/controls.h"
#include "support/fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace platine;
using namespace platine::testing;

namespace {

enum class Op { Upload, History, Clock, Badge, Eeprom, RazOffset, VidageFlash, RazHistory, RazAll };
enum class Fault { Hangup, Silent, Delay, GarbageBefore, GarbageInside, Split, Noise };

const char *const kOpNames[] = {"upload",     "history",      "clock",       "badge",  "eeprom",
                                "raz_offset", "vidage_flash", "raz_history", "raz_all"};
const char *const kFaultNames[] = {"hangup",         "silent", "delay", "garbage-before",
                                   "garbage-inside", "split",  "noise"};
constexpr int kOps = 9, kFaults = 7;

struct Run {
    Op op;
    Fault fault;
    int step = 0;    // the byte, output, tenth of a second or noise length the fault takes
    int records = 1; // list size of an upload
    unsigned seed = 1;
};

const QByteArray kBadge = "00000000AB";
const QByteArray kOld = "old version\r\n";

// The list of `n` records, and the slots the board must then show.
struct List {
    QByteArray file;
    QList<QByteArray> slotLines;
};

List makeList(int n)
{
    List l;
    l.file = "Liste cr\xE9\x65 le  : 06/12/2026\r\nHeure courante : 10:15:42\r\n"
             "Nom du fichier : liste.txt\r\n\r\n\r\n";
    for (int i = 0; i < n; ++i) {
        const QByteArray number =
            QByteArray::number(0x20000000ll + i * 0x2F1, 16).toUpper().rightJustified(10, '0');
        const QByteArray hd = QByteArray::number(5 + i % 13).rightJustified(2, '0');
        const QByteArray md = QByteArray::number((i * 7) % 60).rightJustified(2, '0');
        const QByteArray hf = QByteArray::number(18 + i % 6);
        const int day = i % 10, place = 1 + i % 30, dom = i % 29;
        l.file += "[" + number + "]\r\nnumero=" + number + "\r\nnom=N" + QByteArray::number(i) +
                  "\r\nheure de debut=" + hd + "\r\nminute de debut=" + md +
                  "\r\nheure de fin=" + hf + "\r\nminute de fin=15\r\n24 h 24=non" +
                  "\r\njour autoris\xE9=x\r\njour autoris\xE9_=" + QByteArray::number(day) +
                  "\r\nlieu autoris\xE9=" + QByteArray::number(place) +
                  "\r\ntous lieux=non\r\njour du mois=" + QByteArray::number(dom) + "\r\n\r\n";
        l.slotLines << "SLOT " + QByteArray::number(i) + " badge=" + number + " debut=" + hd + ":" +
                           md + " fin=" + hf + ":15 jour=" + QByteArray::number(day) +
                           " lieu=" + QByteArray::number(place) +
                           " jour_mois=" + QByteArray::number(dom);
    }
    return l;
}

// The bytes the program writes in the operation, and the outputs the board sends.
int programBytes(const Run &r)
{
    switch (r.op) {
    case Op::Upload: {
        int n = 8 + protocol::blockCount(r.records) * protocol::kBlockBytes;
        for (std::string_view k : protocol::kTableKeywords)
            n += int(k.size()) + protocol::kTableBytes;
        return n;
    }
    case Op::History:
    case Op::Eeprom:
    case Op::VidageFlash:
        return 6;
    case Op::Clock:
        return 7 + 5 + protocol::kClockBytes;
    case Op::Badge:
        return 0;
    case Op::RazOffset:
        return 10;
    case Op::RazHistory:
    case Op::RazAll:
        return 11;
    }
    return 0;
}

int boardOutputs(const Run &r)
{
    switch (r.op) {
    case Op::Upload:
        return 1 + protocol::blockCount(r.records) + protocol::kTables;
    case Op::History:
    case Op::Clock:
        return 2;
    default:
        return 1;
    }
}

class Campaign {
public:
    // Runs one case; the empty text when every check held, else what failed.
    QString run(const Run &r, QString *said);

private:
    bool operate(RealWindow &w, Sim &sim, const Run &r, bool faulty);
    bool operateIn(QObject &scope, RealWindow &w, Sim &sim, const Run &r, bool faulty);
    QString check(RealWindow &w, Sim &sim, const Run &r, bool success, const List &list,
                  const QList<QByteArray> &log);
};

// How long the simulator may take, on a loaded machine, to take a command
// or to hang up and have the window hear of it.
constexpr int kSimWait = 20'000;

void pump(int ms)
{
    QTest::qWait(ms);
}

// The sim command that arms the fault (the noise and the bare hang-up are
// given during the operation instead).
QByteArray arming(const Run &r)
{
    switch (r.fault) {
    case Fault::Hangup:
        return r.op == Op::Badge ? QByteArray() : "hangup after " + QByteArray::number(r.step);
    case Fault::Silent:
        return "silent after " + QByteArray::number(r.step);
    case Fault::Delay:
        return "delay " + QByteArray::number(r.step / 10.0);
    case Fault::GarbageBefore:
        return "garbage on";
    case Fault::GarbageInside:
        return "garbage inside";
    case Fault::Split:
        return "split on";
    case Fault::Noise:
        return {};
    }
    return {};
}

// Runs the operation as the operator does, the board's buttons pressed once
// the prompt is closed. True when the window says it succeeded.
bool Campaign::operate(RealWindow &w, Sim &sim, const Run &r, bool faulty)
{
    // The operation's timers end with it: none reaches a board started after it.
    QObject scope;
    const bool success = operateIn(scope, w, sim, r, faulty);
    w.dialogs.onMessage = nullptr;
    return success;
}

bool Campaign::operateIn(QObject &scope, RealWindow &w, Sim &sim, const Run &r, bool faulty)
{
    Form2 &form = *w.form;
    const Form2Ui ui = controls(form);
    const bool noise = faulty && r.fault == Fault::Noise;
    const bool bareHangup = faulty && r.fault == Fault::Hangup && r.op == Op::Badge;
    // The noise floods the line from a moment into the operation on: the
    // step is that moment in milliseconds times 1000, plus the bytes.
    if (noise)
        QTimer::singleShot(r.step / 1000, &scope, [&sim, &r] {
            sim.command("noise " + QByteArray::number(r.step % 1000));
        });
    const auto board = [&](const QByteArray &action) {
        w.dialogs.onMessage = [&sim, &scope, action, bareHangup, &r](const FakeDialogs::Shown &) {
            QTimer::singleShot(300, &scope, [&sim, action] { sim.command(action); });
            // The board hangs up before the badge comes.
            if (bareHangup)
                QTimer::singleShot(r.step, &scope, [&sim] { sim.command("hangup"); });
        };
    };
    const int replyWait = 1000 + (faulty && r.fault == Fault::Delay ? r.step * 100 : 0);
    switch (r.op) {
    case Op::Upload:
        board("push bp1");
        form.Command8_Click();
        return QRegularExpression(QStringLiteral("^Transfert en : \\d+ mS$"))
            .match(ui.Label14->text())
            .hasMatch();
    case Op::History:
        board("push bp3");
        form.Command3_Click();
        return ui.Label14->text().startsWith(QStringLiteral("Téléchargement terminé"));
    case Op::Clock:
        QTimer::singleShot(300, &scope, [&sim] { sim.command("announce clock"); });
        form.Command17_Click();
        return ui.Label14->text().startsWith(QStringLiteral("Modification enregistree"));
    case Op::Badge: {
        board("present " + kBadge);
        // No limit on the reading: the operator gives up with a right press on "Connexion".
        QTimer t;
        t.setSingleShot(true);
        QObject::connect(&t, &QTimer::timeout, &form,
                         [&form] { form.Command10_MouseDown(MouseButton::Right); });
        t.start(2500);
        ui.numero_badge->clear();
        form.lecture_badge_Click();
        return ui.numero_badge->text() == QString::fromLatin1(kBadge);
    }
    default:
        break;
    }
    // The maintenance commands go out on a port opened with "Connexion".
    form.Command10_MouseDown(MouseButton::Left);
    if (bareHangup)
        sim.command("hangup");
    w.dialogs.answers = {MsgAnswer::Yes};
    switch (r.op) {
    case Op::Eeprom:
        form.Command15_Click();
        break;
    case Op::RazOffset:
        form.Command16_Click();
        break;
    case Op::VidageFlash:
        form.Command18_Click();
        break;
    case Op::RazHistory:
        form.Command20_MouseDown(MouseButton::Left);
        break;
    default:
        form.Command20_MouseDown(MouseButton::Right);
        break;
    }
    pump(replyWait);
    return false; // the program does not look for an answer to these
}

// What the board must report when the operation went through.
QByteArray boardDone(Op op)
{
    switch (op) {
    case Op::Upload:
        return "UPLOAD COMPLETE";
    case Op::History:
        return "HISTORY SENT";
    case Op::Clock:
        return "CLOCK SET";
    case Op::Badge:
        return "BADGE PRESENTED";
    case Op::Eeprom:
        return "DUMP eeprom";
    case Op::RazOffset:
        return "RAZ offset";
    case Op::VidageFlash:
        return "DUMP vidage";
    case Op::RazHistory:
        return "RAZ flash history";
    case Op::RazAll:
        return "RAZ flash everything";
    }
    return {};
}

// The board's log of passages as its history lines, taken before the
// operation: a board that hangs up cannot be asked afterwards.
QList<QByteArray> boardLog(Sim &sim)
{
    sim.command("dump");
    const QByteArray count = sim.waitLine("PASSAGES ", 3000);
    QList<QByteArray> log;
    for (int i = count.mid(9).toInt(); i > 0; --i)
        log << sim.waitLine("PASSAGE ", 3000).mid(8);
    return log;
}

QString Campaign::check(RealWindow &w, Sim &sim, const Run &r, bool success, const List &list,
                        const QList<QByteArray> &log)
{
    Form2 &form = *w.form;
    const Form2Ui ui = controls(form);
    const QString said = ui.Label14->text();
    const QByteArray report = sim.report();
    const bool maintenance = r.op >= Op::Eeprom;
    QStringList failed;
    if (report.contains("VIOLATION"))
        failed << QStringLiteral("the board saw a wrong byte");
    if (success) {
        // A success the board does not confirm is a failure reported as success.
        if (!report.contains(boardDone(r.op)))
            failed << QStringLiteral("success said, but the board did not report %1")
                          .arg(QString::fromLatin1(boardDone(r.op)));
        if (r.op == Op::Upload) {
            QList<QByteArray> stored;
            for (const QByteArray &line : report.split('\n'))
                if (line.startsWith("SLOT "))
                    stored << line;
            if (stored != list.slotLines)
                failed << QStringLiteral("the board's slots differ from the list");
        }
    } else if (!maintenance) {
        if (said.isEmpty() || said == QStringLiteral("...") ||
            said == QStringLiteral("Connexion établie avec la platine"))
            failed << QStringLiteral("the status strip does not say what failed");
    }
    if (r.fault == Fault::Hangup && !success && !said.contains(QStringLiteral("perdu")) &&
        !said.contains(QStringLiteral("fermée")) && !said.contains(QStringLiteral("interrompu")))
        failed << QStringLiteral("the lost line is not named");

    // Files: each the old version, or the new one after a success.
    const auto bytes = [&](const char *name) {
        QFile f(w.dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    if (bytes("liste.txt") != list.file)
        failed << QStringLiteral("liste.txt changed");
    if (bytes("temp.txt") != kOld)
        failed << QStringLiteral("temp.txt changed");
    const QByteArray histo = bytes("histo.txt");
    if (r.op == Op::History && success) {
        // A download is what histo.txt and the journal hold, not what the
        // board says it sent: every passage of its log, then the end marker.
        const QByteArray journal = bytes("journal des passages.csv");
        if (log.isEmpty())
            failed << QStringLiteral("the board's log could not be read");
        if (!histo.contains("Historique"))
            failed << QStringLiteral("histo.txt lacks the end marker");
        for (const QByteArray &line : log) {
            if (!histo.contains(line + "\r\n"))
                failed << QStringLiteral("histo.txt lacks ") + QString::fromLatin1(line);
            // "0123456789     08:37 ..." is the row "...;08:37;0123456789;..." of the journal.
            if (!journal.contains(";" + line.mid(15, 5) + ";" + line.left(14).trimmed() + ";"))
                failed << QStringLiteral("the journal lacks ") + QString::fromLatin1(line);
        }
    } else if (histo != kOld) {
        failed << QStringLiteral("histo.txt changed without a complete download");
    }

    // The window answers: the line is free and a click runs its handler.
    if (form.lineBusy())
        failed << QStringLiteral("the line is still held");
    ui.heure_pc->clear();
    QTest::mouseClick(ui.Command19, Qt::LeftButton);
    if (ui.heure_pc->text().isEmpty())
        failed << QStringLiteral("a click on \"Heure PC\" did nothing");
    return failed.join(QStringLiteral("; "));
}

QString Campaign::run(const Run &r, QString *said)
{
    RealWindow w;
    const List list = makeList(r.records);
    for (const char *name : {"histo.txt", "temp.txt"}) {
        QFile f(w.dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(kOld) != kOld.size())
            return QStringLiteral("cannot write %1").arg(QString::fromLatin1(name));
    }
    const QString listPath = w.dir.filePath(QStringLiteral("liste.txt"));
    {
        QFile f(listPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(list.file) != list.file.size())
            return QStringLiteral("cannot write the list");
    }
    const QByteArray paramBefore = [&] {
        QFile f(w.form->settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    openListFile(*w.form, w.dialogs, listPath);
    controls(*w.form).tempo_gache->setText(QStringLiteral("5"));
    const QStringList seed{QStringLiteral("--seed"), QString::number(r.seed)};
    auto sim = std::make_unique<Sim>(w.dir.path(), seed);
    if (!sim->ready())
        return QStringLiteral("the simulator did not start");
    const QList<QByteArray> log = boardLog(*sim);
    const QByteArray arm = arming(r);
    if (!arm.isEmpty()) {
        // Its own "OK": the one of "dump" may still be untaken, and the
        // operation must not start before the board has armed the fault.
        sim->command(arm);
        if (sim->waitLine("OK " + arm, kSimWait).isEmpty())
            return QStringLiteral("the simulator refused: ") + QString::fromLatin1(arm);
    }
    controls(*w.form).Label14->setText(QString());
    // A click while the board is failing runs its handler too.
    bool answered = false;
    QTimer::singleShot(250, w.form.get(), [&w, &answered] {
        const Form2Ui ui = controls(*w.form);
        ui.heure_pc->clear();
        QTest::mouseClick(ui.Command19, Qt::LeftButton);
        answered = !ui.heure_pc->text().isEmpty();
    });
    const bool success = operate(w, *sim, r, true);
    // The board hangs up at its byte, and the window hears of it on a later
    // turn of its loop. A maintenance command waits for no answer, so on a
    // loaded machine both may come after the command ended: the run waits
    // for them, not for a time that a slow machine overruns.
    bool heard = true;
    if (r.fault == Fault::Hangup) {
        sim->gone(kSimWait);
        heard = QTest::qWaitFor([&w] { return !w.serial.isOpen(); }, kSimWait);
    }
    pump(300);
    *said = controls(*w.form).Label14->text();
    QString failed = check(w, *sim, r, success, list, log);
    if (!answered)
        failed += QStringLiteral("; a click during the operation did nothing");
    if (!heard)
        failed += QStringLiteral("; the window never saw the line close when the board hung up");
    {
        QFile f(w.form->settingsPath());
        if ((f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()) != paramBefore)
            failed += QStringLiteral("; param.ini changed");
    }
    if (r.fault != Fault::Hangup || !failed.isEmpty())
        return failed;

    // The board comes back: the port opens again and the same operation,
    // now without fault, goes through whole.
    if (!sim->gone(0))
        return QStringLiteral("the simulator did not hang up");
    sim.reset();
    sim = std::make_unique<Sim>(w.dir.path(), seed);
    if (!sim->ready())
        return QStringLiteral("the simulator did not come back");
    const QList<QByteArray> logAgain = boardLog(*sim);
    controls(*w.form).Label14->setText(QString());
    Run clean = r;
    clean.fault = Fault::Split; // checked as a run that must succeed
    const bool again = operate(w, *sim, clean, false);
    pump(300);
    const QByteArray report = sim->report();
    if (r.op >= Op::Eeprom) {
        if (!w.form->indicatorConnected())
            return QStringLiteral("the port did not open again");
    } else if (!again) {
        return QStringLiteral("the operation failed after the board came back: ") +
               controls(*w.form).Label14->text();
    }
    if (!report.contains(boardDone(r.op)))
        return QStringLiteral("the board did not report %1 after coming back")
            .arg(QString::fromLatin1(boardDone(r.op)));
    const QString after = check(w, *sim, clean, again, list, logAgain);
    return after.isEmpty() ? QString() : QStringLiteral("after the board came back: ") + after;
}

// The runs of the campaign, drawn from `seed`.
std::vector<Run> plan(bool longMode, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    const auto pick = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, std::max(lo, hi))(rng);
    };
    std::vector<std::pair<Op, Fault>> pairs;
    if (longMode) {
        for (int i = 0; int(pairs.size()) < count; ++i)
            pairs.emplace_back(Op(i / kFaults % kOps), Fault(i % kFaults));
    } else {
        // The quick cases: each fault on a maintenance command, the faults a
        // badge reading, a clock setting and a history download end in a few
        // seconds, and an upload hung up in its first block, then sent again
        // whole once the board is back.
        using F = Fault;
        for (int f = 0; f < kFaults; ++f)
            pairs.emplace_back(Op::Eeprom, Fault(f));
        pairs.insert(pairs.end(),
                     {{Op::RazOffset, F::Hangup},    {Op::RazOffset, F::Noise},
                      {Op::VidageFlash, F::Hangup},  {Op::VidageFlash, F::Split},
                      {Op::RazHistory, F::Hangup},   {Op::RazHistory, F::GarbageBefore},
                      {Op::RazAll, F::Hangup},       {Op::RazAll, F::Silent},
                      {Op::Badge, F::Hangup},        {Op::Badge, F::Split},
                      {Op::Badge, F::GarbageInside}, {Op::Badge, F::Noise},
                      {Op::Badge, F::Silent},        {Op::Clock, F::Hangup},
                      {Op::Clock, F::Split},         {Op::Clock, F::Silent},
                      {Op::Clock, F::Delay},         {Op::Clock, F::Noise},
                      {Op::History, F::Hangup},      {Op::History, F::Split},
                      {Op::History, F::Noise},       {Op::Upload, F::Hangup},
                      {Op::RazOffset, F::Split}});
        pairs.resize(std::min<std::size_t>(pairs.size(), std::size_t(count)));
    }
    std::vector<Run> runs;
    for (const auto &[op, fault] : pairs) {
        Run r{op, fault};
        r.records = op == Op::Upload ? (longMode ? pick(1, 100) : pick(1, 25)) : 1;
        r.seed = unsigned(rng());
        switch (fault) {
        case Fault::Hangup:
            // In the short mode an upload is hung up in its first block; a
            // badge reading, where the program sends nothing, within 0.3 s.
            r.step = op == Op::Badge
                         ? pick(0, 299)
                         : pick(1, op == Op::Upload && !longMode ? 300 : programBytes(r));
            break;
        case Fault::Silent:
            // The short mode spares the waits for a first keyword that never comes.
            r.step = pick(!longMode && op == Op::Clock ? 1 : 0, boardOutputs(r) - 1);
            break;
        case Fault::Delay: // tenths of a second; an upload meets it at each of its keywords
            r.step = !longMode ? pick(2, 8) : op == Op::Upload ? pick(2, 30) : pick(2, 120);
            break;
        case Fault::Noise: // when it starts (ms) times 1000, plus how many bytes
            r.step =
                1000 * (op == Op::Clock || op == Op::History ? pick(800, 1300) : pick(0, 1500)) +
                pick(50, 999);
            break;
        default:
            break;
        }
        runs.push_back(r);
    }
    return runs;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toLatin1());
    QApplication app(argc, argv);
    bool longMode = false;
    int count = -1, only = -1, share = 1, shares = 1;
    unsigned seed = unsigned(QDateTime::currentMSecsSinceEpoch() % 1000000);
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const bool value = i + 1 < args.size();
        if (args[i] == QStringLiteral("--long"))
            longMode = true;
        else if (args[i] == QStringLiteral("--short"))
            longMode = false;
        else if (args[i] == QStringLiteral("--runs") && value)
            count = args[++i].toInt();
        else if (args[i] == QStringLiteral("--seed") && value)
            seed = args[++i].toUInt();
        else if (args[i] == QStringLiteral("--run") && value)
            only = args[++i].toInt();
        else if (args[i] == QStringLiteral("--share") && value &&
                 std::sscanf(qPrintable(args[i + 1]), "%d/%d", &share, &shares) == 2 &&
                 share >= 1 && share <= shares)
            ++i;
        else {
            std::fprintf(stderr, "usage: faults_campaign [--short|--long] [--runs N] [--seed S] "
                                 "[--run I | --share K/N]\n");
            return 2;
        }
    }
    if (count < 0)
        count = longMode ? 315 : 30;
    const std::vector<Run> runs = plan(longMode, count, seed);
    std::printf("faults_campaign: %s mode, seed=%u, %zu runs (replay one: --%s --runs %d "
                "--seed %u --run I)\n",
                longMode ? "long" : "short", seed, runs.size(), longMode ? "long" : "short", count,
                seed);
    std::fflush(stdout);
    Campaign campaign;
    QElapsedTimer total;
    total.start();
    int failures = 0, ran = 0;
    for (int i = 0; i < int(runs.size()); ++i) {
        if ((only >= 0 && i != only) || i % shares != share - 1)
            continue;
        const Run &r = runs[std::size_t(i)];
        QElapsedTimer t;
        t.start();
        QString said;
        const QString failed = campaign.run(r, &said);
        ++ran;
        failures += failed.isEmpty() ? 0 : 1;
        std::printf("run %d: %s %s step=%d records=%d %s (%.1f s) Label14: %s%s%s\n", i,
                    kOpNames[int(r.op)], kFaultNames[int(r.fault)], r.step, r.records,
                    failed.isEmpty() ? "ok" : "FAILED", t.elapsed() / 1000.0, qPrintable(said),
                    failed.isEmpty() ? "" : "\n    ", qPrintable(failed));
        std::fflush(stdout);
    }
    std::printf("faults_campaign: %d runs, %d failed, %.1f s, seed=%u\n", ran, failures,
                total.elapsed() / 1000.0, seed);
    return failures == 0 ? 0 : 1;
}
