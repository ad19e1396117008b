#include "app/commands.h"

#include "app/form2.h"

#include <QtGlobal>

namespace platine {

namespace {

constexpr MenuDef kMenus[] = {
    {"menu_fichier", QT_TRANSLATE_NOOP("Commands", "&Fichier")},
    {"menu_liste", QT_TRANSLATE_NOOP("Commands", "&Liste")},
    {"menu_platine", QT_TRANSLATE_NOOP("Commands", "&Platine")},
    {"menu_passages", QT_TRANSLATE_NOOP("Commands", "Pa&ssages")},
    {"menu_aide", QT_TRANSLATE_NOOP("Commands", "&Aide")},
    {"menu_langue", QT_TRANSLATE_NOOP("Commands", "&Langue"), "menu_aide"},
};

template <void (Form2::*H)()> void call(Form2 &f)
{
    (f.*H)();
}

const CommandDef kCommands[] = {
    // Menu "Fichier"
    {"menu_fichier", "nouvelle_liste", QT_TRANSLATE_NOOP("Commands", "&Nouvelle liste"), "Ctrl+N",
     "Command4", call<&Form2::Command4_Click>},
    {"menu_fichier", "ouvrir_liste", QT_TRANSLATE_NOOP("Commands", "&Ouvrir une liste enregistrée"),
     "Ctrl+O", "Command1", call<&Form2::Command1_Click>},
    {"menu_fichier", "enregistrer_liste_sous",
     QT_TRANSLATE_NOOP("Commands", "&Enregistrer une liste sous"), "Ctrl+S", "Command2",
     call<&Form2::Command2_Click>},
    {"menu_fichier", "quitter", QT_TRANSLATE_NOOP("Commands", "&Quitter"), "Ctrl+Q", "Command6",
     call<&Form2::Command6_Click>, true},
    // Menu "Liste"
    {"menu_liste", "tableau_des_badges", QT_TRANSLATE_NOOP("Commands", "&Tableau des badges"),
     nullptr, nullptr, call<&Form2::tableau_des_badges_Click>},
    {"menu_liste", "ajouter_modifier_badge",
     QT_TRANSLATE_NOOP("Commands", "&Ajouter Modifier  badge"), nullptr, "Command5",
     call<&Form2::Command5_Click>},
    {"menu_liste", "supprimer_le_badge", QT_TRANSLATE_NOOP("Commands", "&Supprimer le badge"),
     nullptr, "Command23", call<&Form2::Command23_Click>},
    // Menu "Platine"
    {"menu_platine", "envoi_programmation", QT_TRANSLATE_NOOP("Commands", "&Envoi programmation"),
     nullptr, "Command8", call<&Form2::Command8_Click>},
    {"menu_platine", "telechargement_historique",
     QT_TRANSLATE_NOOP("Commands", "&Téléchargement de l'historique"), nullptr, "Command3",
     call<&Form2::Command3_Click>},
    {"menu_platine", "mise_a_l_heure", QT_TRANSLATE_NOOP("Commands", "&Mise à l'heure"), nullptr,
     "Command17", call<&Form2::Command17_Click>},
    {"menu_platine", "lire_badge", QT_TRANSLATE_NOOP("Commands", "&Lecture badge"), nullptr,
     "lecture_badge", call<&Form2::lecture_badge_Click>},
    // "Connexion" reacts to the mouse press on its button (both buttons),
    // not to a click: the window's event filter runs it for the button.
    {"menu_platine", "connexion", QT_TRANSLATE_NOOP("Commands", "&Connexion"), nullptr, nullptr,
     [](Form2 &f) { f.Command10_MouseDown(MouseButton::Left); }},
    {"menu_platine", "platines", QT_TRANSLATE_NOOP("Commands", "&Platines…"), nullptr, nullptr,
     call<&Form2::platines_Click>, true},
    // Menu "Passages"
    {"menu_passages", "journal_des_passages",
     QT_TRANSLATE_NOOP("Commands", "&Journal des passages"), nullptr, nullptr,
     call<&Form2::journal_des_passages_Click>},
    {"menu_passages", "recuperer_historique",
     QT_TRANSLATE_NOOP("Commands", "&Récupérer tout l'historique"), nullptr, nullptr,
     call<&Form2::recuperer_historique_Click>},
    // Menu "Aide"; the about label runs it on a mouse press (event filter).
    {"menu_aide", "a_propos", QT_TRANSLATE_NOOP("Commands", "&A propos de ..."), nullptr, nullptr,
     call<&Form2::Label16_Click>},
    // Menu "Langue" (in "Aide"): each language named in its own, whatever
    // the window shows, so these two captions are not translated.
    {"menu_langue", "langue_francais", "&Français", nullptr, nullptr,
     [](Form2 &f) { f.langue_Click(Language::French); }, false, true},
    {"menu_langue", "langue_anglais", "&English", nullptr, nullptr,
     [](Form2 &f) { f.langue_Click(Language::English); }, false, true},
    // Buttons of the window only.
    {nullptr, nullptr, nullptr, nullptr, "Command7", call<&Form2::Command7_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command11", call<&Form2::Command11_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command14", call<&Form2::Command14_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command13", call<&Form2::Command13_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command12", call<&Form2::Command12_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command21", call<&Form2::Command21_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command22", call<&Form2::Command22_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command19", call<&Form2::Command19_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command15", call<&Form2::Command15_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command16", call<&Form2::Command16_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command18", call<&Form2::Command18_Click>},
    {nullptr, nullptr, nullptr, nullptr, "Command9", call<&Form2::Command9_Click>},
};

} // namespace

std::span<const MenuDef> menus()
{
    return kMenus;
}

std::span<const CommandDef> commands()
{
    return kCommands;
}

} // namespace platine
