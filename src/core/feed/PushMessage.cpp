#include "core/feed/PushMessage.h"

#include <cmath>
#include <string>

#include <simdjson.h>

#include "core/feed/FeedTime.h"

namespace tremolux {

namespace {

// A text past this is cut: a region or id is never this long.
constexpr std::size_t kTextLimit = 256;

std::string_view Text(simdjson::dom::object properties, const char* key)
{
    std::string_view text;
    if (properties[key].get_string().get(text) != simdjson::SUCCESS)
        return {};
    return text.substr(0, kTextLimit);
}

std::optional<double> Number(simdjson::dom::object properties, const char* key)
{
    double number = 0.0;
    if (properties[key].get_double().get(number) != simdjson::SUCCESS || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// The event page is made from the id only when the id cannot change the
// address's meaning.
bool PlainId(std::string_view id)
{
    for (const char c : id) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')
                           || (c >= 'a' && c <= 'z') || c == '_' || c == '-';
        if (!plain)
            return false;
    }
    return !id.empty();
}

}  // namespace

struct PushMessageReader::Parser {
    simdjson::dom::parser parser;
};

PushMessageReader::PushMessageReader() : m_parser(std::make_unique<Parser>())
{
}

PushMessageReader::~PushMessageReader() = default;

std::optional<PushMessage> PushMessageReader::Read(std::string_view text)
{
    simdjson::dom::object message;
    if (m_parser->parser.parse(text.data(), text.size(), true).get_object().get(message)
        != simdjson::SUCCESS)
        return std::nullopt;
    std::string_view action;
    simdjson::dom::object properties;
    if (message["action"].get_string().get(action) != simdjson::SUCCESS
        || message["data"]["properties"].get_object().get(properties) != simdjson::SUCCESS)
        return std::nullopt;
    PushMessage pushed;
    if (action == "create")
        pushed.action = PushMessage::Action::Create;
    else if (action == "update")
        pushed.action = PushMessage::Action::Update;
    else
        return std::nullopt;

    QuakeRecord& quake = pushed.quake;
    const std::optional<double> latitude = Number(properties, "lat");
    const std::optional<double> longitude = Number(properties, "lon");
    quake.eventId = Text(properties, "unid");
    quake.time = IsoDate(Text(properties, "time"));
    if (quake.eventId.empty() || !quake.time.valid || !latitude || !longitude
        || std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0)
        return std::nullopt;
    quake.latitude = *latitude;
    quake.longitude = *longitude;
    quake.depth = Number(properties, "depth").value_or(0.0);
    quake.magnitude = Number(properties, "mag").value_or(0.0);
    quake.magnitudeType = Text(properties, "magtype");
    quake.region = Text(properties, "flynn_region");
    quake.network = Text(properties, "auth");
    quake.updated = IsoDate(Text(properties, "lastupdate"));
    quake.ids = "," + quake.eventId + ",";
    if (PlainId(quake.eventId))
        quake.eventPage = "https://www.seismicportal.eu/eventdetails.html?unid=" + quake.eventId;
    return pushed;
}

}  // namespace tremolux
