#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// A JSON text cut off part-way, taken back to the end of its last complete
// member of the root or element of a container directly inside the root, then
// closed: what a feed list held before the cut, and nothing half-read.
// Empty when not even the root was opened.
std::string CloseTruncatedJson(std::string_view json);

}  // namespace tremolux
