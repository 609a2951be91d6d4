#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the editor and starts it.
# Without a display (DISPLAY unset) it starts the editor on a virtual display instead, writes a
# screenshot of its window to the given path (default: build/vexlo-editor.png), says so, and ends.
# Usage: scripts/run.sh [screenshot path]
set -euo pipefail

# A screenshot path is taken relative to where the command was started, not to the project.
screenshot=""
if [ $# -gt 0 ]; then
    screenshot=$(realpath -m -- "$1")
fi
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build
jobs=$(nproc)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release

if [ -n "${DISPLAY:-}" ]; then
    cmake --build "$build" --parallel "$jobs" --target vexlo_editor
    exec "$build/vexlo-editor"
fi

cmake --build "$build" --parallel "$jobs" --target vexlo_editor vexlo_snapshot
echo "No display: starting the editor on a virtual display to take a screenshot."
"$build/tests/vexlo_snapshot" "$build/vexlo-editor" "${screenshot:-$build/vexlo-editor.png}"
