#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/BumpArena.h"

namespace tremolux {
namespace {

// Pieces of every size, small, block-sized and larger, each filled with its
// own byte: none may overlap another or be misaligned.
TEST(BumpArena, PiecesAreAlignedAndApart)
{
    BumpArena arena;
    struct Piece {
        unsigned char* data;
        std::size_t size;
    };
    std::vector<Piece> pieces;
    for (std::size_t size : {0, 1, 5, 16, 17, 4000, 40000, 300000, 3, 1 << 20, 7, 100000}) {
        for (int i = 0; i < 8; ++i) {
            auto* data = static_cast<unsigned char*>(arena.Allocate(size));
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(data) % alignof(void*), 0u);
            std::memset(data, static_cast<int>(pieces.size() % 251), size);
            pieces.push_back({data, size});
        }
    }
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const auto fill = static_cast<unsigned char>(p % 251);
        EXPECT_TRUE(std::all_of(pieces[p].data, pieces[p].data + pieces[p].size,
                                [fill](unsigned char byte) { return byte == fill; }))
            << "piece " << p;
    }
}

}  // namespace
}  // namespace tremolux
