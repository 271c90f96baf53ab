#!/usr/bin/env bash
# Runs the text-file and player-path fuzzer for SECONDS (default 120) from a
# corpus seeded with the help file, a description file and stored locations.
# Builds it first, configuring build-fuzz with clang when that is not done yet.
# Inputs that fail are left in build-fuzz/crashes/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build="$here/../../build-fuzz"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here/../.." -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUILLORY_FUZZ=ON \
        -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target quillory-textfile-fuzz
corpus="$build/textfile-corpus"
mkdir -p "$corpus" "$build/crashes"
cp "$here/../../data/quilloryhelp.txt" "$corpus/seed-help"
printf 'ModelNumStr: MA446\rBoardHwName: iPod\r\n\xc3\xa9\n' > "$corpus/seed-sysinfo"
printf '%s' '\..\IPOD_CONTROL\.\music\f00\abcd.MP3' > "$corpus/seed-location"
exec "$build/tools/fuzz/quillory-textfile-fuzz" "$corpus" -max_total_time="${1:-120}" -timeout=2 \
    -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$build/crashes/"
