#pragma once

#include <cstdint>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

// Which pixels of a picture lie under opaque rectangles painted later: lets a
// painter walk its operations backwards and leave out those nothing of which
// would show.
class CoverMask {
public:
    explicit CoverMask(const CanvasRect& picture);

    // True when every pixel of the rectangle inside the picture is covered;
    // parts outside the picture never show, so they count as covered.
    bool Covers(const CanvasRect& rect) const;
    void Add(const CanvasRect& rect);

private:
    // The rectangle cut to the picture, in mask coordinates; false when empty.
    bool clip(const CanvasRect& rect, CanvasRect& inside) const;

    CanvasRect m_picture;
    int m_wordsPerRow = 0;
    std::vector<std::uint64_t> m_bits;
};

}  // namespace tremolux
