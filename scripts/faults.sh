#!/bin/sh
# The long fault runs: the campaign against the board simulator (RUNS runs,
# default 315: every board operation under every fault, five times over, the
# steps drawn from SEED) and KILLS writes killed with SIGKILL (default 1000).
# Builds into build/ first. Each prints its seed; a failed campaign run is
# replayed alone with: build/tests/faults/faults_campaign --long --runs RUNS
# --seed SEED --run I
#
#   scripts/faults.sh [RUNS] [KILLS]      (SEED=... to replay a whole campaign)
set -eu

RUNS=${1:-315}
KILLS=${2:-1000}
SEED=${SEED:-$(date +%s)}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build"

[ -f "$BUILD/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j 2 --target faults_kill faults_campaign platine-sim

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
status=0
start=$(date +%s)
"$BUILD/tests/faults/faults_kill" --kills "$KILLS" --seed "$SEED" || status=1
echo "== faults_kill: $(($(date +%s) - start)) s"
start=$(date +%s)
(cd "$BUILD/tests" && QT_QPA_PLATFORM=offscreen LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 \
    ./faults/faults_campaign --long --runs "$RUNS" --seed "$SEED") || status=1
echo "== faults_campaign: $(($(date +%s) - start)) s"
exit $status
