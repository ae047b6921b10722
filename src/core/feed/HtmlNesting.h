#pragma once

#include <cstddef>
#include <string>

#include "core/feed/StopFlag.h"

namespace tremolux {

// How deep elements nest before further ones are left out, as in browsers:
// the tree builder's cost grows with the depth of every element it adds.
inline constexpr std::size_t kMaxHtmlDepth = 512;

// Ten thousand quake rows hold some 90,000 elements; each costs the built tree
// a few hundred bytes, so that a million keep any page under 600 MB. A page
// with more is refused, however it would be read.
inline constexpr std::size_t kMaxHtmlElements = 1'000'000;

// A page's markup as it is built: start tags that would nest deeper than
// kMaxHtmlDepth are taken out (their text stays), and the start tags are
// counted. Tables, their rows and cells, and the elements the parser closes
// when a sibling starts are never taken out; they do not nest by themselves.
struct CappedHtml {
    std::string page;
    std::size_t startTags = 0;
};
// Throws Stopped once stop is raised.
CappedHtml CapHtmlNesting(std::string page, const StopFlag& stop = StopFlag::Never());

}  // namespace tremolux
