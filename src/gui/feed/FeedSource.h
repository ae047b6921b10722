#pragma once

#include <string>

#include "core/common/OleDate.h"
#include "core/feed/FeedDocument.h"

namespace tremolux {

// One place quakes come from, polled or pushed, as the feed pane tells of it.
class FeedSource : public FeedBrowser {
public:
    virtual const std::string& Address() const = 0;
    // Whether the source has anything good to show, and since when (by the
    // program's clock).
    virtual bool HasLoaded() const = 0;
    virtual OleDate LastGoodLoad() const = 0;
    // Why the source is not working now; empty while it is.
    virtual const std::string& LastFailure() const = 0;
};

}  // namespace tremolux
