#include "support/harness.h"

#include <QFile>

namespace platine::testing {

Harness::Harness(bool load)
{
    form = std::make_unique<Form2>(platform());
    form->setEndProgram([this] { ++ended; });
    if (load) {
        form->Form_Load();
        time.processEvents(); // the first turn of the loop: what the start leaves for it
    }
}

Platform Harness::platform()
{
    return {.serial = &port,
            .dialogs = &dialogs,
            .shell = &shell,
            .windows = &windows,
            .clock = &time,
            .pump = &time,
            .makeTimer = [this] { return time.makeTimer(); },
            .programDir = dir.path()};
}

Harness::~Harness()
{
    form.reset();
}

bool Harness::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

void Harness::openList(const QString &path)
{
    openListFile(*form, dialogs, path);
}

void Harness::lightIndicator(bool green)
{
    if (!green)
        return; // as it starts
    form->Command10_MouseDown(MouseButton::Left);
    port.close();
    port.opens = port.closes = 0;
}

QByteArray Harness::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace platine::testing
