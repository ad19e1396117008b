#pragma once
// The services of the desktop that the window uses, each behind a small
// interface. The program runs on the Qt implementations (qt_platform.h);
// the tests run every handler on doubles: a scripted board, dialogs answered
// in advance and virtual time (tests/support).

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

class QWidget;

namespace platine {

using Millis = std::chrono::milliseconds;

// --- Serial port -----------------------------------------------------------

// What became of a port the program tried to open.
enum class OpenResult { Opened, Absent, InUse, Denied, Failed };

// The port the operator chose: a port number 1 to 10 ("COM1" to "COM10"),
// or a serial device present on the machine, by its device name.
struct PortId {
    int number = 0;
    QString device;

    PortId() = default;
    PortId(int n) : number(n) {} // a port number, as the program always had
    static PortId ofDevice(const QString &name)
    {
        PortId p;
        p.device = name;
        return p;
    }
    bool isNone() const { return number == 0 && device.isEmpty(); }
    // As the port list and the messages show it: "COM3" or "/dev/ttyUSB0".
    QString label() const
    {
        return device.isEmpty() ? QStringLiteral("COM%1").arg(number) : device;
    }
    bool operator==(const PortId &) const = default;
};

// Who may open a device: the group that owns it, and whether that group may
// read and write it. An unknown owner is an empty name.
struct DeviceAccess {
    QString group;
    bool groupIsRoot = false; // the administrators' group (number 0)
    bool groupReadWrite = false;
};

// A serial device present on the machine, as the port list shows it.
struct SerialDeviceInfo {
    QString name; // what opens it: "/dev/ttyUSB0" (Linux), "COM11" (Windows)
    QString manufacturer;
    QString product;
    QString serialNumber;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port at 9600 baud, 8 data bits, no parity, 1 stop bit, no
    // handshaking. Bytes that waited in the device before it opened are
    // dropped: only what the board sends from now on is read.
    virtual OpenResult open(const PortId &port) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The device path that the port names (shown in messages).
    virtual QString deviceName(const PortId &port) const = 0;
    // The serial devices present now, in the order the system gives them.
    virtual QList<SerialDeviceInfo> availableDevices() const = 0;
    // Who may open the port's device.
    virtual DeviceAccess deviceAccess(const PortId &) const { return {}; }
    // Last error in words, for the operator.
    virtual QString errorText() const = 0;

    // DTR line; a port that cannot set it (a pseudo-terminal) is used all the same.
    virtual void setDtr(bool on) = 0;
    // Writes the bytes as one write; false when the port is closed or the write failed.
    virtual bool write(const QByteArray &bytes) = 0;
    // Everything waiting in the receive buffer.
    virtual QByteArray readAll() = 0;

    // Raised as soon as at least one byte is waiting (the receive notification).
    std::function<void()> onReadyRead;
    // Raised once when the device went away under an open port (adapter unplugged).
    std::function<void(const QString &why)> onLost;
};

// --- Message and input boxes, file dialogs, shell ---------------------------

enum class MsgIcon { Information, Critical, Question, Warning };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Each box and dialog is modal over `parent`, the window that asks (it stays
// in front, above the main window); null: over the main window.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // `byDefault`: the button Return presses, when the box has it; a
    // question that erases or sends passes MsgAnswer::No.
    virtual MsgAnswer message(MsgIcon icon, MsgButtons buttons, const QString &title,
                              const QString &text, QWidget *parent = nullptr,
                              MsgAnswer byDefault = MsgAnswer::Yes) = 0;
    // Modal input box; Cancel gives the empty text.
    virtual QString input(const QString &prompt, const QString &title, const QString &defaultText,
                          QWidget *parent = nullptr) = 0;
    // Open and save dialogs. `preset` is the proposed file name ("*.txt" or a
    // file title); the answer is the full path, or the empty text when cancelled.
    virtual QString openFile(const QString &title, const QString &preset,
                             QWidget *parent = nullptr) = 0;
    virtual QString saveFile(const QString &title, const QString &preset,
                             QWidget *parent = nullptr) = 0;
    // A save dialog offering the kinds of file `kinds` ("Classeur (*.xlsx)"),
    // the first one chosen; a name typed without extension takes the kind's.
    virtual QString saveFileOfKinds(const QString &title, const QString &preset,
                                    const QStringList &kinds, QWidget *parent = nullptr)
    {
        (void)kinds;
        return saveFile(title, preset, parent);
    }
};

class Shell {
public:
    virtual ~Shell() = default;
    // The "open" verb: shows a file or a web address in its default application.
    virtual void open(const QString &pathOrUrl) = 0;
};

// --- The program's other windows -------------------------------------------------

// Opens the program's other windows (the table of the list, the journal of
// passages) beside the main window. Showing one returns at once: the window
// lives on its own while the main window and the line go on, and a test
// finds it among those shown and works it under virtual time.
class Windows {
public:
    virtual ~Windows() = default;
    // Shows `window`, a top-level window that deletes itself when closed,
    // and brings it to the front.
    virtual void show(QWidget *window) = 0;
};

// --- Time and the event loop --------------------------------------------------

class Clock {
public:
    virtual ~Clock() = default;
    // Steady elapsed time since an arbitrary origin; never goes back.
    virtual Millis elapsed() const = 0;
    // Local date and time of day.
    virtual QDateTime now() const = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Processes every pending event and returns.
    virtual void processEvents() = 0;
    // Sleeps until an event arrives or the steady clock reaches `deadline`,
    // then processes the pending events. Costs no processor time while asleep.
    virtual void waitUntil(Millis deadline) = 0;
    // Sleeps for `d` without handling any event (the window does not respond).
    virtual void block(Millis d) = 0;
};

// A single-shot or repeating timer whose ticks are events of the pump.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(Millis interval) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    std::function<void()> onTimeout;
};

// Everything the window needs from its platform, owned elsewhere.
struct Platform {
    SerialPort *serial = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    Windows *windows = nullptr;
    Clock *clock = nullptr;
    EventPump *pump = nullptr;
    std::function<std::unique_ptr<Timer>()> makeTimer;
    // The folder of the program's files ("histo.txt", "temp.txt", "temp2.txt",
    // the "COMn" links): the program's own folder when it can write there,
    // otherwise the user's data folder (platform/folders.h).
    QString programDir;
    // The folder of "param.ini"; empty: the same as programDir.
    QString settingsDir;
};

} // namespace platine
