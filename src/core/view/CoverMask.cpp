#include "core/view/CoverMask.h"

#include <algorithm>

namespace tremolux {

namespace {

constexpr int kBits = 64;
constexpr std::uint64_t kAll = ~std::uint64_t{0};

// Bits [from, to) of one word, 0 <= from < to <= 64.
std::uint64_t WordMask(int from, int to)
{
    const std::uint64_t upper = to == kBits ? kAll : (std::uint64_t{1} << to) - 1;
    return upper & (kAll << from);
}

}  // namespace

CoverMask::CoverMask(const CanvasRect& picture)
    : m_picture(picture),
      m_wordsPerRow(std::max(0, (picture.right - picture.left + kBits - 1) / kBits)),
      m_bits(static_cast<std::size_t>(m_wordsPerRow) * std::max(0, picture.bottom - picture.top))
{
}

bool CoverMask::clip(const CanvasRect& rect, CanvasRect& inside) const
{
    inside.left = std::max(rect.left, m_picture.left) - m_picture.left;
    inside.top = std::max(rect.top, m_picture.top) - m_picture.top;
    inside.right = std::min(rect.right, m_picture.right) - m_picture.left;
    inside.bottom = std::min(rect.bottom, m_picture.bottom) - m_picture.top;
    return inside.left < inside.right && inside.top < inside.bottom;
}

bool CoverMask::Covers(const CanvasRect& rect) const
{
    CanvasRect r;
    if (!clip(rect, r))
        return true;
    const int first = r.left / kBits;
    const int last = (r.right - 1) / kBits;
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
        for (int w = first; w <= last; ++w) {
            const int from = w == first ? r.left % kBits : 0;
            const int to = w == last ? (r.right - 1) % kBits + 1 : kBits;
            const std::uint64_t mask = WordMask(from, to);
            if ((row[w] & mask) != mask)
                return false;
        }
    }
    return true;
}

void CoverMask::Add(const CanvasRect& rect)
{
    CanvasRect r;
    if (!clip(rect, r))
        return;
    const int first = r.left / kBits;
    const int last = (r.right - 1) / kBits;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
        for (int w = first; w <= last; ++w) {
            const int from = w == first ? r.left % kBits : 0;
            const int to = w == last ? (r.right - 1) % kBits + 1 : kBits;
            row[w] |= WordMask(from, to);
        }
    }
}

}  // namespace tremolux
