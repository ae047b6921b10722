// One quake as a USGS GeoJSON feed writes it, for feeds made up on the spot.
#pragma once

#include <string>

namespace tremolux::test {

inline std::string GeoJsonFeature(double magnitude, const std::string& place, long long timeMs,
                                  double longitude, double latitude)
{
    return R"({"type":"Feature","properties":{"mag":)" + std::to_string(magnitude)
           + R"(,"place":")" + place + R"(","time":)" + std::to_string(timeMs)
           + R"(},"geometry":{"type":"Point","coordinates":[)" + std::to_string(longitude) + ","
           + std::to_string(latitude) + ",10.0]}}";
}

}  // namespace tremolux::test
