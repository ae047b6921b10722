#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a fresh directory with dpkg -x and
# checks what a desktop reads from it, then installs it with dpkg -i and runs
# the installed programs from /usr/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! ./scripts/package.sh >"$scratch/build.log" 2>&1; then
  cat "$scratch/build.log" >&2
  exit 1
fi
version=$(sed -n 's/^project(Tremolux VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build-package/tremolux_${version}_$(dpkg --print-architecture).deb
failed=0
fail() {
  echo "test-package: $*" >&2
  failed=1
}

echo "== $deb: file list"
root=$scratch/root
dpkg -x "$deb" "$root"
(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$scratch/files"
diff -u packaging/package-files.txt "$scratch/files" || fail "the package's files differ from packaging/package-files.txt"

echo "== control"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libqt6multimedia6 libgumbo; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

echo "== desktop entry, metainfo, icons, manual pages"
desktop-file-validate "$root/usr/share/applications/tremolux.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$root/usr/share/metainfo/org.example.tremolux.metainfo.xml" \
  || fail "appstreamcli validate"
for size in 16 22 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/tremolux.png
  file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a ${size}x$size PNG"
done
packaging/check-manual-pages.sh "$root"/usr/share/man/man1/tremolux.1.gz \
  "$root"/usr/share/man/man1/tremolux-cli.1.gz || fail "manual pages"

echo "== dpkg -i"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
$sudo_cmd dpkg -i "$deb" >/dev/null
[ "$(dpkg-query -W -f='${Status} ${Version}' tremolux)" = "install ok installed $version" ] \
  || fail "dpkg does not list tremolux $version as installed"
# From a directory without a CITIES.TXT, so the installed files are the ones read.
cd "$scratch"
[ "$(/usr/bin/tremolux --version)" = "tremolux $version" ] || fail "tremolux --version"
# Output is taken whole before it is searched: grep -q leaving early would cut
# the program off with SIGPIPE and fail the pipe.
distance=$(/usr/bin/tremolux-cli distance 35.6895 139.6917 34.0522 -118.2437) || fail "tremolux-cli distance failed"
grep -qP '^8[0-9]{6}(\.[0-9]+)?\t[0-9.]+$' <<<"$distance" || fail "tremolux-cli distance printed: $distance"
cities=$(/usr/bin/tremolux-cli cities) || fail "tremolux-cli cities failed"
grep -q $'^Tokyo\t' <<<"$cities" || fail "tremolux-cli cities does not read the installed list"
index=$(/usr/bin/tremolux-cli index --feed /usr/share/tremolux/sample_week.geojson \
  --now "2018-02-07 02:00:00" --city Tokyo) || fail "tremolux-cli index on the installed sample failed"
grep -qE '^[0-9]+$' <<<"$index" || fail "tremolux-cli index printed: $index"
[ "$(man -w tremolux)" = /usr/share/man/man1/tremolux.1.gz ] || fail "man does not find tremolux(1)"

if [ "$failed" -ne 0 ]; then
  echo "test-package: FAILED" >&2
  exit 1
fi
echo "test-package: $deb builds, unpacks, installs and runs"
