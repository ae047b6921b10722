#include "core/events/EventExport.h"

#include <charconv>
#include <cmath>

#include "core/common/JsonText.h"
#include "core/events/EventIdentity.h"
#include "core/list/QuakeText.h"

namespace tremolux {

namespace {

constexpr double kUnixEpoch = 25569.0;  // 1970-01-01 as a date

// Shortest text that reads back as the same number; empty when unknown.
std::string Number(double value)
{
    if (!std::isfinite(value))
        return {};
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// The fields of a line, in the header's order.
std::vector<std::string> Fields(const HistoryEntry& entry)
{
    const QuakeRecord& q = entry.event;
    return {EventKey(q),
            Number(q.magnitude),
            UtcText(q.time),
            Number(q.latitude),
            Number(q.longitude),
            Number(q.depth),
            q.region,
            q.status,
            entry.retracted ? "yes" : "no",
            std::to_string(entry.revisions)};
}

constexpr const char* kHeader[] = {"id",    "magnitude", "time",   "latitude",  "longitude",
                                   "depth", "region",    "status", "retracted", "revisions"};

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string JsonNumber(double value)
{
    const std::string text = Number(value);
    return text.empty() ? "null" : text;
}

template <typename T>
std::string JsonOptional(const std::optional<T>& value)
{
    return value ? JsonNumber(static_cast<double>(*value)) : "null";
}

std::string JsonWord(const std::string& text)
{
    return text.empty() ? "null" : JsonText(text);
}

// Milliseconds since 1970, as the USGS feed writes times.
std::string JsonTime(OleDate time)
{
    return time.valid ? JsonNumber(std::round((time.value - kUnixEpoch) * 86400000.0)) : "null";
}

std::string Feature(const HistoryEntry& entry)
{
    const QuakeRecord& q = entry.event;
    return "{\"type\":\"Feature\",\"id\":" + JsonText(EventKey(q)) + ",\"properties\":{"
           + "\"mag\":" + JsonNumber(q.magnitude) + ",\"place\":" + JsonText(q.region)
           + ",\"time\":" + JsonTime(q.time) + ",\"updated\":" + JsonTime(q.updated)
           + ",\"url\":" + JsonWord(q.eventPage) + ",\"felt\":" + JsonOptional(q.feltReports)
           + ",\"cdi\":" + JsonOptional(q.cdi) + ",\"mmi\":" + JsonOptional(q.mmi)
           + ",\"alert\":" + JsonWord(q.alert) + ",\"status\":" + JsonWord(q.status)
           + ",\"tsunami\":" + JsonOptional(q.tsunami) + ",\"sig\":" + JsonOptional(q.significance)
           + ",\"net\":" + JsonWord(q.network) + ",\"ids\":" + JsonWord(q.ids) + ",\"magType\":"
           + JsonWord(q.magnitudeType) + ",\"type\":\"earthquake\"" + ",\"firstSeen\":"
           + JsonTime(entry.firstSeen) + ",\"revisions\":" + std::to_string(entry.revisions)
           + ",\"retracted\":" + (entry.retracted ? "true" : "false")
           + "},\"geometry\":{\"type\":\"Point\",\"coordinates\":[" + JsonNumber(q.longitude) + ","
           + JsonNumber(q.latitude) + "," + JsonNumber(q.depth) + "]}}";
}

std::string Lines(const std::vector<HistoryEntry>& entries, char separator,
                  std::string (*field)(const std::string&))
{
    std::string text;
    for (const char* name : kHeader)
        text += (text.empty() ? "" : std::string(1, separator)) + name;
    text += '\n';
    for (const HistoryEntry& entry : entries) {
        std::string line;
        for (const std::string& value : Fields(entry))
            line += (line.empty() ? "" : std::string(1, separator)) + field(value);
        text += line + '\n';
    }
    return text;
}

}  // namespace

std::string EventsAsTsv(const std::vector<HistoryEntry>& entries)
{
    // Feed texts reach here with their control characters replaced: no TAB
    // or line break can split a field.
    return Lines(entries, '\t', [](const std::string& text) { return text; });
}

std::string EventsAsCsv(const std::vector<HistoryEntry>& entries)
{
    return Lines(entries, ',', CsvField);
}

std::string EventsAsGeoJson(const std::vector<HistoryEntry>& entries)
{
    std::string json = "{\"type\":\"FeatureCollection\",\"features\":[";
    for (std::size_t i = 0; i < entries.size(); ++i)
        json += (i ? ",\n" : "\n") + Feature(entries[i]);
    return json + "\n]}\n";
}

}  // namespace tremolux
