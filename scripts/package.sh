#!/usr/bin/env bash
# Builds the Debian package into dist/: the program and platine-sim in
# /usr/bin, their manual pages, the desktop entry, its icon and the AppStream
# metainfo, the operator's guide (French, English) with its pictures, a
# sample list, the copyright file and the changelog in /usr/share/doc/platine.
# Made from build/ when scripts/setup.sh built it for the package
# (PLATINE_PACKAGE_FLAGS), else a build of its own in build-package/; either
# way with the package's flags (scripts/package-flags.sh); the binaries are
# stripped at install.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=build-package
source scripts/package-flags.sh
# The tests' build (scripts/setup.sh) is made with these flags and prefix:
# the package takes its objects rather than building them again.
if grep -q '^PLATINE_PACKAGE_FLAGS:.*=ON$' build/CMakeCache.txt 2>/dev/null; then
    BUILD=build
else
    cmake -S . -B "$BUILD" "${package_cmake_args[@]}" >/dev/null
fi
cmake --build "$BUILD" -j2 --target platine platine-sim package-docs guide
mkdir -p dist
(cd "$BUILD" && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
