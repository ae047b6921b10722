#!/usr/bin/env python3
"""Generate a week of synthetic quakes around Japan and the Pacific as a
GeoJSON FeatureCollection in the shape of the USGS real-time feeds.

Usage: gen_pacific_feed.py N OUT.geojson

N quakes, newest first, spread over the seven days up to 2026-12-07 11:58
UTC; most lie in clusters along the Japanese arcs, the rest
around the Pacific rim.  Deterministic (fixed seed, Random.random() only), so
the file is byte-identical wherever it is run.  Standard library only.
"""
import datetime
import json
import math
import random
import sys

SEED = 20261207
NEWEST = datetime.datetime(2026, 12, 7, 11, 58, 0, tzinfo=datetime.timezone.utc)
SPAN_S = 7 * 24 * 3600

# (latitude, longitude, spread in degrees, weight, nearby place)
CLUSTERS = [
    (38.3, 142.4, 0.9, 14, "Ishinomaki, Japan"),
    (37.5, 141.9, 0.6, 8, "Namie, Japan"),
    (36.2, 141.2, 0.6, 7, "Hasaki, Japan"),
    (35.4, 139.9, 0.4, 6, "Tateyama, Japan"),
    (34.1, 139.4, 0.5, 6, "Miyake, Japan"),
    (31.0, 140.5, 1.0, 5, "Hachijo-jima, Japan"),
    (42.6, 143.8, 0.9, 8, "Urakawa, Japan"),
    (44.0, 147.5, 1.0, 6, "Kuril'sk, Russia"),
    (33.0, 131.5, 0.7, 5, "Hyuga, Japan"),
    (27.8, 129.5, 1.0, 5, "Naze, Japan"),
    (24.3, 122.5, 0.8, 5, "Hualien City, Taiwan"),
    (37.1, 137.3, 0.5, 4, "Anamizu, Japan"),
    (52.8, 159.5, 1.2, 4, "Petropavlovsk-Kamchatsky, Russia"),
    (51.6, -176.0, 2.0, 3, "Adak, Alaska"),
    (60.5, -151.0, 1.5, 3, "Anchorage, Alaska"),
    (-6.0, 147.0, 2.0, 3, "Lae, Papua New Guinea"),
    (-20.5, -175.0, 2.0, 3, "Nuku'alofa, Tonga"),
    (-18.0, 178.0, 2.0, 2, "Suva, Fiji"),
    (-3.5, 128.0, 2.0, 2, "Ambon, Indonesia"),
    (13.5, 144.5, 1.5, 2, "Hagatna, Guam"),
    (-33.0, -71.8, 1.5, 2, "Valparaiso, Chile"),
    (36.0, -120.5, 1.5, 3, "Parkfield, CA"),
]

DIRECTIONS = ["N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
              "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"]


def pick_cluster(rng):
    total = sum(c[3] for c in CLUSTERS)
    x = rng.random() * total
    for cluster in CLUSTERS:
        x -= cluster[3]
        if x < 0:
            return cluster
    return CLUSTERS[-1]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    count = int(sys.argv[1])
    rng = random.Random(SEED)
    offsets = sorted(rng.random() * SPAN_S for _ in range(count))
    features = []
    for i, offset in enumerate(offsets):
        lat0, lon0, spread, _, town = pick_cluster(rng)
        lat = round(lat0 + (rng.random() - 0.5) * 2 * spread, 3)
        lon = round((lon0 + (rng.random() - 0.5) * 2 * spread + 540.0) % 360.0 - 180.0, 3)
        # Few strong quakes, many weak ones.
        mag = round(min(1.1 - 0.85 * math.log(1.0 - rng.random()), 8.2), 1)
        depth = round(rng.random() * 80 + 5, 1)
        when = NEWEST - datetime.timedelta(seconds=int(offset))
        km = int(5 + rng.random() * 120)
        direction = DIRECTIONS[int(rng.random() * 16)]
        place = f"{km} km {direction} of {town}"
        millis = int(when.timestamp() * 1000)
        code = f"gen{i:05d}"
        features.append({
            "type": "Feature",
            "properties": {"mag": mag, "place": place, "time": millis, "updated": millis + 120000,
                           "tz": None, "status": "reviewed", "net": "us", "code": code,
                           "magType": "mb", "type": "earthquake",
                           "title": f"M {mag} - {place}"},
            "geometry": {"type": "Point", "coordinates": [lon, lat, depth]},
            "id": "us" + code,
        })
    collection = {
        "type": "FeatureCollection",
        "metadata": {"generated": int(NEWEST.timestamp() * 1000), "title": "Synthetic quakes, past week",
                     "status": 200, "count": count},
        "features": features,
    }
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        json.dump(collection, out)
        out.write("\n")


if __name__ == "__main__":
    main()
