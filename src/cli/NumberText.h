#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/OleDate.h"

namespace tremolux {

// A finite decimal number, an optional leading '+' allowed; nothing for any
// other text.
std::optional<double> ParseNumber(std::string_view text);

// Shortest text that reads back as the same double.
std::string FormatNumber(double value);

// "YYYY-MM-DD HH:MM:SS", or "invalid".
std::string FormatTime(OleDate time);

}  // namespace tremolux
