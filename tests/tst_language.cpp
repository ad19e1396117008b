// The window in English: no French caption left, the operator's choice of
// language kept, and the files written byte for byte as in French.

#include "board/operations_model.h"
#include "board/operations_tab.h"
#include "core/platform/files.h"
#include "core/badges/validity.h"
#include "core/boards/boards.h"
#include "core/platform/message.h"
#include "platform/language.h"
#include "platform/own_settings.h"
#include "platform/text.h"
#include "support/harness.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(platine::Message)

using namespace platine;
using namespace std::chrono_literals;
using platine::testing::Harness;

namespace {

// Every text the window shows, by the name of what shows it: captions,
// titles, tool tips, menus and their items, the day list.
QMap<QString, QString> captions(QWidget *form)
{
    QMap<QString, QString> out;
    const auto add = [&](const QString &key, const QString &text) {
        if (!text.isEmpty())
            out.insert(key, text);
    };
    add(QStringLiteral("Form2"), form->windowTitle());
    for (QWidget *w : form->findChildren<QWidget *>()) {
        const QString n = w->objectName();
        if (n.isEmpty())
            continue;
        add(n + QStringLiteral("/tip"), w->toolTip());
        if (auto *l = qobject_cast<QLabel *>(w))
            add(n, l->text());
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(n, b->text());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(n, g->title());
        else if (auto *m = qobject_cast<QMenu *>(w))
            add(n, m->title());
    }
    for (QAction *a : form->findChildren<QAction *>())
        if (!a->objectName().isEmpty())
            add(a->objectName(), a->text());
    auto *days = form->findChild<QComboBox *>(QStringLiteral("Combo2"));
    for (int i = 0; days && i < days->count(); ++i)
        add(QStringLiteral("Combo2/%1").arg(i), days->itemText(i));
    return out;
}

// Texts the same in both languages: marks, names, the languages' own names.
const QStringList kSameInBoth = {
    QStringLiteral("..."),      QStringLiteral("...."),     QStringLiteral("....."),
    QStringLiteral("/"),        QStringLiteral("Ostrany"),  QStringLiteral("eeprom"),
    QStringLiteral("Ascii"),    QStringLiteral("24h/24"),   QStringLiteral("H"),
    QStringLiteral("Minute"),   QStringLiteral("1-7"),      QStringLiteral("&Français"),
    QStringLiteral("&English"), QStringLiteral("Heure PC"),
};

// A list of one badge, as an operator keeps it.
const QByteArray kList = "Liste cr\xE9"
                         "e le  : 06/12/2026\r\n"
                         "Heure courante : 10:15:42\r\n"
                         "Nom du fichier : liste.txt\r\n\r\n\r\n"
                         "[0000000001]\r\nnumero=0000000001\r\nnom=Valmire\r\n"
                         "heure de debut=07\r\nminute de debut=30\r\nheure de fin=17\r\n"
                         "minute de fin=30\r\n24 h 24=non\r\njour autoris\xE9=Lundi\r\n"
                         "jour autoris\xE9_=0\r\nlieu autoris\xE9=1\r\ntous lieux=non\r\n"
                         "jour du mois=0\r\n\r\n";

// What a window in `language` writes: the list after a badge is added (its
// day chosen in the list) and the journal after a download.
struct Written {
    QByteArray list, journal, history;
};

Written writtenIn(Language language)
{
    LanguageInstaller installed;
    installed.install(language);
    Written out;
    {
        Harness h;
        h.port.nextOpen = OpenResult::Absent; // "Nouveau" reads no badge
        const QString list = h.path(QStringLiteral("liste.txt"));
        Harness::writeFile(list, kList);
        h.openList(list);
        h.form->Command5_Click();
        h.form->Command13_Click();
        const Form2Ui u = h.ui();
        u.numero_badge->setText(QStringLiteral("00000000AB"));
        u.nom->setText(QStringLiteral("Zoé"));
        u.Combo2->setCurrentIndex(7); // "Lundi à Vendredi", shown in the window's language
        h.form->Command7_Click();
        out.list = Harness::readFile(list);
    }
    {
        Harness h;
        h.dialogs.onMessage = [&](const auto &) {
            h.port.deliver("Vidage EEPROM externe\r\n", 1s);
        };
        h.port.onWrite = [&](const QByteArray &) {
            h.port.deliver("0123456789     17:05 06/12/26 01 *\r\n"
                           "00000000AB     08:30 07/12/26 12 *\r\nHistorique\r\n",
                           1s);
        };
        h.form->Command3_Click();
        out.journal = Harness::readFile(h.path(QStringLiteral("journal des passages.csv")));
        out.history = Harness::readFile(h.path(QStringLiteral("histo.txt")));
    }
    return out;
}

} // namespace

class TstLanguage : public QObject {
    Q_OBJECT
private slots:
    void followsTheDesktop();
    void englishWindowShowsNoFrench();
    void filesTheSameInBothLanguages();
    void choiceKept_data();
    void choiceKept();
    void coreMessages_data();
    void coreMessages();
    void coreTextsInEnglish_data();
    void coreTextsInEnglish();
    void operationsShownInEnglish();
};

void TstLanguage::followsTheDesktop()
{
    // Run under fr_FR.UTF-8 and, as tst_language_english_desktop, under
    // en_US.UTF-8: English on an English desktop, French otherwise.
    const QByteArray lang = qgetenv("LC_ALL").isEmpty() ? qgetenv("LANG") : qgetenv("LC_ALL");
    const Language expected = lang.startsWith("en") ? Language::English : Language::French;
    QCOMPARE(desktopLanguage(), expected);
    Harness h; // nothing chosen in its settings
    QCOMPARE(chosenLanguage(OwnSettings(nativePath(h.path(QStringLiteral("platine.ini"))))),
             expected);
}

void TstLanguage::englishWindowShowsNoFrench()
{
    // The desktop is French (the tests run under fr_FR.UTF-8): the
    // operator's choice outranks it.
    QMap<QString, QString> french, english;
    {
        Harness h;
        french = captions(h.form.get());
    }
    {
        LanguageInstaller installed;
        QVERIFY(installed.install(Language::English));
        QCOMPARE(installedLanguage(), Language::English);
        Harness h;
        english = captions(h.form.get());
    }
    QCOMPARE(installedLanguage(), Language::French); // the translators went with the installer
    QVERIFY2(french.size() > 100, "the walk found too few captions");
    QCOMPARE(english.keys(), french.keys());
    QStringList left;
    for (auto it = french.cbegin(); it != french.cend(); ++it)
        if (english.value(it.key()) == it.value() && !kSameInBoth.contains(it.value()))
            left << it.key() + QStringLiteral(": ") + it.value();
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    // The access key is the window's choice (platform/access_keys): the words count here.
    QCOMPARE(english.value(QStringLiteral("Command8")).remove(QLatin1Char('&')),
             QStringLiteral("Send list"));
    QCOMPARE(english.value(QStringLiteral("Combo2/7")), QStringLiteral("Monday to Friday"));
}

void TstLanguage::filesTheSameInBothLanguages()
{
    const Written french = writtenIn(Language::French);
    const Written english = writtenIn(Language::English);
    // The day is stored under the list's own name, whatever the list showed.
    QVERIFY(french.list.contains("jour autoris\xE9=Lundi \xE0 Vendredi\r\njour autoris\xE9_=7"));
    QVERIFY(french.journal.count('\n') >= 3);
    QCOMPARE(english.list, french.list);
    QCOMPARE(english.journal, french.journal);
    QCOMPARE(english.history, french.history);
}

void TstLanguage::choiceKept_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QByteArray>("kept");
    QTest::addColumn<bool>("told"); // a box says the window changes at the next start
    const int fr = int(Language::French), en = int(Language::English);
    QTest::newRow("none: the desktop's, French")
        << QByteArray() << fr << en << QByteArray("en") << true;
    // French chosen while the window is French: nothing to tell.
    QTest::newRow("English kept") << QByteArray("[affichage]\r\nlangue=en\r\n") << en << fr
                                  << QByteArray("fr") << false;
    QTest::newRow("unknown: the desktop's")
        << QByteArray("[affichage]\r\nlangue=de\r\n") << fr << fr << QByteArray("fr") << false;
}

void TstLanguage::choiceKept()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, chosen);
    QFETCH(int, clicked);
    QFETCH(QByteArray, kept);
    QFETCH(bool, told);
    Harness h;
    const QString ini = h.path(QStringLiteral("platine.ini"));
    if (!stored.isEmpty())
        QVERIFY(Harness::writeFile(ini, stored));
    QCOMPARE(int(chosenLanguage(OwnSettings(nativePath(ini)))), chosen);
    h.form->langue_Click(Language(clicked));
    QVERIFY(Harness::readFile(ini).contains("[affichage]\r\nlangue=" + kept + "\r\n"));
    QCOMPARE(h.dialogs.shown.size(), std::size_t(told));
    if (told && Language(clicked) == Language::English)
        QCOMPARE(
            h.dialogs.shown.front().text,
            QStringLiteral("The window will be in English from the next start of the program."));
    // The menu's check follows the choice.
    const auto checked = [&](const char *item) {
        return h.form->findChild<QAction *>(QLatin1String(item))->isChecked();
    };
    QCOMPARE(checked("langue_anglais"), Language(clicked) == Language::English);
    QCOMPARE(checked("langue_francais"), Language(clicked) == Language::French);
}

void TstLanguage::coreMessages_data()
{
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("filled");
    QTest::newRow("in order") << "%1 et %2" << QStringList{"a", "b"} << "a et b";
    QTest::newRow("out of order") << "%2 puis %1" << QStringList{"a", "b"} << "b puis a";
    QTest::newRow("a value holding a marker") << "%1-%2" << QStringList{"%2", "x"} << "%2-x";
    QTest::newRow("a marker without value") << "%1 %3" << QStringList{"a"} << "a %3";
    QTest::newRow("a percent sign") << "100% de %1" << QStringList{"a"} << "100% de a";
}

void TstLanguage::coreMessages()
{
    QFETCH(QString, templ);
    QFETCH(QStringList, values);
    QFETCH(QString, filled);
    std::vector<Message> args;
    std::vector<std::string> plain;
    for (const QString &v : values) {
        args.emplace_back(v.toStdString());
        plain.push_back(v.toStdString());
    }
    const std::string t = templ.toStdString();
    QCOMPARE(QString::fromStdString(Message::fill(t, plain)), filled);
    // Shown: the template translated (none here), then filled alike.
    QCOMPARE(shown(Message("Nowhere", t.c_str(), args)), filled);
    QCOMPARE(QString::fromStdString(Message("Nowhere", t.c_str(), args).french()), filled);
}

void TstLanguage::coreTextsInEnglish_data()
{
    // The core's words for the badge table and the journal of operations,
    // each found under the context the window translates it in.
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("english");
    const Date day{2026, 12, 9};
    QTest::newRow("expired") << validityText({std::nullopt, Date{2026, 12, 1}}, day) << "expired";
    QTest::newRow("days left") << validityText({std::nullopt, Date{2026, 12, 12}}, day)
                               << "expires in 3 days";
    QTest::newRow("fields changed")
        << boards::stateText({"1", boards::RecordState::Changed, {"nom", "lieu autorisé"}, {}})
        << "to send: changed (name, allowed place)";
    QTest::newRow("dates refused") << *validityProblem("02/01/2027", "01/01/2027")
                                   << "The dates of validity are in the wrong order: \"Valid "
                                      "until\" (01/01/2027) comes before \"Valid from\" "
                                      "(02/01/2027).";
}

void TstLanguage::coreTextsInEnglish()
{
    QFETCH(Message, message);
    QFETCH(QString, english);
    LanguageInstaller installed;
    installed.install(Language::English);
    QCOMPARE(shown(message), english);
}

void TstLanguage::operationsShownInEnglish()
{
    // The journal of operations stores its words French and shows them in English.
    LanguageInstaller installed;
    installed.install(Language::English);
    std::vector<OperationRow> rows(2);
    rows[0].operation = op::kUpload;
    rows[1].operation = op::kDownload;
    rows[0].date = rows[1].date = "2026-12-09";
    OperationsModel model(rows);
    model.setShown({0, 1});
    QCOMPARE(model.index(1, 5).data().toString(), QStringLiteral("upload"));
    QCOMPARE(rows[0].fields()[5], std::string("envoi"));
    // Sorted and found as shown: "download" before "upload" (stored, "envoi"
    // comes before "téléchargement"); the search finds either word.
    model.sort(5, Qt::AscendingOrder);
    QCOMPARE(model.index(0, 5).data().toString(), QStringLiteral("download"));
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("ops.csv")).toStdString();
    QVERIFY(files::writeAtomic(path, appendOperations({}, rows)));
    OperationsTab tab(path);
    tab.load();
    for (const char *word : {"UPLOAD", "envoi"}) {
        tab.refilter({word, {}, {}, {}});
        QCOMPARE(tab.shown(), std::vector<int>{0});
    }
}

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
