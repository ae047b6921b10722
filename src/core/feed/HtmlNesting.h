#pragma once

#include <cstddef>
#include <string>

namespace tremolux {

// How deep elements nest before further ones are left out, as in browsers:
// the tree builder's cost grows with the depth of every element it adds.
inline constexpr std::size_t kMaxHtmlDepth = 512;

// A page's markup as it is built: start tags that would nest deeper than
// kMaxHtmlDepth are taken out (their text stays), and the start tags are
// counted. Tables, their rows and cells, and the elements the parser closes
// when a sibling starts are never taken out; they do not nest by themselves.
struct CappedHtml {
    std::string page;
    std::size_t startTags = 0;
};
CappedHtml CapHtmlNesting(std::string page);

}  // namespace tremolux
