#!/usr/bin/env bash
# The guide as "cmake --install" lays it out (as the package does), checked
# by check_guide.sh: BUILD_DIR is the build folder, DOC_DIR the documents'
# folder under the prefix (/usr/share/doc/platine).
#   tests/package/guide_installed.sh BUILD_DIR DOC_DIR
set -euo pipefail
BUILD=$1 DOC=$2
ROOT=$(mktemp -d "${TMPDIR:-/tmp}/platine-guide.XXXXXX")
trap 'rm -rf "$ROOT"' EXIT
DESTDIR=$ROOT cmake --install "$BUILD" >/dev/null
"$(dirname "$0")/check_guide.sh" "$ROOT$DOC"
