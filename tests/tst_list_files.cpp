// The list's files on disk: the atomic writer's care for links, permissions,
// owners and read-only files, the sweep of killed writes' leftovers, and the
// list commands of the window over them (a copy saved byte for byte, a list
// changed outside the program, a list another copy holds, 150 records).

#include "badges/badge_table_window.h"
#include "core/platform/files.h"
#include "platform/file_lock.h"
#include "support/harness.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

using namespace platine;
using namespace platine::testing;

namespace {

const QByteArray kList = "Liste cr\xE9"
                         "e le  : 06/12/2026\r\n\r\n[0000000001]\r\nnumero=0000000001\r\n"
                         "nom=Valmire\r\nheure de debut=07\r\nminute de debut=30\r\nheure de "
                         "fin=17\r\nminute de fin=30\r\njour autoris\xE9_=7\r\nlieu autoris\xE9="
                         "1\r\njour du mois=0\r\n\r\n";

mode_t modeOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// The pid of a process that has ended.
long deadPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

QStringList hiddenFiles(const QString &dir)
{
    return QDir(dir).entryList(QDir::Hidden | QDir::Files).filter(QRegularExpression("^\\."));
}

} // namespace

class TstListFiles : public QObject {
    Q_OBJECT

private slots:
    void writerKeepsLinkAndPermissions_data();
    void writerKeepsLinkAndPermissions();
    void writerKeepsOwnerAndGroup();
    void leftoversSwept_data();
    void leftoversSwept();

    void copyIsTheListByteForByte_data();
    void copyIsTheListByteForByte();
    void saveRefused_data();
    void saveRefused();
    void changedOutsideAsks_data();
    void changedOutsideAsks();
    void tableCountsEveryRecord();
};

void TstListFiles::writerKeepsLinkAndPermissions_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("0640") << 0640 << false;
    QTest::newRow("0604 through a link") << 0604 << true;
    QTest::newRow("0660 set-group-id through a link") << 02660 << true;
    QTest::newRow("read-only 0444, refused") << 0444 << true;
}

void TstListFiles::writerKeepsLinkAndPermissions()
{
    QFETCH(int, mode);
    QFETCH(bool, throughLink);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("partage"));
    const QString file = dir.filePath("partage/liste.txt"), link = dir.filePath("liste.txt");
    QVERIFY(Harness::writeFile(file, "ancien"));
    QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0);
    QVERIFY(QFile::link("partage/liste.txt", link));
    std::string error;
    const bool refused = (mode & 0222) == 0;
    QCOMPARE(files::writeAtomic((throughLink ? link : file).toStdString(), "nouveau", &error),
             !refused);
    QCOMPARE(QString::fromStdString(error).contains(QStringLiteral("est en lecture seule")),
             refused);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), QFileInfo(file).absoluteFilePath());
    QCOMPARE(Harness::readFile(file), QByteArray(refused ? "ancien" : "nouveau"));
    QCOMPARE(int(modeOf(file)), mode);
    QCOMPARE(hiddenFiles(dir.filePath("partage")), QStringList());
}

void TstListFiles::writerKeepsOwnerAndGroup()
{
    if (::geteuid() != 0)
        QSKIP("giving a file to another account takes the administrator");
    // The program run through sudo replaces the operator's shared list.
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.filePath("liste.txt"));
    QVERIFY(Harness::writeFile(dir.filePath("liste.txt"), "ancien"));
    QVERIFY(::chown(file.constData(), 4321, 4322) == 0);
    QVERIFY(files::writeAtomic(file.toStdString(), "nouveau"));
    struct stat st {};
    QVERIFY(::stat(file.constData(), &st) == 0);
    QCOMPARE(int(st.st_uid), 4321);
    QCOMPARE(int(st.st_gid), 4322);
}

void TstListFiles::leftoversSwept_data()
{
    QTest::addColumn<QString>("name"); // %1: the writer's pid
    QTest::addColumn<int>("writer");   // 0 dead, 1 this test, 2 another live process
    QTest::addColumn<int>("age");      // seconds since its last write
    QTest::addColumn<bool>("removed");
    QTest::newRow("list, writer dead") << ".liste.txt.~platine-%1-aB3dE9" << 0 << 120 << true;
    QTest::newRow("workbook, writer dead")
        << "platine-classeur~platine-%1-aB3dE9.xlsx" << 0 << 120 << true;
    QTest::newRow("writer dead a moment ago") << ".histo.txt.~platine-%1-aB3dE9" << 0 << 5 << false;
    QTest::newRow("writer running") << ".histo.txt.~platine-%1-aB3dE9" << 1 << 7200 << false;
    QTest::newRow("another copy running") << ".histo.txt.~platine-%1-aB3dE9" << 2 << 7200 << false;
    QTest::newRow("earlier version, old") << ".histo.txt.aB3dE9" << 0 << 7200 << true;
    QTest::newRow("earlier version, recent") << ".histo.txt.aB3dE9" << 0 << 600 << false;
    QTest::newRow("no file beside it") << ".absent.txt.aB3dE9" << 0 << 7200 << false;
    QTest::newRow("not ours") << "histo.txt.~platine-%1-aB3" << 0 << 7200 << false;
}

void TstListFiles::leftoversSwept()
{
    QFETCH(QString, name);
    QFETCH(int, writer);
    QFETCH(int, age);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    QVERIFY(Harness::writeFile(dir.filePath("histo.txt"), "h"));
    const long pid = writer == 0 ? deadPid() : writer == 1 ? long(::getpid()) : long(::getppid());
    const QString path = dir.filePath(name.replace("%1", QString::number(pid)));
    QVERIFY(Harness::writeFile(path, QByteArray(1000, 'x')));
    const utimbuf times{::time(nullptr) - age, ::time(nullptr) - age};
    QVERIFY(::utime(QFile::encodeName(path).constData(), &times) == 0);
    const files::Sweep sweep = files::removeLeftovers(dir.path().toStdString());
    QCOMPARE(!QFile::exists(path), removed);
    QCOMPARE(sweep.removed, removed ? 1 : 0);
    QCOMPARE(sweep.bytes, std::uintmax_t(removed ? 1000 : 0));
    QVERIFY(QFile::exists(dir.filePath("histo.txt")));
}

void TstListFiles::copyIsTheListByteForByte_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("CR LF") << kList;
    QTest::newRow("LF only") << QByteArray(kList).replace("\r\n", "\n");
    QTest::newRow("no line end at the end") << kList.left(kList.size() - 4);
    QTest::newRow("unassigned bytes, lone CR") << QByteArray("a\x81\x8D\x9D\rb\r\n\r\n");
}

void TstListFiles::copyIsTheListByteForByte()
{
    QFETCH(QByteArray, content);
    Harness h;
    const QString list = h.path("liste.txt");
    QVERIFY(Harness::writeFile(list, content));
    h.openList(list);
    // The copy, then a copy of the copy opened in its turn.
    h.dialogs.files.push_back(h.path("copie.txt"));
    h.form->Command2_Click();
    QCOMPARE(Harness::readFile(h.path("copie.txt")), content);
    QCOMPARE(h.ui().Label14->text(),
             QStringLiteral("Copie enregistrée dans « %1 » ; la liste en cours reste « %2 »")
                 .arg(h.path("copie.txt"), list));
    QCOMPARE(h.form->liste().fichier, list);
    h.openList(h.path("copie.txt"));
    h.dialogs.files.push_back(h.path("copie2.txt"));
    h.form->Command2_Click();
    QCOMPARE(Harness::readFile(h.path("copie2.txt")), content);
    for (const FakeDialogs::Shown &s : h.dialogs.shown)
        QCOMPARE(s.kind, QStringLiteral("save")); // no message box
}

void TstListFiles::saveRefused_data()
{
    QTest::addColumn<bool>("readOnly"); // else another copy holds the list's lock
    QTest::addColumn<QString>("why");
    QTest::newRow("read-only list") << true << QStringLiteral("est en lecture seule");
    QTest::newRow("held by another copy") << false << QStringLiteral("en cours d'écriture par");
}

void TstListFiles::saveRefused()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, why);
    Harness h;
    const QString list = h.path("liste.txt");
    QVERIFY(Harness::writeFile(list, kList));
    if (readOnly)
        QVERIFY(
            QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    h.openList(list);
    h.form->Command5_Click();
    h.ui().nom->setText(QStringLiteral("Autre"));
    FileLock other(readOnly ? h.path("autre") : list);
    h.form->Command7_Click();
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QVERIFY2(h.dialogs.shown[0].text.contains(why), qPrintable(h.dialogs.shown[0].text));
    QCOMPARE(Harness::readFile(list), kList);
    QCOMPARE(h.time.blockedFor, Millis(0)); // no "Enregistrement effectué"
}

void TstListFiles::changedOutsideAsks_data()
{
    QTest::addColumn<bool>("saveAs"); // "Enregistrer une liste sous" over the list itself
    QTest::addColumn<bool>("yes");
    QTest::newRow("Enregistrer, Non") << false << false;
    QTest::newRow("Enregistrer, Oui") << false << true;
    QTest::newRow("saved as itself, Non") << true << false;
    QTest::newRow("saved as itself, Oui") << true << true;
}

void TstListFiles::changedOutsideAsks()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, yes);
    Harness h;
    const QString list = h.path("liste.txt");
    QVERIFY(Harness::writeFile(list, kList));
    h.openList(list);
    h.form->Command5_Click();
    const QByteArray outside = kList + "[0000000002]\r\nnumero=0000000002\r\nnom=Ajout\r\n";
    QVERIFY(Harness::writeFile(list, outside));
    if (saveAs) {
        h.dialogs.files.push_back(list);
        h.dialogs.answers.push_back(MsgAnswer::Yes); // replace the existing file
    } else {
        h.ui().nom->setText(QStringLiteral("Autre"));
    }
    h.dialogs.answers.push_back(yes ? MsgAnswer::Yes : MsgAnswer::No);
    saveAs ? h.form->Command2_Click() : h.form->Command7_Click();
    QVERIFY(h.dialogs.shown.back().text.startsWith(
        QStringLiteral("La liste a été modifiée hors du programme depuis son ouverture")));
    const QByteArray now = Harness::readFile(list);
    if (!yes)
        QCOMPARE(now, outside);
    else if (saveAs)
        QCOMPARE(now, kList); // the pane as opened, as asked
    else                      // the record saved, the outside change kept
        QVERIFY(now.contains("nom=Autre") && now.contains("nom=Ajout"));
}

void TstListFiles::tableCountsEveryRecord()
{
    QByteArray content = "Liste\r\n\r\n";
    for (int i = 1; i <= 150; ++i)
        content +=
            QStringLiteral("[%1]\r\nnumero=%1\r\nnom=N%2\r\nheure de debut=08\r\nminute "
                           "de debut=00\r\nheure de fin=18\r\nminute de fin=00\r\njour "
                           "autoris\u00E9_=9\r\nlieu autoris\u00E9=1\r\njour du mois=0\r\n\r\n")
                .arg(i, 10, 10, QLatin1Char('0'))
                .arg(i)
                .toLatin1();
    FakeDialogs dialogs;
    BadgeTableWindow table({}, dialogs);
    table.showList(QStringLiteral("liste.txt"), content.toStdString());
    QCOMPARE(table.totalCount(), 150);
    QCOMPARE(table.findChild<QLabel *>("compte")->text(),
             QStringLiteral("150 badges dans le fichier ; la platine en garde 100"));
    QCOMPARE(table.cell(149, 0), QStringLiteral("0000000150"));
    QCOMPARE(table.cell(99, 6), QString());
    QVERIFY(table.cell(100, 6).startsWith(QStringLiteral("ne sera pas envoyé")));
    table.findChild<QLineEdit *>("filtre")->setText(QStringLiteral("N14"));
    QCOMPARE(table.findChild<QLabel *>("compte")->text(),
             QStringLiteral("11 badge(s) affiché(s) sur 150 ; la platine en garde 100"));
}

QTEST_MAIN(TstListFiles)
#include "tst_list_files.moc"
