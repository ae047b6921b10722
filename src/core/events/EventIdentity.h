#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tremolux {

class QuakeList;
struct QuakeRecord;

// The one rule by which two rows, of one load or of two, are the same event.
// An event is known by its agency's id; the feed's list of ids names every id
// it has had, so an event whose preferred id changes stays one event. A feed
// without ids (the classic page) keys it by its origin time to the second and
// its position to 0.001 degree.

// The id the event is known by now: the feed's preferred id, or the key made
// of its origin and position.
std::string EventKey(const QuakeRecord& quake);

// Every id of the event: its key first, then the others the feed lists, each
// once; a list of absurd length is cut short.
std::vector<std::string> EventIds(const QuakeRecord& quake);
// The same ids, in the same order, each seen without a string of its own:
// for the walks that look at every id of a long list.
void ForEachEventId(const QuakeRecord& quake,
                    const std::function<void(std::string_view id)>& visit);

bool SameEvent(const QuakeRecord& a, const QuakeRecord& b);

// The index of the event in the list, -1 when the list does not hold it.
int FindEvent(const QuakeList& quakes, const QuakeRecord& event);

}  // namespace tremolux
