#pragma once

#include <cstddef>
#include <string_view>

namespace tremolux {

// U+FFFD, what stands in for a byte or character that cannot be shown.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0
// (overlongs, surrogates and values past U+10FFFF are not well formed).
std::size_t Utf8SequenceLength(std::string_view text);

}  // namespace tremolux
