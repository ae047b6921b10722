#pragma once

#include <string>
#include <vector>

#include "core/common/OleDate.h"
#include "core/events/EventChange.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

class EventStore;
class QuakeList;

// Compares a good load of the feed with the store, writes its outcome there
// and returns its changes, load order first, then the retracted, newest first:
// - new: an event none of whose ids the store knows, however old;
// - revised: a known event whose magnitude changed at the first decimal, that
//   moved 1 km or more or changed its depth by 1 km or more, whose status,
//   PAGER alert or tsunami flag changed, or whose preferred id changed;
// - retracted: an event the feed marks deleted, or one the store last saw in
//   this feed that is missing although the load reaches back past it.
// A row whose ids an earlier row of the load already named is the same event
// again and is skipped. Throws StoreError when the store fails; then nothing
// of the load is kept. A failed or partial load must not be passed at all.
// Throws Stopped, keeping nothing of the load, once stop is raised.
std::vector<EventChange> CompareLoad(EventStore& store, const std::string& feed,
                                     const QuakeList& quakes, OleDate now,
                                     const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
