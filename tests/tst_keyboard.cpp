// A day without the mouse: the access keys (their choice, then each window's
// keys unique), the Tab chain of each window against the reading order, and
// the keys that act (Return, Escape, the arrows, an access key), on the
// windows' seam; the questions that erase default to "Non".

#include "badges/badge_table_window.h"
#include "board/journal_window.h"
#include "core/platform/access_keys.h"
#include "platform/keyboard.h"
#include "serial/pane.h"
#include "support/example_list.h"
#include "support/harness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace platine;
using platine::testing::Harness;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

// A list of three badges, open in the window.
struct WithList {
    Harness h;
    QString list = h.path(QStringLiteral("liste.txt"));
    WithList()
    {
        std::string content = testing::kListHeader;
        for (const char *n : {"1", "2", "3"}) {
            std::string r = testing::kExampleRecord;
            r.replace(r.find("0000000001"), 10, std::string("000000000") + n);
            r.replace(r.find("0000000001"), 10, std::string("000000000") + n);
            content += r;
        }
        Harness::writeFile(list, QByteArray::fromStdString(content));
        h.openList(list);
        // Shown and active, as the operator has it: access keys work then.
        h.form->show();
        h.form->activateWindow();
        if (!QTest::qWaitForWindowActive(h.form.get()))
            qWarning("the window is not active: its access keys do nothing");
    }
    QWidget *open(const QString &which)
    {
        if (which == QLatin1String("tableau")) {
            h.form->tableau_des_badges_Click();
            return h.windows.find<BadgeTableWindow>();
        }
        if (which == QLatin1String("journal")) {
            h.form->journal_des_passages_Click();
            return h.windows.find<JournalWindow>();
        }
        if (which == QLatin1String("editeur"))
            h.form->Command5_Click();
        return h.form.get();
    }
};

// The control that has the focus, by the name the window gives it: a
// field's inner edit (a combo box's, a date's) by its owner's.
QString focusName(QWidget *window)
{
    QWidget *w = window->focusWidget();
    while (w && w->parentWidget() &&
           (qobject_cast<QComboBox *>(w->parentWidget()) || w->parentWidget()->focusProxy() == w))
        w = w->parentWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

} // namespace

class TstKeyboard : public QObject {
    Q_OBJECT
private slots:
    void accessKeysChosen_data();
    void accessKeysChosen();
    void accessKeysUniquePerWindow_data();
    void accessKeysUniquePerWindow();
    void tabChain_data();
    void tabChain();
    void keysAct();
    void tableByKeyboard();
    void questionsThatEraseDefaultToNo();
};

void TstKeyboard::accessKeysChosen_data()
{
    QTest::addColumn<std::vector<std::string>>("captions");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<std::vector<std::string>>("marked");
    using V = std::vector<std::string>;
    QTest::newRow("first letters")
        << V{"Nouvelle liste", "Ouvrir"} << "" << V{"&Nouvelle liste", "&Ouvrir"};
    QTest::newRow("a menu's key is left, a word's first letter next")
        << V{"Lecture badge"} << "l" << V{"Lecture &badge"};
    QTest::newRow("an accented letter is no key; l' starts a word at h")
        << V{"Étape", "Mise à l'heure"} << "ml" << V{"É&tape", "Mise à l'&heure"};
    QTest::newRow("a later caption with one letter takes it from one that has others")
        << V{"ab", "a"} << "" << V{"a&b", "&a"};
    QTest::newRow("no letter left: no key, the text's & doubled")
        << V{"Oui", "o & u"} << "iu" << V{"&Oui", "o && u"};
}

void TstKeyboard::accessKeysChosen()
{
    QFETCH(std::vector<std::string>, captions);
    QFETCH(QString, taken);
    QFETCH(std::vector<std::string>, marked);
    QCOMPARE(withAccessKeys(captions, taken.toStdString()), marked);
    for (std::size_t i = 0; i < captions.size(); ++i)
        QCOMPARE(shownCaption(marked[i]), captions[i]);
}

void TstKeyboard::accessKeysUniquePerWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("without"); // buttons shown without a key
    // The maintenance and clock buttons, below the window, get none; so
    // does one command the menus run with Ctrl+letter (one letter short).
    const QStringList below = {"Command15", "Command18", "Command16",
                               "Command9",  "Command20", "Command19"};
    QTest::newRow("main window") << "editeur" << below + QStringList{"Command6"};
    QTest::newRow("table") << "tableau" << QStringList{};
    QTest::newRow("journal") << "journal" << QStringList{};
}

void TstKeyboard::accessKeysUniquePerWindow()
{
    QFETCH(QString, window);
    QFETCH(QStringList, without);
    WithList w;
    QWidget *win = w.open(window);
    QString keys;
    if (auto *bar = win->findChild<QMenuBar *>())
        keys = menuAccessKeys(bar);
    QStringList missing;
    for (QAbstractButton *b : win->findChildren<QPushButton *>()) {
        if (const char key = accessKeyOf(b->text().toStdString())) {
            QVERIFY2(!keys.contains(QLatin1Char(key)), qPrintable(b->text()));
            keys += QLatin1Char(key);
        } else {
            missing << b->objectName();
        }
    }
    missing.sort();
    without.sort();
    QCOMPARE(missing, without);
    if (window == QLatin1String("editeur")) // the caption itself is unchanged
        QCOMPARE(shownCaption(w.h.ui().Command5->text()),
                 QStringLiteral("Ajouter Modifier  badge"));
}

void TstKeyboard::tabChain_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("chain"); // from the first, Tab after Tab, back to it
    const QStringList commands = {"Command4", "Command1",  "Command2", "lecture_badge", "Command5",
                                  "Command8", "Command10", "Command3", "Command17",     "Command6"};
    // The console pane is left by Tab; the controls below the window are skipped.
    QTest::newRow("main window") << "principale"
                                 << QStringList{"tempo_gache", "buzzer", "Combo1", "Text1"} +
                                        commands;
    // The editor covers the console pane: its fields, its buttons, the commands.
    QTest::newRow("record editor")
        << "editeur"
        << QStringList{"numero_badge", "nom",       "heure_debut", "minute_debut", "heure_fin",
                       "minute_fin",   "Choix_24",  "Combo2",      "lieu",         "choix_lieu",
                       "jour_du_mois", "valide_du", "valide_jusqu_au", "Command21", "Command22",   "Command23",    "Command11",
                       "Command14",    "Command13", "Command7",    "Command12"} +
               commands + QStringList{"tempo_gache", "buzzer", "Combo1"};
    QTest::newRow("table") << "tableau" << QStringList{"filtre",       "filtre_validite",
                                                       "tableau",
                                                       "plage",        "heure_debut",
                                                       "minute_debut", "heure_fin",
                                                       "minute_fin",   "h24",
                                                       "jours",        "jour",
                                                       "lieu_coche",   "lieu",
                                                       "tous_lieux",   "jour_du_mois_coche",
                                                       "jour_du_mois", "validite_coche",
                                                       "valide_du",    "valide_jusqu_au",
                                                       "imprimer",
                                                       "pdf",          "modifier_selection",
                                                       "supprimer"};
    QTest::newRow("journal") << "journal"
                             << QStringList{"recherche", "du",       "au",  "lieu",    "onglets",
                                            "passages",  "exporter", "pdf", "imprimer"};
}

void TstKeyboard::tabChain()
{
    QFETCH(QString, window);
    QFETCH(QStringList, chain);
    WithList w;
    QWidget *win = w.open(window);
    win->findChild<QWidget *>(chain.first())->setFocus(Qt::TabFocusReason);
    QStringList walked{focusName(win)};
    for (qsizetype i = 0; i < chain.size(); ++i) {
        QTest::keyClick(win->focusWidget(), Qt::Key_Tab);
        walked << focusName(win);
    }
    QCOMPARE(walked, chain + QStringList{chain.first()});
    // Shift+Tab goes back the same way.
    QTest::keyClick(win->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(win), chain.last());
}

void TstKeyboard::keysAct()
{
    WithList w;
    const Form2Ui u = w.h.ui();
    // Tab leaves the console pane and types nothing into it.
    const QString shown = u.Text1->text();
    u.Text1->setFocus();
    QTest::keyClick(u.Text1, Qt::Key_Tab);
    QCOMPARE(u.Text1->text(), shown);
    QCOMPARE(focusName(w.h.form.get()), QStringLiteral("Command4"));
    // The access key of "Ajouter Modifier  badge" enters record mode, the
    // focus in the first field.
    const char key = accessKeyOf(u.Command5->text().toStdString());
    QTest::keyClick(u.Command4, Qt::Key(Qt::Key_A + (key - 'a')), Qt::AltModifier);
    QTRY_VERIFY(u.Frame2->isVisibleTo(w.h.form.get())); // the button shown pressed a moment
    QCOMPARE(focusName(w.h.form.get()), QStringLiteral("numero_badge"));
    // Return in a field saves the record as "Enregistrer" does.
    u.nom->setText(QStringLiteral("Hector"));
    QTest::keyClick(u.nom, Qt::Key_Return);
    QVERIFY(Harness::readFile(w.list).contains("nom=Hector\r\n"));
    // Return on the focused button presses it: "Badge suivant".
    u.Command11->setFocus();
    QTest::keyClick(u.Command11, Qt::Key_Return);
    QCOMPARE(u.Label11->text(), QStringLiteral("2"));
    // Return on "Connexion" connects, as its left button does.
    u.Command10->setFocus();
    QTest::keyClick(u.Command10, Qt::Key_Return);
    QVERIFY(w.h.port.isOpen());
}

void TstKeyboard::tableByKeyboard()
{
    WithList w;
    auto *t = static_cast<BadgeTableWindow *>(w.open(QStringLiteral("tableau")));
    auto *filtre = t->findChild<QLineEdit *>(QStringLiteral("filtre"));
    auto *table = t->findChild<QTableView *>(QStringLiteral("tableau"));
    filtre->setFocus();
    QTest::keyClicks(filtre, QStringLiteral("3"));
    // Down from the filter goes to the rows, on the first one shown.
    QTest::keyClick(filtre, Qt::Key_Down);
    QCOMPARE(t->focusWidget(), table);
    QCOMPARE(t->selectedSections(), std::vector<std::string>{"0000000003"});
    // Enter opens the record in the editor, the focus in its first field.
    QTest::keyClick(table, Qt::Key_Enter);
    const Form2Ui u = w.h.ui();
    QVERIFY(u.Frame2->isVisibleTo(w.h.form.get()));
    QCOMPARE(u.numero_badge->text(), QStringLiteral("0000000003"));
    QCOMPARE(w.h.form->focusWidget(), u.numero_badge);
    // Escape closes the table and the journal.
    QPointer<QWidget> table2 = t;
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!table2 || !table2->isVisible());
    QPointer<QWidget> journal = w.open(QStringLiteral("journal"));
    QTest::keyClick(journal->findChild<QLineEdit *>(QStringLiteral("recherche")), Qt::Key_Escape);
    QVERIFY(!journal || !journal->isVisible());
}

void TstKeyboard::questionsThatEraseDefaultToNo()
{
    // Erasing the board's memory, replacing a file, taking badges off the list.
    WithList w;
    w.h.port.open(1);
    w.h.form->Command20_MouseDown(MouseButton::Left);
    Harness::writeFile(w.h.path(QStringLiteral("autre.txt")), "x");
    w.h.dialogs.files.push_back(w.h.path(QStringLiteral("autre.txt")));
    w.h.form->Command2_Click();
    auto *t = static_cast<BadgeTableWindow *>(w.open(QStringLiteral("tableau")));
    t->findChild<QTableView *>(QStringLiteral("tableau"))->selectRow(0);
    t->removeSelected();
    QStringList asked;
    for (const auto &s : w.h.dialogs.shown)
        if (s.buttons != MsgButtons::Ok) {
            asked << s.title;
            QCOMPARE(s.byDefault, MsgAnswer::No);
        }
    QCOMPARE(asked.size(), 3);
    QCOMPARE(Harness::readFile(w.h.path(QStringLiteral("autre.txt"))), QByteArray("x"));
}

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
