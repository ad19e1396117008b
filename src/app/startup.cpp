// Start-up, the settings file "param.ini", the port choice, the strike-delay
// limit and the quit button.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/port_combo.h"
#include "core/app/settings.h"
#include "core/badges/profile.h"
#include "core/badges/tables.h"
#include "core/board/protocol.h"
#include "core/platform/files.h"
#include "platform/own_settings.h"
#include "platform/text.h"
#include "platform/window_place.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>

#include <functional>
#include <utility>

#include <algorithm>

namespace platine {

// "COM1" to "COM10" keep the first ten positions of the port list (port
// numbers 1 to 10); the serial devices present follow them.
inline constexpr int kNumberedPorts = 10;

namespace {

// The items of the port list, built as a PortComboBox (form2_ui.cpp).
PortListModel &portsOf(QComboBox *combo)
{
    return qobject_cast<PortComboBox *>(combo)->ports();
}

// A stored port that names a serial device rather than a text typed by hand:
// a device path, or on Windows a port beyond COM10.
bool isDeviceName(const QString &name)
{
#ifdef Q_OS_WIN
    static const QRegularExpression port(QStringLiteral("^COM[1-9][0-9]*$"));
    return port.match(name).hasMatch();
#else
    return name.startsWith(QLatin1String("/dev/")) && name.size() > 5;
#endif
}

// Runs `work` once `window` has painted itself the first time; at the first
// turn of the event loop when the window is not shown by then (a window
// built and loaded but never shown, as under test).
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget *window, std::function<void()> work)
        : QObject(window), m_window(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (!m_window->isVisible())
                run();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { run(); }); // once the paint is done
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        m_window->removeEventFilter(this);
        std::exchange(m_work, nullptr)();
        deleteLater();
    }

    QWidget *m_window;
    std::function<void()> m_work;
};

void runAfterFirstPaint(QWidget *window, std::function<void()> work)
{
    new AfterFirstPaint(window, std::move(work));
}

} // namespace

QString Form2::settingsDir() const
{
    return m_platform.settingsDir.isEmpty() ? m_platform.programDir : m_platform.settingsDir;
}

QString Form2::settingsPath() const
{
    return QDir(settingsDir()).filePath(QStringLiteral("param.ini"));
}

QString Form2::ownSettingsPath() const
{
    return ownSettingsPathOf(m_platform);
}

QString Form2::ownSettingsPathOf(const Platform &platform)
{
    const QString dir = platform.settingsDir.isEmpty() ? platform.programDir : platform.settingsDir;
    return QDir(dir).filePath(QString::fromLatin1(kOwnSettingsFile));
}

void Form2::Form_Load()
{
    m_ui->Frame2->resize((8475 + 7) / 15, m_ui->Frame2->height()); // 8475 twips
    // The folder's lock and the sweep wait until the window has painted
    // itself once: the lock's file is flushed to the disk, which under load
    // costs more than the rest of the start, and the operator sees the
    // window at once, then a second copy's box over it.
    runAfterFirstPaint(this, [this] {
        // One copy at a time on a folder of files: a second copy is told
        // which process holds the folder, and goes on. A lock that cannot be
        // made (a folder without the right to write) is no other copy.
        const QString folder = QDir(m_platform.programDir).filePath(QStringLiteral("platine"));
        m_folderLock = std::make_unique<FileLock>(folder, Millis(0));
        if (!m_folderLock->locked() && QFileInfo::exists(FileLock::lockPathFor(folder)))
            m_platform.dialogs->message(
                MsgIcon::Warning, MsgButtons::Ok, tr("Autre copie du programme"),
                tr("Une autre copie du programme est déjà ouverte sur le dossier %1 (%2).\r\n"
                   "Les deux copies partagent ses fichiers (historique, réglages, "
                   "journal) : n'utilisez la platine que depuis l'une d'elles.")
                    .arg(QDir::toNativeSeparators(m_platform.programDir), m_folderLock->holder()));
        // What writes of a killed copy left: beside the files, and the
        // scratch files of the temporary folder (never those of a copy
        // still running).
        for (const QString &dir : {m_platform.programDir, settingsDir(), QDir::tempPath()})
            files::removeLeftovers(nativePath(dir));
    });

    const std::string path = nativePath(settingsPath());
    for (int i = 1; i <= kNumberedPorts; ++i)
        portsOf(m_ui->Combo1).addPort(QStringLiteral("COM%1").arg(i));
    m_ui->Combo1->setCurrentIndex(0);
    Combo1_Click(); // the selection sets the port number, also when it did not change

    // The days shown in the window's language; the list file keeps the
    // core's own names (editor.cpp takes them by position).
    for (const char *day : kDayChoices)
        m_ui->Combo2->addItem(QCoreApplication::translate("Days", day));
    m_ui->Combo2->setCurrentIndex(kNewRecordDayCode);

    // One read of the file: a file full of garbage gives the defaults of missing values.
    const std::string content = readSettings(path);
    const QString port = fromCp1252(profile::get(content, "COM", "valeur", "", kSettingsValueSize));
    const QString delay =
        fromCp1252(profile::get(content, "temporisation", "valeur", "", kSettingsValueSize));
    if (!delay.isEmpty()) // none stored (a first start): the field keeps its "10"
        m_ui->tempo_gache->setText(delay);

    // The devices present are listed when the list drops down, or now when
    // the stored port may be one of them: asking the system for its serial
    // devices is the slowest step of a start.
    if (m_ui->Combo1->findText(port, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0 &&
        isDeviceName(port))
        Combo1_DropDown();

    // The stored port is looked for item by item. A device unplugged today
    // stays the choice, marked absent, and opens once it is plugged in; any
    // other name not in the list leaves "COM10" selected.
    bool found = false;
    for (int i = 0; i < m_ui->Combo1->count() && !found; ++i) {
        m_ui->Combo1->setCurrentIndex(i);
        found = port == portsOf(m_ui->Combo1).portName(i);
    }
    if (!found)
        m_ui->Combo1->setCurrentIndex(isDeviceName(port) ? addAbsentDevice(port)
                                                         : kNumberedPorts - 1);
    addWaitingPassages();
    loadBoards();
    showBoardState();
    tellExpiredOnBoards();
    remindClockSettings();
}

int Form2::addAbsentDevice(const QString &name)
{
    const QSignalBlocker quiet(m_ui->Combo1);
    return portsOf(m_ui->Combo1).addDevice(name, QString(), true);
}

void Form2::markChosenDevicePresent()
{
    QComboBox *combo = m_ui->Combo1;
    const int index = combo->currentIndex();
    PortListModel &ports = portsOf(combo);
    if (!ports.isAbsent(index))
        return;
    const bool shown = combo->currentText() == combo->itemText(index);
    ports.markPresent(index);
    if (shown)
        combo->setEditText(combo->itemText(index));
}

QString Form2::chosenPortName() const
{
    QComboBox *combo = m_ui->Combo1;
    const int index = combo->currentIndex();
    // The item's caption shown (not a text typed over it): its port, without the mark.
    if (index >= 0 && combo->currentText() == combo->itemText(index))
        return portsOf(combo).portName(index);
    return combo->currentText();
}

void Form2::Combo1_Click()
{
    // Applied at the next opening of the port.
    const int index = m_ui->Combo1->currentIndex();
    const PortListModel &ports = portsOf(m_ui->Combo1);
    if (ports.isDevice(index))
        m_line->choose(PortId::ofDevice(ports.portName(index)));
    else if (index >= 0)
        m_line->choose(index + 1);
    showBoardState();
}

void Form2::Combo1_DropDown()
{
    // The devices after the ten numbered ports are listed again, so that an
    // adapter plugged in since shows; the choice and the typed text stay.
    QComboBox *combo = m_ui->Combo1;
    const QString typed = combo->currentText();
    const int chosen = combo->currentIndex();
    const bool typedByHand = chosen < 0 || typed != combo->itemText(chosen);
    PortListModel &ports = portsOf(combo);
    const QString chosenDevice = ports.isDevice(chosen) ? ports.portName(chosen) : QString();
    const QSignalBlocker quiet(combo);
    ports.removeDevices();
    bool chosenListed = chosenDevice.isEmpty();
    for (const SerialDeviceInfo &device : m_platform.serial->availableDevices()) {
        if (combo->findText(device.name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
            continue; // "COM3" on Windows is already port 3
        QStringList tip;
        if (!device.manufacturer.isEmpty())
            tip << tr("Fabricant : %1").arg(device.manufacturer);
        if (!device.product.isEmpty())
            tip << tr("Produit : %1").arg(device.product);
        if (!device.serialNumber.isEmpty())
            tip << tr("Numéro de série : %1").arg(device.serialNumber);
        ports.addDevice(device.name, tip.isEmpty() ? device.name : tip.join(QLatin1Char('\n')));
        chosenListed = chosenListed || device.name == chosenDevice;
    }
    // A chosen device unplugged since stays chosen, marked absent, rather
    // than the choice moving behind the operator's back; plugged in again,
    // it shows as present.
    int current = chosen;
    if (!chosenDevice.isEmpty())
        current = chosenListed ? ports.rowOfDevice(chosenDevice) : addAbsentDevice(chosenDevice);
    combo->setCurrentIndex(current);
    if (typedByHand && combo->currentText() != typed)
        combo->setEditText(typed);
    // Every item shows without scrolling, and the list is as wide as its longest name.
    combo->setMaxVisibleItems(std::max(kNumberedPorts, combo->count()));
    int width = combo->width();
    for (int i = 0; i < combo->count(); ++i)
        width = std::max(width, combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 32);
    combo->view()->setMinimumWidth(width);
}

void Form2::tempo_gache_Change()
{
    const QString text = m_ui->tempo_gache->text();
    if (strikeDelayAboveLimit(toCp1252(text)))
        m_ui->tempo_gache->setText(QString::number(protocol::kMaxStrikeDelay));
}

void Form2::Command6_Click()
{
    if (!settleUnsavedEdits())
        return; // "Annuler", or the save refused: the program goes on
    // A badge taken off the list keeps opening its door until the list is sent.
    const std::vector<QString> pending = boardsWithRemovals();
    if (!pending.empty()) {
        QStringList names;
        for (const QString &b : pending)
            names << tr("« %1 »").arg(b);
        if (m_platform.dialogs->message(
                MsgIcon::Warning, MsgButtons::YesNo, tr("Quitter"),
                tr("Des badges retirés de la liste sont encore actifs sur %1 : ils ouvrent la "
                   "porte tant que la liste n'est pas envoyée (« Envoi programmation »).\r\n"
                   "Quitter quand même ?")
                    .arg(names.join(tr(", ")))) != MsgAnswer::Yes)
            return;
    }
    // The program ends at once, also from inside a waiting operation: the
    // port closes under it and every wait ends.
    m_line->end();
    m_line->close();
    keepPlaceNow(this); // the window's size and place, in the program's own settings
    const std::string path = nativePath(settingsPath());
    // Both keys go into the file in one replacement.
    std::string content = readSettings(path);
    content = profile::set(content, "COM", "valeur", toCp1252(chosenPortName()));
    content = profile::set(content, "temporisation", "valeur", toCp1252(m_ui->tempo_gache->text()));
    std::string error;
    if (!writeSettings(path, content, &error))
        m_platform.dialogs->message(
            MsgIcon::Critical, MsgButtons::Ok, tr("Quitter"),
            tr("Les réglages (port et temporisation) n'ont pas pu être enregistrés :"
               "\r\n%1")
                .arg(QString::fromUtf8(error.c_str())));
    m_endProgram();
}

} // namespace platine
