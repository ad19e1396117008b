#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and window tests, the board
# simulator, bounded fuzzing of every reader, the end-to-end run under Xvfb,
# then the Debian package (scripts/package.sh, tests/package/check_package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
# setup.sh has installed Xvfb and xdotool: here the end-to-end run may not skip.
export PLATINE_E2E_REQUIRED=1
ctest --output-on-failure -j2 --timeout 900
# The Debian package: built, its contents checked, the unpacked program
# started from a read-only folder.
cd ..
scripts/package.sh
tests/package/check_package.sh "$(ls -t dist/platine_*.deb | head -n 1)"
