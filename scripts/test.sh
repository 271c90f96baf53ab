#!/usr/bin/env bash
# Builds Quillory with warnings as errors and runs every test, then checks the
# architecture: the command-line program links no window library, the core,
# the command line and their tests build without the windows, and the sources
# follow .clang-format.
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

ensure_packages clang-format

"$root/scripts/check-format.sh"

build_project build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON --
if ldd "$root/build-test/src/cli/quillory-cli" | grep -E 'libQt6(Gui|Widgets)'; then
    echo "quillory-cli links Qt Gui or Widgets; it must use the core library only" >&2
    exit 1
fi
run_tests build-test

# Without the windows: core, command line and their tests only.
build_project build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON \
    -DQUILLORY_GUI=OFF -DQUILLORY_BUILD_BENCH=OFF --
run_tests build-core
