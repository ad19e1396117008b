#!/usr/bin/env bash
# Builds the Debian package into dist/: the program and platine-sim in
# /usr/bin, the desktop entry and its icon, the README and a sample list in
# /usr/share/doc/platine. Release build in build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=build-package
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$BUILD" -j2 --target platine platine-sim
mkdir -p dist
(cd "$BUILD" && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
