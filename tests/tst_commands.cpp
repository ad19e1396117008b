// The table of commands: every menu item and button it names is on the
// window, and a menu item runs what its button runs.

#include "app/commands.h"
#include "board/journal_window.h"
#include "support/harness.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace platine;
using namespace platine::testing;

namespace {

// What a command left behind on a fresh window: the boxes and dialogs
// shown, the windows opened, the bytes sent, the port, the status strip
// and whether the program ended.
QString trace(Harness &h)
{
    QStringList t;
    for (const auto &s : h.dialogs.shown)
        t << s.kind + QLatin1Char('|') + s.title + QLatin1Char('|') + s.text;
    for (const auto &w : h.windows.shown)
        if (w)
            t << QLatin1String(w->metaObject()->className());
    t << QString::fromLatin1(h.port.written.toHex());
    t << QStringLiteral("opens=%1").arg(h.port.opens);
    t << h.ui().Label14->text();
    t << QStringLiteral("ended=%1").arg(h.ended);
    return t.join(QLatin1Char('\n'));
}

QAction *item(Harness &h, const char *name)
{
    return h.ui().MenuBar->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TstCommands : public QObject {
    Q_OBJECT
private slots:
    void menuBarMadeFromTheTable();
    void itemRunsItsButton_data();
    void itemRunsItsButton();
    void itemsWithoutButton();
};

void TstCommands::menuBarMadeFromTheTable()
{
    Harness h;
    QStringList titles;
    for (QAction *a : h.ui().MenuBar->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"&Fichier", "&Liste", "&Platine", "Pa&ssages", "&Aide"}));
    // Every item, in its menu, in order: the table and the bar agree.
    // A submenu shows as ">" and its name, its items after those of its menu.
    QStringList items;
    const std::function<void(QMenu *)> list = [&](QMenu *m) {
        QList<QMenu *> submenus;
        for (QAction *a : m->actions()) {
            if (a->menu())
                submenus << a->menu();
            items << m->objectName() + QLatin1Char('/') +
                         (a->isSeparator() ? QStringLiteral("-")
                          : a->menu()      ? QLatin1Char('>') + a->menu()->objectName()
                                           : a->objectName()) +
                         QLatin1Char('/') + a->shortcut().toString();
        }
        for (QMenu *sub : submenus)
            list(sub);
    };
    for (QAction *menu : h.ui().MenuBar->actions())
        list(menu->menu());
    QCOMPARE(items, (QStringList{
                        "menu_fichier/nouvelle_liste/Ctrl+N",
                        "menu_fichier/ouvrir_liste/Ctrl+O",
                        "menu_fichier/enregistrer_liste_sous/Ctrl+S",
                        "menu_fichier/-/",
                        "menu_fichier/quitter/Ctrl+Q",
                        "menu_liste/tableau_des_badges/",
                        "menu_liste/ajouter_modifier_badge/",
                        "menu_liste/supprimer_le_badge/",
                        "menu_platine/envoi_programmation/",
                        "menu_platine/telechargement_historique/",
                        "menu_platine/mise_a_l_heure/",
                        "menu_platine/lire_badge/",
                        "menu_platine/connexion/",
                        "menu_platine/-/",
                        "menu_platine/platines/",
                        "menu_passages/journal_des_passages/",
                        "menu_passages/recuperer_historique/",
                        "menu_aide/a_propos/",
                        "menu_aide/-/",
                        "menu_aide/>menu_langue/",
                        "menu_langue/langue_francais/",
                        "menu_langue/langue_anglais/",
                    }));
}

void TstCommands::itemRunsItsButton_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    for (const CommandDef &c : commands())
        if (c.menu && c.button)
            QTest::newRow(c.item) << QString::fromLatin1(c.item) << QString::fromLatin1(c.button);
}

void TstCommands::itemRunsItsButton()
{
    QFETCH(QString, item);
    QFETCH(QString, button);
    // The same fresh window twice: once the item, once the button. A
    // handler wired to the wrong control leaves another trace.
    // The badge reading waits for a badge as long as it takes: the adapter
    // pulled out ends it alike on both windows.
    Harness byItem;
    byItem.port.lose(Millis(5000));
    ::item(byItem, item.toLatin1().constData())->trigger();
    Harness byButton;
    byButton.port.lose(Millis(5000));
    QPushButton *b = byButton.form->findChild<QPushButton *>(button);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
    const QString t = trace(byItem);
    QCOMPARE(t, trace(byButton));
    QVERIFY2(t != trace(*std::make_unique<Harness>()), "the command left no trace");
}

void TstCommands::itemsWithoutButton()
{
    {
        Harness h;
        item(h, "journal_des_passages")->trigger();
        QVERIFY(h.windows.find<JournalWindow>());
    }
    {
        // The recovery asks first; "Non" sends nothing.
        Harness h;
        h.dialogs.answers = {MsgAnswer::No};
        item(h, "recuperer_historique")->trigger();
        QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
        QVERIFY(h.port.written.isEmpty());
    }
    {
        Harness h;
        item(h, "connexion")->trigger();
        QCOMPARE(h.port.opens, 1);
    }
    {
        Harness h;
        item(h, "a_propos")->trigger();
        QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    }
    {
        // Without a list the table says so rather than opening empty.
        Harness h;
        item(h, "tableau_des_badges")->trigger();
        QVERIFY(trace(h) != trace(*std::make_unique<Harness>()));
    }
}

QTEST_MAIN(TstCommands)
#include "tst_commands.moc"
