#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
set -euo pipefail
packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgumbo-dev libsimdjson-dev libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev libssl-dev
  xvfb xauth fonts-liberation imagemagick xdotool
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
