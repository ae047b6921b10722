#!/usr/bin/env bash
# Builds and runs every test. With --sanitize the build uses AddressSanitizer
# and UndefinedBehaviorSanitizer and any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  flags=(-DTREMOLUX_SANITIZE=ON -DTREMOLUX_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
fi
./scripts/setup.sh
cmake -S . -B "$build" -DTREMOLUX_TESTS=ON "${flags[@]}"
cmake --build "$build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
