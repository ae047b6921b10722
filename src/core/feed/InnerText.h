#pragma once

#include <cstddef>
#include <string>

#include <gumbo.h>

#include "core/feed/TextBuilder.h"

namespace tremolux {

// An element's rendered text as a browser's innerText gives it, in UTF-8:
// white-space runs collapsed to one space and trimmed at the edges, <br> as
// "\n", blocks on lines of their own, table cells apart by TAB, the content of
// script, style, hidden and other unrendered elements left out, U+00A0 kept.
// At most kInnerTextLimit bytes, cut after the last whole character.
std::string InnerText(const GumboNode& element);

}  // namespace tremolux
