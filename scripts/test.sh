#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and window tests, the board
# simulator, bounded fuzzing of every reader, the end-to-end run under Xvfb,
# and the Debian package (scripts/package.sh, tests/package/check_package.sh:
# the test package_check, since setup.sh builds build/ with the package's
# flags).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
# setup.sh has installed Xvfb and xdotool: here the end-to-end run may not skip.
export PLATINE_E2E_REQUIRED=1
# Three tests a core: the longest ones (the simulated board at 9600 baud, the
# fault campaign, the window under Xvfb) wait on a line or a window rather
# than compute; the fuzzing takes two (its PROCESSORS) and gives way to them.
ctest --output-on-failure -j"$(($(nproc) * 3))" --timeout 900
# A build/ made without the package's flags has no package_check: the
# package is then made (in build-package/) and checked here.
if ! ctest -N -R '^package_check$' | grep -q 'package_check'; then
    cd ..
    scripts/package.sh
    tests/package/check_package.sh "$(ls -t dist/platine_*.deb | head -n 1)"
fi
