#include "cli/ArgumentRules.h"

#include <charconv>
#include <optional>

#include "cli/NumberText.h"
#include "core/common/Clock.h"

namespace tremolux {

namespace {

std::optional<int> ParseInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A latitude in -90 ... 90 and a longitude in -180 ... 180; named after the
// argument they came from.
bool CheckRange(const std::string& name, double value, double limit, std::string& error)
{
    if (value >= -limit && value <= limit)
        return true;
    error = name + ": " + FormatNumber(value) + " outside -" + FormatNumber(limit) + " ... "
            + FormatNumber(limit);
    return false;
}

bool ApplyNumber(std::optional<double>& field, const char* name, const std::string& value,
                 std::string& error)
{
    field = ParseNumber(value);
    if (!field)
        error = std::string(name) + ": expected a number, got " + Quoted(value);
    return field.has_value();
}

bool ApplyTime(std::optional<OleDate>& field, const char* name, const std::string& v,
               std::string& error)
{
    field = ParseClockText(v);
    if (!field)
        error = std::string(name) + ": expected \"YYYY-MM-DD HH:MM:SS\" (UTC), got " + Quoted(v);
    return field.has_value();
}

bool ApplyNow(CliOptions& o, const std::string& v, std::string& error)
{
    return ApplyTime(o.now, "--now", v, error);
}

bool ApplyAt(CliOptions& o, const std::string& v, std::string& error)
{
    const std::size_t comma = v.find(',');
    const auto lat = ParseNumber(std::string_view(v).substr(0, comma));
    const auto lon = comma == std::string::npos
                         ? std::nullopt
                         : ParseNumber(std::string_view(v).substr(comma + 1));
    if (!lat || !lon) {
        error = "--at: expected LAT,LON in decimal degrees, got " + Quoted(v);
        return false;
    }
    if (!CheckRange("--at latitude", *lat, 90.0, error)
        || !CheckRange("--at longitude", *lon, 180.0, error))
        return false;
    o.at = LatLon{*lat, *lon};
    return true;
}

bool ApplySize(CliOptions& o, const std::string& v, std::string& error)
{
    const std::size_t x = v.find('x');
    const auto w = ParseInteger(std::string_view(v).substr(0, x));
    const auto h =
        x == std::string::npos ? std::nullopt : ParseInteger(std::string_view(v).substr(x + 1));
    constexpr int kLargest = 16384;
    if (!w || !h || *w < 1 || *h < 1 || *w > kLargest || *h > kLargest) {
        error = "--size: expected WIDTHxHEIGHT in pixels (1 ... 16384), got " + Quoted(v);
        return false;
    }
    o.width = *w;
    o.height = *h;
    return true;
}

}  // namespace

std::span<const OptionRule> OptionRules()
{
    static const std::vector<OptionRule> rules = {
        {"--feed", true, kQuakes | kIndex | kMap | kWorld | kUpdate | kAlerts,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.feeds.push_back(v);
             return true;
         },
         true},
        {"--now", true, kIndex | kMap | kWorld | kUpdate | kAlerts, ApplyNow},
        {"--db", true, kUpdate | kHistory | kAlerts,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.db = v;
             return true;
         }},
        {"--rules", true, kAlerts,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.rules = v;
             return true;
         }},
        {"--since", true, kHistory,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyTime(o.since, "--since", v, error);
         }},
        {"--until", true, kHistory,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyTime(o.until, "--until", v, error);
         }},
        {"--format", true, kHistory,
         [](CliOptions& o, const std::string& v, std::string& error) {
             if (v != "tsv" && v != "csv" && v != "geojson") {
                 error = "--format: expected tsv, csv or geojson, got " + Quoted(v);
                 return false;
             }
             o.format = v;
             return true;
         }},
        {"--at", true, kIndex | kMap | kWorld, ApplyAt},
        {"--city", true, kIndex | kMap | kWorld,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.city = v;
             return true;
         }},
        {"--cities", true, kIndex | kMap | kWorld | kAlerts,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.cities = v;
             return true;
         }},
        {"--size", true, kMap | kWorld, ApplySize},
        {"--hours", true, kMap | kWorld,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.hours, "--hours", v, error);
         }},
        {"--nearest", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.nearestKm, "--nearest", v, error);
         }},
        {"--pie", true, kMap,
         [](CliOptions& o, const std::string& v, std::string& error) {
             return ApplyNumber(o.pieKm, "--pie", v, error);
         }},
        {"--no-texts", false, kMap,
         [](CliOptions& o, const std::string&, std::string&) {
             o.noTexts = true;
             return true;
         }},
        {"--out", true, kMap | kWorld,
         [](CliOptions& o, const std::string& v, std::string&) {
             o.out = v;
             return true;
         }},
        {"--trace", false, kMap | kWorld,
         [](CliOptions& o, const std::string&, std::string&) {
             o.trace = true;
             return true;
         }},
    };
    return rules;
}

const OptionRule* FindOption(std::string_view name)
{
    for (const OptionRule& rule : OptionRules()) {
        if (name == rule.name)
            return &rule;
    }
    return nullptr;
}

bool ReadDistanceArguments(const std::vector<std::string>& arguments, std::vector<double>& numbers,
                           std::string& error)
{
    static constexpr const char* kNames[] = {"LAT1", "LON1", "LAT2", "LON2"};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::optional<double> value = ParseNumber(arguments[i]);
        if (!value) {
            error = std::string(kNames[i]) + ": expected a number, got " + Quoted(arguments[i]);
            return false;
        }
        if (!CheckRange(kNames[i], *value, i % 2 == 0 ? 90.0 : 180.0, error))
            return false;
        numbers.push_back(*value);
    }
    return true;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

}  // namespace tremolux
