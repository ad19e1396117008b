#pragma once
// The program's one window. Its behaviour is a set of handlers named after
// control and event; each is defined in the source file of the subsystem
// that owns it (src/app, src/serial, src/badges, src/board).

#include "app/status_label.h"
#include "badges/listfile.h"
#include "badges/tables.h"
#include "platform/platform.h"

#include <QString>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

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

enum class MouseButton { Left, Right, Middle };

// How a wait for the board ended.
enum class WaitEnd { Matched, TimedOut, PortClosed };

// The gap left after each data byte sent to the board: one tick of a
// time-of-day clock, the pace the board has always been fed at. Its
// tolerance for a faster pace is unknown.
inline constexpr Millis kBytePace{16};
// The shortest gap ever left between two data bytes.
inline constexpr Millis kMinByteGap{1};

// Button-face and "connected" colours of the connection indicator.
inline constexpr std::uint32_t kConnectedRgb = 0xC0FFC0; // pale green 192, 255, 192

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Platform platform, QWidget *parent = nullptr);
    ~Form2() override;

    const Form2Ui &ui() const { return m_ui; }
    Platform &platform() { return m_platform; }

    // --- Window-level variables -------------------------------------------------
    BadgeTables tables;
    QString fichier_liste; // the current list file; empty: no list open
    QString fichier_ini;   // the file of the next profile read or write
    QString titre_liste;   // file name of the list last opened
    QString nb_enregistrements_texte;
    std::int16_t index_courant = 0;
    std::int16_t valeur_hex = 0;
    std::int16_t compteur = 0; // transfer counter shown by anime
    std::array<std::int16_t, 8> octets_horaire{};

    // --- Application window and settings (src/app) -----------------------------
    void Form_Load();
    void Combo1_Click();
    void tempo_gache_Change();
    void Command6_Click();
    void anime(std::int16_t total);
    void Label7_Click();
    void Label16_Click();
    QString settingsPath() const;
    // Ends the program (the quit button); the default quits the application.
    std::function<void()> endProgram;

    // --- Serial link (src/serial) ----------------------------------------------
    void Command10_MouseDown(MouseButton button);
    void MSComm1_OnComm();
    void Timer2_Timer();
    void Text1_Click();
    void Text1_DblClick();
    void Text2_DblClick();
    void Text2_MouseDown(MouseButton button);

    int commPort() const { return m_commPort; }
    // Opens the port when closed. On failure the operator is told in Label14
    // which port failed and why, and false is returned.
    bool ouvrir_port();
    // Writes the bytes as one write; a closed port is reported and nothing is sent.
    bool envoyer(const QByteArray &bytes);
    bool envoyer(const QString &text);
    void setIndicatorConnected(bool connected);
    bool indicatorConnected() const;
    // The reply wait: until `match` accepts the receive pane, the limit passes
    // (none: no limit), or the port is closed or lost or the program ends.
    WaitEnd attendre(const std::function<bool(const QString &)> &match,
                     std::optional<Millis> limit);
    // The start of the receive pane equals `expected`.
    WaitEnd attendre_debut(const QString &expected, std::optional<Millis> limit);
    // Yielding pause: the window and the receive path go on. False when the
    // port was closed or lost meanwhile.
    bool pause_cedante(Millis d);
    // Blocking pause: the window does not respond, nothing is received into the pane.
    void pause_bloquante(Millis d);
    QString text2() const;
    void setText2(const QString &text);
    QString text1() const;
    void setText1(const QString &text);
    void appendText1(const QString &text);

    // --- Badge list (src/badges) ------------------------------------------------
    void Command1_Click();
    void Command4_Click();
    void Command2_Click();
    void Command7_Click();
    void Command5_Click();
    void Command11_Click();
    void Command14_Click();
    void Command13_Click();
    void Command12_Click();
    void Choix_24_Click();
    void choix_lieu_Click();
    void Label2_Change();
    void Command21_Click();
    void Command22_Click();
    void mise_en_tableau();
    void mise_a_jour_tableaux(std::int16_t slot);
    void mise_a_jour_affichage(std::int16_t slot);
    // Sets Label2's caption; a change runs Label2_Change as the control would.
    void setLabel2(const QString &caption);
    // Reads fichier_liste into the tables as mise_en_tableau does, without
    // telling the operator: the caller decides what to show. An unreadable
    // file changes nothing. The report is also kept in derniere_lecture.
    ListReadReport lire_liste();
    // True when a list is open; otherwise the operator is told to open one first.
    bool liste_ouverte();
    // What the last read found (too many records, duplicates, invalid values).
    ListReadReport derniere_lecture;

    // --- Board operations (src/board) -------------------------------------------
    void Command8_Click();
    void Command3_Click();
    void Command17_Click();
    void Command19_Click();
    void lecture_badge_Click();
    void Command15_Click();
    void Command16_Click();
    void Command18_Click();
    void Command20_MouseDown(MouseButton button);
    void Command9_Click();
    // One board operation at a time: true when the line is free (and takes it);
    // false after telling the operator in Label14.
    bool prendre_ligne(const QString &operation);
    void rendre_ligne();
    bool ligneOccupee() const { return !m_lineOwner.isEmpty(); }

    // The port was lost or closed: every running wait ends at once.
    std::uint64_t portEpoch() const { return m_portEpoch; }
    bool ending() const { return m_ending; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Closing the window ends the program: a waiting operation ends with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void connectHandlers();
    void onPortLost(const QString &why);
    // Appends what waits in the receive buffer to the receive pane.
    void recevoir();
    // Closes the port when open; every running wait ends at once.
    void fermer_port();
    // The port a message about the line names: the one open, or last opened.
    int portEnService() const;

    Platform m_platform;
    Form2Ui m_ui;
    std::unique_ptr<Timer> m_timer2;
    int m_commPort = 1;
    int m_openPort = 0; // the port last opened by the program; 0: none yet
    bool m_indicatorConnected = false;
    std::uint64_t m_portEpoch = 0;
    bool m_ending = false;           // the program is ending: every wait and pause ends at once
    std::optional<Millis> m_paceDue; // when the last byte pause was due to end
    QString m_lineOwner;
};

} // namespace platine
