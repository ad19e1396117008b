#pragma once
// Every control of the window, named as the rest of the code knows it; the
// window's own code reaches them through its private Form2Ui.

#include "app/status_label.h"

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platine {

class Pane;

// Every control of the window, named as the rest of the code knows it.
// Control arrays are flattened: Label1(3) is Label1_3.
struct Form2Ui {
    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6;
    Pane *Text1, *Text2;
    QLabel *Label16, *nom_fichier;
    // Frame1 "Commandes"
    QPushButton *Command4, *Command1, *Command2, *lecture_badge, *Command5, *Command8, *Command10,
        *Command3, *Command17, *Command6;
    QLabel *Label2;
    // Frame3 "Parametrage"
    QLabel *gache_0, *Label13, *Label6, *Label5, *Label4;
    QLineEdit *tempo_gache;
    QCheckBox *buzzer;
    QComboBox *Combo1;
    // Frame2 "Nouveau badge à mémoriser"
    std::array<QLabel *, 9> Label1;
    QLineEdit *numero_badge, *nom, *heure_debut, *minute_debut, *heure_fin, *minute_fin, *lieu,
        *jour_du_mois;
    QCheckBox *Choix_24, *choix_lieu;
    QComboBox *Combo2;
    QLabel *Label10, *nombre_enregistrements, *Label12, *Label11, *Label8, *Label9;
    QPushButton *Command21, *Command22, *Command11, *Command14, *Command13, *Command7, *Command12;
    std::array<QFrame *, 5> Line1;
    // Frame4 status strip
    QLabel *defile, *Label7;
    StatusLabel *Label14;
    // Frame6 maintenance
    QPushButton *Command15, *Command18, *Command16, *Command9, *Command20;
    // Frame5 clock entry
    std::array<QLabel *, 4> Label15;
    QLineEdit *heure_pc, *minute_pc, *jour_pc, *j_mois;
    QPushButton *Command19;
};

// Builds every control of the window onto `form` (form2_ui.cpp).
Form2Ui buildForm2Ui(QWidget *form);

} // namespace platine
