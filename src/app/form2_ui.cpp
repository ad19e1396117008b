// The window's controls: names, kinds, frames, captions, tool tips, initial
// texts, colours and fonts. Positions are given in twips as the window was
// designed and drawn at 15 twips a pixel.

#include "app/command_button.h"
#include "app/commands.h"
#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/own_icons.h"
#include "app/port_combo.h"
#include "app/status_label.h"
#include "platform/keyboard.h"
#include "serial/pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace platine {
namespace {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, QRect r)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(r);
    return box;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect r)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(r);
    return l;
}

QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, QRect r)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setAlignment(Qt::AlignCenter);
    e->setGeometry(r);
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                    QRect r)
{
    auto *b = new CommandButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setGeometry(r);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, QRect r)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(r);
    return c;
}

// The item a typed text chooses, or -1.
using ItemOfText = std::function<int(const QComboBox *, const QString &)>;

int exactItem(const QComboBox *c, const QString &typed)
{
    return c->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QComboBox *comboBox(QWidget *parent, const char *name, const QString &text, QRect r,
                    QComboBox *c = nullptr, ItemOfText itemOf = exactItem)
{
    // A drop-down combo box: an edit field over the list. Typed text adds no
    // item and is never completed; an item is chosen only while `itemOf` (by
    // default: the text is exactly that item, case included) finds one,
    // otherwise the position is -1 and the text stays as typed. The typing
    // ends with the item's own text shown. Choosing from the list sets both.
    if (!c)
        c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setEditText(text);
    c->setGeometry(r);
    QLineEdit *edit = c->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, c, [c, edit, itemOf](const QString &typed) {
        const int index = itemOf(c, typed);
        if (index == c->currentIndex())
            return;
        const int caret = edit->cursorPosition();
        c->setCurrentIndex(index); // the item's text, or empty for -1: the typed text goes back
        if (edit->text() != typed) {
            edit->setText(typed);
            edit->setCursorPosition(caret);
        }
    });
    QObject::connect(edit, &QLineEdit::editingFinished, c, [c, edit] {
        if (c->currentIndex() >= 0 && edit->text() != c->itemText(c->currentIndex()))
            edit->setText(c->itemText(c->currentIndex()));
    });
    return c;
}

void colour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void fontStyle(QWidget *w, qreal points, bool italic, bool bold)
{
    QFont f = w->font();
    f.setPointSizeF(points);
    f.setItalic(italic);
    f.setBold(bold);
    w->setFont(f);
}

QFrame *line(QWidget *parent, const QString &name, int y)
{
    auto *l = new QFrame(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(6, y, px(8505) - 12, 3);
    return l;
}

// An icon found and drawn the first time it is asked for (shown, or its
// pixmap taken), not when the window is built: finding it in the desktop's
// theme is a good part of a start otherwise.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (m_make)
            m_icon = std::exchange(m_make, nullptr)();
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
};

// Whether the desktop names an icon theme of its own. Without one (a bare X
// session) there is only the freedesktop fallback theme, which holds the
// applications' icons and not the standard ones of commands; reading its
// index (a good part of a start) would find none of them.
bool desktopIconTheme()
{
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QIcon::fallbackThemeName();
}

// The desktop's icon of that standard name, else the program's own. Without
// a standard name (reading a badge, the board's clock...) the program's own:
// a theme that lacks a name gives the icon of a shorter one ("preferences"
// for nullptr), whose meaning would be wrong.
QIcon commandIcon(const char *themeName, const char *ownName)
{
    return QIcon(new DeferredIconEngine([themeName, ownName] {
        const QIcon own = ownIcon(ownName);
        return themeName && desktopIconTheme() ? QIcon::fromTheme(QLatin1String(themeName), own)
                                               : own;
    }));
}

// The menus as the window's table of commands (app/commands.h) lists them,
// in the language installed; the window connects each item to its handler
// (form2.cpp).
void fillMenu(QMenu *menu, const MenuDef &m)
{
    for (const CommandDef &c : commands()) {
        if (!c.menu || std::string_view(c.menu) != m.name)
            continue;
        if (c.separatorBefore)
            menu->addSeparator();
        QAction *a = menu->addAction(QCoreApplication::translate("Commands", c.caption));
        a->setObjectName(QLatin1String(c.item));
        a->setCheckable(c.checkable);
        if (c.shortcut)
            a->setShortcut(QKeySequence(QLatin1String(c.shortcut)));
    }
    for (const MenuDef &sub : menus()) {
        if (!sub.parent || std::string_view(sub.parent) != m.name)
            continue;
        menu->addSeparator();
        QMenu *submenu = menu->addMenu(QCoreApplication::translate("Commands", sub.title));
        submenu->setObjectName(QLatin1String(sub.name));
        fillMenu(submenu, sub);
    }
}

QMenuBar *buildMenuBar(QWidget *form)
{
    auto *bar = new QMenuBar(form);
    bar->setObjectName(QStringLiteral("MenuBar"));
    for (const MenuDef &m : menus()) {
        if (m.parent)
            continue;
        QMenu *menu = bar->addMenu(QCoreApplication::translate("Commands", m.title));
        menu->setObjectName(QLatin1String(m.name));
        fillMenu(menu, m);
    }
    return bar;
}

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kMagenta(255, 0, 255);

} // namespace

Form2Ui buildForm2Ui(QWidget *window)
{
    Form2Ui u{};
    window->setObjectName(QStringLiteral("Form2"));
    window->setWindowTitle(
        QCoreApplication::translate("Form2", "Contrôle d'accès horodaté  -  Kovarine"));
    {
        // The window was drawn for a small 8-point font.
        QFont small = window->font();
        small.setPointSizeF(8);
        window->setFont(small);
    }
    // The controls stand where they were designed on `form`, a page of the
    // window's designed size in a scroll area: on a screen smaller than the
    // window (a laptop at 200 %) the page scrolls; a window made larger than
    // its design shows the controls below the design's bottom edge.
    u.defilement = new QScrollArea(window);
    u.defilement->setObjectName(QStringLiteral("defilement"));
    u.defilement->setFrameShape(QFrame::NoFrame);
    u.defilement->setWidgetResizable(true);
    u.defilement->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls
    auto *form = new QWidget;
    form->setObjectName(QStringLiteral("page"));
    form->setMinimumSize(px(10920), px(9645));
    form->resize(form->minimumSize());
    // In the scroll area before the controls are made on it: they take the
    // window's font from the start (measured once, in the font shown).
    u.defilement->setWidget(form);

    // The two panes lie under the frames that cover them.
    u.Text1 = new Pane(form);
    u.Text1->setObjectName(QStringLiteral("Text1"));
    u.Text1->setGeometry(twipsRect(60, 2100, 8535, 7095));
    {
        // A fixed-pitch font: the history table is aligned by columns.
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (!QFontInfo(fixed).fixedPitch()) {
            fixed = QFont(QStringLiteral("DejaVu Sans Mono"));
            fixed.setStyleHint(QFont::Monospace);
            fixed.setFixedPitch(true);
        }
        fixed.setPointSize(9);
        u.Text1->setFont(fixed);
    }
    u.Text2 = new Pane(form);
    u.Text2->setObjectName(QStringLiteral("Text2"));
    u.Text2->setGeometry(twipsRect(60, 9630, 10815, 4785));

    // Right-aligned on the window's edge, where its designed left end (9750)
    // would cut the caption in a wider font.
    u.Label16 = label(form, "Label16", QCoreApplication::translate("Form2", "A propos de ..."),
                      twipsRect(9150, 60, 1725, 255));
    u.Label16->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    colour(u.Label16, kRed);
    fontStyle(u.Label16, 8.25, true, false);
    u.Label16->setCursor(Qt::PointingHandCursor);
    u.nom_fichier = label(form, "nom_fichier", QStringLiteral("..."), twipsRect(120, 60, 300, 255));
    u.nom_fichier->adjustSize();

    // --- Frame3 "Parametrage" --------------------------------------------------
    u.Frame3 = frame(form, "Frame3", QCoreApplication::translate("Form2", "Parametrage"),
                     twipsRect(60, 330, 8505, 1665));
    u.Frame3->setStyleSheet(QStringLiteral("QGroupBox#Frame3::title { color: rgb(0,0,255); }"));
    u.gache_0 =
        label(u.Frame3, "gache_0", QCoreApplication::translate("Form2", "Temporisation gâche :"),
              QRect(10, 28, 135, 20));
    u.tempo_gache = textBox(u.Frame3, "tempo_gache", QStringLiteral("10"), QRect(148, 26, 44, 22));
    u.tempo_gache->setToolTip(QCoreApplication::translate("Form2", "1 à 65 secondes max"));
    u.Label13 = label(u.Frame3, "Label13", QCoreApplication::translate("Form2", "seconde(s)"),
                      QRect(198, 28, 70, 20));
    u.buzzer = checkBox(u.Frame3, "buzzer", QCoreApplication::translate("Form2", "Buzzer actif"),
                        QRect(285, 27, 110, 20));
    u.buzzer->setChecked(true);
    u.Label6 = label(u.Frame3, "Label6", QCoreApplication::translate("Form2", "Port COM"),
                     QRect(405, 28, 60, 20));
    u.Combo1 = comboBox(u.Frame3, "Combo1", QStringLiteral("Combo1"), QRect(468, 25, 90, 24),
                        new PortComboBox(u.Frame3));
    // The chosen port's board by its name, and in one line what it holds
    // against the open list (app/boards.cpp).
    u.nom_platine = label(u.Frame3, "nom_platine", QString(), QRect(405, 52, 155, 20));
    u.nom_platine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fontStyle(u.nom_platine, 8.25, true, false);
    u.etat_platine = new StatusLabel(QString(), u.Frame3);
    u.etat_platine->setObjectName(QStringLiteral("etat_platine"));
    u.etat_platine->setGeometry(QRect(10, 52, 390, 20));
    u.Label5 = label(u.Frame3, "Label5", QStringLiteral("...."), QRect(10, 80, 300, 20));
    colour(u.Label5, kBlue);
    u.Label4 = label(u.Frame3, "Label4", QStringLiteral("/"), QRect(530, 80, 25, 20));

    // --- Frame2 "Nouveau badge à mémoriser" (record editor) ----------------------
    u.Frame2 =
        frame(form, "Frame2", QCoreApplication::translate("Form2", "Nouveau badge à mémoriser"),
              twipsRect(90, 2100, 8505, 7095));
    u.Frame2->setAutoFillBackground(true);
    u.Frame2->setVisible(false);
    QWidget *f2 = u.Frame2;
    // Row 1
    u.Label1[0] = label(f2, "Label1_0", QCoreApplication::translate("Form2", "N° du badge :"),
                        QRect(12, 30, 90, 22));
    u.numero_badge =
        textBox(f2, "numero_badge", QStringLiteral("0000000000"), QRect(105, 28, 120, 24));
    u.Label1[8] = label(f2, "Label1_8", QCoreApplication::translate("Form2", "Nom :"),
                        QRect(250, 30, 45, 22));
    colour(u.Label1[8], kRed);
    u.nom = textBox(f2, "nom", QStringLiteral("Valmire"), QRect(300, 28, 200, 24));
    u.Line1[0] = line(f2, QStringLiteral("Line1_0"), 62);
    // Row 2
    u.Label1[1] =
        label(f2, "Label1_1",
              QCoreApplication::translate("Form2", "Plage horaire autorisée :           de "),
              QRect(12, 75, 230, 22));
    u.heure_debut = textBox(f2, "heure_debut", QStringLiteral("07"), QRect(245, 73, 32, 24));
    u.Label1[2] =
        label(f2, "Label1_2", QCoreApplication::translate("Form2", "H"), QRect(280, 75, 12, 22));
    u.minute_debut = textBox(f2, "minute_debut", QStringLiteral("30"), QRect(294, 73, 32, 24));
    u.Label1[3] =
        label(f2, "Label1_3", QCoreApplication::translate("Form2", "à"), QRect(333, 75, 12, 22));
    u.heure_fin = textBox(f2, "heure_fin", QStringLiteral("17"), QRect(348, 73, 32, 24));
    u.Label1[4] =
        label(f2, "Label1_4", QCoreApplication::translate("Form2", "H"), QRect(383, 75, 12, 22));
    u.minute_fin = textBox(f2, "minute_fin", QStringLiteral("30"), QRect(397, 73, 32, 24));
    u.Choix_24 = checkBox(f2, "Choix_24", QCoreApplication::translate("Form2", "24h/24"),
                          QRect(450, 75, 80, 22));
    colour(u.Choix_24, kBlue);
    u.Line1[1] = line(f2, QStringLiteral("Line1_1"), 107);
    // Row 3
    u.Label1[5] = label(f2, "Label1_5",
                        QCoreApplication::translate("Form2", "Jour(s) de la semaine autorisé(s) :"),
                        QRect(12, 120, 230, 22));
    colour(u.Label1[5], kBlue);
    // A day typed by hand is taken as the table import takes it.
    u.Combo2 = comboBox(f2, "Combo2", QStringLiteral("Combo2"), QRect(245, 118, 160, 24), nullptr,
                        [](const QComboBox *c, const QString &typed) {
                            // The day as the list shows it (in the window's language), or
                            // as the list file names it.
                            const int shown = c->findText(typed, Qt::MatchFixedString);
                            return shown >= 0 ? shown : dayCodeOfName(typed.toStdString());
                        });
    u.Line1[2] = line(f2, QStringLiteral("Line1_2"), 152);
    // Row 4
    u.Label1[6] = label(f2, "Label1_6", QCoreApplication::translate("Form2", "Lieu autorisé :"),
                        QRect(12, 165, 120, 22));
    colour(u.Label1[6], kMagenta);
    u.lieu = textBox(f2, "lieu", QStringLiteral("10"), QRect(135, 163, 40, 24));
    u.choix_lieu =
        checkBox(f2, "choix_lieu", QCoreApplication::translate("Form2", "Tous les lieux autorisés"),
                 QRect(200, 165, 200, 22));
    colour(u.choix_lieu, kMagenta);
    u.Line1[3] = line(f2, QStringLiteral("Line1_3"), 197);
    // Row 5
    u.Label1[7] = label(f2, "Label1_7", QCoreApplication::translate("Form2", "Jour du mois :"),
                        QRect(12, 210, 120, 22));
    colour(u.Label1[7], kRed);
    u.jour_du_mois = textBox(f2, "jour_du_mois", QStringLiteral("0"), QRect(135, 208, 40, 24));
    // The dates of validity stay on the PC: empty, the badge is valid always.
    u.libelle_valide_du = label(f2, "libelle_valide_du",
                                QCoreApplication::translate("Form2", "Valide du :"),
                                QRect(195, 210, 65, 22));
    u.valide_du = textBox(f2, "valide_du", QString(), QRect(260, 208, 85, 24));
    u.libelle_valide_jusqu_au = label(f2, "libelle_valide_jusqu_au",
                                      QCoreApplication::translate("Form2", "Valide jusqu'au :"),
                                      QRect(355, 210, 100, 22));
    u.valide_jusqu_au = textBox(f2, "valide_jusqu_au", QString(), QRect(455, 208, 85, 24));
    for (QLineEdit *e : {u.valide_du, u.valide_jusqu_au}) {
        e->setPlaceholderText(QCoreApplication::translate("Form2", "jj/mm/aaaa"));
        e->setToolTip(QCoreApplication::translate("Form2", "Vide : sans limite"));
    }
    u.Line1[4] = line(f2, QStringLiteral("Line1_4"), 242);
    // Rows 6 and 7
    u.Label10 =
        label(f2, "Label10", QCoreApplication::translate("Form2", "Nombre d'enregistrements :"),
              QRect(12, 252, 180, 22));
    u.nombre_enregistrements =
        label(f2, "nombre_enregistrements", QStringLiteral("..."), QRect(195, 252, 60, 22));
    u.Label12 =
        label(f2, "Label12", QCoreApplication::translate("Form2", "Enregistrement courant     :"),
              QRect(12, 276, 180, 22));
    u.Label11 = label(f2, "Label11", QStringLiteral("..."), QRect(195, 276, 60, 22));
    // Rows 8 and 9
    u.Label8 = label(f2, "Label8", QCoreApplication::translate("Form2", "Mode enregistrement"),
                     QRect(12, 304, 400, 30));
    fontStyle(u.Label8, 13.5, false, true);
    u.Label9 =
        label(f2, "Label9",
              QCoreApplication::translate(
                  "Form2", "Une fois les champs renseignés cliquer sur le bouton 'Enregistrer'"),
              QRect(12, 338, 540, 40));
    u.Label9->setWordWrap(true);
    colour(u.Label9, kBlue);
    // Row 10
    u.Command21 =
        button(f2, "Command21", QCoreApplication::translate("Form2", "Rechercher badge"),
               QCoreApplication::translate("Form2", "Badge suivant"), QRect(12, 385, 130, 30));
    u.Command22 =
        button(f2, "Command22", QCoreApplication::translate("Form2", "Rechercher nom"),
               QCoreApplication::translate("Form2", "Badge suivant"), QRect(150, 385, 130, 30));
    u.Command23 =
        button(f2, "Command23", QCoreApplication::translate("Form2", "Supprimer"),
               QCoreApplication::translate("Form2", "Retire le badge courant de la liste"),
               QRect(288, 385, 130, 30));
    // Row 11
    u.Command11 =
        button(f2, "Command11", QCoreApplication::translate("Form2", "Badge suivant"),
               QCoreApplication::translate("Form2", "Badge suivant"), QRect(12, 425, 100, 36));
    u.Command14 =
        button(f2, "Command14", QCoreApplication::translate("Form2", "Badge précédent"),
               QCoreApplication::translate("Form2", "Badge précédent"), QRect(122, 425, 100, 36));
    u.Command13 = button(f2, "Command13", QCoreApplication::translate("Form2", "Nouveau"),
                         QCoreApplication::translate("Form2", "Mémorise un nouveau badge"),
                         QRect(232, 425, 100, 36));
    u.Command7 = button(f2, "Command7", QCoreApplication::translate("Form2", "Enregistrer"),
                        QCoreApplication::translate("Form2", "Enregistre le badge courant"),
                        QRect(342, 425, 100, 36));
    u.Command12 = button(f2, "Command12", QCoreApplication::translate("Form2", "Sortir du mode"),
                         QCoreApplication::translate("Form2", "Quitter le mode enregistrement"),
                         QRect(452, 425, 100, 36));

    // --- Frame1 "Commandes" -----------------------------------------------------
    u.Frame1 = frame(form, "Frame1", QCoreApplication::translate("Form2", "Commandes"),
                     twipsRect(8580, 330, 2295, 9285));
    u.Label2 = label(u.Frame1, "Label2", QCoreApplication::translate("Form2", "Badge N°:"),
                     QRect(8, 20, 140, 18));
    struct Cmd {
        QPushButton **slot;
        const char *name;
        const char *caption;
        const char *tip;
        const char *themeIcon; // a standard desktop icon name, if one means the command
        const char *ownIcon;   // the program's own: its drawing in app/icons
    };
    const Cmd commands[] = {
        {&u.Command4, "Command4", QT_TRANSLATE_NOOP("Form2", "Nouvelle liste"),
         QT_TRANSLATE_NOOP("Form2", "Lecture / Modification de la liste enregistrée"),
         "document-new", "list-new"},
        {&u.Command1, "Command1", QT_TRANSLATE_NOOP("Form2", "Ouvrir une liste enregistrée"),
         QT_TRANSLATE_NOOP("Form2", "Lecture / Modification de la liste enregistrée"),
         "document-open", "list-open"},
        {&u.Command2, "Command2", QT_TRANSLATE_NOOP("Form2", "Enregistrer une liste sous"),
         QT_TRANSLATE_NOOP("Form2", "Enregistrer la liste modifiée"), "document-save-as",
         "list-save-as"},
        {&u.lecture_badge, "lecture_badge", QT_TRANSLATE_NOOP("Form2", "Lecture badge"),
         QT_TRANSLATE_NOOP("Form2", "Lecture du numéro d'un badge"), nullptr, "badge-read"},
        {&u.Command5, "Command5", QT_TRANSLATE_NOOP("Form2", "Ajouter Modifier  badge"),
         QT_TRANSLATE_NOOP("Form2", "Ajouter ou modifier les paramètres associés à un badge"),
         nullptr, "badge-edit"},
        {&u.Command8, "Command8", QT_TRANSLATE_NOOP("Form2", "Envoi programmation"),
         QT_TRANSLATE_NOOP("Form2", "Envoi de la liste enregistrée vers le PIC"), "document-send",
         "list-send"},
        {&u.Command10, "Command10", QT_TRANSLATE_NOOP("Form2", "Connexion"),
         QT_TRANSLATE_NOOP("Form2", "Click droit pour déconnecter"), nullptr, "connect"},
        {&u.Command3, "Command3", QT_TRANSLATE_NOOP("Form2", "Téléchargement de l'historique"),
         QT_TRANSLATE_NOOP("Form2", "Téléchargement"), nullptr, "history-download"},
        {&u.Command17, "Command17", QT_TRANSLATE_NOOP("Form2", "Mise à l'heure"),
         QT_TRANSLATE_NOOP("Form2", "Mise à jour horaire de la platine"), nullptr, "clock-set"},
        {&u.Command6, "Command6", QT_TRANSLATE_NOOP("Form2", "Quitter"),
         QT_TRANSLATE_NOOP("Form2", "Quitter l'application"), "application-exit", "quit"},
    };
    const int buttonW = px(1365), buttonH = px(795);
    int y = 42;
    for (const Cmd &c : commands) {
        *c.slot = button(u.Frame1, c.name, QCoreApplication::translate("Form2", c.caption),
                         QCoreApplication::translate("Form2", c.tip),
                         QRect((px(2295) - buttonW) / 2, y, buttonW, buttonH));
        (*c.slot)->setIcon(commandIcon(c.themeIcon, c.ownIcon));
        y += buttonH + 4;
    }
    u.Command10->setAutoFillBackground(true);

    // --- Frame4 status strip ----------------------------------------------------
    u.Frame4 = frame(form, "Frame4", QString(), twipsRect(90, 9150, 8475, 465));
    // Room for the longest text of the counter, "Mémorisation terminée"; the
    // status line takes the rest.
    u.defile = label(u.Frame4, "defile", QStringLiteral("..."), QRect(6, 6, 134, 20));
    // The whole message stays in text() and the tool tip; a long one is
    // shown shortened in the middle of its file path first.
    u.Label14 = new StatusLabel(QStringLiteral("....."), u.Frame4);
    u.Label14->setObjectName(QStringLiteral("Label14"));
    u.Label14->setGeometry(QRect(144, 6, 342, 20));
    u.Label7 = label(u.Frame4, "Label7", QStringLiteral("Ostrany"), QRect(490, 6, 70, 20));
    fontStyle(u.Label7, 8.25, true, false);
    u.Label7->setCursor(Qt::PointingHandCursor);

    // --- Frame6 maintenance (below the visible area) ------------------------------
    u.Frame6 = frame(form, "Frame6", QString(), twipsRect(7260, 9750, 3315, 1455));
    u.Command15 = button(u.Frame6, "Command15", QCoreApplication::translate("Form2", "eeprom"),
                         QString(), QRect(6, 8, 66, 36));
    u.Command18 =
        button(u.Frame6, "Command18", QCoreApplication::translate("Form2", "Vidage flash"),
               QString(), QRect(77, 8, 66, 36));
    u.Command9 = button(u.Frame6, "Command9", QCoreApplication::translate("Form2", "Ascii"),
                        QString(), QRect(148, 8, 66, 36));
    u.Command16 =
        button(u.Frame6, "Command16", QCoreApplication::translate("Form2", "raz offset telech"),
               QString(), QRect(6, 50, 100, 40));
    u.Command20 =
        button(u.Frame6, "Command20", QCoreApplication::translate("Form2", "Raz eeprom externe"),
               QCoreApplication::translate(
                   "Form2", "click droit=efface tout - click gauche=efface historique"),
               QRect(112, 50, 102, 40));
    {
        QPalette p = u.Command20->palette();
        p.setColor(QPalette::Button, QColor(255, 192, 255));
        u.Command20->setPalette(p);
        u.Command20->setAutoFillBackground(true);
    }

    // --- Frame5 clock entry (below the visible area) ------------------------------
    u.Frame5 = frame(form, "Frame5", QString(), twipsRect(7260, 11220, 3315, 1125));
    const char *clockCaptions[] = {
        QT_TRANSLATE_NOOP("Form2", "Heure"), QT_TRANSLATE_NOOP("Form2", "Minute"),
        QT_TRANSLATE_NOOP("Form2", "N° jour"), QT_TRANSLATE_NOOP("Form2", " jour du mois")};
    const char *clockNames[] = {"heure_pc", "minute_pc", "jour_pc", "j_mois"};
    const char *clockTips[] = {QT_TRANSLATE_NOOP("Form2", "1 à 65 secondes max"),
                               QT_TRANSLATE_NOOP("Form2", "1 à 65 secondes max"), "1-7", "1-7"};
    QLineEdit **clockFields[] = {&u.heure_pc, &u.minute_pc, &u.jour_pc, &u.j_mois};
    for (int i = 0; i < 4; ++i) {
        u.Label15[i] = label(u.Frame5, QStringLiteral("Label15_%1").arg(i).toLatin1().constData(),
                             QCoreApplication::translate("Form2", clockCaptions[i]),
                             QRect(4 + i * 54, 6, 54, 18));
        *clockFields[i] =
            textBox(u.Frame5, clockNames[i], QString(), QRect(6 + i * 54, 26, 44, 22));
        (*clockFields[i])->setToolTip(QCoreApplication::translate("Form2", clockTips[i]));
    }
    u.Command19 = button(u.Frame5, "Command19", QCoreApplication::translate("Form2", "Heure PC"),
                         QString(), QRect(6, 50, 80, 22));

    // Frames over the panes they cover.
    u.Frame5->raise();
    u.Frame6->raise();

    // The Tab order follows the reading order: the settings band, the
    // console pane or the record editor that covers it, the column of
    // commands; then what lies below the design's bottom edge, which Tab
    // reaches only while the window shows it (Form2::focusNextPrevChild).
    setTabChain({u.tempo_gache,  u.buzzer,        u.Combo1,       u.Text1,        u.numero_badge,
                 u.nom,          u.heure_debut,   u.minute_debut, u.heure_fin,    u.minute_fin,
                 u.Choix_24,     u.Combo2,        u.lieu,         u.choix_lieu,   u.jour_du_mois,
                 u.valide_du,    u.valide_jusqu_au,
                 u.Command21,    u.Command22,     u.Command23,    u.Command11,    u.Command14,
                 u.Command13,    u.Command7,      u.Command12,    u.Command4,     u.Command1,
                 u.Command2,     u.lecture_badge, u.Command5,     u.Command8,     u.Command10,
                 u.Command3,     u.Command17,     u.Command6,     u.Text2,        u.Command15,
                 u.Command18,    u.Command16,     u.Command9,     u.Command20,    u.heure_pc,
                 u.minute_pc,    u.jour_pc,       u.j_mois,       u.Command19});

    // The menu bar above the page: the controls keep their places and sizes
    // below it, the window grows by its height.
    u.MenuBar = buildMenuBar(window);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(u.MenuBar);
    layout->addWidget(u.defilement);
    window->resize(form->width(), form->height() + u.MenuBar->heightForWidth(form->width()));
    layout->activate(); // the menu bar and the page in place before the window shows

    // An access key on each button of the commands and of the record editor,
    // none alike nor like a menu's. The window has one button more than free
    // letters in French: the commands the menus also run with a shortcut
    // (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Q) come last, where one may go without.
    // The maintenance and clock buttons below the window get none: nothing
    // there is one key press away.
    giveAccessKeys({u.lecture_badge, u.Command5,  u.Command8,  u.Command10, u.Command3,
                    u.Command17,     u.Command21, u.Command22, u.Command23, u.Command11,
                    u.Command14,     u.Command13, u.Command7,  u.Command12, u.Command4,
                    u.Command1,      u.Command2,  u.Command6},
                   menuAccessKeys(u.MenuBar));
    returnPressesButtons(window);
    // Every control of the list is made, under its own name: the rest of the
    // code and the tests find it by that name.
    forEachControl(u, [](const QString &name, QObject *control) {
        if (!control || control->objectName() != name)
            qFatal("control %s is missing or misnamed", qPrintable(name));
    });
    return u;
}

} // namespace platine
