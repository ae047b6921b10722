#pragma once

#include <string_view>

#include "core/common/OleDate.h"

namespace tremolux {

// An ISO 8601 UTC time as the feeds write it ("2025-12-07T05:00:00.000Z",
// the fraction and the Z optional) in the page's form "2025/12/07 05:00:00",
// written into buffer; other texts unchanged.
std::string_view FeedTime(std::string_view iso, char (&buffer)[19]);

// The feed's ISO time as a date; unknown for any other text.
OleDate IsoDate(std::string_view iso);

}  // namespace tremolux
