// Converts Natural Earth land (public domain, as TopoJSON in the world-atlas
// npm package) into the compact land file the world map reads at start-up.
//
//   npm install world-atlas topojson-client      (in a scratch directory)
//   NODE_PATH=<scratch>/node_modules node scripts/make_land.mjs data/land-50m.bin
//
// Layout, all integers little-endian:
//   "TRMLAND1"                          8 bytes
//   polygon count                       u32
//   per polygon: ring count             varint, the outer ring first, then its holes
//     per ring: vertex count            varint, the closing repeat left out
//       per vertex: longitude, latitude as zigzag varint steps from the
//       ring's previous vertex (from 0, 0 for its first), in thousandths of a degree
//   FNV-1a of every byte before it      u32
// Every ring has land on its left (outer rings anticlockwise in longitude as x
// and latitude as y, holes clockwise), so that a reader can tell which side is
// land. A ring may cross the date line; an edge always runs the shorter way.
import { createRequire } from "node:module";
import { writeFileSync } from "node:fs";

// ES modules ignore NODE_PATH; resolve through it by hand.
const require = createRequire(import.meta.url);
const searchPaths = (process.env.NODE_PATH || "").split(":").filter(Boolean);
const resolve = (name) => require(require.resolve(name, { paths: searchPaths }));
const topojson = resolve("topojson-client");
const scale = process.argv[3] || "50m";
const topology = resolve(`world-atlas/land-${scale}.json`);
const out = process.argv[2];
if (!out) {
    console.error("usage: node scripts/make_land.mjs OUTPUT [110m|50m]");
    process.exit(2);
}

const UNITS = 1000;
const bytes = [];
const u32 = (v) => bytes.push(v & 255, (v >>> 8) & 255, (v >>> 16) & 255, (v >>> 24) & 255);
const varint = (v) => {
    while (v >= 128) {
        bytes.push((v & 127) | 128);
        v = Math.floor(v / 128);
    }
    bytes.push(v);
};
const zigzag = (v) => varint(v < 0 ? -2 * v - 1 : 2 * v);

// Rings may cross the date line; longitudes are followed the shorter way
// round, so a ring about a pole turns a whole 360 degrees.
const unwrapped = (ring) => {
    const points = [];
    for (const [x, y] of ring) {
        let lon = x;
        if (points.length) {
            const previous = points[points.length - 1][0];
            while (lon - previous > 180 * UNITS) lon -= 360 * UNITS;
            while (lon - previous < -180 * UNITS) lon += 360 * UNITS;
        }
        points.push([lon, y]);
    }
    return points;
};

// Positive when land lies on the left of the ring's way: anticlockwise in
// longitude and latitude, or westward round the south pole, eastward round
// the north pole.
const turn = (ring) => {
    const points = unwrapped(ring);
    const first = points[0];
    const last = points[points.length - 1];
    const sweep = last[0] - first[0] + (first[0] - last[0] + 540 * UNITS) % (360 * UNITS) - 180 * UNITS;
    if (Math.abs(sweep) > 180 * UNITS) {
        const south = points.reduce((sum, p) => sum + p[1], 0) < 0;
        return south ? -sweep : sweep;
    }
    let sum = 0;
    for (let i = 0; i < points.length; ++i) {
        const [x1, y1] = points[i];
        const [x2, y2] = points[(i + 1) % points.length];
        sum += x1 * y2 - x2 * y1;
    }
    return sum;
};

// Quantized, without the closing repeat and without steps of zero.
const quantize = (ring) => {
    const points = [];
    for (const [lon, lat] of ring) {
        const p = [Math.round(lon * UNITS), Math.round(lat * UNITS)];
        const last = points[points.length - 1];
        if (!last || last[0] !== p[0] || last[1] !== p[1]) points.push(p);
    }
    const first = points[0];
    const last = points[points.length - 1];
    if (points.length > 1 && first[0] === last[0] && first[1] === last[1]) points.pop();
    return points;
};

const land = topojson.feature(topology, topology.objects.land);
const geometries = land.features ? land.features.map((f) => f.geometry) : [land.geometry];
const polygons = [];
for (const geometry of geometries) {
    const list = geometry.type === "Polygon" ? [geometry.coordinates] : geometry.coordinates;
    for (const polygon of list) {
        // Slivers without area (one runs along the pole) have no inside to fill.
        const rings = polygon.map(quantize).filter((ring) => ring.length >= 3 && turn(ring) !== 0);
        if (rings.length === 0) continue;
        rings.forEach((ring, i) => {
            const outer = i === 0;
            if (outer !== turn(ring) > 0) ring.reverse();
        });
        polygons.push(rings);
    }
}

bytes.push(..."TRMLAND1".split("").map((c) => c.charCodeAt(0)));
u32(polygons.length);
for (const rings of polygons) {
    varint(rings.length);
    for (const ring of rings) {
        varint(ring.length);
        let x = 0;
        let y = 0;
        for (const [px, py] of ring) {
            zigzag(px - x);
            zigzag(py - y);
            x = px;
            y = py;
        }
    }
}
let hash = 0x811c9dc5;
for (const b of bytes) hash = Math.imul(hash ^ b, 0x01000193) >>> 0;
u32(hash);
writeFileSync(out, Buffer.from(bytes));
console.log(`${out}: ${polygons.length} polygons, ${bytes.length} bytes`);
