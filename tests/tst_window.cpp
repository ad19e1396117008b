// The window, start-up, the settings file, quit, the progress step and the
// about prompt, on test doubles.

#include "app/command_button.h"
#include "app/form2.h"
#include "app/own_icons.h"
#include "app/status_label.h"
#include "core/app/settings.h"
#include "platform/keyboard.h"
#include "serial/pane.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QScrollArea>
#include <QTest>

#include <clocale>
#include <cstring>

using namespace platine;
using namespace platine::testing;

class TstWindow : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsThere();
    void captionsAndToolTips_data();
    void captionsAndToolTips();
    void frenchDesktop();
    void secondCopyOnTheFolder_data();
    void secondCopyOnTheFolder();
    void firstStartWithoutSettings();
    void restoresStoredPortAndDelay_data();
    void restoresStoredPortAndDelay();
    void garbageSettingsGiveDefaults();
    void strikeDelayLimit_data();
    void strikeDelayLimit();
    void typedDelayIsHeldTo65();
    void portNumberFollowsCombo1();
    void quitClosesPortThenWritesSettings();
    void quitTellsWhenSettingsAreLost();
    void quitStoresTypedPortText();
    void closeBoxWritesNothing();
    void quittingEndsAWaitingOperation();
    void animeCounterAndSpinner();
    void animeLeavesForeignSpinner();
    void animeKeepsOnePaceBetweenBytes();
    void aboutPrompt();
    void statusTextGivesWayAtItsPathFirst();
    void statusLineShowsAFitAndTipsTheWhole();
    void commandButtonsHaveTheirOwnIcons();
    void ownIconsAreTheirDrawings();
    void commandButtonDrawsItsCaptionAfterAChange();
    void captionFontIsTheLargestThatFits();
};

void TstWindow::everyControlIsThere()
{
    Harness h;
    const char *names[] = {"Frame1",     "Frame2",        "Frame3",       "Frame4",
                           "Frame5",     "Frame6",        "Text1",        "Text2",
                           "Label16",    "nom_fichier",   "Command4",     "Command1",
                           "Command2",   "lecture_badge", "Command5",     "Command8",
                           "Command10",  "Command3",      "Command17",    "Command6",
                           "Label2",     "gache_0",       "tempo_gache",  "Label13",
                           "buzzer",     "Label6",        "Combo1",       "Label5",
                           "Label4",     "Label1_0",      "Label1_8",     "numero_badge",
                           "nom",        "heure_debut",   "minute_debut", "heure_fin",
                           "minute_fin", "Choix_24",      "Combo2",       "lieu",
                           "choix_lieu", "jour_du_mois",  "Label10",      "nombre_enregistrements",
                           "Label12",    "Label11",       "Label8",       "Label9",
                           "Command21",  "Command22",     "Command11",    "Command14",
                           "Command13",  "Command7",      "Command12",    "Line1_4",
                           "defile",     "Label14",       "Label7",       "Command15",
                           "Command18",  "Command16",     "Command9",     "Command20",
                           "Label15_0",  "Label15_3",     "heure_pc",     "minute_pc",
                           "jour_pc",    "j_mois",        "Command19"};
    for (const char *name : names)
        QVERIFY2(h.form->findChild<QWidget *>(QLatin1String(name)), name);

    const Form2Ui &u = h.ui();
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Contrôle d'accès horodaté  -  Kovarine"));
    QVERIFY(!u.Frame2->isVisibleTo(h.form.get()));
    QVERIFY(u.buzzer->isChecked());
    QVERIFY(!h.form->indicatorConnected());
    // The receive pane and the maintenance and clock frames lie below the client area.
    const int bottom = u.defilement->widget()->height();
    QVERIFY(u.Frame6->geometry().top() >= bottom);
    QVERIFY(u.Frame5->geometry().top() >= bottom);
    QVERIFY(u.Text2->geometry().top() >= bottom - 2);
    QVERIFY(QFontInfo(u.Text1->font()).fixedPitch());
}

namespace {

// What a control shows as its caption: a frame's title, a button's or a
// label's caption, a text box's or a combo box's text.
QString captionOf(const QWidget *w)
{
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return shownCaption(b->text()); // without its access key's mark
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    return QStringLiteral("<%1>").arg(QLatin1String(w->metaObject()->className()));
}

} // namespace

void TstWindow::captionsAndToolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    const struct {
        const char *name, *caption, *tip;
    } rows[] = {
        // The frames.
        {"Frame3", "Parametrage", ""},
        {"Frame2", "Nouveau badge à mémoriser", ""},
        {"Frame1", "Commandes", ""},
        {"Frame4", "", ""},
        {"Frame6", "", ""},
        {"Frame5", "", ""},
        // On the window.
        {"Label16", "A propos de ...", ""},
        {"nom_fichier", "...", ""},
        // "Commandes".
        {"Command4", "Nouvelle liste", "Lecture / Modification de la liste enregistrée"},
        {"Command1", "Ouvrir une liste enregistrée",
         "Lecture / Modification de la liste enregistrée"},
        {"Command2", "Enregistrer une liste sous", "Enregistrer la liste modifiée"},
        {"lecture_badge", "Lecture badge", "Lecture du numéro d'un badge"},
        {"Command5", "Ajouter Modifier  badge",
         "Ajouter ou modifier les paramètres associés à un badge"},
        {"Command8", "Envoi programmation", "Envoi de la liste enregistrée vers le PIC"},
        {"Command10", "Connexion", "Click droit pour déconnecter"},
        {"Command3", "Téléchargement de l'historique", "Téléchargement"},
        {"Command17", "Mise à l'heure", "Mise à jour horaire de la platine"},
        {"Command6", "Quitter", "Quitter l'application"},
        {"Label2", "Badge N°:", ""},
        // "Parametrage", before the settings are read.
        {"gache_0", "Temporisation gâche :", ""},
        {"tempo_gache", "10", "1 à 65 secondes max"},
        {"Label13", "seconde(s)", ""},
        {"buzzer", "Buzzer actif", ""},
        {"Label6", "Port COM", ""},
        {"Combo1", "Combo1", ""},
        {"Label5", "....", ""},
        {"Label4", "/", ""},
        // The record editor, row by row.
        {"Label1_0", "N° du badge :", ""},
        {"numero_badge", "0000000000", ""},
        {"Label1_8", "Nom :", ""},
        {"nom", "Valmire", ""},
        {"Label1_1", "Plage horaire autorisée :           de ", ""},
        {"heure_debut", "07", ""},
        {"Label1_2", "H", ""},
        {"minute_debut", "30", ""},
        {"Label1_3", "à", ""},
        {"heure_fin", "17", ""},
        {"Label1_4", "H", ""},
        {"minute_fin", "30", ""},
        {"Choix_24", "24h/24", ""},
        {"Label1_5", "Jour(s) de la semaine autorisé(s) :", ""},
        {"Combo2", "Combo2", ""},
        {"Label1_6", "Lieu autorisé :", ""},
        {"lieu", "10", ""},
        {"choix_lieu", "Tous les lieux autorisés", ""},
        {"Label1_7", "Jour du mois :", ""},
        {"jour_du_mois", "0", ""},
        {"Label10", "Nombre d'enregistrements :", ""},
        {"nombre_enregistrements", "...", ""},
        {"Label12", "Enregistrement courant     :", ""},
        {"Label11", "...", ""},
        {"Label8", "Mode enregistrement", ""},
        {"Label9", "Une fois les champs renseignés cliquer sur le bouton 'Enregistrer'", ""},
        {"Command21", "Rechercher badge", "Badge suivant"},
        {"Command22", "Rechercher nom", "Badge suivant"},
        {"Command11", "Badge suivant", "Badge suivant"},
        {"Command14", "Badge précédent", "Badge précédent"},
        {"Command13", "Nouveau", "Mémorise un nouveau badge"},
        {"Command7", "Enregistrer", "Enregistre le badge courant"},
        {"Command12", "Sortir du mode", "Quitter le mode enregistrement"},
        // The status strip; its middle label tips its whole message.
        {"defile", "...", ""},
        {"Label14", ".....", "....."},
        {"Label7", "Ostrany", ""},
        // Maintenance.
        {"Command15", "eeprom", ""},
        {"Command18", "Vidage flash", ""},
        {"Command16", "raz offset telech", ""},
        {"Command9", "Ascii", ""},
        {"Command20", "Raz eeprom externe",
         "click droit=efface tout - click gauche=efface historique"},
        // Clock entry.
        {"Label15_0", "Heure", ""},
        {"heure_pc", "", "1 à 65 secondes max"},
        {"Label15_1", "Minute", ""},
        {"minute_pc", "", "1 à 65 secondes max"},
        {"Label15_2", "N° jour", ""},
        {"jour_pc", "", "1-7"},
        {"Label15_3", " jour du mois", ""},
        {"j_mois", "", "1-7"},
        {"Command19", "Heure PC", ""},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromUtf8(r.caption)
                              << QString::fromUtf8(r.tip);
}

void TstWindow::captionsAndToolTips()
{
    QFETCH(QString, name);
    Harness h(false); // as designed: the settings not read yet
    const QWidget *w = h.form->findChild<QWidget *>(name);
    QVERIFY(w);
    QTEST(captionOf(w), "caption");
    QTEST(w->toolTip(), "tip");
}

void TstWindow::frenchDesktop()
{
    // The tests run as the operators' desktops do: a locale asked for and not
    // generated would leave the C library in "C" and hide what French does.
    const QByteArray asked = qgetenv("LC_ALL");
    if (!asked.startsWith("fr_FR"))
        QSKIP("not run under LC_ALL=fr_FR.UTF-8");
    QVERIFY2(std::strncmp(std::setlocale(LC_NUMERIC, nullptr), "fr_FR", 5) == 0,
             "fr_FR.UTF-8 is not generated on this machine (scripts/setup.sh generates it)");
    QCOMPARE(std::localeconv()->decimal_point, ",");
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
}

void TstWindow::secondCopyOnTheFolder_data()
{
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("told");
    QTest::newRow("another copy runs") << "running" << true;
    QTest::newRow("the other copy has ended") << "ended" << false;
    QTest::newRow("the other copy died, its lock left") << "died" << false;
}

void TstWindow::secondCopyOnTheFolder()
{
    QFETCH(QString, other);
    QFETCH(bool, told);
    Harness first;
    QVERIFY(first.dialogs.shown.empty());
    if (other == u"ended") {
        first.form.reset();
    } else if (other == u"died") {
        first.form.reset();
        // A process number no process has: QLockFile's lines are the pid,
        // the program's name and the machine's.
        QVERIFY(Harness::writeFile(first.path(QStringLiteral("platine.lock")),
                                   "2147483646\nplatine\n" + QSysInfo::machineHostName().toUtf8() +
                                       "\n"));
    }
    Form2 second(first.platform());
    second.setEndProgram([] {});
    second.Form_Load();
    QVERIFY(first.dialogs.shown.empty()); // not before the window shows
    first.time.processEvents();
    QCOMPARE(first.dialogs.shown.size(), std::size_t(told ? 1 : 0));
    if (told) {
        const auto &box = first.dialogs.shown[0];
        QCOMPARE(box.icon, MsgIcon::Warning);
        QCOMPARE(box.title, QStringLiteral("Autre copie du programme"));
        QVERIFY2(box.text.startsWith(QStringLiteral("Une autre copie du programme est déjà ouverte "
                                                    "sur le dossier ")) &&
                     box.text.contains(QStringLiteral("(le processus %1 sur ")
                                           .arg(QCoreApplication::applicationPid())),
                 qPrintable(box.text));
    }
    // The second copy goes on: its window is loaded as usual.
    QCOMPARE(controls(second).Combo1->count(), 10);
}

void TstWindow::firstStartWithoutSettings()
{
    Harness h;
    const Form2Ui &u = h.ui();
    QCOMPARE(u.Combo1->count(), 10);
    QCOMPARE(u.Combo1->currentText(), QStringLiteral("COM10"));
    QCOMPARE(h.form->commPort(), 10);
    QCOMPARE(u.tempo_gache->text(), QStringLiteral("10"));
    QCOMPARE(u.Combo2->count(), 10);
    QCOMPARE(u.Combo2->currentText(), QStringLiteral("Lundi à Vendredi"));
    QCOMPARE(u.Combo2->itemText(9), QStringLiteral("Tous les jours"));
    QVERIFY(!h.port.isOpen());
    QCOMPARE(h.port.opens, 0);
}

void TstWindow::restoresStoredPortAndDelay_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("delay");
    QTest::newRow("COM3 and 10") << QByteArray(
                                        "[COM]\r\nvaleur=COM3\r\n[temporisation]\r\nvaleur=10\r\n")
                                 << "COM3" << 3 << "10";
    QTest::newRow("COM10") << QByteArray("[COM]\r\nvaleur=COM10\r\n") << "COM10" << 10 << "10";
    QTest::newRow("long delay text comes back whole")
        << QByteArray("[COM]\r\nvaleur=COM1\r\n[temporisation]\r\nvaleur=12.5abc\r\n") << "COM1"
        << 1 << "12.5abc";
    QTest::newRow("99 shows as 65")
        << QByteArray("[temporisation]\r\nvaleur=99\r\n") << "COM10" << 10 << "65";
    QTest::newRow("unknown port name")
        << QByteArray("[COM]\r\nvaleur=com3\r\n") << "COM10" << 10 << "10";
    QTest::newRow("LF line ends, blanks")
        << QByteArray("[com]\n valeur = COM2 \n") << "COM2" << 2 << "10";
}

void TstWindow::restoresStoredPortAndDelay()
{
    QFETCH(QByteArray, file);
    Harness h(false);
    Harness::writeFile(h.path("param.ini"), file);
    h.form->Form_Load();
    QTEST(h.ui().Combo1->currentText(), "port");
    QTEST(h.form->commPort(), "number");
    QTEST(h.ui().tempo_gache->text(), "delay");
}

void TstWindow::garbageSettingsGiveDefaults()
{
    // A megabyte of random bytes, with no line end at all in places: start-up
    // goes on with the defaults of missing values.
    QByteArray junk(1 << 20, '\0');
    auto *rng = QRandomGenerator::global();
    for (auto &c : junk)
        c = char(rng->bounded(256));
    junk.replace('\n', 'x').replace('\r', 'y');
    for (const QByteArray &content :
         {junk, QByteArray("[COM\r\nvaleur"), QByteArray(300000, '[')}) {
        Harness h(false);
        Harness::writeFile(h.path("param.ini"), content);
        h.form->Form_Load();
        QCOMPARE(h.ui().Combo1->currentText(), QStringLiteral("COM10"));
        QCOMPARE(h.form->commPort(), 10);
    }
}

void TstWindow::strikeDelayLimit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("70") << "70"
                        << "65";
    QTest::newRow("65") << "65"
                        << "65";
    QTest::newRow("65.5") << "65.5"
                          << "65";
    QTest::newRow("64.9") << "64.9"
                          << "64.9";
    QTest::newRow("negative") << "-300"
                              << "-300";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letters") << "abc"
                             << "abc";
    QTest::newRow("lone sign") << "-"
                               << "-";
    QTest::newRow("number then letters") << "80s"
                                         << "65";
    QTest::newRow("huge") << "99999999999999999999999"
                          << "65";
}

void TstWindow::strikeDelayLimit()
{
    QFETCH(QString, typed);
    Harness h;
    h.ui().tempo_gache->setText(typed);
    QTEST(h.ui().tempo_gache->text(), "shown");
}

void TstWindow::typedDelayIsHeldTo65()
{
    Harness h;
    QLineEdit *e = h.ui().tempo_gache;
    e->clear();
    QTest::keyClicks(e, QStringLiteral("10"));
    QCOMPARE(e->text(), QStringLiteral("10"));
    QTest::keyClicks(e, QStringLiteral("0"));
    QCOMPARE(e->text(), QStringLiteral("65"));
    e->clear();
    QTest::keyClicks(e, QStringLiteral("7"));
    QTest::keyClicks(e, QStringLiteral("0"));
    QCOMPARE(e->text(), QStringLiteral("65"));
}

void TstWindow::portNumberFollowsCombo1()
{
    Harness h;
    QComboBox *c = h.ui().Combo1;
    c->setCurrentIndex(3);
    QCOMPARE(h.form->commPort(), 4);
    // Typed text chooses a port only when it is exactly a name of the list:
    // nothing is completed, neither by Return nor by leaving the field.
    h.form->show();
    QApplication::setActiveWindow(h.form.get());
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    QLineEdit *e = c->lineEdit();
    for (const char *typed : {"C", "com7", "COM 7"}) {
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e, QLatin1String(typed));
        QTest::keyClick(e, Qt::Key_Return);
        h.ui().tempo_gache->setFocus();
        QCOMPARE(c->currentText(), QLatin1String(typed));
        QCOMPARE(c->currentIndex(), -1);
        QCOMPARE(h.form->commPort(), 4);
    }
    QTest::keyClicks(e, QStringLiteral("\b\b7"));
    QCOMPARE(c->currentIndex(), 6);
    QCOMPARE(h.form->commPort(), 7);
    // Typed in the middle, the text stays with the caret where it was.
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClick(e, Qt::Key_X);
    QCOMPARE(c->currentText(), QStringLiteral("xCOM7"));
    QCOMPARE(e->cursorPosition(), 1);
    QCOMPARE(h.form->commPort(), 7);
}

void TstWindow::quitClosesPortThenWritesSettings()
{
    Harness h;
    h.ui().Combo1->setCurrentIndex(2);
    h.ui().tempo_gache->setText(QStringLiteral("10"));
    h.form->Command10_MouseDown(MouseButton::Left);
    QVERIFY(h.port.isOpen());
    h.form->Command6_Click();
    QVERIFY(!h.port.isOpen());
    QCOMPARE(h.ended, 1);
    QCOMPARE(Harness::readFile(h.path("param.ini")),
             QByteArray("[COM]\r\nvaleur=COM3\r\n[temporisation]\r\nvaleur=10\r\n"));
    // Quitting again keeps the file as it is.
    h.form->Command6_Click();
    QCOMPARE(Harness::readFile(h.path("param.ini")),
             QByteArray("[COM]\r\nvaleur=COM3\r\n[temporisation]\r\nvaleur=10\r\n"));
}

void TstWindow::quitTellsWhenSettingsAreLost()
{
    Harness h;
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("param.ini"))); // cannot be written
    h.form->Command6_Click();
    QCOMPARE(h.ended, 1);
    QCOMPARE(h.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(h.dialogs.shown[0].icon, MsgIcon::Critical);
    QVERIFY2(h.dialogs.shown[0].text.contains(QStringLiteral("param.ini")),
             qPrintable(h.dialogs.shown[0].text));
}

void TstWindow::quitStoresTypedPortText()
{
    Harness h(false);
    Harness::writeFile(h.path("param.ini"), "; kept\r\n[temporisation]\r\nvaleur=99\r\n");
    h.form->Form_Load();
    QLineEdit *e = h.ui().Combo1->lineEdit();
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QStringLiteral("COMX"));
    h.form->Command6_Click();
    QCOMPARE(Harness::readFile(h.path("param.ini")),
             QByteArray("; kept\r\n[temporisation]\r\nvaleur=65\r\n[COM]\r\nvaleur=COMX\r\n"));
    // At the next start a name that is not in the list selects COM10.
    Harness again(false);
    Harness::writeFile(again.path("param.ini"), Harness::readFile(h.path("param.ini")));
    again.form->Form_Load();
    QCOMPARE(again.form->commPort(), 10);
}

void TstWindow::closeBoxWritesNothing()
{
    Harness h;
    h.ui().Combo1->setCurrentIndex(4);
    h.form->show();
    h.form->close();
    QVERIFY(!QFile::exists(h.path("param.ini")));
}

void TstWindow::quittingEndsAWaitingOperation()
{
    // A badge reading waits without a limit; "Quitter" clicked meanwhile
    // (or the close box) ends it at once, so the program can end.
    for (bool closeBox : {false, true}) {
        Harness h;
        h.time.after(Millis(2000), [&h, closeBox] {
            if (closeBox)
                h.form->close();
            else
                h.form->Command6_Click();
        });
        h.form->lecture_badge_Click();
        QCOMPARE(h.time.elapsed(), Millis(2000));
        QCOMPARE(h.ended, closeBox ? 0 : 1);
        QCOMPARE(QFile::exists(h.path("param.ini")), !closeBox);
    }
}

void TstWindow::animeCounterAndSpinner()
{
    Harness h;
    const QStringList spins = {QStringLiteral("--"), QStringLiteral("\\"), QStringLiteral("/"),
                               QStringLiteral("--")};
    for (int k = 0; k < 4; ++k) {
        const Millis before = h.time.elapsed();
        h.form->anime(12);
        QCOMPARE(h.ui().defile->text(), QStringLiteral("%1/12").arg(k));
        QCOMPARE(h.ui().Label4->text(), spins[k]);
        // Each step leaves the pace between two bytes, 16 ms, yielding meanwhile.
        QCOMPARE(h.time.elapsed() - before, Millis(16));
    }
    h.form->anime(12);
    QCOMPARE(h.ui().defile->text(), QStringLiteral("4/12")); // counted on from there
}

void TstWindow::animeLeavesForeignSpinner()
{
    Harness h;
    h.ui().Label4->setText(QStringLiteral("x"));
    for (int k = 0; k <= 5; ++k)
        h.form->anime(6);
    QCOMPARE(h.ui().defile->text(), QStringLiteral("5/6"));
    QCOMPARE(h.ui().Label4->text(), QStringLiteral("x"));
}

void TstWindow::animeKeepsOnePaceBetweenBytes()
{
    // The work done between two steps of a series (writing the byte,
    // drawing) is taken out of the next pause, never below the minimum gap;
    // a series that starts after a break gets the whole pace.
    Harness h;
    h.form->anime(3);
    const Millis first = h.time.elapsed();
    h.time.advance(Millis(5));
    h.form->anime(3);
    QCOMPARE(h.time.elapsed() - first, Millis(16));
    h.time.advance(Millis(15));
    const Millis late = h.time.elapsed();
    h.form->anime(3);
    QCOMPARE(h.time.elapsed() - late, Millis(1));
    h.time.advance(Millis(500));
    const Millis fresh = h.time.elapsed();
    h.form->anime(3);
    QCOMPARE(h.time.elapsed() - fresh, Millis(16));
}

void TstWindow::aboutPrompt()
{
    Harness h;
    h.dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    h.form->Label7_Click();
    QVERIFY(h.shell.opened.isEmpty());
    h.form->Label16_Click();
    QCOMPARE(h.shell.opened.size(), 1);
    QVERIFY(h.shell.opened.first().startsWith(QLatin1String("https://")));
    const auto &box = h.dialogs.shown.back();
    QCOMPARE(box.title, QStringLiteral("Contrôle d'accès horodaté à badge"));
    QVERIFY(box.text.startsWith(QStringLiteral("Site auteur : ")));
    // The folder in use is named, between the address and the question.
    QVERIFY(box.text.endsWith(QStringLiteral(" \r\nRéglages et historique dans : %1\r\nVoulez vous "
                                             "visiter le site de l'auteur ?")
                                  .arg(QDir::toNativeSeparators(h.dir.path()))));
    QCOMPARE(box.buttons, MsgButtons::YesNo);
}

void TstWindow::statusTextGivesWayAtItsPathFirst()
{
    // One unit a character: the cuts are exact.
    const auto fit = [](const char *text, int width) {
        return fitStatusText(QString::fromUtf8(text), width,
                             [](const QString &s) { return int(s.size()); });
    };
    QCOMPARE(fit("Port COM3 perdu\r\n", 20), QStringLiteral("Port COM3 perdu "));
    // The path loses its middle; the reason and the file name stay.
    QCOMPARE(
        fit("Impossible d'écrire /home/op/Documents/listes/histo.txt : Permission non accordée",
            62),
        QStringLiteral("Impossible d'écrire /home/o…isto.txt : Permission non accordée"));
    // A quoted path is one part, blanks and all.
    QCOMPARE(fit("Envoi refusé : la liste « C:\\Mes listes\\bureau\\badges.txt » est vide", 50),
             QStringLiteral("Envoi refusé : la liste « C:\\Mes…es.txt » est vide"));
    // No path, or not enough with the path gone: the middle of the whole.
    QCOMPARE(fit("Port COM7 indisponible : déjà utilisé par un autre programme", 20),
             QStringLiteral("Port COM7… programme"));
    QCOMPARE(fit("Impossible d'écrire /home/op/histo.txt : disque plein", 25),
             QStringLiteral("Impossible d…disque plein"));
}

void TstWindow::statusLineShowsAFitAndTipsTheWhole()
{
    Harness h;
    StatusLabel *status = h.ui().Label14;
    const QString message = QStringLiteral(
        "Impossible d'écrire /home/operateur/Documents/platine/listes/histo.txt : Permission "
        "non accordée");
    status->setText(message);
    QCOMPARE(status->text(), message);
    QCOMPARE(status->toolTip(), message);
    const QString shown = status->shownText();
    QVERIFY2(shown.startsWith(QStringLiteral("Impossible d'écrire /")) &&
                 shown.endsWith(QStringLiteral(".txt : Permission non accordée")) &&
                 shown.contains(QChar(0x2026)),
             qPrintable(shown));
    QVERIFY(status->fontMetrics().horizontalAdvance(shown) <= status->contentsRect().width());

    // Set as a plain label, the tool tip follows when the label is drawn.
    static_cast<QLabel *>(status)->setText(QStringLiteral("Port COM7 fermé"));
    status->grab();
    QCOMPARE(status->toolTip(), QStringLiteral("Port COM7 fermé"));
    QCOMPARE(status->shownText(), QStringLiteral("Port COM7 fermé"));
    status->clear();
    QCOMPARE(status->toolTip(), QString());
}

void TstWindow::commandButtonsHaveTheirOwnIcons()
{
    // The tests run without a desktop icon theme: the program's own icons show.
    Harness h;
    const Form2Ui &u = h.ui();
    const QPushButton *buttons[] = {u.Command4,  u.Command1, u.Command2,  u.lecture_badge,
                                    u.Command5,  u.Command8, u.Command10, u.Command3,
                                    u.Command17, u.Command6};
    QList<QImage> drawn;
    for (const QPushButton *b : buttons) {
        const QImage image = b->icon().pixmap(16, 16).toImage();
        QVERIFY2(!image.isNull(), qPrintable(b->objectName()));
        QVERIFY2(!drawn.contains(image), qPrintable(b->objectName()));
        drawn.append(image);
    }
}

void TstWindow::ownIconsAreTheirDrawings()
{
    // The pixels compiled in at build time are each drawing as Qt's SVG
    // plugin draws it now, at every size, for every drawing of the folder.
    const QDir drawings(QStringLiteral(PLATINE_SOURCE_DIR "/src/app/icons"));
    const QStringList files = drawings.entryList({QStringLiteral("*.svg")});
    QCOMPARE(std::size_t(files.size() * 4), kOwnIconImageCount);
    for (const QString &file : files) {
        const QByteArray name = file.chopped(4).toLatin1();
        const QIcon icon = ownIcon(name.constData());
        QCOMPARE(icon.availableSizes(),
                 (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
        for (const QSize &size : icon.availableSizes()) {
            QImageReader reader(drawings.filePath(file), "svg");
            reader.setScaledSize(size);
            const QImage drawn = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(drawn == icon.pixmap(size).toImage().convertToFormat(
                                  QImage::Format_ARGB32_Premultiplied),
                     name + ' ' + QByteArray::number(size.width()));
        }
    }
    QVERIFY(ownIcon("no such drawing").isNull());
}

void TstWindow::captionFontIsTheLargestThatFits()
{
    // Found without loading the sizes tried on the way, the font is still
    // the one found by trying each size in turn: the largest step of 10 %
    // in which the caption fits, wrapped, or the smallest of six steps.
    const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QFont base = QApplication::font();
    base.setPointSizeF(8);
    auto fitsIn = [&](const QFont &f, const QRect &area, const QString &text) {
        const QRect need = QFontMetrics(f).boundingRect(area, flags, text);
        return need.width() <= area.width() && need.height() <= area.height();
    };
    const QString captions[] = {QStringLiteral("Téléchargement de l'histori&que"),
                                QStringLiteral("Envo&i programmation"), QStringLiteral("Quitter"),
                                QStringLiteral("Ou&vrir une liste enregistrée")};
    for (const QString &caption : captions) {
        for (int width = 30; width <= 110; width += 4) {
            for (int height = 14; height <= 56; height += 6) {
                const QRect area(3, 2, width, height);
                QFont tried = base;
                for (int i = 0; i < 6 && !fitsIn(tried, area, caption); ++i)
                    tried.setPointSizeF(tried.pointSizeF() * 0.9);
                const QFont found = fittingCaptionFont(base, area, caption);
                QVERIFY2(qFuzzyCompare(found.pointSizeF(), tried.pointSizeF()),
                         caption.toUtf8() + ' ' + QByteArray::number(width) + 'x' +
                             QByteArray::number(height));
            }
        }
    }
}

void TstWindow::commandButtonDrawsItsCaptionAfterAChange()
{
    // A button keeps where its caption goes from one paint to the next: a
    // new caption, size or font is drawn as on a button made with it.
    auto drawn = [](QWidget &w) { return w.grab().toImage(); };
    CommandButton b(QStringLiteral("Connexion"));
    b.resize(90, 36);
    drawn(b);
    b.setText(QStringLiteral("Vidage flash de la platine"));
    CommandButton fresh(QStringLiteral("Vidage flash de la platine"));
    fresh.resize(90, 36);
    QCOMPARE(drawn(b), drawn(fresh));
    b.resize(60, 50);
    fresh.resize(60, 50);
    QCOMPARE(drawn(b), drawn(fresh));
    QFont big = b.font();
    big.setPointSizeF(14);
    b.setFont(big);
    fresh.setFont(big);
    QCOMPARE(drawn(b), drawn(fresh));
}

QTEST_MAIN(TstWindow)
#include "tst_window.moc"
