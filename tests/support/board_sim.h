#pragma once
// The window on the real Qt serial port, clock and event loop, and the
// board simulator beside it on a pseudo-terminal linked as COM1 in the
// window's program directory.

#include "app/form2.h"
#include "platform/qt_platform.h"
#include "support/controls.h"
#include "support/fakes.h"
#include "support/sim_process.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <memory>

namespace platine::testing {

// The simulator, linked as COM1 in the program directory. It is strict: an
// answer sent before the board's keyword has left, or without the pause the
// program leaves after it, is a violation. A line quiet for up to 10 s inside
// an item is not: a loaded machine may hold the program that long.
class Sim : public SimProcess {
public:
    explicit Sim(const QString &dir, const QStringList &extra = {})
        : SimProcess(dir + QStringLiteral("/COM1"),
                     QStringList{QStringLiteral("--strict"), QStringLiteral("--quiet-limit"),
                                 QStringLiteral("10")} +
                         extra)
    {
    }
};

// The PC's clock stopped at a known moment, its elapsed time running for
// real: what the board's clock is set to is known in advance.
struct StoppedWallClock : QtClock {
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(17, 5, 9)); }
};

// The window on the Qt serial port, clock and event loop; dialogs answered
// by the test.
struct RealWindow {
    QTemporaryDir dir;
    QtSerialPort serial{dir.path()};
    StoppedWallClock clock;
    QtEventPump pump{clock};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeWindows windows;
    std::unique_ptr<Form2> form;

    RealWindow()
    {
        form = std::make_unique<Form2>(Platform{.serial = &serial,
                                                .dialogs = &dialogs,
                                                .shell = &shell,
                                                .windows = &windows,
                                                .clock = &clock,
                                                .pump = &pump,
                                                .makeTimer = makeQtTimer,
                                                .programDir = dir.path()});
        form->setEndProgram([] {});
        form->Form_Load();
        controls(*form).Combo1->setCurrentIndex(0); // COM1, the simulator's link
    }
};

} // namespace platine::testing
