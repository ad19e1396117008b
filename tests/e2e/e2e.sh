#!/usr/bin/env bash
# End-to-end run of the real program in a real X window (Xvfb), driven with
# the mouse and the keyboard through xdotool, against platine-sim playing the
# board on a pseudo-terminal linked as "COM1" in the program's directory.
#
#   tests/e2e/e2e.sh PROGRAM SIMULATOR [SCREENSHOT_DIR]
#
# Each step prints "e2e: PASS ..." or "e2e: FAIL ..."; the script exits with
# 0 when every step passed, 1 otherwise, and 77 (skipped) when Xvfb,
# xdotool or the locale fr_FR.UTF-8 is missing -- unless
# PLATINE_E2E_REQUIRED=1 (scripts/test.sh sets it, having installed them and
# generated the locale): then a missing one fails the run. The program runs
# in French, as on the operators' desktops. A
# screenshot of the window is taken at the end of each operation into
# SCREENSHOT_DIR (or $E2E_SCREENSHOTS) when one is given and ImageMagick is
# there; no check depends on a screenshot.
set -u

if [ $# -lt 2 ]; then
    echo "usage: $0 PROGRAM SIMULATOR [SCREENSHOT_DIR]" >&2
    exit 2
fi
PROGRAM=$(realpath "$1")
SIM=$(realpath "$2")
SHOTS=${3:-${E2E_SCREENSHOTS:-}}

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        if [ "${PLATINE_E2E_REQUIRED:-0}" = 1 ]; then
            echo "e2e: FAIL $tool not installed, and the end-to-end run is required here"
            exit 1
        fi
        echo "e2e: SKIPPED: $tool not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done
# The program runs in French, as on the operators' desktops.
if ! locale -a 2>/dev/null | grep -qiE '^fr_FR\.utf-?8$'; then
    if [ "${PLATINE_E2E_REQUIRED:-0}" = 1 ]; then
        echo "e2e: FAIL the locale fr_FR.UTF-8 is not generated, and the end-to-end run is required here"
        exit 1
    fi
    echo "e2e: SKIPPED: the locale fr_FR.UTF-8 is not generated (scripts/setup.sh generates it)"
    exit 77
fi
HAVE_IMPORT=0
command -v import >/dev/null 2>&1 && HAVE_IMPORT=1

WORK=$(mktemp -d "${TMPDIR:-/tmp}/platine-e2e.XXXXXX")
PROG_DIR="$WORK/programme"
mkdir -p "$PROG_DIR" "$WORK/shots"

XVFB_PID="" SIM_PID="" PROG_PID=""
FAILED=0
KEEP=${E2E_KEEP:-0}

cleanup() {
    exec 5>&- 2>/dev/null
    for pid in $PROG_PID $SIM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null
    done
    for pid in $PROG_PID $SIM_PID $XVFB_PID; do
        wait "$pid" 2>/dev/null
    done
    if [ -n "$SHOTS" ] && [ "$HAVE_IMPORT" = 1 ]; then
        mkdir -p "$SHOTS" && cp "$WORK"/shots/*.png "$SHOTS"/ 2>/dev/null
    fi
    if [ "$KEEP" = 1 ] || [ "$FAILED" != 0 ]; then
        echo "e2e: work folder kept: $WORK"
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

pass() { echo "e2e: PASS $*"; }
fail() {
    echo "e2e: FAIL $*"
    FAILED=1
}
# Ends the run at a failed step whose followers depend on it.
fatal() {
    fail "$@"
    echo "--- simulator log (last 30 lines)"
    tail -n 30 "$WORK/sim.log" 2>/dev/null
    echo "--- program log (last 30 lines)"
    tail -n 30 "$WORK/program.log" 2>/dev/null
    screenshot "zz-failure"
    exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND every 0.2 s until it succeeds;
# fails after SECONDS.
wait_until() {
    local polls=$(($1 * 5))
    shift
    while ((polls-- > 0)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# --- X server -----------------------------------------------------------------------

Xvfb -displayfd 6 -screen 0 1024x768x24 -nolisten tcp 6>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
display_ready() { [ -s "$WORK/display" ]; }
wait_until 20 display_ready || fatal "Xvfb did not start (see $WORK/xvfb.log)"
export DISPLAY=":$(head -n 1 "$WORK/display")"
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pass "Xvfb on display $DISPLAY"

screenshot() {
    [ "$HAVE_IMPORT" = 1 ] || return 0
    if [ -n "${WID:-}" ] && xdotool getwindowname "$WID" >/dev/null 2>&1; then
        import -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage \
            "$WORK/shots/$1.png" 2>/dev/null
    else
        import -window root "$WORK/shots/$1.png" 2>/dev/null
    fi
}

# --- The board simulator --------------------------------------------------------------

mkfifo "$WORK/sim.in"
"$SIM" --link "$PROG_DIR/COM1" --strict --quiet-limit 10 --passages 3 <"$WORK/sim.in" >"$WORK/sim.log" 2>&1 &
SIM_PID=$!
exec 5>"$WORK/sim.in"
sim() { printf '%s\n' "$*" >&5; }
in_sim_log() { grep -q -- "$1" "$WORK/sim.log"; }
wait_until 10 in_sim_log "^READY" || fatal "platine-sim did not start"
pass "platine-sim linked as $PROG_DIR/COM1"

# --- The program, in a program folder of its own ---------------------------------------

cp "$PROGRAM" "$PROG_DIR/platine"
printf '[COM]\r\nvaleur=COM1\r\n[temporisation]\r\nvaleur=10\r\n' >"$WORK/param.expected"
cp "$WORK/param.expected" "$PROG_DIR/param.ini"

# Three records, as the program's "Enregistrer" writes them (Windows-1252,
# CR LF): a weekday record, a 24 h/24 record for all places, a weekend one.
LIST="$WORK/listes/liste e2e.txt"
mkdir -p "$WORK/listes"
. "$(dirname "${BASH_SOURCE[0]}")/list_record.sh"
{
    printf 'Liste cr\xe9e le  : 06/12/2026\r\nHeure courante : 10:15:42\r\nNom du fichier : liste e2e.txt\r\n\r\n\r\n'
    record 0000000001 'Valmire' 07 30 17 30 non 'Lundi \xe0 Vendredi' 7 1 non 0
    record 12AB34CD56 'H\xe9l\xe8ne Durand' 99 99 99 99 oui 'Tous les jours' 9 99 oui 0
    record 0123456789 'No\xebl' 08 05 12 45 non 'Week end' 8 12 non 15
} >"$LIST"
# The list once the record editor has added a badge read at the antenna:
# "Nouveau" fills in its defaults, the operator types the name.
NEW_BADGE=0A1B2C3D4E
{
    cat "$LIST"
    record "$NEW_BADGE" 'Nouveau badge' 07 30 17 30 non 'Lundi \xe0 Vendredi' 7 1 non 0
} >"$WORK/list.expected"
# What the board must hold after the upload, slot by slot.
cat >"$WORK/slots.expected" <<EOF
SLOT 0 badge=0000000001 debut=07:30 fin=17:30 jour=7 lieu=1 jour_mois=0
SLOT 1 badge=12AB34CD56 debut=99:99 fin=99:99 jour=9 lieu=99 jour_mois=0
SLOT 2 badge=0123456789 debut=08:05 fin=12:45 jour=8 lieu=12 jour_mois=15
SLOT 3 badge=$NEW_BADGE debut=07:30 fin=17:30 jour=7 lieu=1 jour_mois=0
EOF

(cd "$WORK" && QT_QPA_PLATFORM=xcb LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 exec "$PROG_DIR/platine" >"$WORK/program.log" 2>&1) &
PROG_PID=$!

main_window() { WID=$(xdotool search --onlyvisible --name "^Contrôle d'accès horodaté  -" 2>/dev/null | head -n 1); [ -n "$WID" ]; }
wait_until 30 main_window || fatal "the window did not appear"
eval "$(xdotool getwindowgeometry --shell "$WID" | sed 's/^/WIN_/')"
WIN_W=$WIN_WIDTH WIN_H=$WIN_HEIGHT
sleep 0.5
screenshot "01-fenetre-principale"
pass "window $WID at ${WIN_X},${WIN_Y} size ${WIN_W}x${WIN_H}"

# --- Controls ------------------------------------------------------------------------------
# The command buttons are stacked in the frame "Commandes" (572, 22): 91 x 53
# pixels from y = 42 in steps of 57, centred in the frame's 153 pixels.
declare -A BUTTON_ROW=(
    [Command4]=0 [Command1]=1 [Command2]=2 [lecture_badge]=3 [Command5]=4
    [Command8]=5 [Command10]=6 [Command3]=7 [Command17]=8 [Command6]=9
)
# The menu bar sits above the controls: the window is that much taller
# than its 643 designed pixels, and every control that much lower.
MENU_H=$((WIN_H - 643))
click_at() { xdotool mousemove --sync "$((WIN_X + $1))" "$((WIN_Y + MENU_H + $2))" click 1; }
click_button() {
    local row=${BUTTON_ROW[$1]}
    click_at $((572 + 31 + 45)) $((22 + 42 + 57 * row + 26))
}

# wait_dialog TITLE: waits for a visible window titled TITLE, other than the
# main window; its id goes to DIALOG.
find_dialog() {
    local w
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        [ "$w" != "$WID" ] && DIALOG=$w && return 0
    done
    return 1
}
dialog_gone() { ! xdotool getwindowname "$DIALOG" >/dev/null 2>&1 || ! find_dialog "$1"; }
# answer_dialog TITLE KEYS...: waits for the dialog, points at it, presses
# the keys, waits until it has gone.
# point_at_dialog TITLE: waits for the dialog and puts the pointer on its
# title bar, so that the keys go to it.
point_at_dialog() {
    wait_until 20 find_dialog "$1" || return 1
    eval "$(xdotool getwindowgeometry --shell "$DIALOG" | sed 's/^/DLG_/')"
    xdotool mousemove --sync $((DLG_X + DLG_WIDTH / 2)) $((DLG_Y + 8))
}
answer_dialog() {
    local title=$1
    shift
    point_at_dialog "$title" || return 1
    sleep 0.3
    xdotool key --clearmodifiers "$@"
    wait_until 20 dialog_gone "$title"
}
# answer_file_dialog TITLE PATH: in the file dialog, whose file name field
# has the focus, selects what the field holds, types the path, presses
# Return. Returns 1 when no dialog came, 2 when it did not close.
answer_file_dialog() {
    point_at_dialog "$1" || return 1
    sleep 0.5
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 5 "$2"
    sleep 0.3
    xdotool key --clearmodifiers Return
    wait_until 10 dialog_gone "$1" || return 2
}

# --- 1. Open a list --------------------------------------------------------------------------
click_button Command1
answered=0
answer_file_dialog "^Ouvrir une liste enregistr" "$LIST" || answered=$?
case $answered in
0)
    sleep 0.5
    screenshot "02-liste-ouverte"
    pass "open a list: dialog answered with $LIST"
    ;;
1) fatal "open a list: no file dialog" ;;
*) fatal "open a list: the file dialog did not close" ;;
esac

# --- 2. The record editor: a new badge, read at the antenna and saved --------------------------
# The editor frame lies at (6, 140); in it "Nouveau" is 100 x 36 at (232, 425),
# "Enregistrer" at (342, 425), "Sortir du mode" at (452, 425), the name field
# 200 x 24 at (300, 28).
editor_at() { click_at $((6 + $1)) $((140 + $2)); }
click_button Command5
sleep 1
editor_at $((232 + 50)) $((425 + 18))
if answer_dialog "^Enregistrement d'un badge$" Return; then
    sim "present $NEW_BADGE"
    wait_until 10 in_sim_log "BADGE PRESENTED $NEW_BADGE" || fatal "record editor: the board did not report the badge"
    sleep 2 # the reading ends once the receive path has the report
    editor_at $((300 + 100)) $((28 + 12))
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "Nouveau badge"
    sleep 0.5
    screenshot "03-editeur"
    editor_at $((342 + 50)) $((425 + 18))
    list_saved() { grep -q "^\[$NEW_BADGE\]" "$LIST"; }
    if wait_until 10 list_saved && sleep 1.5 && cmp -s "$WORK/list.expected" "$LIST"; then
        pass "record editor: badge $NEW_BADGE read at the antenna and saved in the list"
    else
        fail "record editor: the list file is not the list plus the new record"
        diff <(od -c "$WORK/list.expected") <(od -c "$LIST") | tail -n 20
    fi
else
    fatal "record editor: \"Nouveau\" asked for no badge"
fi
editor_at $((452 + 50)) $((425 + 18))
sleep 0.5

# --- 3. Upload ----------------------------------------------------------------------------------------
click_button Command8
if answer_dialog "^Message$" Return; then
    sim "push bp1"
    if wait_until 60 in_sim_log "UPLOAD COMPLETE"; then
        sleep 1
        screenshot "04-envoi-termine"
        grep '^SLOT ' "$WORK/sim.log" >"$WORK/slots.got"
        if cmp -s "$WORK/slots.expected" "$WORK/slots.got"; then
            pass "upload: the board holds the four records of the list"
        else
            fail "upload: the board holds other records"
            diff "$WORK/slots.expected" "$WORK/slots.got"
        fi
        grep -q "UPLOAD COMPLETE blocks=1 slots=4" "$WORK/sim.log" \
            && pass "upload: one block, four slots" \
            || fail "upload: $(grep 'UPLOAD COMPLETE' "$WORK/sim.log")"
    else
        fatal "upload: the board never completed"
    fi
else
    fatal "upload: no message box \"Message\""
fi

# --- 4. History -------------------------------------------------------------------------------------
HISTO="$PROG_DIR/histo.txt"
click_button Command3
if answer_dialog "^Téléchargement de l'historique des passages$" Return; then
    sim "push bp3"
    histo_written() { [ -s "$HISTO" ] && grep -q "Historique" "$HISTO"; }
    if wait_until 30 histo_written; then
        sleep 1
        screenshot "05-historique"
        n=$(grep -c '\*' "$HISTO")
        if [ "$n" = 3 ] && in_sim_log "HISTORY SENT 3 passages"; then
            pass "history: histo.txt holds the 3 passages"
        else
            fail "history: histo.txt holds $n passage lines"
            cat -A "$HISTO"
        fi
        # The simulator's log: badges 0123456789 + 1111 i, one a passage line.
        for badge in 0123456789 0123457900 0123459011; do
            grep -q "$badge .*\*" "$HISTO" || fail "history: passage of badge $badge missing from histo.txt"
        done
    else
        fail "history: histo.txt not written"
    fi
else
    fail "history: no message box"
fi

# --- 5. Clock ---------------------------------------------------------------------------------------
click_button Command17
sleep 0.5
before=$(date +%s)
sim "announce clock"
if wait_until 20 in_sim_log "CLOCK SET"; then
    after=$(date +%s)
    sleep 1.5
    screenshot "06-mise-a-l-heure"
    line=$(grep -m 1 "CLOCK SET" "$WORK/sim.log")
    # CLOCK SET HH:MM:SS DD/MM/YY weekday=N (1 = Sunday)
    read -r _ _ hms dmy wd <<<"$line"
    ok=0
    # The program reads the PC's clock between the click and the board's report.
    for ((t = before - 2; t <= after; t++)); do
        [ "$hms $dmy $wd" = "$(date -d "@$t" '+%H:%M:%S %d/%m/%y') weekday=$(($(date -d "@$t" +%w) + 1))" ] && ok=1
    done
    if [ $ok = 1 ]; then
        pass "clock: the board was set to the PC's time ($hms $dmy $wd)"
    else
        fail "clock: the board was set to $hms $dmy $wd, the PC says $(date '+%H:%M:%S %d/%m/%y')"
    fi
else
    fail "clock: the board's clock was not set"
fi

# --- 6. Badge reading --------------------------------------------------------------------------------
# The number read goes to the console pane; "Enregistrer une liste sous" then
# saves the open list's file, never the reading, as a list.
click_button lecture_badge
if answer_dialog "^Enregistrement d'un badge$" Return; then
    sim "present 0123456789"
    if wait_until 10 in_sim_log "BADGE PRESENTED 0123456789"; then
        sleep 2
        screenshot "08-badge-lu"
        PANE="$WORK/badge-lu.txt"
        click_button Command2
        answered=0
        answer_file_dialog "^Enregistrer une liste sous" "$PANE" || answered=$?
        if [ "$answered" -ne 1 ]; then
            pane_saved() { [ -s "$PANE" ]; }
            if wait_until 10 pane_saved && sleep 0.5 && cmp -s "$LIST" "$PANE"; then
                pass "badge reading: read, and saving as then writes the open list, not the reading"
            else
                fail "badge reading: saving as after it did not write the open list"
                od -c "$PANE" 2>&1 | head
            fi
        else
            fail "badge reading: no save dialog"
        fi
    else
        fail "badge reading: the board did not report the badge"
    fi
else
    fail "badge reading: no message box"
fi

# --- 7. Quit -------------------------------------------------------------------------------------------
rm -f "$PROG_DIR/param.ini"
click_button Command6
program_ended() { ! kill -0 "$PROG_PID" 2>/dev/null; }
if wait_until 10 program_ended; then
    wait "$PROG_PID"
    status=$?
    PROG_PID=""
    [ "$status" = 0 ] && pass "quit: the program ended" || fail "quit: the program ended with status $status"
else
    fail "quit: the program is still running"
fi
if cmp -s "$WORK/param.expected" "$PROG_DIR/param.ini"; then
    pass "quit: param.ini written byte for byte"
else
    fail "quit: param.ini differs"
    od -c "$PROG_DIR/param.ini" 2>&1 | head
fi

if grep -q VIOLATION "$WORK/sim.log"; then
    fail "the simulator saw protocol violations:"
    grep VIOLATION "$WORK/sim.log"
else
    pass "no protocol violation seen by the simulator"
fi
sim quit

if [ "$FAILED" = 0 ]; then
    echo "e2e: ALL PASSED"
    exit 0
fi
echo "e2e: FAILED"
exit 1
