#pragma once
// Test doubles of the platform services: virtual time, a scripted serial
// port, dialogs answered in advance, a shell that only records.

#include "platform/platform.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <QPointer>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace platine::testing {

// Virtual time: the steady clock only moves when a wait sleeps, straight to
// the next scheduled event or the wait's deadline. A 10-second wait costs
// nothing in real time.
class VirtualTime : public Clock, public EventPump {
public:
    Millis elapsed() const override { return m_now; }
    QDateTime now() const override { return m_wallStart.addMSecs(m_now.count()); }
    void processEvents() override;
    void waitUntil(Millis deadline) override;
    void block(Millis d) override
    {
        if (onBlock)
            onBlock(d);
        m_now += d;
        ++blocks;
        blockedFor += d;
    }

    // Runs `action` when virtual time reaches `at` (and an event loop runs).
    void at(Millis at, std::function<void()> action);
    void after(Millis delay, std::function<void()> action) { at(m_now + delay, std::move(action)); }
    // Advances time to `t`, running everything scheduled until then.
    void advanceTo(Millis t);
    void advance(Millis d) { advanceTo(m_now + d); }

    std::unique_ptr<Timer> makeTimer();

    QDateTime m_wallStart = QDateTime(QDate(2026, 12, 6), QTime(17, 5, 9));
    int blocks = 0;
    Millis blockedFor{0};
    // Called as a blocking pause begins: what the window shows during it.
    std::function<void(Millis)> onBlock;
    // A wait that would sleep past this much virtual time is a hung test.
    Millis horizon{std::chrono::hours(48)};

private:
    bool runDue();
    Millis m_now{0};
    std::multimap<Millis, std::function<void()>> m_queue;
    std::uint64_t m_seq = 0;
};

// A serial port whose other end is the test: what the program writes is
// recorded, and what the board sends is delivered at a virtual time.
class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(VirtualTime &time) : m_time(time) {}

    OpenResult open(const PortId &port) override;
    void close() override
    {
        m_open = false;
        ++closes;
    }
    bool isOpen() const override { return m_open; }
    QString deviceName(const PortId &port) const override
    {
        return port.device.isEmpty() ? QStringLiteral("/dev/fake%1").arg(port.number) : port.device;
    }
    QList<SerialDeviceInfo> availableDevices() const override
    {
        ++deviceListings;
        return devices;
    }
    DeviceAccess deviceAccess(const PortId &) const override { return access; }
    QString errorText() const override { return errorString; }
    void setDtr(bool on) override
    {
        dtr = on;
        ++dtrSets;
    }
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;

    // The board sends `bytes`, arriving `delay` from now. Bytes that arrive
    // while the port is closed wait in the adapter until an open drops them.
    void deliver(const QByteArray &bytes, Millis delay = Millis(0));
    // The device goes away `delay` from now (an adapter pulled out).
    void lose(Millis delay = Millis(0));

    // Everything the program wrote, in order, and each write apart.
    QByteArray written;
    QList<QByteArray> writes;
    // Called after every write the program makes: the scripted board.
    std::function<void(const QByteArray &)> onWrite;

    OpenResult nextOpen = OpenResult::Opened;
    QString errorString;
    int openedPort = 0;   // the number last opened; 0 for a device
    QString openedDevice; // the device last opened by name
    // The devices present on the fake machine, and who may open them.
    QList<SerialDeviceInfo> devices;
    DeviceAccess access;
    mutable int deviceListings = 0;
    int opens = 0;
    int closes = 0;
    int dtrSets = 0;
    bool dtr = true;

private:
    VirtualTime &m_time;
    bool m_open = false;
    QByteArray m_input;
};

// Dialogs answered in advance; each dialog shown is recorded.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "input", "open", "save"
        MsgIcon icon = MsgIcon::Information;
        MsgButtons buttons = MsgButtons::Ok;
        QString title;
        QString text;
        QPointer<QWidget> parent; // the window that asked; null: the main window
        MsgAnswer byDefault = MsgAnswer::Yes; // the button Return presses
    };
    MsgAnswer message(MsgIcon icon, MsgButtons buttons, const QString &title, const QString &text,
                      QWidget *parent = nullptr, MsgAnswer byDefault = MsgAnswer::Yes) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText,
                  QWidget *parent = nullptr) override;
    QString openFile(const QString &title, const QString &preset,
                     QWidget *parent = nullptr) override;
    QString saveFile(const QString &title, const QString &preset,
                     QWidget *parent = nullptr) override;

    std::deque<MsgAnswer> answers; // message boxes; Ok when empty
    std::deque<QString> inputs;    // input boxes; empty text (Cancel) when empty
    std::deque<QString> files;     // file dialogs; empty (cancelled) when empty
    std::vector<Shown> shown;
    QStringList presets;
    // Runs when a message box is closed (the operator then acts on the board).
    std::function<void(const Shown &)> onMessage;

private:
    QString fileDialog(const QString &kind, const QString &title, const QString &preset,
                       QWidget *parent);
};

class FakeShell : public Shell {
public:
    void open(const QString &pathOrUrl) override { opened << pathOrUrl; }
    QStringList opened;
};

// The other windows, shown offscreen and recorded, so that a test finds
// the one a command opened and works it.
class FakeWindows : public Windows {
public:
    ~FakeWindows() override;
    void show(QWidget *window) override;
    // The last window of type T shown and still open; null when none.
    template <typename T> T *find() const
    {
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (auto *w = qobject_cast<T *>(it->data()))
                return w;
        return nullptr;
    }
    std::vector<QPointer<QWidget>> shown;
};

} // namespace platine::testing
