// An installed copy: where the program keeps its files (on the real file
// system, with a temporary home), the serial devices in the port list (a
// fake device list), and the cures the port messages give.

#include "app/form2.h"
#include "platform/folders.h"
#include "platform/qt_platform.h"
#include "support/harness.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

#include <unistd.h>

using namespace platine;
using namespace platine::testing;

namespace {

// A home of its own: the user's folders go under it.
struct TemporaryHome {
    TemporaryHome()
    {
        // Open to everyone: a test run by root takes the rights of another user.
        QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777));
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data().toLocal8Bit());
    }
    QString config() const { return home.filePath(QStringLiteral("config")); }
    QString data() const { return home.filePath(QStringLiteral("data")); }
    QTemporaryDir home;
};

// The folder rule as a user without rights on the program's folder sees it;
// root reads and writes every folder, so it plays the user "nobody".
Folders chooseAsUser(const QString &programDir)
{
    const bool root = ::geteuid() == 0;
    if (root && ::seteuid(65534) != 0)
        qFatal("cannot take the rights of nobody");
    const Folders f = chooseFolders(programDir);
    if (root && ::seteuid(0) != 0)
        qFatal("cannot take back the rights of root");
    return f;
}

SerialDeviceInfo adapter(const QString &name)
{
    return {name, QStringLiteral("FTDI"), QStringLiteral("FT232R USB UART"),
            QStringLiteral("A10K3X")};
}

QString label14(const Harness &h)
{
    return h.ui().Label14->text();
}

QStringList items(QComboBox *c)
{
    QStringList list;
    for (int i = 0; i < c->count(); ++i)
        list << c->itemText(i);
    return list;
}

QStringList numbered()
{
    QStringList list;
    for (int i = 1; i <= 10; ++i)
        list << QStringLiteral("COM%1").arg(i);
    return list;
}

} // namespace

class TstInstall : public QObject {
    Q_OBJECT
private slots:
    void writableProgramFolderKeepsEverything();
    void readOnlyProgramFolderUsesTheUsersFolders();
    void installFolderUsesTheUsersFoldersForRoot();
    void linksLookedUpInTheFilesFolderFirst();
    void windowOnTheUsersFolders();
    void presentDevicesFollowTheNumberedPorts();
    void listRefreshedAtEachDropDown();
    void chosenDeviceOpensAndIsStored();
    void storedDeviceAbsentAtStart();
    void deniedNamesTheGroup_data();
    void deniedNamesTheGroup();
    void sampleListReadsClean();
};

void TstInstall::writableProgramFolderKeepsEverything()
{
    TemporaryHome home;
    QTemporaryDir program;
    // A folder of its own the user may write.
    QFile::setPermissions(program.path(), QFileDevice::Permissions(0x7777));
    const Folders mine = chooseAsUser(program.path());
    QVERIFY(mine.beside());
    QCOMPARE(mine.files, QDir::cleanPath(program.path()));
    QVERIFY(!QDir(home.config()).exists()); // nothing made in the home
    QVERIFY(QDir(program.path())
                .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
                .isEmpty()); // the trial file is gone
    // The folder a package installs into: the user's folders, whoever runs it.
    const Folders installed = chooseFolders(program.path(), program.path());
    QVERIFY(!installed.beside());
}

void TstInstall::readOnlyProgramFolderUsesTheUsersFolders()
{
    TemporaryHome home;
    QTemporaryDir program;
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    const Folders f = chooseAsUser(program.path());
    QFile::setPermissions(program.path(), QFileDevice::Permissions(0x7700));
    QVERIFY(!f.beside());
    QCOMPARE(f.settings, QDir(home.config()).filePath("platine"));
    QCOMPARE(f.files, QDir(home.data()).filePath("platine"));
    // Made on first use.
    QVERIFY(QFileInfo(f.settings).isDir());
    QVERIFY(QFileInfo(f.files).isDir());
}

void TstInstall::installFolderUsesTheUsersFoldersForRoot()
{
    // The folder this build installs into, as the program finds itself there.
    QCOMPARE(installedBinDir(), QStringLiteral(PLATINE_INSTALL_PREFIX "/bin"));
    TemporaryHome home;
    QTemporaryDir elsewhere;
    QVERIFY(programFolders(elsewhere.path()).beside());
    // Reached through a link to it (/bin on a merged /usr): the same folder.
    QTemporaryDir links;
    const QString link = links.filePath("bin");
    QVERIFY(QFile::link(elsewhere.path(), link));
    QVERIFY(!chooseFolders(link, elsewhere.path()).beside());

    if (::geteuid() != 0 || !QFileInfo(installedBinDir()).isWritable())
        QSKIP("the install folder run by root: needs root and the folder");
    const Folders f = programFolders(installedBinDir());
    QVERIFY(!f.beside());
    QCOMPARE(f.settings, QDir(home.config()).filePath("platine"));
    QCOMPARE(f.files, QDir(home.data()).filePath("platine"));
}

void TstInstall::linksLookedUpInTheFilesFolderFirst()
{
    QTemporaryDir files, program;
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), files.filePath("COM3")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), program.filePath("COM3")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), program.filePath("COM4")));
    QtSerialPort port(QStringList{files.path(), program.path()});
    QCOMPARE(port.deviceName(3), QStringLiteral("/dev/null"));
    QCOMPARE(port.deviceName(4), QStringLiteral("/dev/zero"));
    QCOMPARE(port.deviceName(5), QStringLiteral("/dev/ttyS4"));
    QCOMPARE(port.deviceName(PortId::ofDevice("/dev/ttyACM0")), QStringLiteral("/dev/ttyACM0"));
    // /dev/null: crw-rw-rw- root root, its group the administrators'.
    const DeviceAccess null = port.deviceAccess(3);
    QCOMPARE(null.group, QFileInfo("/dev/null").group());
    QVERIFY(null.groupIsRoot);
    QVERIFY(null.groupReadWrite);
    // A device its group may only read.
    QFile readOnly(files.filePath("ttyRO"));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    QVERIFY(readOnly.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup));
    QVERIFY(!port.deviceAccess(PortId::ofDevice(readOnly.fileName())).groupReadWrite);
    QVERIFY(port.deviceAccess(PortId::ofDevice(files.filePath("absent"))).group.isEmpty());
    port.availableDevices(); // the machine's own list: whatever it holds, no failure
}

void TstInstall::windowOnTheUsersFolders()
{
    Harness h(false);
    QTemporaryDir settings;
    Platform p = h.platform();
    p.settingsDir = settings.path();
    Harness::writeFile(settings.filePath("param.ini"), "[COM]\r\nvaleur=COM4\r\n");
    Form2 form(p);
    form.setEndProgram([] {});
    form.Form_Load();
    QCOMPARE(form.commPort(), 4);
    form.Label7_Click();
    QVERIFY2(h.dialogs.shown.back().text.contains(
                 QStringLiteral("Réglages dans : %1\r\nHistorique et fichiers dans : %2\r\n")
                     .arg(settings.path(), h.dir.path())),
             qPrintable(h.dialogs.shown.back().text));
    controls(form).Command6->click();
    QCOMPARE(Harness::readFile(settings.filePath("param.ini")),
             QByteArray("[COM]\r\nvaleur=COM4\r\n[temporisation]\r\nvaleur=10\r\n"));
    QVERIFY(!QFile::exists(h.path("param.ini")));
}

void TstInstall::presentDevicesFollowTheNumberedPorts()
{
    Harness h(false);
    h.port.devices = {adapter("/dev/ttyUSB0"), {"/dev/ttyACM0", {}, {}, {}}};
    h.form->Form_Load();
    QComboBox *c = h.ui().Combo1;
    // The devices are asked for when the list drops down, not at every start.
    QCOMPARE(items(c), numbered());
    c->showPopup();
    c->hidePopup();
    QCOMPARE(items(c), numbered() << "/dev/ttyUSB0"
                                  << "/dev/ttyACM0");
    QCOMPARE(c->currentText(), QStringLiteral("COM10")); // no settings: as always
    QCOMPARE(h.form->commPort(), 10);
    QCOMPARE(
        c->itemData(10, Qt::ToolTipRole).toString(),
        QStringLiteral("Fabricant : FTDI\nProduit : FT232R USB UART\nNuméro de série : A10K3X"));
    QCOMPARE(c->itemData(11, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyACM0"));
    c->setCurrentIndex(3);
    QCOMPARE(h.form->commPort(), 4); // positions 1 to 10 are still port numbers
}

void TstInstall::listRefreshedAtEachDropDown()
{
    Harness h;
    QComboBox *c = h.ui().Combo1;
    c->setCurrentIndex(2);
    QCOMPARE(items(c), numbered());
    // Plugged in after the start: shown at the next drop-down.
    h.port.devices = {adapter("/dev/ttyUSB0")};
    c->showPopup();
    QCOMPARE(items(c), numbered() << "/dev/ttyUSB0");
    QVERIFY(c->view()->minimumWidth() >= c->fontMetrics().horizontalAdvance("/dev/ttyUSB0"));
    c->hidePopup();
    QCOMPARE(h.form->commPort(), 3); // the choice stays
    // Chosen, then pulled out: the choice stays, marked absent, until another is made.
    c->setCurrentIndex(10);
    h.port.devices = {adapter("/dev/ttyUSB1")};
    c->showPopup();
    c->hidePopup();
    QCOMPARE(items(c), numbered() << "/dev/ttyUSB1"
                                  << "/dev/ttyUSB0 (absent)");
    QCOMPARE(c->currentText(), QStringLiteral("/dev/ttyUSB0 (absent)"));
    QCOMPARE(c->itemData(11, Qt::ToolTipRole).toString(), QStringLiteral("Périphérique absent"));
    QCOMPARE(h.form->chosenPort(), PortId::ofDevice("/dev/ttyUSB0"));
    c->setCurrentIndex(0);
    c->showPopup();
    c->hidePopup();
    QCOMPARE(items(c), numbered() << "/dev/ttyUSB1");
    // Text typed without choosing an item is kept across a drop-down.
    c->lineEdit()->clear();
    QTest::keyClicks(c->lineEdit(), "COM");
    c->showPopup();
    c->hidePopup();
    QCOMPARE(c->currentText(), QStringLiteral("COM"));
    QCOMPARE(h.form->commPort(), 1);
}

void TstInstall::chosenDeviceOpensAndIsStored()
{
    Harness h(false);
    h.port.devices = {adapter("/dev/ttyUSB0")};
    h.form->Form_Load();
    h.ui().Combo1->showPopup();
    h.ui().Combo1->hidePopup();
    h.ui().Combo1->setCurrentIndex(10);
    h.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(h.port.isOpen());
    QCOMPARE(h.port.openedDevice, QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(h.port.openedPort, 0);
    h.port.lose();
    h.time.advance(Millis(1));
    QCOMPARE(label14(h), QStringLiteral("Port /dev/ttyUSB0 perdu : périphérique retiré"));
    h.ui().Command6->click();
    QCOMPARE(Harness::readFile(h.path("param.ini")),
             QByteArray("[COM]\r\nvaleur=/dev/ttyUSB0\r\n[temporisation]\r\nvaleur=10\r\n"));

    // The next start, the adapter present among others: chosen again.
    Harness again(false);
    again.port.devices = {adapter("/dev/ttyACM0"), adapter("/dev/ttyUSB0")};
    Harness::writeFile(again.path("param.ini"), Harness::readFile(h.path("param.ini")));
    again.form->Form_Load();
    QCOMPARE(again.ui().Combo1->currentText(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(again.form->chosenPort(), PortId::ofDevice("/dev/ttyUSB0"));
}

void TstInstall::storedDeviceAbsentAtStart()
{
    // Unplugged at the start: still the choice, shown absent, and kept by "Quitter".
    const QByteArray stored("[COM]\r\nvaleur=/dev/ttyUSB0\r\n[temporisation]\r\nvaleur=10\r\n");
    Harness h(false);
    QComboBox *c = h.ui().Combo1;
    h.port.devices = {adapter("/dev/ttyACM0")};
    Harness::writeFile(h.path("param.ini"), stored);
    h.form->Form_Load();
    QCOMPARE(items(c), numbered() << "/dev/ttyACM0"
                                  << "/dev/ttyUSB0 (absent)");
    QCOMPARE(c->currentText(), QStringLiteral("/dev/ttyUSB0 (absent)"));
    QCOMPARE(h.form->chosenPort(), PortId::ofDevice("/dev/ttyUSB0"));
    h.port.nextOpen = OpenResult::Absent;
    h.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(label14(h),
             QStringLiteral("Port /dev/ttyUSB0 indisponible : port absent (/dev/ttyUSB0)"));
    h.ui().Command6->click();
    QCOMPARE(Harness::readFile(h.path("param.ini")), stored);

    // Plugged in after the start: the next drop-down shows it present, and
    // the next opening takes it.
    Harness again(false);
    Harness::writeFile(again.path("param.ini"), stored);
    again.form->Form_Load();
    again.port.devices = {adapter("/dev/ttyUSB0")};
    again.ui().Combo1->showPopup();
    again.ui().Combo1->hidePopup();
    QCOMPARE(items(again.ui().Combo1), numbered() << "/dev/ttyUSB0");
    QCOMPARE(again.ui().Combo1->currentText(), QStringLiteral("/dev/ttyUSB0"));
    again.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(again.port.openedDevice, QStringLiteral("/dev/ttyUSB0"));

    // Plugged in before the list was looked at: the opening clears the mark.
    Harness third(false);
    Harness::writeFile(third.path("param.ini"), stored);
    third.form->Form_Load();
    third.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(third.port.openedDevice, QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(items(third.ui().Combo1), numbered() << "/dev/ttyUSB0");
    QCOMPARE(third.ui().Combo1->currentText(), QStringLiteral("/dev/ttyUSB0"));

    // A stored name that is no device is not kept: "COM10", as always.
    Harness typed(false);
    Harness::writeFile(typed.path("param.ini"), "[COM]\r\nvaleur=COM11x\r\n");
    typed.form->Form_Load();
    QCOMPARE(items(typed.ui().Combo1), numbered());
    QCOMPARE(typed.form->commPort(), 10);
}

void TstInstall::deniedNamesTheGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("isRoot");
    QTest::addColumn<bool>("readWrite");
    QTest::addColumn<QString>("cure");
    const QString admin = QStringLiteral("un administrateur doit vous donner accès à /dev/ttyUSB0");
    QTest::newRow("dialout rw") << "dialout" << false << true
                                << "ajoutez votre compte au groupe « dialout » (sudo usermod -aG "
                                   "dialout $USER) puis ouvrez une nouvelle session";
    QTest::newRow("root only") << "root" << true << true << admin;
    QTest::newRow("group 0 by another name") << "wheel" << true << true << admin;
    QTest::newRow("group may only read") << "dialout" << false << false << admin;
    QTest::newRow("owner unknown") << "" << false << false << admin;
}

void TstInstall::deniedNamesTheGroup()
{
    QFETCH(QString, group);
    QFETCH(bool, isRoot);
    QFETCH(bool, readWrite);
    QFETCH(QString, cure);
    Harness h(false);
    h.port.devices = {adapter("/dev/ttyUSB0")};
    h.form->Form_Load();
    h.ui().Combo1->showPopup();
    h.ui().Combo1->hidePopup();
    h.ui().Combo1->setCurrentIndex(10);
    h.port.nextOpen = OpenResult::Denied;
    h.port.errorString = QStringLiteral("Permission denied");
    h.port.access = {group, isRoot, readWrite};
    h.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(
        label14(h),
        QStringLiteral("Port /dev/ttyUSB0 indisponible : accès refusé (Permission denied) ; ") +
            cure);
    h.port.nextOpen = OpenResult::Absent;
    h.form->Command10_MouseDown(MouseButton::Left);
    QCOMPARE(label14(h),
             QStringLiteral("Port /dev/ttyUSB0 indisponible : port absent (/dev/ttyUSB0)"));
}

void TstInstall::sampleListReadsClean()
{
    Harness h;
    h.openList(QStringLiteral(PLATINE_SOURCE_DIR "/examples/liste-exemple.txt"));
    h.form->mise_en_tableau();
    QCOMPARE(h.form->liste().nombre.value_or(-1), 4);
    QVERIFY2(h.dialogs.shown.empty(), qPrintable(h.dialogs.shown.front().text));
    const auto &names = h.form->liste().tables.tab_nom;
    QVERIFY(std::find(std::begin(names), std::end(names),
                      std::string("Fran\xE7oise B\x9C"
                                  "uf")) != std::end(names));
}

QTEST_MAIN(TstInstall)
#include "tst_install.moc"
