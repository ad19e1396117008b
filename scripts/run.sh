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
"$appdir/platine" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
echo "platine-sim on $appdir/COM1 — commands: push bp1 | push bp3 | announce clock | present 0123456789 | dump | quit"
if [ -t 0 ]; then
    build/tools/platine-sim --link "$appdir/COM1"
else
    build/tools/platine-sim --link "$appdir/COM1" --auto
fi
