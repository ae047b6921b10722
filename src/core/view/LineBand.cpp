#include "core/view/LineBand.h"

#include <cmath>

namespace tremolux {

namespace {

// Cuts [from, to] down to the values of s for which start + s * step lies in
// [low, high]; false when none do.
bool Clip(double start, double step, double low, double high, double& from, double& to)
{
    if (step == 0.0)
        return start >= low && start <= high;
    const double a = (low - start) / step;
    const double b = (high - start) / step;
    from = std::max(from, std::min(a, b));
    to = std::min(to, std::max(a, b));
    return from < to;
}

}  // namespace

LineBand::LineBand(CanvasPoint from, CanvasPoint to, double width, double margin,
                   const CanvasRect& window)
{
    const double x0 = from.x;
    const double y0 = from.y;
    const double dx = static_cast<double>(to.x) - x0;
    const double dy = static_cast<double>(to.y) - y0;
    const double length = std::hypot(dx, dy);
    const double halfWidth = 0.5 * width + margin;
    double alongFrom = -margin;
    double alongTo = length + margin;
    if (length == 0.0 || halfWidth <= 0.0 || alongFrom >= alongTo)
        return;
    const double ux = dx / length;
    const double uy = dy / length;
    // Where the middle of the band is more than half its width and a pixel
    // outside the window, the band is too: a cut there changes nothing inside.
    const double outside = halfWidth + 1.0;
    if (!Clip(x0, ux, window.left - outside, window.right + outside, alongFrom, alongTo)
        || !Clip(y0, uy, window.top - outside, window.bottom + outside, alongFrom, alongTo))
        return;
    m_downward = uy > 0.0;

    // A point (x0 + rx, y0 + ry) is in the band when |ry ux - rx uy| <=
    // halfWidth (across the line) and alongFrom <= rx ux + ry uy <= alongTo.
    // Solved for x in a row y, each gives a left and a right side; a
    // horizontal or vertical line leaves one of them to the rows alone.
    const Side everywhereLeft{-kFar, 0.0};
    const Side everywhereRight{kFar, 0.0};
    m_left[0] = m_left[1] = everywhereLeft;
    m_right[0] = m_right[1] = everywhereRight;
    if (uy != 0.0) {
        const double slope = ux / uy;
        const double base = x0 - y0 * slope;
        const double reach = halfWidth / std::abs(uy);
        m_left[0] = {base - reach, slope};
        m_right[0] = {base + reach, slope};
    }
    if (ux != 0.0) {
        const double slope = -uy / ux;
        const double base = x0 - y0 * slope;
        const double near = base + alongFrom / ux;
        const double far = base + alongTo / ux;
        m_left[1] = {std::min(near, far), slope};
        m_right[1] = {std::max(near, far), slope};
    }

    // The rows whose centres lie between the corners' lowest and highest y,
    // and those between the two ends' rows.
    const double across = std::abs(ux) * halfWidth;
    const double yFrom = y0 + uy * alongFrom;
    const double yTo = y0 + uy * alongTo;
    // Rows on a boundary count in, which only makes more rows be looked at.
    const auto firstFrom = [](double y) { return Ceil(std::clamp(y, -kFar, kFar) - 0.5); };
    const auto endAt = [](double y) { return Floor(std::clamp(y, -kFar, kFar) - 0.5) + 1; };
    const double upperEnd = std::min(yFrom, yTo);
    const double lowerEnd = std::max(yFrom, yTo);
    m_top = firstFrom(upperEnd - across);
    m_bottom = endAt(lowerEnd + across);
    m_sidesOnlyFrom = endAt(upperEnd + across);
    m_sidesOnlyTo = firstFrom(lowerEnd - across);

    // At the centre y + 0.5 of row y the long sides lie at base + slope / 2
    // + slope y; half a pixel less gives the columns whose centres lie between.
    const Side& left = m_left[0];
    const Side& right = m_right[0];
    const double leftBase = left.base + 0.5 * left.slope - 0.5;
    const double rightBase = right.base + 0.5 * right.slope - 0.5;
    m_fixedPoint = uy != 0.0 && std::abs(left.slope) <= kFixedSlope
                   && std::abs(leftBase) <= kFixedBase && std::abs(rightBase) <= kFixedBase;
    if (m_fixedPoint) {
        const double one = static_cast<double>(kFixedOne);
        m_leftFixed = std::llround(leftBase * one);
        m_rightFixed = std::llround(rightBase * one);
        m_slopeFixed = std::llround(left.slope * one);
    }
}

// Rows that reach an end of the band, or lie where the sides are not kept in
// fixed point: each row on its own.
bool LineBand::spanNearEnds(int top, int bottom, int& left, int& right) const
{
    left = 0;
    right = 0;
    bool any = false;
    for (int y = top; y < bottom; ++y) {
        int rowLeft, rowRight;
        if (!row(y, rowLeft, rowRight))
            continue;
        left = any ? std::min(left, rowLeft) : rowLeft;
        right = any ? std::max(right, rowRight) : rowRight;
        any = true;
    }
    return any;
}

}  // namespace tremolux
