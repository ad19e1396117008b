#!/usr/bin/env bash
# The pictures of the operator's guide (README.md, README.en.md), taken from
# the real program in a virtual X display (Xvfb) with the French desktop's
# fonts and locale:
#   - the main window at each step of an operation, from the end-to-end run
#     against platine-sim (tests/e2e/e2e.sh takes them);
#   - "Tableau des badges" and the two tabs of "Journal des passages", on a
#     list and a journal of passages made here.
#
#   scripts/screenshots.sh [OUTPUT_DIR]      (default docs/screenshots)
#
# BUILD names the build folder (default build/); the program and the
# simulator are built there when missing. Needs Xvfb, xdotool, ImageMagick
# (import, convert) and the locale fr_FR.UTF-8, as the end-to-end run does.
# The list of ports with its adapters (09-liste-des-ports.png) needs devices
# the virtual display lacks: it is not taken again here.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${BUILD:-build}
OUT=$(realpath -m "${1:-docs/screenshots}")
PROGRAM=$ROOT/$BUILD/src/platine
SIM=$ROOT/$BUILD/tools/platine-sim

fail() {
    echo "screenshots: FAIL $*" >&2
    exit 1
}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool missing (scripts/setup.sh installs Xvfb and xdotool; ImageMagick gives import and convert)"
done
if [ ! -x "$PROGRAM" ] || [ ! -x "$SIM" ]; then
    nice cmake --build "$BUILD" --target platine platine-sim
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/platine-shots.XXXXXX")
XVFB_PID="" PROG_PID=""
cleanup() {
    for pid in $PROG_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$OUT" "$WORK/shots"

# A picture as the guide keeps it: 256 colours without dithering (a window's
# flat colours and text lose nothing to the eye, the file a fifth of its
# size), no time stamps nor comments, the best compression (optipng squeezes
# further when it is there).
keep() { # SOURCE NAME
    convert "$1" -strip +dither -colors 256 -define png:compression-level=9 \
        -define png:exclude-chunks=date,time "PNG8:$OUT/$2"
    if command -v optipng >/dev/null; then optipng -quiet -o5 "$OUT/$2"; fi
    echo "screenshots: $OUT/$2"
}

# --- 1. The main window, operation by operation ------------------------------------
LC_ALL=fr_FR.UTF-8 tests/e2e/e2e.sh "$PROGRAM" "$SIM" "$WORK/e2e" >"$WORK/e2e.log" 2>&1 ||
    fail "the end-to-end run failed: $(tail -n 20 "$WORK/e2e.log")"
for name in 01-fenetre-principale 03-editeur 04-envoi-termine 05-historique 08-badge-lu; do
    [ -s "$WORK/e2e/$name.png" ] || fail "the end-to-end run took no $name.png"
    keep "$WORK/e2e/$name.png" "$name.png"
done

# --- 2. The table of badges and the journal of passages ----------------------------
Xvfb -displayfd 6 -screen 0 1280x1024x24 -nolisten tcp 6>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.2; done
[ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(head -n 1 "$WORK/display")"
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

PROG_DIR="$WORK/programme"
mkdir -p "$PROG_DIR"
cp "$PROGRAM" "$PROG_DIR/platine"
printf '[COM]\r\nvaleur=COM1\r\n[temporisation]\r\nvaleur=10\r\n' >"$PROG_DIR/param.ini"

# A list of eight holders, as "Enregistrer" writes it (Windows-1252, CR LF).
LIST="$WORK/listes/atelier.txt"
mkdir -p "$WORK/listes"
. "$ROOT/tests/e2e/list_record.sh"
WEEK='Lundi \xe0 Vendredi'
{
    printf 'Liste cr\xe9e le  : 01/12/2026\r\nHeure courante : 09:12:40\r\nNom du fichier : atelier.txt\r\n\r\n\r\n'
    record 0000000101 'Zo\xe9 Martin' 07 30 18 00 non "$WEEK" 7 1 non 0
    record 0000000102 'Hugo Bernard' 07 30 18 00 non "$WEEK" 7 1 non 0
    record 0000000103 'L\xe9a Petit' 06 00 14 00 non "$WEEK" 7 2 non 0
    record 0000000104 'Nathan Robert' 14 00 22 00 non "$WEEK" 7 2 non 0
    record 0000000105 'In\xe8s Richard' 99 99 99 99 oui 'Tous les jours' 9 99 oui 0
    record 0A1B2C3D4E 'Gardiennage' 20 00 24 00 non 'Week end' 8 99 oui 0
    record 12AB34CD56 'Entreprise Durand' 08 00 12 00 non 'Mercredi' 2 3 non 0
    record 0123456789 'Jules Moreau' 25 00 17 30 non "$WEEK" 7 1 non 0
} >"$LIST"

# A journal of a working week, as the downloads write it (UTF-8 with its
# byte-order mark, ";" between fields, CR LF).
{
    printf '\xef\xbb\xbfdate;heure;badge;nom;lieu;t\xc3\xa9l\xc3\xa9chargement\r\n'
    for day in 01 02 03 04; do
        printf '2026-12-%s;07:52;0000000101;Zoé Martin;1;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;08:05;0000000102;Hugo Bernard;1;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;05:58;0000000103;Léa Petit;2;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;12:31;0000000101;Zoé Martin;1;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;13:02;0000000101;Zoé Martin;1;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;14:01;0000000103;Léa Petit;2;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;13:55;0000000104;Nathan Robert;2;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;17:12;0000000102;Hugo Bernard;1;2026-12-%s 18:30\r\n' "$day" "$day"
        printf '2026-12-%s;17:41;0000000101;Zoé Martin;1;2026-12-%s 18:30\r\n' "$day" "$day"
    done
    printf '2026-12-02;09:14;12AB34CD56;Entreprise Durand;3;2026-12-02 18:30\r\n'
    printf '2026-12-03;10:20;0000000105;Inès Richard;4;2026-12-03 18:30\r\n'
    printf '2026-12-03;21:47;0000000104;Nathan Robert;2;2026-12-03 18:30\r\n'
    printf '2026-12-04;10:02;00000009AF;;1;2026-12-04 18:30\r\n'
} >"$PROG_DIR/journal des passages.csv"

(cd "$WORK" && QT_QPA_PLATFORM=xcb LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 exec "$PROG_DIR/platine" >"$WORK/program.log" 2>&1) &
PROG_PID=$!

# find_window TITLE: the id of the visible window whose title starts so.
find_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.2
    done
    return 1
}
# click_in WINDOW X Y: a click at that place of the window, which also gives
# it the keyboard (there is no window manager).
click_in() {
    eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/G_/')"
    xdotool mousemove --sync $((G_X + $2)) $((G_Y + $3)) click 1
    sleep 0.5
}
# point_at WINDOW: the pointer over its top, for the keys typed in a dialog.
point_at() {
    eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/G_/')"
    xdotool mousemove --sync $((G_X + G_WIDTH / 2)) $((G_Y + 8))
    sleep 0.3
}
snap() { # WINDOW NAME
    sleep 1
    import -window "$1" "$WORK/shots/$2.png"
    keep "$WORK/shots/$2.png" "$2.png"
}

MAIN=$(find_window "^Contrôle d'accès horodaté  -") || fail "the window did not appear: $(cat "$WORK/program.log")"
sleep 1
# A click in the console pane (it only shows the caret's place).
in_main() { click_in "$MAIN" 200 330; }
in_main
# "Ouvrir une liste enregistrée" (Ctrl+O), the file name typed in its dialog.
xdotool key --clearmodifiers ctrl+o
DIALOG=$(find_window "^Ouvrir une liste enregistr") || fail "no dialog to open the list"
point_at "$DIALOG"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 5 "$LIST"
xdotool key --clearmodifiers Return
sleep 1

# "Liste" > "Tableau des badges".
in_main
xdotool key --clearmodifiers alt+l
sleep 0.5
xdotool key --clearmodifiers t
TABLE=$(find_window "^Tableau des badges") || fail "the table of badges did not open"
snap "$TABLE" 10-tableau-des-badges
# Out of the way of the main window (no window manager places them).
xdotool windowmove "$TABLE" 1280 0

# "Passages" > "Journal des passages", its tab "Passages" then "Présences".
in_main
xdotool key --clearmodifiers alt+s
sleep 0.5
xdotool key --clearmodifiers j
JOURNAL=$(find_window "^Journal des passages") || fail "the journal window did not open"
snap "$JOURNAL" 11-journal-passages
# The tab "Présences", second of the tab bar under the search field.
click_in "$JOURNAL" 133 53
snap "$JOURNAL" 12-journal-presences
echo "screenshots: done"
