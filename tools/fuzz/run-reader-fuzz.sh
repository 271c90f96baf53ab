#!/usr/bin/env bash
# Builds the reader fuzzer with clang and runs it for SECONDS (default 180) on the
# seeds of tests/corpus/reader. Inputs that fail are left in build-fuzz/crashes/;
# turn one into a corpus file with: xxd -p FILE > tests/corpus/reader/NAME.hex
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-180}
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUILLORY_FUZZ=ON \
    -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillory-reader-fuzz
seeds="$build/seeds"
mkdir -p "$seeds" "$build/corpus" "$build/crashes"
for hex in "$root"/tests/corpus/reader/*.hex; do
    grep -v '^#' "$hex" | xxd -r -p > "$seeds/$(basename "$hex" .hex)"
done
"$build/tools/fuzz/quillory-reader-fuzz" "$build/corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/crashes/"
