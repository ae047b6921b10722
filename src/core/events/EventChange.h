#pragma once

#include <optional>
#include <string>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

enum class ChangeKind { New, Revised, Retracted };

// The word the command line and the alert log print for a kind of change.
inline const char* ChangeKindName(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::New:
        return "new";
    case ChangeKind::Revised:
        return "revised";
    case ChangeKind::Retracted:
        break;
    }
    return "retracted";
}

// What one load changed about one event.
struct EventChange {
    ChangeKind kind;
    QuakeRecord event;                  // its latest values
    std::optional<QuakeRecord> before;  // the stored values before a revision
    std::string what;  // "magnitude 5.8 -> 6.4, status automatic -> reviewed", empty unless revised
};

}  // namespace tremolux
