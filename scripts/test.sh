#!/usr/bin/env bash
# Builds Quillory with warnings as errors and runs every test, then checks the
# architecture: the command-line program links no window library, the core,
# the command line and their tests build without the windows, and the sources
# follow .clang-format. The build without the windows is made with clang and
# the address and undefined-behaviour sanitizers, runs its tests under them and
# runs each fuzz target for a minute from the seeds in tests/corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"

# Prints how many tests the last ctest run in the folder skipped, and why
# (the first line of each skip message, with the tests it stopped).
report_skipped() {
    local log="$1/Testing/Temporary/LastTest.log"
    [ -f "$log" ] || return 0
    awk '
        /: Skipped$/ { if ((getline reason) <= 0 || reason == "") reason = "no reason given"; next }
        /^\[  SKIPPED \] / && reason != "" { n++; by[reason] = by[reason] "\n    " $4; reason = "" }
        END {
            if (n == 0) { print "Skipped tests: none"; exit }
            print "Skipped tests: " n
            for (r in by) print "  " r ":" by[r]
        }' "$log"
}

# Runs every test of a build folder, then reports what was skipped.
run_tests() {
    local status=0
    (cd "$root/$1" && ctest --output-on-failure -j "$(nproc)" --timeout 300) || status=$?
    report_skipped "$root/$1"
    return $status
}

ensure_packages clang-format "${SANITIZER_PACKAGES[@]}"

"$root/scripts/check-format.sh"

# The benchmarks are built by scripts/bench.sh only.
build_project build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON -DQUILLORY_BUILD_BENCH=OFF --
if ldd "$root/build-test/src/cli/quillory-cli" | grep -E 'libQt6(Gui|Widgets)'; then
    echo "quillory-cli links Qt Gui or Widgets; it must use the core library only" >&2
    exit 1
fi
run_tests build-test

# Without the windows: core, command line, their tests and the fuzz targets,
# with the sanitizers. Any error they report ends the test or fuzz run.
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
build_project build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DQUILLORY_GUI=OFF -DQUILLORY_BUILD_BENCH=OFF -DQUILLORY_FUZZ=ON --
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build-san
"$root/tools/fuzz/run-fuzzers.sh" 60 "$root/build-san"
