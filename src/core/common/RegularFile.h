#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/common/Result.h"

namespace tremolux {

// The failure of a file over the bytes allowed, in general words: a caller
// that can say what the file was meant to be words it its own way.
inline constexpr std::string_view kFileTooLarge = "it is too large";

// The whole of a regular file of at most maxBytes, with room for `padding`
// more bytes behind them, or why there is none (the system's reason where it
// gave one). Anything else is refused without waiting: a FIFO would block its
// reader for good, a device may never end.
Result<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes,
                                    std::size_t padding = 0);

// Why a file at path must not be replaced by a save, or nothing: a device or a
// FIFO is not a document, and a save would put a plain file in its place.
std::string SpecialFileKind(const std::string& path);

}  // namespace tremolux
