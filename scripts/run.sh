#!/usr/bin/env bash
# Builds the watcher and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -DTREMOLUX_TESTS=OFF -DTREMOLUX_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tremolux
exec ./build/src/gui/tremolux "$@"
