// The board operations in the window, against a scripted board in virtual
// time: the list upload, the history download, the clock setting, the badge
// reading, the maintenance commands and the dump decoder.

#include "app/form2.h"
#include "app/status_label.h"
#include "badges/badge_table_model.h"
#include "badges/badge_table_window.h"
#include "board/boards_model.h"
#include "board/boards_window.h"
#include "board/operations.h"
#include "core/board/dump_listing.h"
#include "core/board/protocol.h"
#include "core/platform/files.h"
#include "platform/text.h"
#include "serial/exchange.h"
#include "serial/pane.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace platine;
using namespace platine::testing;
using namespace std::chrono_literals;

namespace {

QByteArray latin(std::string_view s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

// --- A list of badges, as its file holds it and as the board must receive it.

struct Rec {
    QString numero;
    int hd, md, hf, mf, jour, lieu, jourDuMois;
};

Rec recordOf(int i)
{
    Rec r{QStringLiteral("%1").arg(0xA0000 + 7 * i, 10, 16, QLatin1Char('0')).toUpper(),
          7 + i % 10,
          (7 * i) % 60,
          17,
          30,
          i % 10,
          i % 100,
          i % 32};
    if (i % 5 == 4)
        r.hd = r.md = r.hf = r.mf = 99; // 24 h/24
    if (i % 7 == 6)
        r.lieu = 99; // all places
    return r;
}

QByteArray two(int v)
{
    return QByteArray::number(v).rightJustified(2, '0');
}

QList<int> firstRecords(int records)
{
    QList<int> r;
    for (int i = 0; i < records; ++i)
        r << i;
    return r;
}

// The list file as the save command writes it: Windows-1252, CR LF.
QByteArray listFileOf(const QList<int> &records)
{
    QByteArray f = "Liste cr\xE9\x65 le  : 06/12/2026\r\nHeure courante : 10:15:42\r\n"
                   "Nom du fichier : liste.txt\r\n\r\n\r\n";
    for (int i : records) {
        const Rec r = recordOf(i);
        const QByteArray n = r.numero.toLatin1();
        f += "[" + n + "]\r\nnumero=" + n + "\r\nnom=Fr\xE9\x64\xE9ric " + QByteArray::number(i) +
             "\r\nheure de debut=" + two(r.hd) + "\r\nminute de debut=" + two(r.md) +
             "\r\nheure de fin=" + two(r.hf) + "\r\nminute de fin=" + two(r.mf) +
             "\r\n24 h 24=" + (r.hd == 99 ? "oui" : "non") + "\r\njour autoris\xE9=Lundi\r\n" +
             "jour autoris\xE9_=" + QByteArray::number(r.jour) +
             "\r\nlieu autoris\xE9=" + two(r.lieu) +
             "\r\ntous lieux=" + (r.lieu == 99 ? "oui" : "non") +
             "\r\njour du mois=" + QByteArray::number(r.jourDuMois) + "\r\n\r\n";
    }
    return f;
}

QByteArray listFile(int records)
{
    return listFileOf(firstRecords(records));
}

int bcd(int v)
{
    return (v / 10) * 16 + v % 10;
}

int blocksFor(int records)
{
    return records >= 1 && records <= 75 ? (records + 24) / 25 : 4;
}

// Everything the program must write for the list, worked out from the
// records themselves.
QByteArray expectedStreamOf(const QList<int> &kept, int delay, bool buzzer)
{
    const int records = int(kept.size());
    const int n = blocksFor(records);
    QByteArray s = "param";
    s += char(delay);
    s += char(n);
    s += char(buzzer ? 1 : 0);
    QByteArray badgeBytes(1000, '\0');
    for (int i = 0; i < records; ++i)
        badgeBytes.replace(5 * i, 5, QByteArray::fromHex(recordOf(kept[i]).numero.toLatin1()));
    s += badgeBytes.left(250 * n);
    const char *keywords[] = {"HD", "MD", "HF", "MF", "jour", "lieu", "jour_mois"};
    for (int t = 0; t < 7; ++t) {
        s += keywords[t];
        for (int i = 0; i < 100; ++i) {
            if (i >= records) {
                s += '\0';
                continue;
            }
            const Rec r = recordOf(kept[i]);
            const int v[] = {bcd(r.hd), bcd(r.md),   bcd(r.hf),   bcd(r.mf),
                             r.jour,    bcd(r.lieu), r.jourDuMois};
            s += char(v[t]);
        }
    }
    return s;
}

QByteArray expectedStream(int records, int delay, bool buzzer)
{
    return expectedStreamOf(firstRecords(records), delay, buzzer);
}

// The board's side of an upload: each request goes out once the program has
// written so many bytes (the first, "Pret", once the operator has closed the
// bp1 prompt).
struct UploadBoard {
    struct Reply {
        qsizetype after;
        QByteArray text;
        Millis delay{5};
    };
    std::vector<Reply> replies;

    static UploadBoard forList(int records)
    {
        UploadBoard b;
        const int n = blocksFor(records);
        b.replies.push_back({0, "Pret", 1500ms});
        qsizetype at = 8;
        b.replies.push_back({at, "badge"});
        for (int k = 2; k <= n; ++k)
            b.replies.push_back({at += 250, "badge" + QByteArray::number(k)});
        at += 250;
        for (const char *kw : {"HD", "MD", "HF", "MF", "jour", "lieu", "jour_mois"}) {
            b.replies.push_back({at, kw});
            at += qsizetype(strlen(kw)) + 100;
        }
        return b;
    }
    void drop(const QByteArray &text)
    {
        std::erase_if(replies, [&](const Reply &r) { return r.text == text; });
    }
    void play(Harness &h)
    {
        h.dialogs.onMessage = [this, &h](const FakeDialogs::Shown &s) {
            if (s.text.contains(QStringLiteral("bp1")))
                answer(h, 0);
        };
        h.port.onWrite = [this, &h](const QByteArray &) { answer(h, h.port.written.size()); };
    }
    void answer(Harness &h, qsizetype written)
    {
        for (const Reply &r : replies)
            if (r.after == written)
                h.port.deliver(r.text, r.delay);
    }
};

void openList(Harness &h, int records, int delay = 10, bool buzzer = true)
{
    const QString path = h.path(QStringLiteral("liste.txt"));
    Harness::writeFile(path, listFile(records));
    h.openList(path);
    h.ui().tempo_gache->setText(QString::number(delay));
    h.ui().buzzer->setChecked(buzzer);
}

QString label14(Harness &h)
{
    return h.ui().Label14->text();
}

// --- The history ----------------------------------------------------------------

QByteArray passage(const char *badge, int hour, int minute, int day, int place)
{
    return latin(protocol::historyLine(badge, hour, minute, day, 12, 26, place)) + "\r\n";
}

} // namespace

class TstBoardOps : public QObject {
    Q_OBJECT
private slots:
    // The list upload.
    void uploadWithoutList();
    void fullUpload_data();
    void fullUpload();
    void uploadAfterSupprimer();
    void uploadTimeOutAtEachStep_data();
    void uploadTimeOutAtEachStep();
    void latePretTimesOut();
    void strayCharacterBeforePret();
    void bareBadgeDoesNotStartBlock2();
    void secondUploadRefusedDuringFirst();
    void invalidListSendsNothing_data();
    void invalidListSendsNothing();
    void listBoardCannotHoldSendsNothing_data();
    void listBoardCannotHoldSendsNothing();
    void uploadPortWillNotOpen();
    void uploadLineCut();
    void boardRemembersWhatItHolds();
    void uploadLeavesOutExpired();
    void boardsByName();
    // The history.
    void historyOfThreePassages();
    void quitAsLogEndsWritesNothing();
    void historyEndsAfter30sIdle();
    void historyKeepsWaitingWhileLogComes();
    void historyKeptWhenJournalCannotBeWritten();
    void historyNowhereToKeepSaysSo();
    void historyNoiseAddsNoRow();
    void twoCopiesTakeTurns();
    void historyAnnouncementTimeOut();
    void historyPortLost();
    // The clock.
    void clockBytesAtPcTime();
    void clockConfirmationShowsOneLine();
    void clockOverrides();
    void clockSetOnALineAlone();
    void heurePcFillsFields();
    void clockOverrideRefused_data();
    void clockOverrideRefused();
    void clockAnnouncementNotAtStart();
    void clockWithoutConfirmation();
    // Badge reading.
    void badgeReading_data();
    void badgeReading();
    void capitalTagDoesNotEndReading();
    void secondReadingRefused();
    void readingOpensPortOnce();
    void readingPortWillNotOpen();
    // Maintenance.
    void maintenanceOnClosedPort();
    void maintenanceCommands();
    void eraseAsksFirst_data();
    void eraseAsksFirst();
    void maintenanceRefusedWhileLineBusy();
    // The dump decoder.
    void asciiDecodesPane();
    void asciiUnwritableDirectory();
};

// --- The list upload -----------------------------------------------------------------

void TstBoardOps::uploadWithoutList()
{
    Harness h;
    h.form->Command8_Click();
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(h.dialogs.shown[0].icon, MsgIcon::Critical);
    QCOMPARE(h.dialogs.shown[0].title, QStringLiteral("Message"));
    QCOMPARE(h.dialogs.shown[0].text,
             QStringLiteral("Vous devez ouvrir une liste avant\r\nd'effectuer des modifications"));
    QCOMPARE(h.port.opens, 0);
    QVERIFY(h.port.written.isEmpty());
}

void TstBoardOps::fullUpload_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("delay");
    QTest::addColumn<bool>("buzzer");
    QTest::newRow("1 record") << 1 << 10 << true;
    QTest::newRow("26 records, two blocks") << 26 << 0 << false;
    QTest::newRow("60 records") << 60 << 65 << true;
    QTest::newRow("100 records") << 100 << 5 << true;
}

void TstBoardOps::fullUpload()
{
    QFETCH(int, records);
    QFETCH(int, delay);
    QFETCH(bool, buzzer);
    Harness h;
    openList(h, records, delay, buzzer);
    UploadBoard board = UploadBoard::forList(records);
    board.play(h);
    QString atParam; // the status strip as "param" leaves
    h.port.onWrite = [&](const QByteArray &) {
        if (h.port.writes.size() == 1)
            atParam = label14(h);
        board.answer(h, h.port.written.size());
    };

    h.form->Command8_Click();

    QCOMPARE(atParam, QStringLiteral("Connexion établie avec la platine"));
    const Form2Ui &u = h.ui();
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(h.dialogs.shown[0].text,
             QStringLiteral("Cliquer sur 'ok' et \r\nAppuyer sur le bouton poussoir bp1 "));
    const QByteArray expected = expectedStream(records, delay, buzzer);
    QCOMPARE(h.port.written.size(), expected.size());
    QCOMPARE(h.port.written.toHex(' '), expected.toHex(' '));
    // "param" and its block are two writes; every data byte is one write.
    const int n = blocksFor(records);
    QCOMPARE(h.port.writes.size(), 2 + 250 * n + 7 * 101);
    QCOMPARE(h.port.writes[0], QByteArray("param"));
    QCOMPARE(h.port.writes[1].size(), 3);
    QCOMPARE(h.port.writes[2].size(), 1);
    QCOMPARE(h.port.writes[2 + 250 * n], QByteArray("HD"));

    QCOMPARE(u.Label5->text(), QStringLiteral("Transfert terminé"));
    QCOMPARE(u.defile->text(), QStringLiteral("Mémorisation terminée"));
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Transfert en : \\d+ mS$")).match(label14(h)).hasMatch(),
        qPrintable(label14(h)));
    // Each data byte is followed by the byte pace.
    const qint64 shown = label14(h).section(' ', 3, 3).toLongLong();
    QVERIFY(shown >= 1500 + (250 * n + 700) * 16);
    QVERIFY(h.form->text2().isEmpty());
    QVERIFY(h.form->indicatorConnected());
    QVERIFY(!h.port.dtr);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::uploadAfterSupprimer()
{
    // 26 records fill two blocks; the 14th taken off leaves one.
    Harness h;
    openList(h, 26);
    h.form->Command5_Click();
    for (int i = 0; i < 13; ++i)
        h.form->Command11_Click();
    h.dialogs.answers = {MsgAnswer::Yes};
    h.form->Command23_Click();
    QList<int> kept = firstRecords(26);
    kept.removeAt(13);
    QCOMPARE(Harness::readFile(h.path(QStringLiteral("liste.txt"))), listFileOf(kept));

    h.dialogs.shown.clear();
    UploadBoard board = UploadBoard::forList(25);
    board.play(h);
    h.form->Command8_Click();
    const QByteArray expected = expectedStreamOf(kept, 10, true);
    QCOMPARE(h.port.written.toHex(' '), expected.toHex(' '));
    // Slot 25, which held the last record, is cleared as any slot past the end.
    const qsizetype hd = expected.indexOf("HD");
    QCOMPARE(h.port.written.mid(hd + 2 + 25, 1), QByteArray(1, '\0'));
    QCOMPARE(h.port.written.mid(hd + 2 + 13, 1), QByteArray(1, char(bcd(recordOf(14).hd))));
}

void TstBoardOps::uploadTimeOutAtEachStep_data()
{
    QTest::addColumn<QByteArray>("silent");
    QTest::addColumn<int>("sentBefore");
    for (auto [kw, sent] : {std::pair{"Pret", 0},
                            {"badge", 8},
                            {"badge2", 258},
                            {"badge3", 508},
                            {"HD", 758},
                            {"MF", 758 + 3 * 102},
                            {"jour_mois", 758 + 4 * 102 + 2 * 104}})
        QTest::newRow(kw) << QByteArray(kw) << sent;
}

void TstBoardOps::uploadTimeOutAtEachStep()
{
    QFETCH(QByteArray, silent);
    QFETCH(int, sentBefore);
    Harness h;
    openList(h, 60); // three blocks
    UploadBoard board = UploadBoard::forList(60);
    board.drop(silent);
    board.play(h);

    h.form->Command8_Click();

    QCOMPARE(h.port.written.size(), sentBefore);
    const QString l14 = label14(h);
    QVERIFY2(l14.startsWith(QStringLiteral("Transfert en : ")), qPrintable(l14));
    QVERIFY2(l14.endsWith(QStringLiteral(" mS — pas de réponse de la platine (attente de « %1 »)")
                              .arg(QString::fromLatin1(silent))),
             qPrintable(l14));
    QCOMPARE(h.ui().Label5->text(), QStringLiteral("Transfert en cours"));
    QVERIFY(h.form->text2().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::latePretTimesOut()
{
    Harness h;
    openList(h, 1);
    UploadBoard board = UploadBoard::forList(1);
    board.replies[0].delay = 11s;
    board.play(h);
    h.form->Command8_Click();
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(label14(h), QStringLiteral("Transfert en : 10001 mS — pas de réponse de la platine "
                                        "(attente de « Pret »)"));
    QCOMPARE(h.ui().Label5->text(), QStringLiteral("Transfert en cours"));
}

void TstBoardOps::strayCharacterBeforePret()
{
    Harness h;
    openList(h, 1);
    UploadBoard board = UploadBoard::forList(1);
    board.replies[0].text = "\nPret";
    board.play(h);
    h.form->Command8_Click();
    QVERIFY(h.port.written.isEmpty());
    QVERIFY2(
        label14(h).endsWith(QStringLiteral(
            " mS — réponse inattendue de la platine (attente de « Pret », 5 caractères reçus)")),
        qPrintable(label14(h)));
}

void TstBoardOps::bareBadgeDoesNotStartBlock2()
{
    Harness h;
    openList(h, 30);
    UploadBoard board = UploadBoard::forList(30);
    for (auto &r : board.replies)
        if (r.text == "badge2")
            r.text = "badge";
    board.play(h);
    h.form->Command8_Click();
    QCOMPARE(h.port.written.size(), 8 + 250);
    QVERIFY2(label14(h).endsWith(QStringLiteral(
                 "réponse inattendue de la platine (attente de « badge2 », 5 caractères reçus)")),
             qPrintable(label14(h)));
}

void TstBoardOps::secondUploadRefusedDuringFirst()
{
    Harness h;
    openList(h, 1);
    UploadBoard board = UploadBoard::forList(1);
    board.play(h);
    QString refusal;
    // The operator clicks the button again while the first block goes out.
    h.port.onWrite = [&](const QByteArray &) {
        if (h.port.written.size() == 100)
            h.time.after(1ms, [&] {
                h.ui().Command8->click();
                refusal = label14(h);
                // A badge reading would clear the pane the upload watches.
                h.ui().lecture_badge->click();
                QCOMPARE(label14(h), refusal);
            });
        board.answer(h, h.port.written.size());
    };
    h.form->Command8_Click();
    QCOMPARE(refusal, QStringLiteral("Opération refusée : envoi de la liste en cours"));
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1)); // no second bp1 prompt
    QCOMPARE(h.port.written, expectedStream(1, 10, true));
    QCOMPARE(h.ui().Label5->text(), QStringLiteral("Transfert terminé"));
}

void TstBoardOps::invalidListSendsNothing_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("said");
    QTest::newRow("no day")
        << QByteArray("jour autoris\xE9_=2") << QByteArray("jour autoris\xE9_=-1")
        << "badge n° 3 (emplacement 2, numéro « 00000A000E ») : jour autorisé « -1 »";
    QTest::newRow("hour 25")
        << QByteArray("heure de debut=09") << QByteArray("heure de debut=25")
        << "badge n° 3 (emplacement 2, numéro « 00000A000E ») : heure de début";
    QTest::newRow("no strike delay")
        << QByteArray() << QByteArray() << "temporisation de gâche «  »";
}

void TstBoardOps::invalidListSendsNothing()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, said);
    Harness h;
    openList(h, 3);
    QByteArray file = listFile(3);
    if (from.isEmpty())
        h.ui().tempo_gache->clear();
    Harness::writeFile(h.form->liste().fichier, file.replace(from, to));
    UploadBoard board = UploadBoard::forList(3);
    board.play(h);
    bool waitCursor = true;
    h.dialogs.onMessage = [&](const auto &) { waitCursor = QGuiApplication::overrideCursor(); };

    h.form->Command8_Click();

    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(h.port.dtrSets, 0);
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1)); // refused before the bp1 prompt
    const auto &refusal = h.dialogs.shown[0];
    QCOMPARE(refusal.icon, MsgIcon::Critical);
    QVERIFY2(refusal.text.contains(said), qPrintable(refusal.text));
    QVERIFY(!waitCursor);
    QVERIFY(label14(h).contains(QStringLiteral("rien n'a été envoyé")));
    QVERIFY(h.ui().Label5->text() != QStringLiteral("Transfert en cours"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::listBoardCannotHoldSendsNothing_data()
{
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QString>("said");
    QTest::newRow("list file gone") << true << "ne peut pas être lu";
    QTest::newRow("101 records") << false << "la liste compte 101 enregistrements";
}

void TstBoardOps::listBoardCannotHoldSendsNothing()
{
    QFETCH(bool, missing);
    QFETCH(QString, said);
    Harness h;
    openList(h, 101);
    if (missing)
        QFile::remove(h.form->liste().fichier);
    UploadBoard board = UploadBoard::forList(100);
    board.play(h);
    h.form->Command8_Click();
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1)); // the refusal, no bp1 prompt
    QVERIFY2(h.dialogs.shown[0].text.contains(said), qPrintable(h.dialogs.shown[0].text));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TstBoardOps::uploadPortWillNotOpen()
{
    Harness h;
    openList(h, 1);
    h.port.nextOpen = OpenResult::InUse;
    h.form->Command8_Click();
    QVERIFY(h.port.written.isEmpty());
    QVERIFY2(label14(h).contains(QStringLiteral("déjà utilisé")), qPrintable(label14(h)));
    QVERIFY(!h.form->indicatorConnected());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::uploadLineCut()
{
    Harness h;
    openList(h, 1);
    UploadBoard board = UploadBoard::forList(1);
    board.play(h);
    h.port.onWrite = [&](const QByteArray &) {
        if (h.port.written.size() == 8 + 100)
            h.port.lose(1ms); // the adapter is pulled out in the middle of the block
        board.answer(h, h.port.written.size());
    };
    h.form->Command8_Click();
    QVERIFY(h.port.written.size() < 8 + 250);
    QVERIFY2(label14(h).startsWith(QStringLiteral("Transfert en : ")) &&
                 label14(h).contains(QStringLiteral("liaison fermée ou perdue")) &&
                 label14(h).contains(QStringLiteral("bloc de badges 1")),
             qPrintable(label14(h)));
    QVERIFY(!QGuiApplication::overrideCursor());
    // Said in a box too: the board holds part of the new list.
    QCOMPARE(h.dialogs.shown.size(), std::size_t(2));
    QCOMPARE(h.dialogs.shown.back().icon, MsgIcon::Warning);
    QVERIFY(h.dialogs.shown.back().text.contains(QStringLiteral("liste incomplète")));
}

void TstBoardOps::boardRemembersWhatItHolds()
{
    // A list of 5 sent, then one badge removed and one changed outside the
    // board: the window, the table and "Quitter" say what the board still
    // does; the next upload settles it.
    Harness h;
    openList(h, 5);
    UploadBoard board = UploadBoard::forList(5);
    board.play(h);
    h.form->Command8_Click();
    const QString label = h.form->boardLabel();
    const auto line = [&] { return h.ui().etat_platine->text(); };
    QVERIFY2(line().startsWith(QStringLiteral("liste à jour sur « %1 » — dernier envoi le "
                                              "06/12/2026 à ").arg(label)),
             qPrintable(line()));

    QByteArray changed = listFileOf({0, 1, 2, 4});
    changed.replace("nom=Fr\xE9\x64\xE9ric 1\r\n", "nom=Autre\r\n");
    const QString path = h.path(QStringLiteral("liste.txt"));
    Harness::writeFile(path, changed);
    h.openList(path);
    QVERIFY2(line().startsWith(QStringLiteral("2 changements pas encore envoyés à « %1 »").arg(label)),
             qPrintable(line()));
    h.form->tableau_des_badges_Click();
    auto *table = h.windows.find<BadgeTableWindow>();
    QVERIFY(table);
    QCOMPARE(table->totalCount(), 5);
    QCOMPARE(table->cell(0, BadgeTableModel::kBoardColumn), QStringLiteral("à jour"));
    QCOMPARE(table->cell(1, BadgeTableModel::kBoardColumn),
             QStringLiteral("à envoyer : modifié (nom)"));
    QCOMPARE(table->cell(4, 0), recordOf(3).numero);
    QCOMPARE(table->cell(4, BadgeTableModel::kBoardColumn),
             QStringLiteral("retiré — encore actif sur la platine"));

    // "Quitter" asks first; "Non" goes back.
    h.dialogs.shown.clear();
    h.dialogs.answers = {MsgAnswer::No};
    h.form->Command6_Click();
    QCOMPARE(h.ended, 0);
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QVERIFY(h.dialogs.shown[0].text.contains(label));

    h.port.written.clear();
    board = UploadBoard::forList(4);
    board.play(h);
    h.form->Command8_Click();
    QVERIFY2(line().startsWith(QStringLiteral("liste à jour")), qPrintable(line()));
    QCOMPARE(table->totalCount(), 4);

    // An upload cut short: what the board holds is unknown, and said so.
    h.port.written.clear();
    board = UploadBoard::forList(4);
    board.drop("HD");
    board.play(h);
    h.form->Command8_Click();
    QVERIFY2(line().contains(QStringLiteral("inconnu")), qPrintable(line()));
    QCOMPARE(table->cell(0, BadgeTableModel::kBoardColumn), QStringLiteral("à envoyer : nouveau"));
    h.dialogs.shown.clear();
    h.form->Command6_Click();
    QCOMPARE(h.ended, 1);
    QVERIFY(h.dialogs.shown.empty());
}

void TstBoardOps::uploadLeavesOutExpired()
{
    // The virtual day is 06/12/2026: a badge valid until the day before
    // stays on the PC and is named before the bp1 prompt; one valid until
    // today is sent.
    Harness h;
    QByteArray list = listFile(3);
    const QByteArray first = recordOf(0).numero.toLatin1();
    list.replace("jour du mois=0\r\n", "jour du mois=0\r\nvalide jusqu'au=05/12/2026\r\n");
    list.replace("jour du mois=1\r\n", "jour du mois=1\r\nvalide jusqu'au=06/12/2026\r\n");
    const QString path = h.path(QStringLiteral("liste.txt"));
    Harness::writeFile(path, list);
    h.openList(path);
    h.ui().tempo_gache->setText(QStringLiteral("10"));
    UploadBoard board = UploadBoard::forList(2);
    board.play(h);
    h.form->Command8_Click();
    QCOMPARE(h.port.written.toHex(' '), expectedStreamOf({1, 2}, 10, true).toHex(' '));
    QVERIFY(h.dialogs.shown.size() >= 2);
    QCOMPARE(h.dialogs.shown[0].text,
             QStringLiteral("1 badge expiré ne sera pas envoyé : %1 (Frédéric 0)")
                 .arg(QString::fromLatin1(first)));
    QVERIFY(h.dialogs.shown[1].text.contains(QStringLiteral("bp1")));
}

void TstBoardOps::boardsByName()
{
    // At start, a badge expired since the board received it is named; a
    // name typed in "Platines…" is kept in its file and shown at once.
    Harness h(false);
    Harness::writeFile(h.path(QStringLiteral("platines.ini")),
                       "[COM10]\r\nnom=Entr\xE9\x65\r\nlieux=1\r\n\r\n");
    const boards::Sent sent{true, "01/12/2026 10:00", "liste.txt",
                            "[0000000001]\r\nnom=Zo\xE9\r\nvalide jusqu'au=05/12/2026\r\n"
                            "[0000000002]\r\nnom=Paul\r\nvalide jusqu'au=06/12/2026\r\n"};
    Harness::writeFile(h.path(QStringLiteral("envoi COM10.txt")),
                       QByteArray::fromStdString(boards::writeSent(sent)));
    h.form->Form_Load();
    QCOMPARE(h.form->boardLabel(), QStringLiteral("Entrée"));
    QCOMPARE(h.ui().nom_platine->text(), QStringLiteral("Entrée"));
    QVERIFY2(label14(h).startsWith(
                 QStringLiteral("1 badge expiré encore actif sur « Entrée » : 0000000001 (Zoé)")),
             qPrintable(label14(h)));

    h.form->platines_Click();
    auto *w = h.windows.find<BoardsWindow>();
    QVERIFY(w);
    QCOMPARE(w->model().rowCount(), 1);
    QVERIFY(w->model().setData(w->model().index(0, 1), QStringLiteral("Garage"), Qt::EditRole));
    QCOMPARE(Harness::readFile(h.path(QStringLiteral("platines.ini"))),
             QByteArray("[COM10]\r\nnom=Garage\r\nlieux=1\r\n\r\n"));
    QCOMPARE(h.ui().nom_platine->text(), QStringLiteral("Garage"));
    // Another port: a board without a name is its port.
    h.ui().Combo1->setCurrentIndex(2);
    QCOMPARE(h.form->boardLabel(), QStringLiteral("COM3"));
    QVERIFY(h.ui().nom_platine->text().isEmpty());
}

// --- The history ------------------------------------------------------------------------

void TstBoardOps::historyOfThreePassages()
{
    Harness h;
    const QByteArray announce = "Vidage EEPROM externe\r\n";
    const QByteArray log = "0123456789     17:05 06/12/26 01 *\r\n"
                           "00000000AB     08:30 07/12/26 12 *\r\n"
                           "ligne sans passage\r\n"
                           "FFFFFFFFFF     23:59 31/12/26 99 *\r\n";
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &s) {
        // The passage of 31/12/26 is ahead of the PC's 06/12/26: the clock is offered after.
        if (s.title == QStringLiteral("Horloge de la platine"))
            return;
        QCOMPARE(s.title, QStringLiteral("Téléchargement de l'historique des passages"));
        QCOMPARE(s.text, QStringLiteral("Cliquer sur ok puis \r\nAppuyer sur le poussoir bp3 SVP"));
        h.port.deliver(announce, 2s);
    };
    h.port.onWrite = [&](const QByteArray &w) {
        QCOMPARE(w, QByteArray("vidage"));
        QCOMPARE(label14(h), QStringLiteral("Connexion établie avec la platine"));
        h.port.deliver(log.left(40), 20ms);
        h.port.deliver(log.mid(40), 400ms);
        h.port.deliver("Histo", 900ms); // the marker split over two chunks
        h.port.deliver("rique\r\n", 1100ms);
    };
    h.form->Command3_Click();

    QCOMPARE(h.time.blocks, 1); // the half-second before "vidage" does not yield
    const QByteArray received = announce + log + "Historique\r\n";
    QCOMPARE(h.form->text2(), fromCp1252(received));
    QCOMPARE(Harness::readFile(h.path("histo.txt")), received + "\r\n");
    QCOMPARE(
        h.form->text1(),
        QStringLiteral(" N° de badge     Heure du passage    Date du passage      Lieu \r\n\r\n"
                       "0123456789            17:05             06/12/26          01\r\n"
                       "00000000AB            08:30             07/12/26          12\r\n"
                       "FFFFFFFFFF            23:59             31/12/26          99\r\n"));
    QCOMPARE(label14(h), QStringLiteral("Téléchargement terminé : 3 nouveaux passages dans le "
                                        "journal ; 1 ligne illisible ignorée"));
    QVERIFY(h.form->indicatorConnected());
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::quitAsLogEndsWritesNothing()
{
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) {
        h.port.deliver(passage("0123456789", 17, 5, 6, 1) + "Historique\r\n", 500ms);
        // "Quitter" in the same batch of events as the end marker's arrival.
        h.time.after(500ms, [&] { h.time.after(100ms, [&] { h.form->Command6_Click(); }); });
    };
    h.form->Command3_Click();
    QCOMPARE(h.ended, 1);
    QVERIFY(h.form->text2().contains(QStringLiteral("Historique")));
    QVERIFY(!QFile::exists(h.path("histo.txt")));
    QVERIFY(h.form->text1().isEmpty());
}

void TstBoardOps::historyEndsAfter30sIdle()
{
    Harness h;
    Harness::writeFile(h.path("histo.txt"), "ancien historique\r\n");
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    Millis lastArrival{0};
    h.port.onWrite = [&](const QByteArray &) {
        h.port.deliver(passage("0123456789", 17, 5, 6, 1), 5s);
        lastArrival = h.time.elapsed() + 5s + 100ms; // in the pane after the receive step
    };
    h.form->Command3_Click();

    QCOMPARE(Harness::readFile(h.path("histo.txt")), QByteArray("ancien historique\r\n"));
    QVERIFY(h.form->text2().contains(QStringLiteral("0123456789")));
    QVERIFY2(label14(h).contains(QStringLiteral("30 s")) &&
                 label14(h).contains(QStringLiteral("histo.txt n'a pas été modifié")),
             qPrintable(label14(h)));
    QVERIFY(h.time.elapsed() - lastArrival > 30s);
    QVERIFY(h.time.elapsed() - lastArrival < 31s);
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::historyKeepsWaitingWhileLogComes()
{
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) {
        // A slow board: a passage every 25 s for two minutes, then the end.
        for (int i = 0; i < 5; ++i)
            h.port.deliver(passage("0123456789", 10, i, 6, 1), Millis(25'000 * (i + 1)));
        h.port.deliver("Historique", 150s);
    };
    h.form->Command3_Click();
    QCOMPARE(label14(h),
             QStringLiteral("Téléchargement terminé : 5 nouveaux passages dans le journal"));
    QCOMPARE(h.form->text1().count(QStringLiteral("0123456789")), 5);
}

void TstBoardOps::historyKeptWhenJournalCannotBeWritten()
{
    Harness h;
    Harness::writeFile(h.path("histo.txt"), "ancien\r\n");
    QDir dir(h.dir.path());
    const QString journal = QStringLiteral("journal des passages.csv");
    const QString backlog = QStringLiteral("passages en attente.csv");
    QVERIFY(dir.mkdir(journal)); // a folder in its place: it cannot be written
    QSignalSpy changed(h.form.get(), &Form2::journalChanged);
    QByteArray log;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) { h.port.deliver(log + "Historique", 1s); };
    // Two downloads in a row that the journal cannot take; the board sends
    // only its new passages each time.
    const char *badges[] = {"0123456789", "00000000AB", "00000000AC"};
    for (int i = 0; i < 2; ++i) {
        log = passage(badges[i], 17 + i, 5, 6, 1 + i);
        h.form->Command3_Click();
        // The download is not hidden: histo.txt and the table as always.
        QCOMPARE(Harness::readFile(h.path("histo.txt")),
                 "Vidage EEPROM externe\r\n" + log + "Historique\r\n");
        QVERIFY(h.form->text1().contains(QString::fromLatin1(badges[i])));
        QVERIFY2(label14(h).startsWith(QStringLiteral("Téléchargement terminé, mais le journal")) &&
                     label14(h).contains(h.path(journal)) &&
                     label14(h).contains(QStringLiteral("%1 passage").arg(i + 1)) &&
                     label14(h).contains(h.path(backlog)) &&
                     !label14(h).contains(QStringLiteral("nouveau")),
                 qPrintable(label14(h)));
    }
    QCOMPARE(changed.count(), 0); // nothing added, nothing to read again

    // Writable again: the journal takes all three, each once, and the backlog goes.
    QVERIFY(dir.rmdir(journal));
    log = passage(badges[2], 19, 5, 6, 3);
    h.form->Command3_Click();
    QCOMPARE(label14(h),
             QStringLiteral("Téléchargement terminé : 3 nouveaux passages dans le journal"));
    QCOMPARE(changed.count(), 1);
    const QByteArray rows = Harness::readFile(h.path(journal));
    QVERIFY2(rows.contains("2026-12-06;17:05;0123456789;;01;") &&
                 rows.contains("2026-12-06;18:05;00000000AB;;02;") &&
                 rows.contains("2026-12-06;19:05;00000000AC;;03;") && rows.count('\n') == 4,
             rows.constData());
    QVERIFY(!QFile::exists(h.path(backlog)));
}

void TstBoardOps::historyNowhereToKeepSaysSo()
{
    Harness h;
    QDir dir(h.dir.path());
    QVERIFY(dir.mkdir(QStringLiteral("journal des passages.csv")));
    QVERIFY(dir.mkdir(QStringLiteral("passages en attente.csv")));
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &s) {
        if (s.text.contains(QStringLiteral("bp3")))
            h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) {
        h.port.deliver(passage("0123456789", 17, 5, 6, 1) + "Historique", 1s);
    };
    h.form->Command3_Click();
    QVERIFY2(label14(h).contains(QStringLiteral("ne sont gardés que dans cette fenêtre et dans "
                                                "histo.txt")),
             qPrintable(label14(h)));
    QCOMPARE(h.dialogs.shown.back().icon, MsgIcon::Warning);
    QVERIFY(h.dialogs.shown.back().text.contains(QStringLiteral("ne fermez pas le programme")));
    QVERIFY(h.form->text1().contains(QStringLiteral("0123456789")));
}

void TstBoardOps::historyNoiseAddsNoRow()
{
    Harness h;
    QByteArray noise;
    unsigned seed = 1407;
    for (int i = 0; i < 3000; ++i)
        noise += char((seed = seed * 1103515245u + 12345u) >> 16);
    noise.replace("Historique", "historique");
    const QByteArray log =
        passage("0123456789", 17, 5, 6, 1) + noise + "\r\n" + passage("00000000AB", 18, 0, 6, 2);
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) { h.port.deliver(log + "Historique", 1s); };
    h.form->Command3_Click();
    QVERIFY2(label14(h).startsWith(QStringLiteral(
                 "Téléchargement terminé : 2 nouveaux passages dans le journal ; ")) &&
                 label14(h).endsWith(QStringLiteral(" lignes illisibles ignorées")),
             qPrintable(label14(h)));
    QCOMPARE(Harness::readFile(h.path("journal des passages.csv")).count('\n'), 3);
}

void TstBoardOps::twoCopiesTakeTurns()
{
    // Two copies of the program download into one folder at once: each
    // journal replacement holds the lock, so no copy drops the other's rows.
    QTemporaryDir dir;
    const std::string journal = dir.filePath(QStringLiteral("j.csv")).toStdString();
    const std::string backlog = dir.filePath(QStringLiteral("b.csv")).toStdString();
    const auto copy = [&](int which) {
        for (int i = 0; i < 15; ++i) {
            const std::string line =
                protocol::historyLine(which ? "00000000AB" : "0123456789", 8, i, 7, 12, 26, 1);
            board::addToJournal(journal, backlog, historyPassages(line, {}, "x").rows);
        }
    };
    std::thread other(copy, 1);
    copy(0);
    other.join();
    QCOMPARE(journalRows(*files::read(journal)).size(), std::size_t(30));
}

void TstBoardOps::historyAnnouncementTimeOut()
{
    Harness h;
    Harness::writeFile(h.path("histo.txt"), "ancien\r\n");
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("xVidage EEPROM externe\r\n", 1s); // not at the start of the pane
    };
    h.form->Command3_Click();
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(label14(h),
             QStringLiteral("Historique non téléchargé : réponse inattendue de la platine "
                            "(attente de « Vidage EEPROM externe », 24 caractères reçus)"));
    QCOMPARE(Harness::readFile(h.path("histo.txt")), QByteArray("ancien\r\n"));
    QVERIFY(h.form->text1().isEmpty());
}

void TstBoardOps::historyPortLost()
{
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("Vidage EEPROM externe\r\n", 1s);
    };
    h.port.onWrite = [&](const QByteArray &) {
        h.port.deliver(passage("0123456789", 17, 5, 6, 1), 1s);
        h.port.lose(3s);
    };
    h.form->Command3_Click();
    QVERIFY(!QFile::exists(h.path("histo.txt")));
    QVERIFY(h.form->text2().contains(QStringLiteral("0123456789")));
    QVERIFY2(label14(h).contains(QStringLiteral("liaison fermée ou perdue")),
             qPrintable(label14(h)));
    QVERIFY(h.time.elapsed() < 10s);
    // The board began its log: what it sent may not come again, and the box says how to have it
    // all.
    QCOMPARE(h.dialogs.shown.size(), std::size_t(2));
    QCOMPARE(h.dialogs.shown.back().icon, MsgIcon::Warning);
    QVERIFY(h.dialogs.shown.back().text.contains(QStringLiteral("« raz offset telech »")));
}

// --- The clock ----------------------------------------------------------------------------

namespace {
// The board's side of a clock setting: it announces itself `after` the click
// and confirms once the seven bytes are in.
void clockBoard(Harness &h, Millis after, bool confirm = true,
                const QByteArray &announce = "Mise a l'heure\r\n")
{
    h.port.deliver(announce, after);
    h.port.onWrite = [&h, confirm](const QByteArray &) {
        if (confirm && h.port.written.size() == 7 + 5 + 7)
            h.port.deliver(
                "Modification enregistree le 06/12/2026, horloge de la platine a jour\r\n", 30ms);
    };
}
QByteArray clockBytes(const QByteArray &written)
{
    return written.mid(12);
}
} // namespace

void TstBoardOps::clockConfirmationShowsOneLine()
{
    Harness h;
    h.port.open(1);
    h.port.deliver("Mise a l'heure\r\n", 500ms);
    h.port.onWrite = [&h](const QByteArray &) {
        if (h.port.written.size() == 7 + 5 + 7)
            h.port.deliver("Modification enregistree 17:05:10 06/12/26\r\nOK\r\n", 30ms);
    };
    h.form->Command17_Click();
    QCOMPARE(label14(h), QStringLiteral("Modification enregistree 17:05:10 06/12/26"));
}

void TstBoardOps::clockBytesAtPcTime()
{
    Harness h;
    h.port.open(1); // connected beforehand
    clockBoard(h, 500ms);
    QString atHoraire; // the status strip as "horaire" leaves
    h.time.onBlock = [&](Millis) {
        if (h.port.writes.isEmpty())
            atHoraire = label14(h);
    };
    h.form->Command17_Click();

    QCOMPARE(atHoraire, QStringLiteral("Connexion établie avec la platine"));
    QCOMPARE(h.port.writes.size(), 2 + 7);
    QCOMPARE(h.port.writes[0], QByteArray("horaire"));
    QCOMPARE(h.port.writes[1], QByteArray("heure"));
    // Taken 0.6 s after 17:05:09 on Sunday 6 December 2026.
    QCOMPARE(clockBytes(h.port.written).toHex(' '), QByteArray("17 05 09 06 12 26 01"));
    QCOMPARE(h.form->octets_horaire()[0], std::int16_t(0x17));
    QCOMPARE(h.time.blocks, 2);
    QCOMPARE(h.time.blockedFor, 1000ms);
    QCOMPARE(h.ui().defile->text(), QStringLiteral("6/6"));
    QCOMPARE(label14(h), QStringLiteral("Modification enregistree le 06/12/2026, horloge de"));
    QVERIFY(h.form->indicatorConnected());

    // Later the seconds follow the PC's clock.
    Harness h2;
    h2.port.open(1);
    clockBoard(h2, 2500ms);
    h2.form->Command17_Click();
    QCOMPARE(clockBytes(h2.port.written).toHex(' '), QByteArray("17 05 11 06 12 26 01"));
}

void TstBoardOps::clockOverrides()
{
    Harness h;
    h.port.open(1);
    h.ui().heure_pc->setText(QStringLiteral("8"));
    h.ui().minute_pc->setText(QStringLiteral("59")); // the ranges' ends pass
    h.ui().jour_pc->setText(QStringLiteral("7"));
    // Filled while the program waits for the board: still what is sent.
    h.time.at(50ms, [&h] { h.ui().j_mois->setText(QStringLiteral("07")); });
    clockBoard(h, 100ms);
    h.form->Command17_Click();
    QCOMPARE(clockBytes(h.port.written).toHex(' '), QByteArray("08 59 09 07 12 26 07"));
}

// The operation runs on a line of its own, without the window: the status
// strip is the line's word, the override fields the operation's question.
void TstBoardOps::clockSetOnALineAlone()
{
    VirtualTime time;
    FakeSerialPort port{time};
    Pane received;
    Line line(port, time, time, time.makeTimer(), received);
    port.onReadyRead = [&line] { line.dataArrived(); };
    QStringList reported;
    QObject::connect(&line, &Line::reported, [&](const QString &text) { reported << text; });
    port.deliver("Mise a l'heure\r\n", 300ms);
    port.onWrite = [&](const QByteArray &) {
        if (port.written.size() == 7 + 5 + 7)
            port.deliver("Modification enregistree\r\nOK\r\n", 30ms);
    };
    int asked = 0;
    Millis askedAt{};
    board::ClockInputs in;
    in.overrides = [&] {
        ++asked;
        askedAt = time.elapsed();
        return board::ClockOverrides{QStringLiteral("23"), {}, QStringLiteral("31"), {}};
    };
    FakeDialogs dialogs;

    Exchange x(line, QStringLiteral("mise à l'heure"));
    QVERIFY(x.began());
    const board::ClockOutcome outcome = board::setClock(x, in, dialogs, time);

    QVERIFY(outcome.confirmed);
    QCOMPARE(outcome.status, QStringLiteral("Modification enregistree"));
    QCOMPARE(asked, 1);
    QVERIFY(askedAt >= 300ms); // once the board has announced itself
    QCOMPARE(port.written.left(12), QByteArray("horaireheure"));
    // Taken 0.4 s after 17:05:09 on Sunday 6 December 2026.
    QCOMPARE(clockBytes(port.written).toHex(' '), QByteArray("23 05 09 31 12 26 01"));
    QVERIFY(outcome.bytes);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(outcome.bytes->data()), 7),
             clockBytes(port.written));
    QCOMPARE(reported, QStringList{QStringLiteral("Connexion établie avec la platine")});
    QVERIFY(dialogs.shown.empty());
}

void TstBoardOps::heurePcFillsFields()
{
    Harness h;
    h.time.m_wallStart = QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)); // a Monday
    h.ui().Command19->click();
    const Form2Ui &u = h.ui();
    QCOMPARE(u.heure_pc->text(), QStringLiteral("9"));
    QCOMPARE(u.minute_pc->text(), QStringLiteral("30"));
    QCOMPARE(u.jour_pc->text(), QStringLiteral("2"));
    QCOMPARE(u.j_mois->text(), QStringLiteral("7"));

    h.time.advance(2min + 15s);
    h.port.open(1);
    clockBoard(h, 100ms);
    h.form->Command17_Click();
    QCOMPARE(clockBytes(h.port.written).toHex(' '), QByteArray("09 30 15 07 12 26 02"));
}

void TstBoardOps::clockOverrideRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("hex letter") << "heure_pc"
                                << "1A";
    QTest::newRow("three digits") << "minute_pc"
                                  << "123";
    QTest::newRow("sign") << "jour_pc"
                          << "-1";
    QTest::newRow("word") << "j_mois"
                          << "lundi";
    QTest::newRow("decimal point") << "heure_pc"
                                   << "7.5";
    QTest::newRow("hour 24") << "heure_pc"
                             << "24";
    QTest::newRow("minute 60") << "minute_pc"
                               << "60";
    QTest::newRow("day of the month 0") << "j_mois"
                                        << "00";
    QTest::newRow("weekday 8") << "jour_pc"
                               << "8";
    QTest::newRow("weekday 0") << "jour_pc"
                               << "0";
    QTest::newRow("day of the month 32") << "j_mois"
                                         << "32";
}

void TstBoardOps::clockOverrideRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    Harness h;
    h.form->findChild<QLineEdit *>(field)->setText(text);
    clockBoard(h, 100ms);
    h.form->Command17_Click();
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QVERIFY2(label14(h).contains(QStringLiteral("« %1 »").arg(text)) &&
                 label14(h).contains(QStringLiteral("rien n'a été envoyé")),
             qPrintable(label14(h)));
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::clockAnnouncementNotAtStart()
{
    Harness h;
    h.port.open(1);
    clockBoard(h, 100ms, true, "\r\nMise a l'heure");
    h.form->Command17_Click();
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(label14(h), QStringLiteral("Heure non mise à jour : réponse inattendue de la platine "
                                        "(attente de « Mise », 16 caractères reçus)"));
}

void TstBoardOps::clockWithoutConfirmation()
{
    Harness h;
    h.port.open(1);
    clockBoard(h, 100ms, false);
    h.form->Command17_Click();
    QCOMPARE(h.port.written.size(), 7 + 5 + 7);
    QVERIFY(label14(h).contains(QStringLiteral("n'a pas confirmé")));
}

// --- Badge reading -------------------------------------------------------------------------

void TstBoardOps::badgeReading_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QString>("number");
    QTest::newRow("ten digits") << QByteArray("tag: 0123456789\r\n") << "0123456789";
    QTest::newRow("four digits") << QByteArray("tag: 1234") << "1234";
    QTest::newRow("hexadecimal") << QByteArray("tag: 00000000AB\r\n") << "00000000AB";
}

void TstBoardOps::badgeReading()
{
    QFETCH(QByteArray, report);
    QFETCH(QString, number);
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &s) {
        QCOMPARE(s.title, QStringLiteral("Enregistrement d'un badge"));
        QCOMPARE(
            s.text,
            QStringLiteral("Cliquer sur 'OK' puis Présenter votre badge\r\ndevant l'antenne SVP"));
        h.port.deliver(report, 20s);
    };
    QString waiting; // the prompt while the antenna waits
    h.time.at(10s, [&] { waiting = h.ui().Label9->text(); });
    h.ui().Text1->setText(QStringLiteral("ancien texte"));
    h.ui().lecture_badge->click();
    QCOMPARE(waiting, QStringLiteral("Présenter votre badge devant l'antenne"));
    const Form2Ui &u = h.ui();
    QCOMPARE(u.numero_badge->text(), number);
    QCOMPARE(u.Label2->text(), QStringLiteral("Badge N°:") + number);
    QCOMPARE(h.form->text1(),
             QStringLiteral("Numéro de badge lu :") + number + QStringLiteral("\r\n"));
    QVERIFY(h.form->text2().isEmpty());
    QVERIFY(!h.port.dtr);
    QVERIFY(h.port.written.isEmpty()); // the board is asked nothing

    // The same badge read again: its caption stays, "Badge lu" shows again.
    h.ui().lecture_badge->click();
    QCOMPARE(u.Label2->text(), QStringLiteral("Badge N°:") + number);
    QCOMPARE(u.Label9->text(),
             QStringLiteral(
                 "Badge lu\r\nUne fois les champs renseignés cliquer sur le bouton 'Enregistrer'"));
}

void TstBoardOps::capitalTagDoesNotEndReading()
{
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("TAG: 0123456789\r\n", 1s);
        // The operator gives up: a right press on "Connexion" closes the port.
        h.time.after(60s, [&] { h.form->Command10_MouseDown(MouseButton::Right); });
    };
    const QString before = h.ui().numero_badge->text();
    h.form->lecture_badge_Click();
    QCOMPARE(h.ui().numero_badge->text(), before);
    QVERIFY(h.time.elapsed() >= 60s);
    QVERIFY(label14(h).startsWith(QStringLiteral("Lecture de badge interrompue")));
}

void TstBoardOps::secondReadingRefused()
{
    Harness h;
    int prompts = 0;
    QString refusal;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        ++prompts;
        h.time.after(5s, [&] {
            h.ui().lecture_badge->click(); // again, while the first waits
            refusal = label14(h);
        });
        h.port.deliver("tag: 0123456789\r\n", 8s);
    };
    h.form->lecture_badge_Click();
    QCOMPARE(prompts, 1);
    QCOMPARE(refusal, QStringLiteral("Opération refusée : lecture de badge en cours"));
    QCOMPARE(h.ui().numero_badge->text(), QStringLiteral("0123456789"));
    QCOMPARE(h.form->text1(), QStringLiteral("Numéro de badge lu :0123456789\r\n"));
    QVERIFY(!h.form->lineBusy());
}

void TstBoardOps::readingOpensPortOnce()
{
    Harness h;
    h.dialogs.onMessage = [&](const FakeDialogs::Shown &) {
        h.port.deliver("tag: 0123456789", 1s);
    };
    h.form->lecture_badge_Click();
    h.form->lecture_badge_Click();
    QCOMPARE(h.port.opens, 1);
    QCOMPARE(h.port.closes, 0);
}

void TstBoardOps::readingPortWillNotOpen()
{
    Harness h;
    h.port.nextOpen = OpenResult::Absent;
    h.form->lecture_badge_Click();
    QVERIFY(h.dialogs.shown.empty());
    QVERIFY(label14(h).contains(QStringLiteral("indisponible")));
}

// --- Maintenance ---------------------------------------------------------------------------

void TstBoardOps::maintenanceOnClosedPort()
{
    Harness h;
    const Form2Ui &u = h.ui();
    for (QPushButton *b : {u.Command15, u.Command16, u.Command18}) {
        u.Label14->clear();
        b->click();
        QVERIFY2(label14(h).startsWith(QStringLiteral("Connexion non ouverte")),
                 qPrintable(b->text()));
    }
    h.form->Command20_MouseDown(MouseButton::Left);
    QVERIFY(label14(h).contains(QStringLiteral("« raz_flash » n'a pas été envoyé")));
    QCOMPARE(h.port.opens, 0);
    QVERIFY(h.port.written.isEmpty());
    QVERIFY(h.dialogs.shown.empty());
}

void TstBoardOps::maintenanceCommands()
{
    Harness h;
    h.port.open(1);
    const Form2Ui &u = h.ui();
    u.Command15->click();
    u.Command16->click();
    u.Command18->click();
    QCOMPARE(h.port.writes, (QList<QByteArray>{"eeprom", "raz_offset", "vidage"}));
    // The dump that answers "eeprom" collects in the receive pane.
    h.port.deliver("41 42 .\r\n");
    h.time.advance(200ms);
    QCOMPARE(h.form->text2(), QStringLiteral("41 42 .\r\n"));
    QVERIFY(h.form->text1().isEmpty());
}

void TstBoardOps::eraseAsksFirst_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::newRow("left, yes") << int(MouseButton::Left) << int(MsgAnswer::Yes) << "historique"
                               << QList<QByteArray>{"raz_flash", QByteArray(2, '\0')};
    QTest::newRow("right, yes") << int(MouseButton::Right) << int(MsgAnswer::Yes) << "TOUTE"
                                << QList<QByteArray>{"raz_flash", QByteArray(2, '\x01')};
    QTest::newRow("left, no") << int(MouseButton::Left) << int(MsgAnswer::No) << "historique"
                              << QList<QByteArray>{};
    QTest::newRow("right, no") << int(MouseButton::Right) << int(MsgAnswer::No) << "TOUTE"
                               << QList<QByteArray>{};
    QTest::newRow("middle") << int(MouseButton::Middle) << int(MsgAnswer::Yes) << QString()
                            << QList<QByteArray>{};
}

void TstBoardOps::eraseAsksFirst()
{
    QFETCH(int, button);
    QFETCH(int, answer);
    QFETCH(QString, asked);
    QFETCH(QList<QByteArray>, sent);
    Harness h;
    h.port.open(1);
    h.dialogs.answers.push_back(MsgAnswer(answer));
    h.form->Command20_MouseDown(MouseButton(button));
    QCOMPARE(h.port.writes, sent);
    if (asked.isEmpty()) {
        QVERIFY(h.dialogs.shown.empty());
        QVERIFY(label14(h).contains(QStringLiteral("rien n'a été envoyé")));
        return;
    }
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(h.dialogs.shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(h.dialogs.shown[0].text.contains(asked));
}

void TstBoardOps::maintenanceRefusedWhileLineBusy()
{
    Harness h;
    h.port.open(1);
    {
        Exchange upload(h.form->line(), QStringLiteral("envoi de la liste"));
        QVERIFY(upload.began());
        h.ui().Command15->click();
        h.dialogs.answers.push_back(MsgAnswer::Yes);
        h.form->Command20_MouseDown(MouseButton::Left);
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(label14(h), QStringLiteral("Opération refusée : envoi de la liste en cours"));
    }
    QVERIFY(!h.form->lineBusy()); // given back with the exchange
}

// --- The dump decoder ----------------------------------------------------------------------

void TstBoardOps::asciiDecodesPane()
{
    Harness h;
    const QString pane = QStringLiteral("41 42 43 44 45 .\r\n30 31 .\r\nsans point");
    h.ui().Text2->setText(pane);
    h.ui().Command9->click();
    QCOMPARE(Harness::readFile(h.path("temp2.txt")), pane.toLatin1() + "\r\n");
    const QByteArray listing = Harness::readFile(h.path("temp.txt"));
    // The raw line keeps its own full stop before the five of the marker.
    QCOMPARE(listing, QByteArray("00000 : 41 42 43 44 45 ......ABCDE\r\n"
                                 "00005 : 30 31 ......01\r\n"
                                 "00010 : sans point.....\r\n"));
    QCOMPARE(h.shell.opened, QStringList{h.path("temp.txt")});
    QCOMPARE(h.form->text2(), pane); // only read
}

void TstBoardOps::asciiUnwritableDirectory()
{
    Harness h;
    // The program's folder is gone, with the lock the window holds in it.
    QVERIFY(QDir(h.dir.path()).removeRecursively());
    h.ui().Text2->setText(QStringLiteral("41 42 ."));
    h.ui().Command9->click();
    QVERIFY2(label14(h).startsWith(QStringLiteral("Décodage impossible : temp2.txt")),
             qPrintable(label14(h)));
    QVERIFY(h.shell.opened.isEmpty());
    QVERIFY(!QFile::exists(h.path("temp.txt")));
}

QTEST_MAIN(TstBoardOps)
#include "tst_board_ops.moc"
