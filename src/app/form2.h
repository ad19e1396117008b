#pragma once
// The program's one window. Its behaviour is a set of handlers named after
// control and event, all of them in src/app, one source file for each group
// below (thin: they read the controls, call, show the outcome); the board
// operations themselves are functions of an exchange (src/board/operations.h).

#include "app/open_list.h"
#include "core/badges/list_table.h"
#include "core/badges/listfile.h"
#include "core/badges/tables.h"
#include "core/badges/validity.h"
#include "core/boards/boards.h"
#include "platform/file_lock.h"
#include "platform/language.h"
#include "platform/platform.h"
#include "serial/line.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platine {

struct Form2Ui;
struct BulkChange;
class BadgeTableWindow;
class BoardsWindow;
class JournalWindow;
class Exchange;
class OperationsRecorder;

enum class MouseButton { Left, Right, Middle };

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Platform platform, QWidget *parent = nullptr);
    ~Form2() override;

    // --- Handlers, one per control and event, with the control's caption -------
    // Application window and settings (src/app/startup.cpp; the about label
    // and prompt in src/app/activity.cpp)
    void Form_Load();
    void Combo1_Click();       // "Port COM"
    void Combo1_DropDown();    // the port list drops down: present devices listed again
    void tempo_gache_Change(); // strike delay
    void Command6_Click();     // "Quitter"
    void Label7_Click();       // the about label
    void Label16_Click();      // "A propos de ..."
    // "Langue" > "Français" / "English": kept in the program's own settings,
    // the window shown in it from the next start (src/app/activity.cpp).
    void langue_Click(Language language);

    // Serial link and panes (src/app/connection.cpp, src/app/panes.cpp; the
    // line itself in src/serial/line.h)
    void Command10_MouseDown(MouseButton button); // "Connexion"
    void MSComm1_OnComm();                        // the port's receive notification
    void Timer2_Timer();                          // the receive step
    void Text1_Click();                           // console pane
    void Text1_DblClick();
    void Text2_DblClick(); // receive pane
    void Text2_MouseDown(MouseButton button);

    // Badge list: its files (src/app/list_files.cpp), the record editor and
    // the searches (src/app/editor.cpp); the list's formats in the core
    void Command1_Click();   // "Ouvrir une liste enregistrée"
    void Command4_Click();   // "Nouvelle liste"
    void Command2_Click();   // "Enregistrer une liste sous"
    void Command5_Click();   // "Ajouter Modifier  badge"
    void Command7_Click();   // "Enregistrer"
    void Command11_Click();  // "Badge suivant"
    void Command14_Click();  // "Badge précédent"
    void Command13_Click();  // "Nouveau"
    void Command12_Click();  // "Sortir du mode"
    void Choix_24_Click();   // "24h/24"
    void choix_lieu_Click(); // "Tous les lieux autorisés"
    void Label2_Change();    // the badge read caption
    void Command21_Click();  // "Rechercher badge"
    void Command22_Click();  // "Rechercher nom"
    void Command23_Click();  // "Supprimer" (src/app/badge_table.cpp)
    // The list at a glance (src/app/badge_table.cpp)
    void tableau_des_badges_Click(); // "Tableau des badges" (menu "Liste")

    // Board operations (src/app/board_commands.cpp): each runs an operation of
    // src/board/operations.h in one Exchange (src/serial/exchange.h)
    void Command8_Click();                        // "Envoi programmation"
    void Command3_Click();                        // "Téléchargement de l'historique"
    // The passages waiting for the journal (a download it could not take), added at start.
    void addWaitingPassages();
    void Command17_Click();                       // "Mise à l'heure"
    void Command19_Click();                       // "Heure PC"
    void lecture_badge_Click();                   // "Lecture badge"
    void Command15_Click();                       // "eeprom"
    void Command16_Click();                       // "raz offset telech"
    void Command18_Click();                       // "Vidage flash"
    void Command20_MouseDown(MouseButton button); // "Raz eeprom externe"
    void Command9_Click();                        // "Ascii"
    // "Récupérer tout l'historique" (menu "Passages"): the board's download
    // offset back to the start ("raz_offset"), then the download; the
    // journal takes only the passages it lacks.
    void recuperer_historique_Click();
    // At start: a board whose clock was set before a change of daylight-saving
    // time is named in the status strip, to be set again.
    void remindClockSettings();
    // The boards by name (src/app/boards.cpp)
    void platines_Click(); // "Platines…" (menu "Platine")

    // Menu "Passages" (src/app/journal.cpp)
    void journal_des_passages_Click(); // "Journal des passages": opens its window beside this one

signals:
    // The journal of passages took new passages (a download): open journal
    // windows read it again.
    void journalChanged();
    // The journal of operations took a row: open journal windows read it again.
    void operationsChanged();

public:
    // --- Routines of the window shared by the handlers --------------------------
    // The progress step: shows the transfer counter against `total`, counts
    // one more, and leaves the pace between two data bytes.
    void anime(std::int16_t total);
    // Reads the open list into the record tables; tells the operator what
    // the read found wrong.
    void mise_en_tableau();
    void mise_a_jour_tableaux(std::int16_t slot);
    void mise_a_jour_affichage(std::int16_t slot);
    // Sets Label2's caption and runs Label2_Change, also when the caption stays.
    void setLabel2(const QString &caption);

    // --- What the window shows and holds, read-only -----------------------------
    const OpenList &liste() const { return m_liste; }
    QString text1() const;
    QString text2() const;
    int commPort() const { return m_line->chosen().number; } // 0: a device of the list
    const PortId &chosenPort() const { return m_line->chosen(); }
    // The chosen port's board as the operator and the journals name it: the
    // name given in "Platines…", or the port as the port list shows it.
    QString boardLabel() const;
    // What the chosen board holds against the open list, as the window's
    // line says it; nothing when no list is open.
    std::optional<boards::BoardDiff> boardDiff() const;
    bool indicatorConnected() const { return m_line->lit(); }
    bool lineBusy() const { return m_line->busy(); }
    // The serial line to the board, on which every board operation runs.
    Line &line() { return *m_line; }
    const std::array<std::int16_t, 8> &octets_horaire() const { return m_octets_horaire; }
    QString settingsPath() const;
    // The program's own settings beside it ("platine.ini", platform/own_settings.h).
    QString ownSettingsPath() const;
    // The program's own settings file of a window on `platform`.
    static QString ownSettingsPathOf(const Platform &platform);
    // The folder of "param.ini", as the about prompt names it.
    QString settingsDir() const;
    // Where the settings and the files are kept, in words (the about prompt).
    QString foldersInUse() const;

    // How "Quitter" ends the program; by default it quits the application.
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }

signals:
    // The open list changed: another list was opened or made, or records of
    // it were saved, taken off or changed.
    void listChanged();

public:
    // Opens the window inside the screen, at the size and place it had when
    // the program last ended (platform/window_place.h).
    void placeOnScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Tab and Shift+Tab skip the controls the window does not show: those
    // below the page's edge, the console pane under the record editor.
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *event) override;
    // Closing the window ends the program: a waiting operation ends with it.
    void closeEvent(QCloseEvent *event) override;

private:
    class OperationWindow; // what a board operation shows while it runs
    void connectHandlers();
    // True when the window shows `w`: no other control covers its middle
    // and it lies inside the page of controls.
    bool showsControl(QWidget *w) const;
    // Shows the connection indicator lit or out.
    void showIndicator(bool lit);
    // Checks the item of "Langue" that names the language chosen.
    void showLanguageChoice();
    // Shows the transfer counter and turns the spinner.
    void showStep(int count, int total);
    // Adds the device `name` to the port list, marked absent, and returns its position.
    int addAbsentDevice(const QString &name);
    // The device chosen in the port list opened: its item is no longer marked absent.
    void markChosenDevicePresent();
    // What the port list shows and "Quitter" stores: the chosen device's
    // name without its mark, or the text typed in the list's field.
    QString chosenPortName() const;

    void setText1(const QString &text);
    void appendText1(const QString &text);
    void setText2(const QString &text);

    // --- The open list (src/app/list_files.cpp, src/app/editor.cpp) -------------------
    // Reads the open list into the tables as mise_en_tableau does, without
    // telling the operator: the caller decides what to show. An unreadable
    // file changes nothing. The report is also kept as the last read.
    ListReadReport reloadList();
    // True when a list is open; otherwise the operator is told to open one first.
    bool requireOpenList();
    // The record as the editor's fields show it, values as the file stores
    // them. A field holding a character the list cannot keep is named in
    // `unheld` (with that character) and keeps '?' in its place.
    RecordFields typedRecord(std::vector<FieldProblem> *unheld = nullptr) const;
    // "Enregistrer": writes the record the fields show into the list and its
    // slot; false (the operator told why) when refused or not written.
    bool saveShownRecord(QWidget *asker = nullptr);
    // Record mode on, slot 0 read afresh from the list.
    void enterRecordMode();
    // What the editor's fields show, and the fields set back to such a state
    // (the boxes without their reactions).
    QStringList editorState() const;
    void showEditorState(const QStringList &state);
    // True when the editor is shown and a field differs from the record as
    // it was read (or as "Nouveau" prepared it).
    bool editsUnsaved() const;
    // Before a command that would drop the editor's unsaved edits: asks
    // whether to save them ("Oui" saves as "Enregistrer" does, "Non" sets the
    // fields back to the record as read, "Annuler" keeps them). True when the
    // command may go on; false after "Annuler" or a refused save. `asker`:
    // the window that asks (null: this one).
    bool settleUnsavedEdits(QWidget *asker = nullptr);
    // Searches `key` among the badge numbers or (`byName`) the names and
    // shows the record found; none: tells the operator in Label14 that
    // nothing matches `key` and keeps the record shown.
    void showSearchResult(const QString &key, bool byName);
    // The file a list command writes, from the save dialog: ".txt" added to a
    // name without extension; an existing file only when the operator agrees
    // to replace it. Empty: nothing to write.
    QString fileToWrite(const QString &title, const QString &preset);
    // Shows `path` as the list in use.
    void showListFile(const QString &path, const QString &caption);
    // Reads a list saved as a table, refusing it row by row, and opens the
    // list file made of it beside it.
    void importTable(const QString &path);
    // Shows the list file `path` and makes it the open list.
    void openListAt(const QString &path);
    // The console pane shows the list's file `content`, which "Enregistrer
    // une liste sous" then saves as the pane holds it.
    void showListInText1(std::string_view content);
    // The holders' names of the open list, as its file stands now (none
    // when no list is open or its file cannot be read).
    NamesByBadge openListNames() const;

    // --- Many records at once (src/app/badge_table.cpp) -------------------------------
    // True when no board operation holds the line; otherwise the status strip
    // says which one does.
    bool lineFree();
    // Takes the records of `sections` off the list, after one question asked
    // over `asker` (null: this window).
    void removeBadges(const std::vector<std::string> &sections, QWidget *asker = nullptr);
    // Sets the fields of `change` on the records of `sections`, after one question.
    void changeSelectedRecords(const std::vector<std::string> &sections, const BulkChange &change,
                               QWidget *asker = nullptr);
    // Record mode on the record of `section`.
    void showRecordOf(const std::string &section);
    // Reads the list again after `before` became `after` in its file: the
    // tables, the count, the editor on the record of `shown` (or the slot
    // `slotBefore` when it is gone), the console pane if it showed the file.
    void rereadAfter(const std::string &before, const std::string &after, const std::string &shown,
                     int slotBefore);
    // The table of badges shows the list as its file holds it now.
    void showListTable();

    // Runs the history download in the exchange `x`, shows its outcome and
    // writes its row; the newest passage of a log that came whole.
    std::optional<long long> downloadInto(Exchange &x, std::string_view operation,
                                          const QString &detail = QString());
    // The newest passage of a download, in minutes (core/board/operations_journal.h,
    // minutesOf), dated more than a few minutes after the PC's clock: the
    // operator is told the board's clock seems ahead and may set it at once.
    void proposeClockIfAhead(long long newestPassage);
    // The clock of the chosen board was just set: kept with the UTC offset
    // of the moment, for remindClockSettings.
    void keepClockSetting();

    // The journal of operations: every handler that changes the list or
    // speaks to a board hands it its row (platform/operations_recorder.h).
    OperationsRecorder &operations();
    std::unique_ptr<OperationsRecorder> m_operations;
    // --- The boards and what each holds (src/app/boards.cpp) --------------------------
    // The boards' names read again from their file.
    void loadBoards();
    // The window's title and its line on the chosen board, after a change of
    // port, of list or of what the board holds.
    void showBoardState();
    // The day of today, from the platform's clock.
    Date today() const;
    // What the board of `port` last received; nothing: never sent (or its
    // record unreadable).
    std::optional<boards::Sent> sentTo(const QString &port) const;
    // Keeps what the board of `port` received; false and the operator told
    // when it could not be written.
    bool recordSent(const QString &port, const boards::Sent &sent);
    // After an upload: the list as sent recorded, or the board's content
    // marked unknown when the upload began and did not end.
    void recordUpload(const QString &port, bool sent, bool boardTouched, const std::string &list);
    // The records of `list` an upload leaves out on `day` (their sections,
    // each name once), and in `note` the operator's words naming them.
    std::vector<std::string> notValidOn(const std::string &list, const Date &day,
                                        QString *note) const;
    // The boards (their labels) that received this list and still hold a
    // badge the list removed or that is out of its dates.
    std::vector<QString> boardsWithRemovals() const;
    // At start: badges out of their dates since a board last received them,
    // which that board still lets in, told in the status strip.
    void tellExpiredOnBoards();

    // The file path of a program-directory file, as the file functions take it.
    std::string programFile(const QString &name) const;

    Platform m_platform;
    std::unique_ptr<Form2Ui> m_ui; // every control of the window
    std::unique_ptr<Line> m_line;
    std::function<void()> m_endProgram;
    // The files folder's lock, held from the start to the end: a second copy
    // started on the same folder finds it taken.
    std::unique_ptr<FileLock> m_folderLock;

    OpenList m_liste;
    QPointer<BadgeTableWindow> m_tableau; // "Tableau des badges", while open
    QPointer<JournalWindow> m_journal;    // "Journal des passages", while open
    QPointer<BoardsWindow> m_platines;    // "Platines…", while open
    std::vector<boards::Board> m_boards;  // the boards' names
    // The last comparison of the list with a board and what it was made of:
    // the window's line and the table's column ask for it in turn.
    struct DiffCache {
        std::string list, listFile;
        std::optional<boards::Sent> sent;
        Date day;
        boards::BoardDiff diff;
    };
    mutable std::optional<DiffCache> m_diffCache;
    std::array<std::int16_t, 8> m_octets_horaire{};
    // Text1 shows the open list, as opened or as the operator edited it there.
    bool m_text1ShowsList = false;
    // The editor's fields as the record shown was read (editorState); empty
    // until a record is shown.
    QStringList m_recordAsRead;
};

} // namespace platine
