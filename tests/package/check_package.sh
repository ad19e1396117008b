#!/usr/bin/env bash
# Checks the Debian package: Debian's own checker (lintian, pedantic, with
# the notes) and the AppStream validator must find no error nor warning; its
# files, its dependencies, the operator's guide (check_guide.sh), and the
# unpacked program started from a read-only folder under Xvfb, where
# "Quitter" must write param.ini in the user's configuration folder.
#   tests/package/check_package.sh dist/platine_VERSION_ARCH.deb
# Every missing tool or failed step fails the run.
set -euo pipefail
DEB=$(realpath "$1")
fail() {
    echo "package: FAIL $*" >&2
    exit 1
}
for tool in dpkg-deb Xvfb xdotool setpriv lintian appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool missing (scripts/setup.sh installs it)"
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/platine-package.XXXXXX")
XVFB_PID="" PROG_PID=""
trap 'kill $PROG_PID $XVFB_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

# Errors (E:) and warnings (W:) fail; notes (I:), pedantic tags (P:) and
# experimental ones (X:) are shown, and fail when they are about hardening. Lintian's own failure fails too.
lintian --pedantic -I --fail-on none "$DEB" >"$WORK/lintian.log" 2>&1 ||
    fail "lintian did not run: $(cat "$WORK/lintian.log")"
lintian_out=$(grep -v '^running with root privileges is not recommended!$' "$WORK/lintian.log" || true)
[ -z "$lintian_out" ] || printf '%s\n' "$lintian_out" | sed 's/^/lintian: /'
grep -q '^[EW]: ' <<<"$lintian_out" && fail "lintian found errors or warnings"
# The hardening notes too: the release build must keep Debian's flags.
grep -q ' hardening-\| binary-has-unneeded-section' <<<"$lintian_out" &&
    fail "lintian found the binaries built without hardening or not stripped"
echo "package: PASS lintian --pedantic -I"

contents=$(dpkg-deb -c "$DEB")
for f in usr/bin/platine usr/bin/platine-sim usr/share/applications/platine.desktop \
    usr/share/icons/hicolor/scalable/apps/platine.svg usr/share/doc/platine/README.md \
    usr/share/doc/platine/README.en.md \
    usr/share/doc/platine/examples/liste-exemple.txt usr/share/doc/platine/copyright \
    usr/share/doc/platine/changelog.gz usr/share/man/man1/platine.1.gz \
    usr/share/man/man1/platine-sim.1.gz usr/share/man/fr/man1/platine.1.gz \
    usr/share/man/fr/man1/platine-sim.1.gz usr/share/metainfo/org.example.platine.metainfo.xml; do
    grep -q " \./$f\$" <<<"$contents" || fail "$f not in the package"
done
depends=$(dpkg-deb -f "$DEB" Depends)
for d in libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "$d not among the dependencies: $depends"
done
echo "package: PASS contents and dependencies"

chmod 755 "$WORK"
dpkg-deb -x "$DEB" "$WORK/root"
grep -qx 'Categories=Utility;' "$WORK/root/usr/share/applications/platine.desktop" ||
    fail "the desktop entry is not in Utility"
# The validator without the network (it does not fetch the screenshot);
# strict: a warning or a note fails as an error does.
appstream_out=$(appstreamcli validate --no-net --strict --pedantic \
    "$WORK/root/usr/share/metainfo/org.example.platine.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $appstream_out"
echo "package: PASS appstreamcli validate --no-net"
# The operator's guide: every picture and page it names is in the package,
# and it holds no build instructions.
"$(dirname "$0")/check_guide.sh" "$WORK/root/usr/share/doc/platine" || fail "the installed guide"
# Every option and command the simulator's usage names heads an entry of its
# manual pages (English and French): the first words of each line that
# follows a ".TP", without the fonts and the quotes.
sim_words=$("$WORK/root/usr/bin/platine-sim" --help | awk '
    /^Options:/ { mode = "o"; next }
    /^Commands/ { mode = "c"; next }
    mode == "o" && /^  -/ { print $1 }
    mode == "c" && /^  [a-z]/ {
        sub(/^  /, ""); sub(/  .*/, "")
        n = split($0, forms, / [|] /)
        for (i = 1; i <= n; i++) {
            split(forms[i], w, " "); words = ""
            for (j = 1; j in w && w[j] !~ /[A-Z|(\\]/; j++) words = words (words ? " " : "") w[j]
            print words
        }
    }')
[ "$(wc -l <<<"$sim_words")" -ge 25 ] || fail "platine-sim --help names too few options: $sim_words"
for page in man/man1/platine-sim.1.gz man/fr/man1/platine-sim.1.gz; do
    headings=$(zcat "$WORK/root/usr/share/$page" | awk 'tp { print; tp = 0 } /^\.TP/ { tp = 1 }' |
        sed 's/^\.[A-Z]* *//; s/\\f[BIRP]//g; s/\\-/-/g; s/"//g')
    while IFS= read -r word; do
        grep -q -- "^$word\( \|,\|\$\)" <<<"$headings" || fail "\"$word\" has no entry in $page"
    done <<<"$sim_words"
done
echo "package: PASS manual pages"
chmod -R a-w "$WORK/root"
mkdir -p "$WORK/home"
# Root writes into any folder: the program runs as another user, for whom
# its folder is read-only as it is for a user of an installed program.
run_as=()
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$WORK/home"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

Xvfb -displayfd 6 -screen 0 1024x768x24 -nolisten tcp 6>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.2; done
[ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(head -n 1 "$WORK/display")"

"${run_as[@]}" env -u WAYLAND_DISPLAY HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" \
    XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/home" QT_QPA_PLATFORM=xcb \
    "$WORK/root/usr/bin/platine" >"$WORK/program.log" 2>&1 &
PROG_PID=$!
WID=""
for _ in $(seq 150); do
    WID=$(xdotool search --onlyvisible --name "^Contrôle d'accès horodaté  -" 2>/dev/null | head -n 1) || true
    [ -n "$WID" ] && break
    kill -0 $PROG_PID 2>/dev/null || fail "the program ended at start: $(cat "$WORK/program.log")"
    sleep 0.2
done
[ -n "$WID" ] || fail "the window did not appear: $(cat "$WORK/program.log")"
echo "package: PASS the unpacked program's window opened"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$WID" | sed 's/^/WIN_/')"
# "Quitter", the last of the command buttons (as in tests/e2e/e2e.sh).
xdotool mousemove --sync $((WIN_X + 648)) $((WIN_Y + 603)) click 1
for _ in $(seq 50); do kill -0 $PROG_PID 2>/dev/null || break; sleep 0.2; done
kill -0 $PROG_PID 2>/dev/null && fail "\"Quitter\" did not end the program"
PROG_PID=""
[ -f "$WORK/home/.config/platine/param.ini" ] ||
    fail "no param.ini in the configuration folder: $(find "$WORK/home" | tr '\n' ' ')"
grep -q '^\[COM\]' "$WORK/home/.config/platine/param.ini" || fail "param.ini has no port"
[ -d "$WORK/home/.local/share/platine" ] || fail "the data folder was not made"
[ ! -e "$WORK/root/usr/bin/param.ini" ] || fail "param.ini written beside the program"
echo "package: PASS \"Quitter\" wrote param.ini in the configuration folder"
