#include "core/feed/GeoJsonDocument.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>

#include <simdjson.h>

#include "core/common/Charset.h"
#include "core/common/CivilDate.h"
#include "core/common/OleDate.h"
#include "core/feed/CellTableDocument.h"
#include "core/feed/OpenFeedDocument.h"
#include "core/feed/TruncatedJson.h"

namespace tremolux {

namespace {

namespace od = simdjson::ondemand;
using simdjson::error_code;
using simdjson::SUCCESS;

// What one feature contributes to its row; texts point into the parser's
// string buffer, which lives as long as the parse.
struct Feature {
    std::string_view url;
    std::string_view type;
    std::string_view place;
    CellTableDocument::EventFields event;
    double magnitude = 0.0;
    bool hasMagnitude = false;
    double timeMs = 0.0;
    bool hasTime = false;
    double coordinates[3] = {};
    bool hasCoordinate[3] = {};
    bool hasProperties = false;
    bool spoilt = false;  // a member held a value of a shape no quake has
};

// A value of the wrong type where an object or array belongs, or a number no
// double can hold, spoils its feature only; any other error means the text is
// broken from there on.
error_code SpoilFeature(error_code error, Feature& feature)
{
    if (error != simdjson::INCORRECT_TYPE && error != simdjson::NUMBER_ERROR)
        return error;
    feature.spoilt = true;
    return SUCCESS;
}

// null, a missing member or a value of another type all read as "none".
error_code ReadNumber(od::value value, double& out, bool& has)
{
    double number = 0.0;
    const error_code error = value.get_double().get(number);
    if (error == simdjson::INCORRECT_TYPE)
        return SUCCESS;
    if (error)
        return error;
    out = number;
    has = true;
    return SUCCESS;
}

// A number of the event's other fields; one no double can hold is unknown,
// as is null or a value of another type: these fields never cost the quake.
error_code ReadFact(od::value value, double& out, bool& has)
{
    const error_code error = value.get_double().get(out);
    if (error == simdjson::INCORRECT_TYPE || error == simdjson::NUMBER_ERROR)
        return SUCCESS;
    has = !error && std::isfinite(out);
    return error;
}

// An optional number, kept as type T: a count, a flag, a level.
template <typename T>
error_code ReadOptional(od::value value, std::optional<T>& out)
{
    double number = 0.0;
    bool has = false;
    if (error_code error = ReadFact(value, number, has))
        return error;
    if (has) {
        if constexpr (std::is_same_v<T, double>)
            out = number;
        else if constexpr (std::is_same_v<T, bool>)
            out = number != 0.0;
        else if (std::fabs(number) < 1e9)
            out = static_cast<T>(number);
    }
    return SUCCESS;
}

// Milliseconds since 1970 as a date; far beyond any year a date can hold reads as unknown.
error_code ReadEpochDate(od::value value, OleDate& out)
{
    constexpr double kUnixEpoch = 25569.0;  // 1970-01-01 as a date
    double ms = 0.0;
    bool has = false;
    if (error_code error = ReadFact(value, ms, has))
        return error;
    if (has && std::fabs(ms) < 1e15)
        out = OleDate{kUnixEpoch + ms / 86400000.0, true};
    return SUCCESS;
}

error_code ReadText(od::value value, std::string_view& out)
{
    od::json_type type;
    if (error_code error = value.type().get(type))
        return error;
    if (type != od::json_type::string)
        return SUCCESS;
    return value.get_string().get(out);
}

// Sorted by the key's first letter, so that each of the many members costs
// a comparison or two.
error_code ReadProperty(const od::raw_json_string& key, od::value value, Feature& feature)
{
    CellTableDocument::EventFields& event = feature.event;
    switch (key.raw()[0]) {
    case 'a':
        return key == "alert" ? ReadText(value, event.alert) : SUCCESS;
    case 'c':
        return key == "cdi" ? ReadOptional(value, event.numbers.cdi) : SUCCESS;
    case 'f':
        return key == "felt" ? ReadOptional(value, event.numbers.feltReports) : SUCCESS;
    case 'i':
        return key == "ids" ? ReadText(value, event.ids) : SUCCESS;
    case 'm':
        if (key == "mag")
            return ReadNumber(value, feature.magnitude, feature.hasMagnitude);
        if (key == "magType")
            return ReadText(value, event.magnitudeType);
        return key == "mmi" ? ReadOptional(value, event.numbers.mmi) : SUCCESS;
    case 'n':
        return key == "net" ? ReadText(value, event.network) : SUCCESS;
    case 'p':
        return key == "place" ? ReadText(value, feature.place) : SUCCESS;
    case 's':
        if (key == "status")
            return ReadText(value, event.status);
        return key == "sig" ? ReadOptional(value, event.numbers.significance) : SUCCESS;
    case 't':
        if (key == "time")
            return ReadNumber(value, feature.timeMs, feature.hasTime);
        if (key == "type")
            return ReadText(value, feature.type);
        return key == "tsunami" ? ReadOptional(value, event.numbers.tsunami) : SUCCESS;
    case 'u':
        if (key == "url")
            return ReadText(value, feature.url);
        return key == "updated" ? ReadEpochDate(value, event.numbers.updated) : SUCCESS;
    default:
        return SUCCESS;
    }
}

error_code ReadProperties(od::value value, Feature& feature)
{
    od::object properties;
    if (error_code error = value.get_object().get(properties))
        return error;
    feature.hasProperties = true;
    for (auto member : properties) {
        if (member.error())
            return member.error();
        od::field& field = member.value_unsafe();
        const simdjson::ondemand::raw_json_string key = field.key();
        if (error_code error = ReadProperty(key, field.value(), feature))
            return error;
    }
    return SUCCESS;
}

// Longitude, latitude and depth; a null in their place is a coordinate missing.
error_code ReadCoordinates(od::value value, Feature& feature)
{
    od::array coordinates;
    if (error_code error = value.get_array().get(coordinates))
        return error;
    std::size_t index = 0;
    for (auto element : coordinates) {
        od::value coordinate;
        if (error_code error = element.get(coordinate))
            return error;
        if (index < std::size(feature.coordinates)) {
            if (error_code error = ReadNumber(coordinate, feature.coordinates[index],
                                              feature.hasCoordinate[index]))
                return error;
            ++index;
        }
    }
    return SUCCESS;
}

error_code ReadGeometry(od::value value, Feature& feature)
{
    od::object geometry;
    if (error_code error = value.get_object().get(geometry))
        return error;
    for (auto member : geometry) {
        if (member.error())
            return member.error();
        od::field& field = member.value_unsafe();
        if (field.key() != "coordinates")
            continue;
        if (error_code error = ReadCoordinates(field.value(), feature))
            return error;
    }
    return SUCCESS;
}

error_code ReadFeature(od::value value, Feature& feature)
{
    od::object object;
    if (error_code error = value.get_object().get(object))
        return SpoilFeature(error, feature);
    for (auto member : object) {
        if (member.error())
            return member.error();
        od::field& field = member.value_unsafe();
        const simdjson::ondemand::raw_json_string key = field.key();
        error_code error = SUCCESS;
        if (key == "properties")
            error = ReadProperties(field.value(), feature);
        else if (key == "geometry")
            error = ReadGeometry(field.value(), feature);
        else if (key == "id")
            error = ReadText(field.value(), feature.event.id);
        if (error)
            return SpoilFeature(error, feature);
    }
    return SUCCESS;
}

// "YYYY/MM/DD HH:MM:SS" of a UTC instant, truncated to the second. For a
// four-digit year, date is what the date parser reads in that text (the plain
// calendar date); otherwise it stays as it is.
std::string_view TimeText(double epochMs, char (&buffer)[32], OleDate& date)
{
    constexpr double kLimit = 1e15;  // far beyond any year the dates can hold
    if (!(std::fabs(epochMs) < kLimit))
        return {};
    const auto ms = static_cast<std::int64_t>(std::floor(epochMs));
    const std::int64_t seconds = ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
    const std::int64_t days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    const std::int64_t secondOfDay = seconds - days * 86400;
    int year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);
    const int hour = static_cast<int>(secondOfDay / 3600);
    const int minute = static_cast<int>(secondOfDay / 60 % 60);
    const int second = static_cast<int>(secondOfDay % 60);
    const int length = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", year,
                                     month, day, hour, minute, second);
    if (year >= 1000 && year <= 9999)
        date = OleDateFromCalendar(year, month, day, hour, minute, second);
    return {buffer, static_cast<std::size_t>(length)};
}

// Features without a type count as earthquakes; quarry blasts, explosions and
// the like would otherwise sound the alert. A feature without properties or a
// position is no quake to show.
void AddRow(const Feature& feature, CellTableDocument& table)
{
    if (!feature.type.empty() && feature.type != "earthquake")
        return;
    if (feature.spoilt || !feature.hasProperties || !feature.hasCoordinate[0]
        || !feature.hasCoordinate[1])
        return;
    char buffer[32];
    table.AddRow();
    table.AddCell(feature.url);
    if (feature.hasMagnitude)
        table.AddNumberCell(feature.magnitude);
    else
        table.AddCell({});
    if (feature.hasTime) {
        OleDate date{0.0, false};
        const std::string_view text = TimeText(feature.timeMs, buffer, date);
        table.AddDateCell(text, date);
    } else {
        table.AddCell({});
    }
    table.AddNumberCell(feature.coordinates[1]);
    table.AddNumberCell(feature.coordinates[0]);
    if (feature.hasCoordinate[2])
        table.AddNumberCell(feature.coordinates[2]);
    else
        table.AddCell({});
    table.AddCell(feature.place);
    table.SetRowEvent(feature.event);
}

// False when the array broke off or its text is broken.
bool ReadFeatures(od::value value, CellTableDocument& table, const StopFlag& stop)
{
    od::array features;
    if (value.get_array().get(features))
        return false;
    for (auto element : features) {
        stop.ThrowIfRaised();
        od::value featureValue;
        Feature feature;
        if (element.get(featureValue) || ReadFeature(featureValue, feature))
            return false;
        AddRow(feature, table);
    }
    return true;
}

class GeoJsonReader {
public:
    explicit GeoJsonReader(std::string json) : m_json(std::move(json)), m_length(m_json.size()) {}

    void ReadInto(CellTableDocument& table, const StopFlag& stop)
    {
        od::document document;
        od::object root;
        error_code error = Open(document, root);
        if (error == simdjson::UTF8_ERROR) {
            m_json.resize(m_length);
            m_json = ToUtf8(std::move(m_json), "utf-8");  // JSON is UTF-8 whatever its bytes say
            m_length = m_json.size();
            error = Open(document, root);
        }
        // A text cut off part-way fails as a whole; closed after its last
        // complete feature it still gives every feature before the cut.
        const bool cutOff = error && error != simdjson::INCORRECT_TYPE;
        if (cutOff) {
            m_json = CloseTruncatedJson(std::string_view(m_json).substr(0, m_length));
            m_length = m_json.size();
            error = m_length ? Open(document, root) : simdjson::EMPTY;
        }
        if (error) {
            table.SetUnviewable();
            return;
        }
        ReadCollection(root, table, cutOff, stop);
    }

private:
    // The parser reads a little past the end of the text it is given.
    static_assert(kFeedPadding >= simdjson::SIMDJSON_PADDING);
    error_code Open(od::document& document, od::object& root)
    {
        m_json.resize(m_length);
        m_json.append(simdjson::SIMDJSON_PADDING, ' ');
        if (error_code error =
                m_parser.iterate(m_json.data(), m_length, m_json.size()).get(document))
            return error;
        return document.get_object().get(root);
    }

    static void ReadCollection(od::object& root, CellTableDocument& table, bool cutOff,
                               const StopFlag& stop)
    {
        bool isCollection = false;
        bool complete = !cutOff;
        for (auto member : root) {
            if (member.error()) {
                complete = false;
                break;
            }
            od::field& field = member.value_unsafe();
            const simdjson::ondemand::raw_json_string key = field.key();
            if (key == "type") {
                std::string_view type;
                if (field.value().get_string().get(type)) {
                    complete = false;
                    break;
                }
                isCollection = type == "FeatureCollection";
            } else if (key == "features" && !ReadFeatures(field.value(), table, stop)) {
                complete = false;
                break;
            }
        }
        if (!isCollection)
            table.SetUnviewable();
        else if (!complete)
            table.BreakOff();
    }

    std::string m_json;
    std::size_t m_length;
    od::parser m_parser;
};

}  // namespace

std::unique_ptr<FeedDocument> OpenGeoJsonDocument(std::string json, const StopFlag& stop)
{
    auto table = std::make_unique<CellTableDocument>();
    GeoJsonReader(std::move(json)).ReadInto(*table, stop);
    return table;
}

}  // namespace tremolux
