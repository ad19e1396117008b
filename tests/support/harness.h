#pragma once
// The window on test doubles: virtual time, a scripted port, answered
// dialogs and a temporary program directory.

#include "app/form2.h"
#include "support/fakes.h"

#include <QTemporaryDir>

#include <memory>

namespace platine::testing {

struct Harness {
    explicit Harness(bool load = true);
    ~Harness();

    QString path(const QString &name) const { return dir.filePath(name); }
    // Writes a file of the program directory (or any path) with raw bytes.
    static void writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);

    QTemporaryDir dir;
    VirtualTime time;
    FakeSerialPort port{time};
    FakeDialogs dialogs;
    FakeShell shell;
    std::unique_ptr<Form2> form;
    int ended = 0; // times the quit button ended the program
};

} // namespace platine::testing
