#include "app/commands.h"

#include "app/form2.h"

#include <QtGlobal>

namespace platine {

namespace {

constexpr MenuDef kMenus[] = {
    {"menu_fichier", "&Fichier"},   {"menu_liste", "&Liste"}, {"menu_platine", "&Platine"},
    {"menu_passages", "Pa&ssages"}, {"menu_aide", "&Aide"},
};

template <void (Form2::*H)()> void call(Form2 &f)
{
    (f.*H)();
}

const CommandDef kCommands[] = {
    // Menu "Fichier"
    {"menu_fichier", "nouvelle_liste", "&Nouvelle liste", "Ctrl+N", "Command4",
     call<&Form2::Command4_Click>},
    {"menu_fichier", "ouvrir_liste", "&Ouvrir une liste enregistrée", "Ctrl+O", "Command1",
     call<&Form2::Command1_Click>},
    {"menu_fichier", "enregistrer_liste_sous", "&Enregistrer une liste sous", "Ctrl+S", "Command2",
     call<&Form2::Command2_Click>},
    {"menu_fichier", "quitter", "&Quitter", "Ctrl+Q", "Command6", call<&Form2::Command6_Click>,
     true},
    // Menu "Liste"
    {"menu_liste", "tableau_des_badges", "&Tableau des badges", nullptr, nullptr,
     call<&Form2::tableau_des_badges_Click>},
    {"menu_liste", "ajouter_modifier_badge", "&Ajouter Modifier  badge", nullptr, "Command5",
     call<&Form2::Command5_Click>},
    {"menu_liste", "supprimer_le_badge", "&Supprimer le badge", nullptr, "Command23",
     call<&Form2::Command23_Click>},
    // Menu "Platine"
    {"menu_platine", "envoi_programmation", "&Envoi programmation", nullptr, "Command8",
     call<&Form2::Command8_Click>},
    {"menu_platine", "telechargement_historique", "&Téléchargement de l'historique", nullptr,
     "Command3", call<&Form2::Command3_Click>},
    {"menu_platine", "mise_a_l_heure", "&Mise à l'heure", nullptr, "Command17",
     call<&Form2::Command17_Click>},
    {"menu_platine", "lire_badge", "&Lecture badge", nullptr, "lecture_badge",
     call<&Form2::lecture_badge_Click>},
    // "Connexion" reacts to the mouse press on its button (both buttons),
    // not to a click: the window's event filter runs it for the button.
    {"menu_platine", "connexion", "&Connexion", nullptr, nullptr,
     [](Form2 &f) { f.Command10_MouseDown(MouseButton::Left); }},
    {"menu_platine", "platines", QT_TRANSLATE_NOOP("Commands", "&Platines…"), nullptr, nullptr,
     call<&Form2::platines_Click>, true},
    // Menu "Passages"
    {"menu_passages", "journal_des_passages", "&Journal des passages", nullptr, nullptr,
     call<&Form2::journal_des_passages_Click>},
    // Menu "Aide"; the about label runs it on a mouse press (event filter).
    {"menu_aide", "a_propos", "&A propos de ...", nullptr, nullptr, call<&Form2::Label16_Click>},
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
