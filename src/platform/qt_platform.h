#pragma once
// The Qt implementations of the platform services.

#include "platform/platform.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>

#include <memory>

class QWidget;

namespace platine {

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    // `programDir`: where an entry "COMn" (a link to the device) names port n.
    explicit QtSerialPort(QString programDir, QObject *parent = nullptr);

    OpenResult open(int n) override;
    void close() override;
    bool isOpen() const override;
    QString deviceName(int n) const override;
    QString errorText() const override;
    void setDtr(bool on) override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QString m_programDir;
    QSerialPort m_port;
    QString m_error;
    bool m_lostReported = false;
};

class QtDialogs : public Dialogs {
public:
    // Set once the window exists: the dialogs are modal over it.
    QWidget *owner = nullptr;

    MsgAnswer message(MsgIcon icon, MsgButtons buttons, const QString &title,
                      const QString &text) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFile(const QString &title, const QString &preset) override;
    QString saveFile(const QString &title, const QString &preset) override;

private:
    QString fileDialog(bool save, const QString &title, const QString &preset);
    QString m_lastDir;
};

class QtShell : public Shell {
public:
    void open(const QString &pathOrUrl) override;
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
    explicit QtPlatform(const QString &programDir);
    QtSerialPort serial;
    QtDialogs dialogs;
    QtShell shell;
    QtClock clock;
    QtEventPump pump{clock};
    Platform platform();
    QString programDir;
};

std::unique_ptr<Timer> makeQtTimer();

} // namespace platine
