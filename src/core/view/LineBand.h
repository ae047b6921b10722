#pragma once

#include <algorithm>
#include <cstdint>

#include "core/view/Canvas.h"

namespace tremolux {

// The pixels of a wide line with flat ends: those whose centres lie in the
// rectangle of the line's length and width. An aliased rasteriser fills a
// wide line so, give or take a few hundredths of a pixel of rounding; the
// band grown or shrunk by a margin well beyond that holds, or lies inside,
// whatever such a line paints.
class LineBand {
public:
    // margin > 0 grows the rectangle on every side, < 0 shrinks it. Only the
    // part in the window is wanted: a ray running far beyond it is cut there.
    LineBand(CanvasPoint from, CanvasPoint to, double width, double margin,
             const CanvasRect& window);

    // The rows the band may reach, [top, bottom); empty when top >= bottom.
    int top() const { return m_top; }
    int bottom() const { return m_bottom; }
    // Whether the line runs down the screen from its first end, its far
    // part at the bottom.
    bool downward() const { return m_downward; }

    // Calls visit(y, left, right) for the pixels [left, right) of each row y
    // in [top, bottom) that the band reaches, from the line's second end
    // towards its first (a ray's far part is where it is least often
    // covered); stops at the first visit that returns false, and returns
    // false then. Called for every row of thousands of rays, so a row
    // between the two ends costs a few integer operations.
    template <class Visit>
    bool EachRow(int top, int bottom, Visit&& visit) const
    {
        top = std::max(top, m_top);
        bottom = std::min(bottom, m_bottom);
        if (top >= bottom)
            return true;
        // Rows [top, middle) and [middleEnd, bottom) reach an end of the band.
        const bool fixed = m_fixedPoint && top > -kFixedRows && bottom < kFixedRows;
        const int middle = fixed ? std::clamp(m_sidesOnlyFrom, top, bottom) : bottom;
        const int middleEnd = fixed ? std::clamp(m_sidesOnlyTo, middle, bottom) : bottom;
        const auto endRow = [&](int y) {
            int left, right;
            return !row(y, left, right) || visit(y, left, right);
        };
        const auto middleRow = [&](int y, std::int64_t left, std::int64_t right) {
            const int l = static_cast<int>((left + kFixedOne - 1) >> 32);
            const int r = static_cast<int>((right >> 32) + 1);
            return l >= r || visit(y, l, r);
        };
        if (m_downward) {
            for (int y = bottom - 1; y >= middleEnd; --y) {
                if (!endRow(y))
                    return false;
            }
            std::int64_t left = m_leftFixed + m_slopeFixed * (middleEnd - 1);
            std::int64_t right = m_rightFixed + m_slopeFixed * (middleEnd - 1);
            for (int y = middleEnd - 1; y >= middle; --y) {
                if (!middleRow(y, left, right))
                    return false;
                left -= m_slopeFixed;
                right -= m_slopeFixed;
            }
            for (int y = middle - 1; y >= top; --y) {
                if (!endRow(y))
                    return false;
            }
        } else {
            for (int y = top; y < middle; ++y) {
                if (!endRow(y))
                    return false;
            }
            std::int64_t left = m_leftFixed + m_slopeFixed * middle;
            std::int64_t right = m_rightFixed + m_slopeFixed * middle;
            for (int y = middle; y < middleEnd; ++y) {
                if (!middleRow(y, left, right))
                    return false;
                left += m_slopeFixed;
                right += m_slopeFixed;
            }
            for (int y = middleEnd; y < bottom; ++y) {
                if (!endRow(y))
                    return false;
            }
        }
        return true;
    }

    // Columns [left, right) that hold every pixel of the band in rows [top,
    // bottom), more perhaps; false when the band has none there.
    bool Span(int top, int bottom, int& left, int& right) const
    {
        top = std::max(top, m_top);
        bottom = std::min(bottom, m_bottom);
        if (top >= bottom)
            return false;
        if (!m_fixedPoint || top < m_sidesOnlyFrom || bottom > m_sidesOnlyTo || top <= -kFixedRows
            || bottom >= kFixedRows)
            return spanNearEnds(top, bottom, left, right);
        // Between the ends the sides are straight: the first and last rows
        // hold the outermost columns.
        const std::int64_t first = m_slopeFixed * top;
        const std::int64_t last = m_slopeFixed * (bottom - 1);
        left = static_cast<int>((m_leftFixed + std::min(first, last) + kFixedOne - 1) >> 32);
        right = static_cast<int>(((m_rightFixed + std::max(first, last)) >> 32) + 1);
        return left < right;
    }

private:
    // Far beyond any picture, and safe to turn into an int.
    static constexpr double kFar = 1.0e9;
    // Sides in 32.32 fixed point, within bounds that keep base + slope * y
    // inside 63 bits.
    static constexpr std::int64_t kFixedOne = std::int64_t{1} << 32;
    static constexpr int kFixedRows = 1 << 20;
    static constexpr double kFixedSlope = 512.0;
    static constexpr double kFixedBase = 1 << 29;

    // x = base + slope * y: one side of the band in a row.
    struct Side {
        double base = 0.0;
        double slope = 0.0;
        double At(double y) const { return base + slope * y; }
    };

    static int Floor(double value)
    {
        const int i = static_cast<int>(value);
        return i - (value < i);
    }
    static int Ceil(double value)
    {
        const int i = static_cast<int>(value);
        return i + (value > i);
    }

    // Any row, near the ends too: the pixels whose centres x + 0.5 lie
    // between the sides.
    bool row(int y, int& left, int& right) const
    {
        const double centre = y + 0.5;
        const double from = std::max(m_left[0].At(centre), m_left[1].At(centre));
        const double to = std::min(m_right[0].At(centre), m_right[1].At(centre));
        if (!(from <= to))
            return false;
        left = Ceil(std::max(from, -kFar) - 0.5);
        right = Floor(std::min(to, kFar) - 0.5) + 1;
        return left < right;
    }

    bool spanNearEnds(int top, int bottom, int& left, int& right) const;

    // The left sides across and along the line, and the right sides.
    Side m_left[2];
    Side m_right[2];
    bool m_downward = false;
    int m_top = 0;
    int m_bottom = 0;
    int m_sidesOnlyFrom = 0;  // rows [from, to) lie wholly between the two ends
    int m_sidesOnlyTo = 0;
    // The long sides, less half a pixel, at row y: (base + slope * y) / 2^32.
    bool m_fixedPoint = false;
    std::int64_t m_leftFixed = 0;
    std::int64_t m_rightFixed = 0;
    std::int64_t m_slopeFixed = 0;
};

}  // namespace tremolux
