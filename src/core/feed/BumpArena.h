#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace tremolux {

// Memory handed out by moving a pointer through large blocks and given back
// all at once when the arena goes: for a parser that builds one tree of many
// small pieces, which are freed together with the tree and never one by one.
class BumpArena {
public:
    BumpArena() = default;
    BumpArena(const BumpArena&) = delete;
    BumpArena& operator=(const BumpArena&) = delete;

    // Aligned for pointers and sizes, the most that gumbo's structures hold:
    // malloc's wider alignment would cost a tenth more memory on a feed page.
    // Throws std::bad_alloc when memory runs out.
    void* Allocate(std::size_t size);

private:
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::byte* m_next = nullptr;
    std::size_t m_left = 0;
};

}  // namespace tremolux
