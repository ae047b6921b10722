#pragma once

#include <vector>

#include "cli/CliOptions.h"
#include "core/common/OleDate.h"
#include "core/events/EventChange.h"
#include "core/feed/QuakeList.h"

namespace tremolux {

// One load of the feeds into the event store, as update and alerts both make it.
struct StoreLoad {
    QuakeList quakes;  // the load's quakes; several feeds merged, newest first
    std::vector<EventChange> changes;
    OleDate now;
};

// Reads every --feed (several are merged, the first preferred), opens the
// store --db and compares the load with it. Returns kExitSuccess, or the exit
// status after the reason was printed on standard error.
int LoadIntoStore(const CliOptions& options, StoreLoad& load);

}  // namespace tremolux
