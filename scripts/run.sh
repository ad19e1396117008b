#!/usr/bin/env bash
# Sets up, builds and starts the program on the simulated board. The
# simulator runs in this terminal: type its commands ("push bp1" when the
# program asks to press bp1, "push bp3", "announce clock", "present
# 0123456789", "help", "quit").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
appdir="$PWD/build/src"
# The simulator is port COM1; a first start selects it.
if [ ! -e "$appdir/param.ini" ]; then
    printf '[COM]\r\nvaleur=COM1\r\n[temporisation]\r\nvaleur=10\r\n' > "$appdir/param.ini"
fi
# Without a display (a server, a container), the window opens on a virtual
# one; look at it with: DISPLAY=:99 import -window root shot.png
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    Xvfb :99 -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=:99
    echo "no display: the window opens on the virtual display :99"
    sleep 1
fi
"$appdir/platine" &
app=$!
echo "sample list to open (\"Ouvrir une liste enregistrée\"): $PWD/examples/liste-exemple.txt"
trap 'kill $app ${xvfb:-} 2>/dev/null || true' EXIT
echo "platine-sim on $appdir/COM1 — commands: push bp1 | push bp3 | announce clock | present 0123456789 | dump | quit"
# Closing the window stops the simulator too.
(while kill -0 $app 2>/dev/null; do sleep 1; done; pkill -f "platine-sim --link $appdir/COM1" || true) &
if [ -t 0 ]; then
    build/tools/platine-sim --link "$appdir/COM1" --strict
else
    build/tools/platine-sim --link "$appdir/COM1" --strict --auto
fi
