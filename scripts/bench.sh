#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and runs every one, one
# printed line per figure, followed by the machine they were measured on.
#   scripts/bench.sh [NAME...]     (default: every bench/bench_*.cpp)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD="$ROOT/build-bench"

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLATINE_BENCH_OPTIMISED=ON \
    >"$BUILD.configure.log" 2>&1 \
    || { cat "$BUILD.configure.log"; exit 1; }
rm -f "$BUILD.configure.log"

if (($#)); then
    names=("$@")
else
    names=()
    for src in bench/bench_*.cpp; do
        names+=("$(basename "$src" .cpp)")
    done
fi
cmake --build "$BUILD" -j2 --target platine-sim "${names[@]}" >/dev/null

echo "machine: $(nproc) cores, $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(uname -sr)"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
status=0
for name in "${names[@]}"; do
    QT_QPA_PLATFORM=offscreen "$BUILD/bench/$name" || { echo "bench: $name FAILED"; status=1; }
done
exit $status
