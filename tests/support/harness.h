#pragma once
// The window on test doubles: virtual time, a scripted port, answered
// dialogs and a temporary program directory.

#include "app/form2.h"
#include "support/controls.h"
#include "support/fakes.h"

#include <QTemporaryDir>

#include <memory>

namespace platine::testing {

struct Harness {
    explicit Harness(bool load = true);
    // The services above, for another window on them.
    Platform platform();
    ~Harness();

    QString path(const QString &name) const { return dir.filePath(name); }
    // The window's controls, found by name.
    Form2Ui ui() const { return controls(*form); }
    // Writes a file of the program directory (or any path) with raw bytes;
    // false when it could not be written whole.
    static bool writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);
    // Opens the list file `path` as the operator does ("Ouvrir une liste
    // enregistrée"); the file dialog is not kept among the dialogs shown.
    void openList(const QString &path);
    // The connection indicator green (or not) while the port stays closed,
    // as after a port closed behind the window's back; the port's counters
    // start again from zero.
    void lightIndicator(bool green);

    QTemporaryDir dir;
    VirtualTime time;
    FakeSerialPort port{time};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeWindows windows;
    std::unique_ptr<Form2> form;
    int ended = 0; // times the quit button ended the program
};

} // namespace platine::testing
