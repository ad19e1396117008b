#!/bin/sh
# Long fuzzing of the readers, to repeat the figures of HACKING.md's
# "Reliability" table:
#   scripts/fuzz-long.sh RUNS [TARGET...]
# runs each target (all of them when none is named) RUNS times, one after the
# other on one core (-jobs=1), from its kept corpus in tests/fuzz_corpus, with
# the same sanitizers as the test command (address, undefined). Afterwards the
# inputs found are merged (minimised) back into tests/fuzz_corpus/<target>:
# the files named by hand (seeds, regression inputs) stay, and a set-cover
# merge (-set_cover_merge=1, a smaller set than -merge=1 for the same
# coverage) adds the fewest inputs that keep every feature reached.
#
# SEED (default 1) is libFuzzer's seed. MAX_SECONDS (default 0: no limit)
# stops a target after that many seconds; the runs actually done are counted.
# Each target's outcome is appended to fuzz/results.txt (kept in the
# repository, so that the counts of every sitting add up), with the
# machine it ran on; its log is build-fuzz-long/<target>.log. A crashing input
# is kept in build-fuzz-long and the script ends with status 1. Two runs of
# the script may go side by side (on two cores) once the first has built.
set -eu

RUNS=${1:?usage: scripts/fuzz-long.sh RUNS [TARGET...]}
shift
SEED=${SEED:-1}
MAX_SECONDS=${MAX_SECONDS:-0}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-fuzz-long"
CORPUS="$ROOT/tests/fuzz_corpus"
RESULTS="$ROOT/fuzz/results.txt"

# The allocator's fill and a long stack per allocation cost more than the
# readers themselves; the checks stay the same.
ASAN_OPTIONS=${ASAN_OPTIONS:-max_malloc_fill_size=0:malloc_context_size=5:quarantine_size_mb=32}
export ASAN_OPTIONS

CXX=${CXX:-clang++}
mkdir -p "$BUILD"
cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER="$CXX" >"$BUILD/configure.log"
cmake --build "$BUILD" -j 2

if [ $# -eq 0 ]; then
    set -- $(cat "$BUILD/fuzz_targets.txt")
fi

CPU=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/platine-fuzz-long.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

status=0
for target in "$@"; do
    [ -x "$BUILD/$target" ] || { echo "$target: no such fuzz target" >&2; exit 2; }
    mkdir -p "$WORK/$target" "$CORPUS/$target"
    cp -R "$CORPUS/$target/." "$WORK/$target/"
    before=$(ls "$CORPUS/$target" | wc -l)
    log="$BUILD/$target.log"
    echo "== $target: $RUNS runs, seed $SEED, from $before inputs"
    start=$(date +%s)
    outcome=held
    # libFuzzer's job log (fuzz-0.log) is written in the working folder: each
    # run has its own, so that two runs may share the build folder.
    if ! (cd "$WORK" && "$BUILD/$target" -runs="$RUNS" -seed="$SEED" -max_total_time="$MAX_SECONDS" \
            -max_len=8192 -jobs=1 -print_final_stats=1 -artifact_prefix="$BUILD/" \
            "$WORK/$target" >"$log" 2>&1); then
        outcome=FAILED
        status=1
        tail -n 40 "$log"
    fi
    seconds=$(( $(date +%s) - start ))
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)

    # Minimise: the hand-named files, plus what the old and new inputs add.
    merged="$WORK/$target.merged"
    mkdir -p "$merged"
    for f in "$CORPUS/$target"/*; do
        name=$(basename "$f")
        # libFuzzer names what it finds by 40 hexadecimal digits.
        if [ ${#name} -ne 40 ] || printf '%s' "$name" | grep -q '[^0-9a-f]'; then
            cp "$f" "$merged/"
        fi
    done
    "$BUILD/$target" -set_cover_merge=1 -max_len=8192 "$merged" "$CORPUS/$target" "$WORK/$target" \
        >"$BUILD/$target.merge.log" 2>&1
    rm -f "$CORPUS/$target"/*
    cp "$merged"/* "$CORPUS/$target/"
    after=$(ls "$CORPUS/$target" | wc -l)

    line="$(date -u +%FT%TZ) $target seed=$SEED runs=${done_runs:-?}/$RUNS seconds=$seconds $outcome corpus=$before->$after nproc=$(nproc) cpu=\"$CPU\""
    echo "$line"
    echo "$line" >>"$RESULTS"
done
exit $status
