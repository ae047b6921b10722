#pragma once

#include <optional>
#include <string>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

enum class ChangeKind { New, Revised, Retracted };

// One difference between a good load and the events stored before it.
struct EventChange {
    ChangeKind kind = ChangeKind::New;
    QuakeRecord event;                  // the latest values
    std::optional<QuakeRecord> before;  // the stored values before a revision
    std::string what;                   // what a revision changed, for people
};

}  // namespace tremolux
