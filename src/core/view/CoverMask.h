#pragma once

#include <cstdint>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

class LineBand;

// Which pixels of a picture lie under opaque shapes painted later: lets a
// painter walk its operations backwards and leave out those nothing of which
// would show.
class CoverMask {
public:
    explicit CoverMask(const CanvasRect& picture);

    // True when every pixel of the rectangle inside the picture is covered;
    // parts outside the picture never show, so they count as covered.
    bool Covers(const CanvasRect& rect) const;
    // The same for a band.
    bool Covers(const LineBand& band) const;
    void Add(const CanvasRect& rect);
    void Add(const LineBand& band);

private:
    // Row y and columns [left, right) of the mask, all inside it.
    bool rowCovered(int y, int left, int right) const;
    void addRow(int y, int left, int right);

    // Whether every bit of the words [first, last] in strip s (rows 8 s to
    // 8 s + 7) is set: a ray crossing only such words there is covered in
    // those rows, and adds nothing to them.
    bool stripFull(int strip, int first, int last) const;
    // Visits the band's rows strip by strip from its far end, leaving out
    // strips where it crosses only full words: visit(top, bottom) is given
    // the rest, and a false from it ends the walk.
    template <class Visit>
    bool eachOpenStrip(const LineBand& band, Visit&& visit) const;

    CanvasRect m_picture;
    int m_wordsPerRow = 0;
    std::vector<std::uint64_t> m_bits;
    // For each word of each strip, whether it was found full; bits are only
    // ever set, so a full word stays full.
    mutable std::vector<unsigned char> m_fullWords;
};

}  // namespace tremolux
