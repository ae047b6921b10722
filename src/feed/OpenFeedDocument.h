#pragma once

#include <memory>
#include <string>

#include "feed/FeedDocument.h"

namespace tremolux {

// The loaded bytes as a document, its format told by the content: JSON (a
// GeoJSON FeatureCollection), CSV (a first line of column names) or else HTML.
// Never null; bytes that cannot be viewed as tables give a document that says so.
std::unique_ptr<FeedDocument> OpenFeedDocument(std::string bytes);

}  // namespace tremolux
