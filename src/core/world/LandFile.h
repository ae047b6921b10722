#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tremolux {

struct GeoPoint {
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
};

// One piece of land: its outer ring first, then its holes. Every ring has the
// land on its left (outer rings anticlockwise with longitude as x and latitude
// as y, holes clockwise); the closing point is not repeated. An edge runs the
// shorter way round, so a ring may cross the date line.
struct LandPolygon {
    std::vector<std::vector<GeoPoint>> rings;
};

using Land = std::vector<LandPolygon>;

// Reads the land file written by scripts/make_land.mjs. False with error set
// (what is wrong, in words a user can act on) when the bytes are not a whole,
// undamaged land file; land is then left empty.
bool ParseLand(std::string_view bytes, Land& land, std::string& error);
bool ReadLandFile(const std::string& path, Land& land, std::string& error);

}  // namespace tremolux
