#pragma once

#include <cstddef>
#include <string>

namespace tremolux {

// What reading a whole file brought: its bytes, or why there are none.
struct RegularFileRead {
    bool ok = false;
    bool tooLarge = false;  // more than the bytes allowed; error says so in general words
    std::string bytes;
    std::string error;
};

// Reads the whole of a regular file of at most maxBytes, with room for
// `padding` more bytes behind them. Anything else is refused without waiting:
// a FIFO would block its reader for good, a device may never end.
RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes,
                                std::size_t padding = 0);

// Why a file at path must not be replaced by a save, or nothing: a device or a
// FIFO is not a document, and a save would put a plain file in its place.
std::string SpecialFileKind(const std::string& path);

}  // namespace tremolux
