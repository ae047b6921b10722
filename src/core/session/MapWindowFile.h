#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"

namespace tremolux {

// What a saved map window holds: its city and its display settings. A city
// without a name stands for the current city, which a new window takes.
struct MapWindow {
    CityEntry city;
    DisplaySettings settings;
};

// The first line of a map window file, followed by a space and the version.
inline constexpr std::string_view kMapWindowFormat = "Tremolux map window";
inline constexpr int kMapWindowVersion = 1;

// The window's values as key and text, in the order a file lists them.
std::vector<std::pair<std::string, std::string>> MapWindowValues(const MapWindow& window);

// The whole file: the format line, then one key=value line per value.
std::string WriteMapWindow(const MapWindow& window);

// Reads one value into window. Returns why the key or the value is not
// taken; window is then unchanged. A latitude or longitude moves the city.
std::optional<std::string> ReadMapWindowValue(std::string_view key, std::string_view value,
                                              MapWindow& window);

struct MapWindowReadResult {
    MapWindow window;
    int line = 0;  // 1-based line of the error, 0 when there is none
    std::string error;

    bool ok() const { return error.empty(); }
};

// Reads a whole file. An empty text is the default window; anything else
// must be a complete document of a version this program knows.
MapWindowReadResult ReadMapWindow(std::string_view text);

// A city at the given decimal degrees, with the degree, minute and second
// fields filled in to match.
CityEntry CityAt(const std::string& name, double latitude, double longitude);

}  // namespace tremolux
