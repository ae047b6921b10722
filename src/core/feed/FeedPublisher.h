#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// Who the quakes read from ADDRESS come from, as the about box credits them:
// "U.S. Geological Survey" for an http or https address on the USGS's own
// servers, else the address itself, so that a file or a mirror is never
// passed off as the survey's data.
std::string FeedPublisher(std::string_view address);

}  // namespace tremolux
