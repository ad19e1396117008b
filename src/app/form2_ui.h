#pragma once
// Every control of the window, named as the rest of the code knows it; the
// window's own code reaches them through its private Form2Ui.

#include "app/status_label.h"

#include <QString>

#include <array>
#include <cstddef>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QWidget;

namespace platine {

class Pane;

// Every control of the window, kind and name, written once: the struct
// below, the builder's check and the tests' finder are all made from this
// list. Control arrays are flattened: Label1(3) is Label1_3.
#define PLATINE_FORM2_CONTROLS(X)                                                                  \
    X(QMenuBar, MenuBar)                                                                           \
    X(QScrollArea, defilement) /* the page of controls, scrolled on a small screen */             \
    X(QGroupBox, Frame1)                                                                           \
    X(QGroupBox, Frame2)                                                                           \
    X(QGroupBox, Frame3)                                                                           \
    X(QGroupBox, Frame4)                                                                           \
    X(QGroupBox, Frame5)                                                                           \
    X(QGroupBox, Frame6)                                                                           \
    X(Pane, Text1)                                                                                 \
    X(Pane, Text2)                                                                                 \
    X(QLabel, Label16)                                                                             \
    X(QLabel, nom_fichier)                                                                         \
    /* Frame1 "Commandes" */                                                                       \
    X(QPushButton, Command4)                                                                       \
    X(QPushButton, Command1)                                                                       \
    X(QPushButton, Command2)                                                                       \
    X(QPushButton, lecture_badge)                                                                  \
    X(QPushButton, Command5)                                                                       \
    X(QPushButton, Command8)                                                                       \
    X(QPushButton, Command10)                                                                      \
    X(QPushButton, Command3)                                                                       \
    X(QPushButton, Command17)                                                                      \
    X(QPushButton, Command6)                                                                       \
    X(QLabel, Label2)                                                                              \
    /* Frame3 "Parametrage" */                                                                     \
    X(QLabel, gache_0)                                                                             \
    X(QLabel, Label13)                                                                             \
    X(QLabel, Label6)                                                                              \
    X(QLabel, Label5)                                                                              \
    X(QLabel, Label4)                                                                              \
    X(QLineEdit, tempo_gache)                                                                      \
    X(QCheckBox, buzzer)                                                                           \
    X(QComboBox, Combo1)                                                                           \
    X(QLabel, nom_platine)                                                                         \
    X(StatusLabel, etat_platine)                                                                   \
    /* Frame2 "Nouveau badge à mémoriser" */                                                     \
    X(QLineEdit, numero_badge)                                                                     \
    X(QLineEdit, nom)                                                                              \
    X(QLineEdit, heure_debut)                                                                      \
    X(QLineEdit, minute_debut)                                                                     \
    X(QLineEdit, heure_fin)                                                                        \
    X(QLineEdit, minute_fin)                                                                       \
    X(QLineEdit, lieu)                                                                             \
    X(QLineEdit, jour_du_mois)                                                                     \
    X(QLabel, libelle_valide_du)                                                                   \
    X(QLineEdit, valide_du)                                                                        \
    X(QLabel, libelle_valide_jusqu_au)                                                             \
    X(QLineEdit, valide_jusqu_au)                                                                  \
    X(QCheckBox, Choix_24)                                                                         \
    X(QCheckBox, choix_lieu)                                                                       \
    X(QComboBox, Combo2)                                                                           \
    X(QLabel, Label10)                                                                             \
    X(QLabel, nombre_enregistrements)                                                              \
    X(QLabel, Label12)                                                                             \
    X(QLabel, Label11)                                                                             \
    X(QLabel, Label8)                                                                              \
    X(QLabel, Label9)                                                                              \
    X(QPushButton, Command21)                                                                      \
    X(QPushButton, Command22)                                                                      \
    X(QPushButton, Command23)                                                                      \
    X(QPushButton, Command11)                                                                      \
    X(QPushButton, Command14)                                                                      \
    X(QPushButton, Command13)                                                                      \
    X(QPushButton, Command7)                                                                       \
    X(QPushButton, Command12)                                                                      \
    /* Frame4 status strip */                                                                      \
    X(QLabel, defile)                                                                              \
    X(QLabel, Label7)                                                                              \
    X(StatusLabel, Label14)                                                                        \
    /* Frame6 maintenance */                                                                       \
    X(QPushButton, Command15)                                                                      \
    X(QPushButton, Command18)                                                                      \
    X(QPushButton, Command16)                                                                      \
    X(QPushButton, Command9)                                                                       \
    X(QPushButton, Command20)                                                                      \
    /* Frame5 clock entry */                                                                       \
    X(QLineEdit, heure_pc)                                                                         \
    X(QLineEdit, minute_pc)                                                                        \
    X(QLineEdit, jour_pc)                                                                          \
    X(QLineEdit, j_mois)                                                                           \
    X(QPushButton, Command19)

// The control arrays: kind, name and count; element i is named name_i.
#define PLATINE_FORM2_CONTROL_ARRAYS(X)                                                            \
    X(QLabel, Label1, 9)                                                                           \
    X(QFrame, Line1, 5)                                                                            \
    X(QLabel, Label15, 4)

struct Form2Ui {
#define PLATINE_CONTROL_FIELD(kind, name) kind *name = nullptr;
    PLATINE_FORM2_CONTROLS(PLATINE_CONTROL_FIELD)
#undef PLATINE_CONTROL_FIELD
#define PLATINE_CONTROL_ARRAY_FIELD(kind, name, count) std::array<kind *, count> name{};
    PLATINE_FORM2_CONTROL_ARRAYS(PLATINE_CONTROL_ARRAY_FIELD)
#undef PLATINE_CONTROL_ARRAY_FIELD
};

// Calls `f(name, control)` for every control of `u`, `control` being the
// field itself (a reference to the typed pointer), each array element under
// its flattened name (Label1_3). The builder checks its work with it and the
// tests find the controls with it.
template <typename Ui, typename F> void forEachControl(Ui &u, F &&f)
{
#define PLATINE_CONTROL_VISIT(kind, name) f(QStringLiteral(#name), u.name);
    PLATINE_FORM2_CONTROLS(PLATINE_CONTROL_VISIT)
#undef PLATINE_CONTROL_VISIT
#define PLATINE_CONTROL_ARRAY_VISIT(kind, name, count)                                             \
    for (std::size_t i = 0; i < count; ++i)                                                        \
        f(QStringLiteral(#name "_%1").arg(i), u.name[i]);
    PLATINE_FORM2_CONTROL_ARRAYS(PLATINE_CONTROL_ARRAY_VISIT)
#undef PLATINE_CONTROL_ARRAY_VISIT
}

// Builds every control of the window (form2_ui.cpp) onto a page of the
// window's designed size, in a scroll area under the menu bar: the window is
// as much taller as the menu bar is high. The controls are in Tab order,
// with access keys on the buttons.
Form2Ui buildForm2Ui(QWidget *window);

} // namespace platine
