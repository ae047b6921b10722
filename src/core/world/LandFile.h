#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"

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

// The land of the file written by scripts/make_land.mjs, or what is wrong, in
// words a user can act on, when the bytes are not a whole, undamaged land file.
Result<Land> ParseLand(std::string_view bytes);
Result<Land> ReadLandFile(const std::string& path);

}  // namespace tremolux
