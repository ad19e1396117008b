#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the
# program, then configures and builds it in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    # Qt Linguist's tools (lupdate, lrelease) and their CMake functions: the
    # English texts, translations/platine_en.ts
    qt6-l10n-tools qt6-tools-dev
    # the SVG image and icon plugins: the buttons' icons drawn when the
    # program is built, and the desktop theme's icons
    libqt6svg6
    # the fonts: read ahead while the program connects to the display
    fonts-dejavu-core libfontconfig-dev
    # the French locale the operators' desktops run in, and the tests with them
    locales
    # the journal's spreadsheet files; its tests read PDF text and unzip .xlsx
    libxlsxwriter-dev poppler-utils unzip
    # fuzzing with libFuzzer and the sanitizers
    clang libclang-rt-14-dev
    # the end-to-end run in a real X window
    xvfb xdotool imagemagick
    # the Debian package: CPack's dependency search and Debian's hardening
    # flags (dpkg-dev), its check (setpriv), Debian's package checker and
    # the AppStream validator
    dpkg-dev file util-linux lintian appstream
)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# fr_FR.UTF-8: enabled in /etc/locale.gen (kept there for the next
# locale-gen) and generated, once.
if ! locale -a 2>/dev/null | grep -iE '^fr_FR\.utf-?8$' >/dev/null; then
    echo "setup: generating the locale fr_FR.UTF-8"
    if ! grep -qE '^[[:space:]]*fr_FR\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen 2>/dev/null; then
        if grep -qE '^#[[:space:]]*fr_FR\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen 2>/dev/null; then
            $SUDO sed -i -E 's/^#[[:space:]]*(fr_FR\.UTF-8[[:space:]]+UTF-8)/\1/' /etc/locale.gen
        else
            echo "fr_FR.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
        fi
    fi
    $SUDO locale-gen
    locale -a | grep -iE '^fr_FR\.utf-?8$' >/dev/null || {
        echo "setup: the locale fr_FR.UTF-8 could not be generated" >&2
        exit 1
    }
fi

# build/ is also the package's (scripts/package.sh): built with the
# package's flags (scripts/package-flags.sh), so that the package is made of
# the very objects the tests ran, not of a second build.
source scripts/package-flags.sh
cmake -S . -B build "${package_cmake_args[@]}" -DPLATINE_PACKAGE_FLAGS=ON >/dev/null
cmake --build build -j"$(nproc)"
