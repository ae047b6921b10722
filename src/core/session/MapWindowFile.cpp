#include "core/session/MapWindowFile.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <set>

#include "core/common/DisplaySettings.h"
#include "core/common/FieldColumns.h"
#include "core/common/Utf8.h"

namespace tremolux {

namespace {

std::string NumberText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<double> ReadNumber(std::string_view text)
{
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()
        || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadWhole(std::string_view text, int max)
{
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()
        || value < 0 || value > max)
        return std::nullopt;
    return value;
}

// A name fits on one line and is well-formed UTF-8 without control characters.
bool IsCityName(std::string_view name)
{
    if (name.empty())
        return false;
    while (!name.empty()) {
        const std::size_t length = Utf8SequenceLength(name);
        if (length == 0
            || (length == 1 && (static_cast<unsigned char>(name[0]) < 0x20 || name[0] == 0x7f)))
            return false;
        name.remove_prefix(length);
    }
    return true;
}

void SplitAngle(double angle, double& degrees, double& minutes, double& seconds)
{
    degrees = std::floor(angle);
    minutes = std::floor((angle - degrees) * 60.0);
    if (minutes > 59.0)
        minutes = 59.0;
    seconds = (angle - degrees - minutes / 60.0) * 3600.0;
}

const char* const kKeys[] = {"city",       "latitude", "longitude", "hours",
                             "nearest_km", "pie_km",   "texts"};

}  // namespace

CityEntry CityAt(const std::string& name, double latitude, double longitude)
{
    CityEntry entry;
    entry.name = name;
    CityPosition& p = entry.position;
    p.latDecimal = latitude;
    p.lonDecimal = longitude;
    p.north = latitude >= 0.0;
    p.west = longitude < 0.0;
    SplitAngle(std::fabs(latitude), p.latDeg, p.latMin, p.latSec);
    SplitAngle(std::fabs(longitude), p.lonDeg, p.lonMin, p.lonSec);
    return entry;
}

std::vector<std::pair<std::string, std::string>> MapWindowValues(const MapWindow& window)
{
    const DisplaySettings& s = window.settings;
    return {
        {"city", window.city.name},
        {"latitude", NumberText(window.city.position.latDecimal)},
        {"longitude", NumberText(window.city.position.lonDecimal)},
        {"hours", std::to_string(static_cast<int>(s.hours))},
        {"nearest_km", std::to_string(static_cast<int>(s.nearestRadius / 1000.0))},
        {"pie_km", std::to_string(static_cast<int>(s.pieRadius / 1000.0))},
        {"texts", s.drawTexts != 0 ? "1" : "0"},
    };
}

std::string WriteMapWindow(const MapWindow& window)
{
    std::string text =
        std::string(kMapWindowFormat) + " " + std::to_string(kMapWindowVersion) + "\n";
    for (const auto& [key, value] : MapWindowValues(window))
        text += key + "=" + value + "\n";
    return text;
}

Result<> ReadMapWindowValue(std::string_view key, std::string_view value, MapWindow& window)
{
    CityEntry& city = window.city;
    DisplaySettings& s = window.settings;
    if (key == "city") {
        if (!IsCityName(value))
            return Failure{"the city name must be one line of text"};
        city.name = std::string(value);
    } else if (key == "latitude" || key == "longitude") {
        const bool latitude = key == "latitude";
        const double limit = latitude ? 90.0 : 180.0;
        const std::optional<double> degrees = ReadNumber(value);
        if (!degrees || std::fabs(*degrees) > limit)
            return Failure{std::string(key) + " must be a number of degrees inside "
                           + (latitude ? "-90 ... 90" : "-180 ... 180")};
        const CityPosition& p = city.position;
        city = CityAt(city.name, latitude ? *degrees : p.latDecimal,
                      latitude ? p.lonDecimal : *degrees);
    } else if (key == "hours") {
        const std::optional<int> hours = ReadWhole(value, kMaxHours);
        if (!hours)
            return Failure{"hours must be a whole number inside 0 ... 168"};
        s.hours = *hours;
    } else if (key == "nearest_km") {
        const std::optional<int> km = ReadWhole(value, kMaxNearestKm);
        if (!km)
            return Failure{"nearest_km must be a whole number inside 0 ... 15000"};
        s.nearestRadius = *km * 1000.0;
    } else if (key == "pie_km") {
        const std::optional<int> km = ReadWhole(value, kMaxPieKm);
        if (!km)
            return Failure{"pie_km must be a whole number inside 0 ... 1000"};
        s.pieRadius = *km * 1000.0;
    } else if (key == "texts") {
        if (value != "0" && value != "1")
            return Failure{"texts must be 0 or 1"};
        s.drawTexts = value == "1" ? 1 : 0;
    } else {
        return Failure{"unknown key \"" + std::string(key) + "\""};
    }
    return {};
}

Result<MapWindow> ReadMapWindow(std::string_view text)
{
    MapWindow window;
    if (text.empty())
        return window;
    auto fail = [](int line, const std::string& error) {
        return Failure{"line " + std::to_string(line) + ": " + error};
    };

    std::set<std::string, std::less<>> seen;
    int line = 0;
    while (!text.empty() || line == 0) {
        const std::size_t end = text.find('\n');
        const std::string_view content = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line;
        if (line == 1) {
            const std::string prefix = std::string(kMapWindowFormat) + " ";
            if (content.substr(0, prefix.size()) != prefix)
                return fail(line, "this is not a Tremolux map window file");
            const std::optional<int> version = ReadWhole(content.substr(prefix.size()), 1 << 30);
            if (!version || *version < 1)
                return fail(line, "the format version is not a number");
            if (*version > kMapWindowVersion)
                return fail(line, "the file was written by a newer version of Tremolux "
                                  "(format version "
                                      + std::to_string(*version) + ")");
            continue;
        }
        if (content.empty() || content.front() == '#')
            continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return fail(line, "a key=value line was expected");
        const std::string_view key = Trimmed(content.substr(0, equals));
        const std::string_view value = Trimmed(content.substr(equals + 1));
        if (seen.count(key) != 0)
            return fail(line, "\"" + std::string(key) + "\" is given twice");
        if (const Result<> read = ReadMapWindowValue(key, value, window); !read)
            return fail(line, read.error());
        seen.emplace(key);
    }
    for (const char* key : kKeys) {
        if (seen.count(std::string_view(key)) == 0)
            return fail(line, std::string("\"") + key + "\" is missing");
    }
    return window;
}

}  // namespace tremolux
