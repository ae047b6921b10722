#pragma once

#include <cstdint>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

// The pixels whose centres lie in a rotated rectangle: the segment from
// (x1, y1) to (x2, y2) widened by halfWidth on each side and lengthened by
// extend at each end (a negative extend shortens it). Empty when the segment
// has no length or halfWidth is negative.
struct CoverBand {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    double halfWidth = 0.0;
    double extend = 0.0;
};

// Which pixels of a picture lie under opaque shapes painted later: lets a
// painter walk its operations backwards and leave out those nothing of which
// would show.
class CoverMask {
public:
    explicit CoverMask(const CanvasRect& picture);

    // True when every pixel of the rectangle inside the picture is covered;
    // parts outside the picture never show, so they count as covered.
    bool Covers(const CanvasRect& rect) const;
    void Add(const CanvasRect& rect);
    bool CoversBand(const CoverBand& band) const;
    void AddBand(const CoverBand& band);

private:
    // Pixels [left, right) of row y, in picture coordinates.
    bool coversRow(int y, int left, int right) const;
    void addRow(int y, int left, int right);
    template <typename Rows>
    bool rowInside(const Rows& rows, int y, int& left, int& right) const;
    // The rectangle cut to the picture, in mask coordinates; false when empty.
    bool clip(const CanvasRect& rect, CanvasRect& inside) const;

    CanvasRect m_picture;
    int m_wordsPerRow = 0;
    std::vector<std::uint64_t> m_bits;
};

}  // namespace tremolux
