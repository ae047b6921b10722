#pragma once

#include <string>

#include "core/common/OleDate.h"

namespace tremolux {

class FeedView;

// A line for each source the view reads, in order of preference: its name,
// and whether its last load succeeded and how long ago ("USGS: loaded 3 min
// ago", "EMSC: HTTP 500 Internal Server Error, last loaded 20 min ago").
std::string SourceStatesText(const FeedView& view, OleDate now);

// The same in a few words a source for the feed pane, "USGS 3 min · EMSC
// push failing · INGV waiting"; empty when the view reads one source only.
std::string CompactSourceStates(const FeedView& view, OleDate now);

}  // namespace tremolux
