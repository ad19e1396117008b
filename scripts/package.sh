#!/usr/bin/env bash
# Builds the Debian package into dist/: the program and platine-sim in
# /usr/bin, their manual pages, the desktop entry, its icon and the AppStream
# metainfo, the README, a sample list, the copyright file and the changelog
# in /usr/share/doc/platine. Release build in build-package/, with Debian's
# hardening flags (dpkg-buildflags: fortified functions, stack protector,
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
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_POLICY_DEFAULT_CMP0083=NEW \
    "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target platine platine-sim package-docs
mkdir -p dist
(cd "$BUILD" && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/*.deb
