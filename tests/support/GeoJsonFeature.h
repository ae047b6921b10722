// One quake as a USGS GeoJSON feed writes it, for feeds made up on the spot.
#pragma once

#include <string>
#include <vector>

namespace tremolux::test {

inline std::string GeoJsonFeature(double magnitude, const std::string& place, long long timeMs,
                                  double longitude, double latitude)
{
    return R"({"type":"Feature","properties":{"mag":)" + std::to_string(magnitude) + R"(,"place":")"
           + place + R"(","time":)" + std::to_string(timeMs)
           + R"(},"geometry":{"type":"Point","coordinates":[)" + std::to_string(longitude) + ","
           + std::to_string(latitude) + ",10.0]}}";
}

// A quake with its agency's id, as the feed writes it; more holds further
// properties ("\"status\":\"deleted\",").
inline std::string GeoJsonEvent(const std::string& id, double magnitude, long long timeMs,
                                double latitude, const std::string& more = {})
{
    return R"({"type":"Feature","id":")" + id + R"(","properties":{)" + more + R"("mag":)"
           + std::to_string(magnitude) + R"(,"place":"somewhere","time":)" + std::to_string(timeMs)
           + R"(},"geometry":{"type":"Point","coordinates":[139.0,)" + std::to_string(latitude)
           + ",10.0]}}";
}

inline std::string FeatureCollection(const std::vector<std::string>& features)
{
    std::string json = R"({"type":"FeatureCollection","features":[)";
    for (std::size_t i = 0; i < features.size(); ++i)
        json += (i ? "," : "") + features[i];
    return json + "]}";
}

}  // namespace tremolux::test
