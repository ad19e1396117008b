#!/bin/sh
# Builds the fuzz targets with clang and runs each one RUNS times (default
# 20000) from its seed corpus. The corpus is copied to a scratch folder first,
# so the seeds under tests/ are never written to. Fails on the first crash.
# The random seed is fixed, so every run puts the readers through the same
# inputs and a fault it finds is found again; SEED=N draws other inputs.
#
#   scripts/fuzz.sh [RUNS]            (SEED=... for other inputs)
#   scripts/fuzz.sh build             (builds the targets only)
set -eu

RUNS=${1:-20000}
SEED=${SEED:-1407}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-fuzz"
CORPUS="$ROOT/tests/fuzz_corpus"

# As in scripts/fuzz-long.sh: the allocator's fill and long allocation
# stacks cost more than the readers; the checks stay the same.
ASAN_OPTIONS=${ASAN_OPTIONS:-max_malloc_fill_size=0:malloc_context_size=5:quarantine_size_mb=32}
export ASAN_OPTIONS
CXX=${CXX:-clang++}
export CXX
if ! command -v "$CXX" >/dev/null 2>&1; then
    echo "fuzz.sh: $CXX not found: the readers cannot be fuzzed (install clang)" >&2
    exit 1
fi
mkdir -p "$BUILD"
cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER="$CXX" >"$BUILD/configure.log"
cmake --build "$BUILD" -j 2
[ "$RUNS" = build ] && exit 0

WORK=$(mktemp -d "${TMPDIR:-/tmp}/platine-fuzz.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

# The targets run in JOBS lanes at once (default 2: the machine's two cores
# once the other tests are done), each in a folder of its own, so that the
# inputs a crash leaves are never mixed; their reports follow in order. A
# lane free takes the next target not yet taken, in the list's order (the
# costliest first): the claim is a folder made, which only one lane can.
JOBS=${FUZZ_JOBS:-2}
run_target() {
    target=$1
    mkdir -p "$WORK/$target" "$WORK/$target.cwd"
    if [ -d "$CORPUS/$target" ]; then
        cp -R "$CORPUS/$target/." "$WORK/$target/"
    fi
    if (cd "$WORK/$target.cwd" && "$BUILD/$target" -runs="$RUNS" -seed="$SEED" -max_len=8192 \
            -print_final_stats=0 "$WORK/$target" >"$WORK/$target.log" 2>&1); then
        echo 0 >"$WORK/$target.status"
    else
        echo 1 >"$WORK/$target.status"
    fi
}
targets=$(grep -v '^$' "$BUILD/fuzz_targets.txt")
lane=0
while [ "$lane" -lt "$JOBS" ]; do
    (
        for target in $targets; do
            mkdir "$WORK/$target.claim" 2>/dev/null && run_target "$target"
        done
    ) &
    lane=$((lane + 1))
done
wait

status=0
for target in $targets; do
    echo "== $target: $RUNS runs, seed $SEED"
    if [ "$(cat "$WORK/$target.status" 2>/dev/null)" != 0 ]; then
        echo "$target FAILED (seed $SEED); the crashing input is kept in $BUILD:"
        tail -n 40 "$WORK/$target.log"
        cp "$WORK/$target.cwd"/crash-* "$WORK/$target.cwd"/leak-* "$WORK/$target.cwd"/timeout-* \
            "$BUILD"/ 2>/dev/null || true
        status=1
    else
        tail -n 1 "$WORK/$target.log"
    fi
done
exit $status
