#!/usr/bin/env bash
# Refreshes data/sample_week.geojson: a real week of the USGS "all earthquakes"
# feed, as the vega-datasets npm package keeps it. The file is copied as it is,
# after its checksum is compared with the one recorded in data/SAMPLE_WEEK.md,
# so that the shipped sample never changes unnoticed.
set -euo pipefail
cd "$(dirname "$0")/.."

package=vega-datasets
version=3.2.1
inside=package/data/earthquakes.json
expected=a42702a83ffbae679f95d1fa53e2cae0bae13b21e599a68cdd50a44fc52129f7

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && npm pack --silent "$package@$version" >/dev/null)
tar -xzf "$scratch/$package-$version.tgz" -C "$scratch" "$inside"
actual=$(sha256sum "$scratch/$inside" | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
  echo "fetch-sample-week: $package@$version $inside has sha256 $actual, expected $expected" >&2
  exit 1
fi
cp "$scratch/$inside" data/sample_week.geojson
echo "data/sample_week.geojson: $package@$version $inside, sha256 $actual"
