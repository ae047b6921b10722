#!/usr/bin/env python3
"""Compares the map pictures of two tremolux-cli builds byte for byte.

Every feed under data/ and tests/data/ (whatever samples they hold) is drawn
for several cities, hours windows, nearest and pie radii, sizes and with and
without labels, as PNG and as --trace, by both programs; any difference is
printed and makes the exit status 1.
Usage: compare_cli_maps.py OLD_CLI NEW_CLI [MORE_FEEDS...]
"""
import datetime
import itertools
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
FEED_SUFFIXES = {".geojson", ".csv", ".html", ".txt"}
CITIES = ["--city=Tokyo", "--city=Reykjavik", "--at=0,0", "--at=-33.9,151.2", "--at=61.2,-149.9"]
HOURS = ["1", "24", "168"]
SHAPES = [
    ["--size=1000x800", "--nearest=15000", "--pie=1000"],
    ["--size=640x480"],
    ["--size=333x211", "--nearest=3000", "--pie=0", "--no-texts"],
]


def now_after_newest(cli, feed):
    """A clock ten minutes after the feed's newest quake, so that its quakes show."""
    rows = subprocess.run([cli, "quakes", f"--feed={feed}"], capture_output=True, text=True).stdout
    times = []
    for line in rows.splitlines()[1:]:
        fields = line.split("\t")
        try:
            times.append(datetime.datetime.strptime(fields[1], "%Y-%m-%d %H:%M:%S"))
        except (IndexError, ValueError):
            pass
    newest = max(times, default=datetime.datetime(2025, 12, 7, 6, 0, 0))
    return "--now=" + (newest + datetime.timedelta(minutes=10)).strftime("%Y-%m-%d %H:%M:%S")


def feeds():
    yield from (pathlib.Path(extra) for extra in sys.argv[3:])
    for folder in (ROOT / "data", ROOT / "tests" / "data"):
        for path in sorted(folder.iterdir()):
            if path.suffix.lower() in FEED_SUFFIXES and path.name != "CITIES.TXT":
                yield path


def run(cli, args, out):
    result = subprocess.run([cli, "map", *args, *out], capture_output=True)
    return result.returncode, result.stdout, result.stderr


def main():
    old_cli, new_cli = sys.argv[1], sys.argv[2]
    cities_file = ROOT / "data" / "CITIES.TXT"
    cases = differences = drawn = 0
    with tempfile.TemporaryDirectory() as scratch:
        old_png = pathlib.Path(scratch) / "old.png"
        new_png = pathlib.Path(scratch) / "new.png"
        clocks = {feed: now_after_newest(old_cli, feed) for feed in feeds()}
        for feed, city, hours, shape in itertools.product(feeds(), CITIES, HOURS, SHAPES):
            args = [f"--feed={feed}", clocks[feed], city, f"--cities={cities_file}", f"--hours={hours}", *shape]
            for kind in ("png", "trace"):
                if kind == "png":
                    old = run(old_cli, args, [f"--out={old_png}"])
                    new = run(new_cli, args, [f"--out={new_png}"])
                    old += (old_png.read_bytes() if old_png.exists() else b"",)
                    new += (new_png.read_bytes() if new_png.exists() else b"",)
                    old_png.unlink(missing_ok=True)
                    new_png.unlink(missing_ok=True)
                else:
                    old = run(old_cli, args, ["--trace"])
                    new = run(new_cli, args, ["--trace"])
                    drawn += old[1].count(b"\nline ")
                cases += 1
                if old != new:
                    differences += 1
                    print("differs:", kind, " ".join(args))
    print(f"{cases} cases ({drawn} rays drawn in the traces), {differences} differ")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
