#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
        echo "not formatted: $file (run: clang-format -i $file)" >&2
        status=1
    fi
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
exit $status
