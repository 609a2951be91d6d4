#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the editor, its tests and tools, and runs every test.
# Usage: scripts/test.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=${1:-build}
jobs=$(nproc)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel "$jobs"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300
