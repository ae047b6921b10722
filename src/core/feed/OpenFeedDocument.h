#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// Room a reader leaves after a feed's bytes (capacity beyond their size): the
// JSON parser reads a little past the end of its text and, given the room,
// need not copy the text to get it.
inline constexpr std::size_t kFeedPadding = 64;

// The loaded bytes as a document, its format told by the content: JSON (a
// GeoJSON FeatureCollection) when the text is a JSON object or array, whole or
// cut off; CSV when its first line names the quake columns; else HTML. Text
// behind a UTF-16 byte order mark is read in any of the three.
// Never null; bytes that cannot be viewed as tables give a document that says so.
// Throws Stopped once stop is raised: a build nobody waits for ends early.
std::unique_ptr<FeedDocument> OpenFeedDocument(std::string bytes,
                                               const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
