#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the
# program, then configures and builds it in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    # the SVG image and icon plugins that draw the buttons' icons
    libqt6svg6
    fonts-dejavu-core
    # the journal's spreadsheet files; its tests read PDF text and unzip .xlsx
    libxlsxwriter-dev poppler-utils unzip
    # fuzzing with libFuzzer and the sanitizers
    clang libclang-rt-14-dev
    # the end-to-end run in a real X window
    xvfb xdotool x11-utils imagemagick
    # the Debian package: CPack's dependency search and Debian's hardening
    # flags (dpkg-dev), its check (setpriv), Debian's package checker and
    # the AppStream validator
    dpkg-dev file util-linux lintian appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" >/dev/null
cmake --build build -j"$(nproc)"
