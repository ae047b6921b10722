#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/feed/FeedDocument.h"

namespace tremolux {

// One source's loaded document, named as the user knows the source; null
// when the source has not loaded yet. A source without a name (a query that
// stands in for the feed itself) adds its quakes but says nothing of them.
struct SourceDocument {
    std::string name;
    const FeedDocument* document = nullptr;
};

// The sources' quakes merged into one table of quake rows, newest first (see
// MergeSources), which the page walk reads like any feed. The sources that
// have no document, or one that cannot be walked, are left out.
std::unique_ptr<FeedDocument> MergedFeedDocument(const std::vector<SourceDocument>& sources);

}  // namespace tremolux
