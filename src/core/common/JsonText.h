#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// The text as a JSON string, quotes included.
std::string JsonText(std::string_view text);

}  // namespace tremolux
