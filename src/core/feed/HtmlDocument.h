#pragma once

#include <memory>
#include <string>

#include "core/feed/FeedDocument.h"
#include "core/feed/StopFlag.h"

namespace tremolux {

// An HTML page as a browser builds it (HTML5 tree construction): every table
// in document order, nested ones included, each with its own rows and each
// row with its td and th cells. Bytes that are not UTF-8 are first decoded
// from the charset the page declares. A page without any table cannot be
// viewed as tables. Throws Stopped once stop is raised, at any stage of the build.
std::unique_ptr<FeedDocument> OpenHtmlDocument(std::string page,
                                               const StopFlag& stop = StopFlag::Never());

// The same document always built through the full tree construction, which
// OpenHtmlDocument spares plain table pages.
std::unique_ptr<FeedDocument> OpenHtmlTreeDocument(std::string page,
                                                   const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
