#!/usr/bin/env bash
# Builds the text-file and player-path fuzzer with clang and runs it for
# SECONDS (default 120), seeded with the help file and a few stored locations.
# Inputs that fail are left in build-fuzz/crashes/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-120}
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUILLORY_FUZZ=ON \
    -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillory-textfile-fuzz
seeds="$build/textfile-seeds"
mkdir -p "$seeds" "$build/textfile-corpus" "$build/crashes"
cp "$root/data/quilloryhelp.txt" "$seeds/help"
printf '%s' '\iPod_Control\Music\F00\ABCD.mp3' > "$seeds/location"
printf '%s' '\..\IPOD_CONTROL\.\music\f00\abcd.MP3' > "$seeds/location-dots"
printf 'ModelNumStr: MA446\rBoardHwName: iPod\r\n\xc3\xa9\n' > "$seeds/sysinfo"
"$build/tools/fuzz/quillory-textfile-fuzz" "$build/textfile-corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/crashes/"
