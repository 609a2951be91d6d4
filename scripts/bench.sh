#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the benchmarks in Release and runs every one of them.
# Usage: scripts/bench.sh [build folder]   (default: build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=${1:-build-bench}
jobs=$(nproc)

# The benchmarks link the tests' support library (simulated device, virtual ports), so the tests
# stay in the build.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEXLO_BUILD_BENCH=ON -DVEXLO_BUILD_TOOLS=OFF
cmake --build "$build" --parallel "$jobs"

for program in "$build"/bench/*Bench; do
    if [ -f "$program" ] && [ -x "$program" ]; then
        "$program"
    fi
done
