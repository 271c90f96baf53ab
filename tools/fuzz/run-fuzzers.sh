#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 60) from its seed corpus in
# tests/corpus/<target> (hex files, '#' lines are comments) and fails when one
# crashes, leaks, runs out of memory or stays on one input past the timeout.
# Usage: run-fuzzers.sh [SECONDS [BUILD]]
# BUILD is a folder configured with clang and -DQUILLORY_FUZZ=ON; without it
# build-fuzz is configured (once) and built. Inputs that fail are left in
# BUILD/fuzz/crashes/; turn one into a seed with: xxd -p FILE > tests/corpus/TARGET/NAME.hex
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
build=${2:-}
targets=(reader textfile)
if [ -z "$build" ]; then
    build="$root/build-fuzz"
    [ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DQUILLORY_FUZZ=ON -DQUILLORY_GUI=OFF -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" --target quillory-reader-fuzz quillory-textfile-fuzz
fi
work="$build/fuzz"
mkdir -p "$work/crashes"
status=0
for name in "${targets[@]}"; do
    seeds="$work/seeds-$name" corpus="$work/corpus-$name" log="$work/$name.log"
    # Each run starts again from the seeds kept in the repository.
    rm -rf "$seeds" "$corpus"
    mkdir -p "$seeds" "$corpus"
    for hex in "$root/tests/corpus/$name"/*.hex; do
        grep -v '^#' "$hex" | xxd -r -p > "$seeds/$(basename "$hex" .hex)"
    done
    # The timeout is far above any honest input's time, so a slow machine does not trip it.
    if "$build/tools/fuzz/quillory-$name-fuzz" "$corpus" "$seeds" -max_total_time="$seconds" \
        -timeout=20 -rss_limit_mb=2048 -max_len=65536 -detect_leaks=1 \
        -artifact_prefix="$work/crashes/$name-" > "$log" 2>&1; then
        echo "Fuzzing $name for ${seconds}s: no fault ($(ls "$seeds" | wc -l) seeds, $(ls "$corpus" | wc -l) inputs kept)"
    else
        echo "Fuzzing $name found a fault (input in $work/crashes/):" >&2
        tail -n 60 "$log" >&2
        status=1
    fi
done
exit $status
