#pragma once

#include <optional>
#include <string>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

enum class ChangeKind { New, Revised, Retracted };

// What one load changed about one event.
struct EventChange {
    ChangeKind kind;
    QuakeRecord event;                  // its latest values
    std::optional<QuakeRecord> before;  // the stored values before a revision
    std::string what;                   // "magnitude 5.8 -> 6.4, status automatic -> reviewed", empty unless revised
};

}  // namespace tremolux
