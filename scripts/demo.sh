#!/usr/bin/env bash
# Builds Quillory into build/, writes the sample player folder and starts the
# program on it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo.sh: no display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    echo "Run it in a desktop session (or under xvfb-run)." >&2
    exit 2
fi

. "$root/scripts/deps.sh"
build_project build -DCMAKE_BUILD_TYPE=RelWithDebInfo -- --target quillory quillory-cli quillory_help_file sample_player
build="$root/build"
echo "Starting Quillory on the sample player in $build/sample-player: press Connect."
exec "$build/src/app/quillory" --player "$build/sample-player"
