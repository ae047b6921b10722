#!/usr/bin/env bash
# Builds the Debian package build-package/tremolux_VERSION_ARCH.deb: a Release
# build of the two programs and their desktop files, installing under /usr,
# its dependencies read from the binaries.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-package
./scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTREMOLUX_TESTS=OFF -DTREMOLUX_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/tremolux_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tremolux_*.deb
