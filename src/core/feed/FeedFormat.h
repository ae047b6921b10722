#pragma once

#include <cstddef>
#include <string_view>

namespace tremolux {

enum class FeedFormat { Html, GeoJson, Csv, FdsnText };

// How many bytes of a feed's start tell its format.
inline constexpr std::size_t kFeedFormatWindow = 64 * 1024;

// Where a feed's content starts in UTF-8 bytes: after a UTF-8 byte order mark
// and HTML's white space.
std::size_t FeedContentStart(std::string_view utf8);

// The format a feed's bytes are read in, told by their first kilobytes (text
// behind a UTF-16 byte order mark as its UTF-8): GeoJSON when the content is
// a JSON object or array, whole or cut off; CSV when its first line names the
// quake columns; FDSN event text when its first line is that format's header;
// else HTML.
FeedFormat GuessFeedFormat(std::string_view bytes);

}  // namespace tremolux
