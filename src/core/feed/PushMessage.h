#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

// What a push service says of one event: that it is new or that it changed.
struct PushMessage {
    enum class Action { Create, Update };
    Action action = Action::Create;
    QuakeRecord quake;  // eventId is the service's id of the event (unid)
};

// Reads the realtime service's messages,
// {"action": "create"|"update", "data": <GeoJSON feature>}, whose feature
// properties hold unid, time, lastupdate, lat, lon, depth, mag, magtype,
// flynn_region and auth. Keeps its parser's buffers between messages.
class PushMessageReader {
public:
    PushMessageReader();
    ~PushMessageReader();
    PushMessageReader(const PushMessageReader&) = delete;
    PushMessageReader& operator=(const PushMessageReader&) = delete;

    // The event the message tells of; nothing for a message that is not
    // JSON, names another action, or lacks the event's id, time or place.
    std::optional<PushMessage> Read(std::string_view text);

private:
    struct Parser;
    std::unique_ptr<Parser> m_parser;
};

}  // namespace tremolux
