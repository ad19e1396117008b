#!/usr/bin/env bash
# Builds the Debian package into dist/: the program and platine-sim in
# /usr/bin, their manual pages, the desktop entry, its icon and the AppStream
# metainfo, the operator's guide (French, English) with its pictures, a
# sample list, the copyright file and the changelog in /usr/share/doc/platine.
# Made from build/ when scripts/setup.sh built it for the package
# (PLATINE_PACKAGE_FLAGS), else a Release build in build-package/; either way
# with Debian's hardening flags (dpkg-buildflags: fortified functions, stack protector,
# read-only relocations bound at start); the binaries are stripped at install.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=build-package
command -v dpkg-buildflags >/dev/null || {
    echo "package: dpkg-buildflags missing (scripts/setup.sh installs dpkg-dev)" >&2
    exit 1
}
# Debug information would be stripped from the package anyway: not built.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The tests' build (scripts/setup.sh) is made with these flags and prefix:
# the package takes its objects rather than building them again.
if grep -q '^PLATINE_PACKAGE_FLAGS:.*=ON$' build/CMakeCache.txt 2>/dev/null; then
    BUILD=build
else
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
        -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_POLICY_DEFAULT_CMP0083=NEW \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$BUILD" -j2 --target platine platine-sim package-docs guide
mkdir -p dist
(cd "$BUILD" && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
