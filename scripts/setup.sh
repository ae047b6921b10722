#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
set -euo pipefail
packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-multimedia-dev qt6-websockets-dev libgl-dev libqt6sql6-sqlite
  libgumbo-dev libsimdjson-dev libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev zlib1g-dev libssl-dev libcli11-dev
  xvfb xauth fonts-liberation imagemagick xdotool locales
  clang libclang-rt-14-dev
  # the desktop package: icons, manual pages, the .deb and the desktop's validators
  librsvg2-bin help2man man-db dpkg-dev file desktop-file-utils appstream
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

# The tests read numbers under a comma-decimal locale, as a German desktop runs the watcher.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  $sudo_cmd locale-gen
fi
