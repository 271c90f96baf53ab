#!/usr/bin/env bash
# Builds Quillory optimised and runs every benchmark with its targets.
set -euo pipefail
. "$(dirname "$0")/deps.sh"
build_project build-bench -DCMAKE_BUILD_TYPE=Release -DQUILLORY_BUILD_TESTS=OFF -- --target run_benchmarks
