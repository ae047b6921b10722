#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/cities/CityEntry.h"
#include "core/common/DisplaySettings.h"
#include "core/common/Result.h"

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

// Reads one value into window, or fails with why the key or the value is not
// taken; window is then unchanged. A latitude or longitude moves the city.
Result<> ReadMapWindowValue(std::string_view key, std::string_view value, MapWindow& window);

// Reads a whole file. An empty text is the default window; anything else
// must be a complete document of a version this program knows. A failure
// names the line: "line 3: texts must be 0 or 1".
Result<MapWindow> ReadMapWindow(std::string_view text);

// A city at the given decimal degrees, with the degree, minute and second
// fields filled in to match.
CityEntry CityAt(const std::string& name, double latitude, double longitude);

}  // namespace tremolux
