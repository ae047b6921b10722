#include "core/feed/BumpArena.h"

#include <cstdint>
#include <new>

namespace tremolux {

namespace {

constexpr std::size_t kAlignment = alignof(void*);
// Large enough that a block is rarely started, small enough that a short page
// does not hold much more than it uses.
constexpr std::size_t kBlockSize = std::size_t{256} << 10;
// Pieces above this size get a block of their own, so the room left in the
// current block is not given up for them.
constexpr std::size_t kLargestShared = kBlockSize / 8;

}  // namespace

void* BumpArena::Allocate(std::size_t size)
{
    if (size > SIZE_MAX - kAlignment)
        throw std::bad_alloc();
    size = size == 0 ? kAlignment : (size + kAlignment - 1) & ~(kAlignment - 1);
    if (size > kLargestShared)
        return m_blocks.emplace_back(std::make_unique_for_overwrite<std::byte[]>(size)).get();
    if (size > m_left) {
        m_next =
            m_blocks.emplace_back(std::make_unique_for_overwrite<std::byte[]>(kBlockSize)).get();
        m_left = kBlockSize;
    }
    void* allocated = m_next;
    m_next += size;
    m_left -= size;
    return allocated;
}

}  // namespace tremolux
