#pragma once
// The Qt implementations of the platform services.

#include "platform/folders.h"
#include "platform/platform.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QStringList>

#include <memory>

class QWidget;

namespace platine {

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    // `linkDirs`: where an entry "COMn" (a link to the device) names port n,
    // the first folder holding one winning.
    explicit QtSerialPort(QStringList linkDirs, QObject *parent = nullptr);
    explicit QtSerialPort(const QString &linkDir, QObject *parent = nullptr)
        : QtSerialPort(QStringList{linkDir}, parent)
    {
    }

    OpenResult open(const PortId &port) override;
    void close() override;
    bool isOpen() const override;
    QString deviceName(const PortId &port) const override;
    QList<SerialDeviceInfo> availableDevices() const override;
    DeviceAccess deviceAccess(const PortId &port) const override;
    QString errorText() const override;
    void setDtr(bool on) override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QStringList m_linkDirs;
    QSerialPort m_port;
    QString m_error;
    bool m_lostReported = false;
};

class QtDialogs : public Dialogs {
public:
    // Set once the window exists: the dialogs are modal over it, unless
    // another window asks.
    QWidget *owner = nullptr;

    MsgAnswer message(MsgIcon icon, MsgButtons buttons, const QString &title, const QString &text,
                      QWidget *parent = nullptr, MsgAnswer byDefault = MsgAnswer::Yes) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText,
                  QWidget *parent = nullptr) override;
    QString openFile(const QString &title, const QString &preset,
                     QWidget *parent = nullptr) override;
    QString saveFile(const QString &title, const QString &preset,
                     QWidget *parent = nullptr) override;
    QString saveFileOfKinds(const QString &title, const QString &preset, const QStringList &kinds,
                            QWidget *parent = nullptr) override;

private:
    QString fileDialog(bool save, const QString &title, const QString &preset, QWidget *parent,
                       const QStringList &kinds = {});
    // The window a box is modal over: the one that asks, else the main window.
    QWidget *over(QWidget *parent) const { return parent ? parent : owner; }
    QString m_lastDir;
};

class QtShell : public Shell {
public:
    void open(const QString &pathOrUrl) override;
};

class QtWindows : public Windows {
public:
    void show(QWidget *window) override;
};

class QtClock : public Clock {
public:
    QtClock() { m_timer.start(); }
    Millis elapsed() const override { return Millis(m_timer.elapsed()); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }

private:
    QElapsedTimer m_timer;
};

class QtEventPump : public EventPump {
public:
    explicit QtEventPump(const Clock &clock) : m_clock(clock) {}
    void processEvents() override;
    void waitUntil(Millis deadline) override;
    void block(Millis d) override;

private:
    const Clock &m_clock;
};

// All the Qt services, owned together.
struct QtPlatform {
    explicit QtPlatform(const Folders &folders);
    // Everything in one folder (the benchmarks, the tests).
    explicit QtPlatform(const QString &dir) : QtPlatform(Folders{dir, dir, dir}) {}
    Folders folders;
    QtSerialPort serial;
    QtDialogs dialogs;
    QtShell shell;
    QtWindows windows;
    QtClock clock;
    QtEventPump pump{clock};
    Platform platform();
};

std::unique_ptr<Timer> makeQtTimer();

} // namespace platine
