#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QTimer>
#include <QUrl>

#include <thread>

namespace platine {

// --- Serial port ---------------------------------------------------------------

QtSerialPort::QtSerialPort(QStringList linkDirs, QObject *parent)
    : QObject(parent), m_linkDirs(std::move(linkDirs))
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        if (onReadyRead)
            onReadyRead();
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QString QtSerialPort::deviceName(const PortId &port) const
{
    if (!port.device.isEmpty())
        return port.device; // a device of the list, by the name that opens it
    const int n = port.number;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    // An entry "COMn" in the program's files folder or beside the program (a
    // link to /dev/ttyUSB0, /dev/ttyACM0 or a pseudo-terminal) names port n;
    // otherwise the n-th serial port.
    for (const QString &dir : m_linkDirs) {
        const QFileInfo entry(QDir(dir).filePath(QStringLiteral("COM%1").arg(n)));
        if (entry.exists() || entry.isSymLink()) {
            // The device itself, so that every name of one device shares its lock.
            const QString target = entry.canonicalFilePath();
            return target.isEmpty() ? entry.absoluteFilePath() : target;
        }
    }
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

QList<SerialDeviceInfo> QtSerialPort::availableDevices() const
{
    QList<SerialDeviceInfo> list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const QString name = info.portName();
#else
        const QString name = info.systemLocation();
#endif
        list.append({name, info.manufacturer(), info.description(), info.serialNumber()});
    }
    return list;
}

DeviceAccess QtSerialPort::deviceAccess(const PortId &port) const
{
#ifdef Q_OS_WIN
    Q_UNUSED(port);
    return {};
#else
    const QFileInfo device(deviceName(port));
    if (!device.exists())
        return {};
    const QFileDevice::Permissions groupRw = QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    return {device.group(), device.groupId() == 0, (device.permissions() & groupRw) == groupRw};
#endif
}

OpenResult QtSerialPort::open(const PortId &port)
{
    if (m_port.isOpen())
        return OpenResult::Opened;
    const QString device = deviceName(port);
    m_port.setPortName(device);
    m_error.clear();
    m_lostReported = false;
    if (!m_port.open(QIODevice::ReadWrite)) {
        const auto error = m_port.error();
        m_error = m_port.errorString();
        m_port.clearError();
        if (error == QSerialPort::DeviceNotFoundError)
            return OpenResult::Absent;
        if (m_error.contains(QLatin1String("locking"), Qt::CaseInsensitive) ||
            m_error.contains(QLatin1String("busy"), Qt::CaseInsensitive))
            return OpenResult::InUse;
        if (error == QSerialPort::PermissionError)
            return OpenResult::Denied;
        return OpenResult::Failed;
    }
    // 9600 baud, 8 data bits, no parity, 1 stop bit, no handshaking.
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // What waited in the adapter or the terminal before the port opened came
    // while nobody listened: the board's next word starts afresh.
    m_port.clear(QSerialPort::Input);
    m_port.clearError();
    return OpenResult::Opened;
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::isOpen() const
{
    return m_port.isOpen();
}

QString QtSerialPort::errorText() const
{
    return m_error;
}

void QtSerialPort::setDtr(bool on)
{
    // A pseudo-terminal has no DTR line and refuses; the port is used all the same.
    m_port.setDataTerminalReady(on);
    m_port.clearError();
}

bool QtSerialPort::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Out at once, not at the next turn of the event loop: the board's pacing
    // depends on when each byte leaves.
    m_port.flush();
    return true;
}

QByteArray QtSerialPort::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::UnsupportedOperationError: // DTR on a pseudo-terminal
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // The device went away. An unplugged adapter gives a resource error;
        // a hung-up terminal (a pseudo-terminal whose other side closed) reads
        // end of file, which Qt 6.4 reports as a read error again on every
        // turn of the loop while the port stays open. A serial line never
        // ends otherwise, so both mean the port is lost. Qt does not close
        // the port itself; the window does, from the next turn of the loop,
        // as Qt is still inside its read when it tells us.
        m_error = m_port.errorString();
        if (!m_lostReported) {
            m_lostReported = true;
            const QString why =
                error == QSerialPort::ResourceError && !m_error.isEmpty()
                    ? m_error
                    : QCoreApplication::translate("Platform", "périphérique retiré");
            QMetaObject::invokeMethod(
                this,
                [this, why] {
                    if (m_port.isOpen() && onLost)
                        onLost(why);
                },
                Qt::QueuedConnection);
        }
        return;
    default:
        m_error = m_port.errorString();
        return;
    }
}

// --- Dialogs ---------------------------------------------------------------------

static QString shown(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

MsgAnswer QtDialogs::message(MsgIcon icon, MsgButtons buttons, const QString &title,
                             const QString &text, QWidget *parent, MsgAnswer byDefault)
{
    QMessageBox box(over(parent));
    box.setWindowTitle(title);
    box.setText(shown(text));
    switch (icon) {
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const QMessageBox::StandardButton defaultButton =
        byDefault == MsgAnswer::No       ? QMessageBox::No
        : byDefault == MsgAnswer::Cancel ? QMessageBox::Cancel
        : byDefault == MsgAnswer::Yes    ? QMessageBox::Yes
                                         : QMessageBox::Ok;
    box.setDefaultButton(defaultButton); // none when the box lacks it
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText,
                         QWidget *parent)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(over(parent), title, shown(prompt),
                                                 QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::fileDialog(bool save, const QString &title, const QString &preset,
                              QWidget *parent, const QStringList &kinds)
{
    QFileDialog dialog(over(parent), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The program asks itself before replacing a file, once the name has its extension.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A name that does not exist yet may be given (a new list).
    dialog.setFileMode(QFileDialog::AnyFile);
    // The kinds of file offered: those the caller names (a report's
    // formats), else lists and tables.
    const QString all = QCoreApplication::translate("Platform", "Tous les fichiers (*)");
    if (!kinds.isEmpty())
        dialog.setNameFilters(QStringList(kinds) << all);
    else
        dialog.setNameFilters({QCoreApplication::translate("Platform", "Listes (*.txt)"),
                               QCoreApplication::translate("Platform", "Tableur (*.csv)"), all});
    if (!m_lastDir.isEmpty())
        dialog.setDirectory(m_lastDir);
    if (!preset.isEmpty() && preset != QLatin1String("*.txt"))
        dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString chosen = dialog.selectedFiles().first();
    // A name typed without extension takes the one of the kind chosen (a
    // table under "Tableur", a workbook under "Classeur"...).
    const QString filter = dialog.selectedNameFilter();
    if (save && filter != all && QFileInfo(chosen).suffix().isEmpty()) {
        const qsizetype dot = filter.indexOf(QLatin1String("(*."));
        if (dot >= 0)
            chosen += filter.mid(dot + 2).chopped(1);
    }
    m_lastDir = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString QtDialogs::openFile(const QString &title, const QString &preset, QWidget *parent)
{
    return fileDialog(false, title, preset, parent);
}

QString QtDialogs::saveFile(const QString &title, const QString &preset, QWidget *parent)
{
    return fileDialog(true, title, preset, parent);
}

QString QtDialogs::saveFileOfKinds(const QString &title, const QString &preset,
                                   const QStringList &kinds, QWidget *parent)
{
    return fileDialog(true, title, preset, parent, kinds);
}

void QtShell::open(const QString &pathOrUrl)
{
    const QUrl url =
        pathOrUrl.contains(QLatin1String("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url); // the result is not reported
}

void QtWindows::show(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
    window->activateWindow();
}

// --- Time and the event loop -----------------------------------------------------

void QtEventPump::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitUntil(Millis deadline)
{
    const Millis now = m_clock.elapsed();
    if (now >= deadline) {
        processEvents();
        return;
    }
    // Asleep in the event loop: the next event, or this timer at the deadline,
    // wakes it.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, [] {});
    wake.start(int((deadline - now).count()));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::block(Millis d)
{
    std::this_thread::sleep_for(d);
}

namespace {
class QtTimer : public Timer {
public:
    QtTimer()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (onTimeout)
                onTimeout();
        });
    }
    void start(Millis interval) override { m_timer.start(int(interval.count())); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
} // namespace

std::unique_ptr<Timer> makeQtTimer()
{
    return std::make_unique<QtTimer>();
}

QtPlatform::QtPlatform(const Folders &f)
    : folders(f),
      serial(f.files == f.program ? QStringList{f.program} : QStringList{f.files, f.program})
{
}

Platform QtPlatform::platform()
{
    return {.serial = &serial,
            .dialogs = &dialogs,
            .shell = &shell,
            .windows = &windows,
            .clock = &clock,
            .pump = &pump,
            .makeTimer = makeQtTimer,
            .programDir = folders.files,
            .settingsDir = folders.settings};
}

} // namespace platine
