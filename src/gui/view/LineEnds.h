#pragma once

#include <cstddef>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

// A number kept for each point, as a painter walking its lines backwards keeps
// the widest later end at each: a flat open-addressing table, since every line
// looks up two points and most paints have thousands of lines.
class LineEnds {
public:
    // The number for the point, 0 until set; valid until the next call.
    int& At(CanvasPoint point);

private:
    struct Slot {
        CanvasPoint point;
        int value = 0;
        bool used = false;
    };

    std::size_t find(CanvasPoint point) const;
    void grow();

    std::vector<Slot> m_slots = std::vector<Slot>(64);
    std::size_t m_used = 0;
};

}  // namespace tremolux
