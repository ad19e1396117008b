// The boards' files and the comparison of a list with what a board holds;
// the dates of validity at their edges.

#include "core/badges/list_edit.h"
#include "core/badges/validity.h"
#include "core/boards/boards.h"

#include <QTest>

using namespace platine;
using namespace platine::boards;

namespace {

std::string rec(const std::string &numero, const std::string &nom = "Valmire",
                const std::string &hd = "07", const std::string &lieu = "1",
                const std::string &extra = "")
{
    return "[" + numero + "]\r\nnumero=" + numero + "\r\nnom=" + nom + "\r\nheure de debut=" + hd +
           "\r\nminute de debut=30\r\nheure de fin=17\r\nminute de fin=30\r\n24 h 24=non\r\n"
           "jour autoris\xE9=Lundi\r\njour autoris\xE9_=0\r\nlieu autoris\xE9=" +
           lieu + "\r\ntous lieux=non\r\n" + extra + "jour du mois=0\r\n\r\n";
}

const Date kToday{2026, 12, 9};
const std::string kFile = "/listes/liste.txt";

Sent sentOf(const std::string &list, bool complete = true, const std::string &file = kFile)
{
    return {complete, "07/12/2026 14:02", file, complete ? list : std::string()};
}

QString describe(const BoardDiff &d)
{
    QStringList out;
    for (const RecordDiff &r : d.records)
        out << QString::fromLatin1(r.section.c_str()) + ":" + QString::fromStdString(stateText(r).french());
    for (const RemovedRecord &r : d.removed)
        out << QString::fromLatin1(r.section.c_str()) + ":retiré";
    return out.join(QLatin1Char('|'));
}

} // namespace

class TstBoards : public QObject {
    Q_OBJECT
private slots:
    void boardsRoundTrip()
    {
        const std::vector<Board> boards{{"COM3", "Entr\xE9" "e principale", "1, 2"},
                                        {"/dev/ttyUSB0", "", ""},
                                        {"COM4", "Garage", ""}};
        QCOMPARE(readBoards(writeBoards(boards)), boards);
        // One line each; a second section of a port does not count.
        const auto read = readBoards(writeBoards({{"COM1", "a\r\nb", "x"}}) + "[com1]\r\nnom=z\r\n");
        QCOMPARE(read.size(), std::size_t(1));
        QCOMPARE(read[0].nom, std::string("a  b"));
        QCOMPARE(findBoard(boards, "com4")->nom, std::string("Garage"));
        QCOMPARE(sentFileName("/dev/ttyUSB0"), std::string("envoi _dev_ttyUSB0.txt"));
    }

    void sentRoundTrip()
    {
        const Sent full = sentOf(rec("0000000001") + "[x]\r\nnom=--- liste\r\n");
        const auto back = readSent(writeSent(full));
        QVERIFY(back);
        QCOMPARE(back->list, full.list);
        QCOMPARE(back->when, full.when);
        QCOMPARE(back->listFile, full.listFile);
        QVERIFY(back->complete);
        QVERIFY(!readSent(writeSent(sentOf("", false)))->complete);
        // A file name ending with a line break (a file edited by hand) is
        // written the same the first time as the next.
        Sent edited = full;
        edited.listFile = "liste.txt\n";
        const std::string once = writeSent(edited);
        QCOMPARE(readSent(once)->listFile, std::string("liste.txt"));
        QCOMPARE(writeSent(*readSent(once)), once);
        QVERIFY(!readSent("garbage"));
        QVERIFY(!readSent("etat=peut-etre\r\n--- liste envoy\xE9" "e ---\r\n"));
    }

    void compare_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("board"); // empty: never sent; "?": did not end; "other"
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("changes");
        QTest::addColumn<int>("removals");
        const std::string a = rec("000000000A"), b = rec("000000000B"), c = rec("000000000C");
        auto q = [](const std::string &s) { return QString::fromLatin1(s.c_str()); };
        QTest::newRow("same") << q(a + b) << q(a + b)
                              << "000000000A:à jour|000000000B:à jour" << 0 << 0;
        QTest::newRow("reordered") << q(b + a) << q(a + b)
                                   << "000000000B:à jour|000000000A:à jour" << 0 << 0;
        QTest::newRow("new") << q(a + c) << q(a)
                             << "000000000A:à jour|000000000C:à envoyer : nouveau" << 1 << 0;
        QTest::newRow("changed, field by field")
            << q(rec("000000000A", "Autre", "08") + rec("000000000B", "Valmire", "07", "3"))
            << q(a + b)
            << "000000000A:à envoyer : modifié (nom, heure de début)|"
               "000000000B:à envoyer : modifié (lieu autorisé)"
            << 2 << 0;
        QTest::newRow("same number typed otherwise")
            << q(rec("000000000A", "Valmire", "7")) << q(a) << "000000000A:à jour" << 0 << 0;
        QTest::newRow("removed") << q(a) << q(a + b) << "000000000A:à jour|000000000B:retiré" << 1
                                 << 1;
        QTest::newRow("badge listed twice: the first counts, once")
            << q(rec("000000000A", "Neuf") + a) << q(b)
            << "000000000A:à envoyer : nouveau|000000000A:à envoyer : nouveau|000000000B:retiré"
            << 2 << 1;
        QTest::newRow("dates alone are no change")
            << q(rec("000000000A", "Valmire", "07", "1", "valide jusqu'au=31/12/2026\r\n")) << q(a)
            << "000000000A:à jour" << 0 << 0;
        QTest::newRow("expired, still on the board")
            << q(rec("000000000A", "Valmire", "07", "1", "valide jusqu'au=08/12/2026\r\n")) << q(a)
            << "000000000A:à envoyer : retrait (hors validité, encore actif sur la platine)" << 1
            << 1;
        QTest::newRow("not yet valid, not on the board")
            << q(rec("000000000A", "Valmire", "07", "1", "valide du=10/12/2026\r\n")) << q(b)
            << "000000000A:non envoyé : hors validité|000000000B:retiré" << 1 << 1;
        QTest::newRow("never sent") << q(a) << QString() << "000000000A:à envoyer : nouveau" << 1
                                    << 0;
        QTest::newRow("upload that did not end")
            << q(a) << "?" << "000000000A:à envoyer : nouveau" << 1 << 0;
        QTest::newRow("board holds another list")
            << q(a) << "other" << "000000000A:à envoyer : nouveau" << 1 << 0;
    }
    void compare()
    {
        QFETCH(QString, list);
        QFETCH(QString, board);
        QFETCH(QString, expected);
        QFETCH(int, changes);
        QFETCH(int, removals);
        std::optional<Sent> sent;
        if (board == "?")
            sent = sentOf("", false);
        else if (board == "other")
            sent = sentOf(rec("000000000A"), true, "/listes/autre.txt");
        else if (!board.isEmpty())
            sent = sentOf(board.toLatin1().toStdString());
        const BoardDiff d = compareWithBoard(list.toLatin1().toStdString(), sent, kFile, kToday);
        QCOMPARE(describe(d), expected);
        QCOMPARE(d.changes(), changes);
        QCOMPARE(d.removals(), removals);
        const Basis basis = board.isEmpty()    ? Basis::NeverSent
                            : board == "?"     ? Basis::Unknown
                            : board == "other" ? Basis::OtherList
                                               : Basis::Known;
        QCOMPARE(int(d.basis), int(basis));
    }

    void validity_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("until");
        QTest::addColumn<QString>("day");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("words");
        QTest::newRow("no dates") << "" << "" << "09/12/2026" << true << "";
        QTest::newRow("first valid day") << "09/12/2026" << "" << "09/12/2026" << true << "";
        QTest::newRow("day before the first")
            << "9/12/2026" << "" << "08/12/2026" << false << "valide à partir du 09/12/2026";
        QTest::newRow("last valid day")
            << "" << "09/12/2026" << "09/12/2026" << true << "expire aujourd'hui";
        QTest::newRow("day after the last") << "" << "09/12/2026" << "10/12/2026" << false << "expiré";
        QTest::newRow("one day only")
            << "09/12/2026" << "09/12/2026" << "09/12/2026" << true << "expire aujourd'hui";
        QTest::newRow("over the year's end")
            << "01/12/2026" << "05/01/2027" << "29/12/2026" << true << "expire dans 7 jours";
        QTest::newRow("29 February") << "" << "01/03/2028" << "28/02/2028" << true
                                     << "expire dans 2 jours";
    }
    void validity()
    {
        QFETCH(QString, from);
        QFETCH(QString, until);
        QFETCH(QString, day);
        QFETCH(bool, valid);
        QFETCH(QString, words);
        const Validity v{parseDate(from.toStdString()), parseDate(until.toStdString())};
        const Date d = *parseDate(day.toStdString());
        QCOMPARE(validOn(v, d), valid);
        QCOMPARE(QString::fromStdString(validityText(v, d).french()), words);
        QVERIFY(!validityProblem(from.toStdString(), until.toStdString()));
    }

    void validityRefused_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("until");
        QTest::newRow("wrong order") << "10/12/2026" << "09/12/2026";
        QTest::newRow("no such day") << "31/11/2026" << "";
        QTest::newRow("not a leap year") << "" << "29/02/2027";
        QTest::newRow("not a date") << "demain" << "";
        QTest::newRow("two-digit year") << "" << "01/01/27";
    }
    void validityRefused()
    {
        QFETCH(QString, from);
        QFETCH(QString, until);
        QVERIFY(validityProblem(from.toStdString(), until.toStdString()));
    }

    void validityKeys()
    {
        // Set, rewritten as dd/mm/yyyy, then taken off again: the record's
        // other lines stay byte for byte.
        const std::string list = rec("000000000A") + rec("000000000B");
        std::string with = setValidity(list, "000000000A", " 1/2/2027", "31/12/2027");
        const profile::Parsed parsed(with);
        const Validity v = validityOf(parsed, "000000000A");
        QCOMPARE(formatDate(*v.from), std::string("01/02/2027"));
        QCOMPARE(formatDate(*v.until), std::string("31/12/2027"));
        QVERIFY(!validityOf(parsed, "000000000B").any());
        QCOMPARE(setValidity(with, "000000000A", "", ""), list);

        // "Modifier la sélection": the dates on every chosen record, or refused for all.
        BulkChange change;
        change.validity = true;
        change.valideJusquAu = "31/12/2026";
        const ChangeResult done = changeRecords(list, {"000000000A", "000000000B"}, change);
        QVERIFY(done.ok());
        QCOMPARE(done.changed, 2);
        QCOMPARE(formatDate(*validityOf(profile::Parsed(done.content), "000000000B").until),
                 std::string("31/12/2026"));
        change.valideDu = "01/01/2027";
        const ChangeResult refused = changeRecords(list, {"000000000A"}, change);
        QVERIFY(!refused.ok());
        QCOMPARE(refused.content, list);
    }
};

QTEST_APPLESS_MAIN(TstBoards)
#include "tst_boards.moc"
