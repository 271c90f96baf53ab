#!/usr/bin/env bash
# Builds Quillory with warnings as errors and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
build_project build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON --
cd "$root/build-test"
ctest --output-on-failure -j "$(nproc)" --timeout 300
