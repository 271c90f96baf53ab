#!/usr/bin/env bash
# Builds Quillory with warnings as errors and runs every test, then checks the
# architecture: the command-line program links no window library, the core,
# the command line and their tests build without the windows, and the sources
# follow .clang-format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
ensure_packages clang-format

"$root/scripts/check-format.sh"

build_project build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON --
if ldd "$root/build-test/src/cli/quillory-cli" | grep -E 'libQt6(Gui|Widgets)'; then
    echo "quillory-cli links Qt Gui or Widgets; it must use the core library only" >&2
    exit 1
fi
(cd "$root/build-test" && ctest --output-on-failure -j "$(nproc)" --timeout 300)

# Without the windows: core, command line and their tests only.
build_project build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON \
    -DQUILLORY_GUI=OFF -DQUILLORY_BUILD_BENCH=OFF --
(cd "$root/build-core" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
