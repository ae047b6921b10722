#include "core/view/CoverMask.h"

#include <algorithm>
#include <cmath>

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

// std::floor and std::ceil into an int, without a call into the maths library
// (a band visits hundreds of rows); coordinates far outside any picture are
// kept inside int's range.
int FloorToInt(double value)
{
    const double clamped = std::clamp(value, -1.0e9, 1.0e9);
    const int truncated = static_cast<int>(clamped);
    return truncated > clamped ? truncated - 1 : truncated;
}

int CeilToInt(double value)
{
    return -FloorToInt(-value);
}

// The band's rows and, row by row, the pixels whose centres lie in it. Each
// side of the band bounds a row's pixels by a linear function of the row, set
// up once: a row costs a few multiplications.
class BandRows {
public:
    explicit BandRows(const CoverBand& band)
    {
        const double dx = band.x2 - band.x1;
        const double dy = band.y2 - band.y1;
        const double length = std::hypot(dx, dy);
        if (!(length > 0.0) || !(band.halfWidth >= 0.0) || !std::isfinite(length)
            || !(-band.extend <= length + band.extend))
            return;
        const double ux = dx / length;
        const double uy = dy / length;
        m_y1 = band.y1;
        // Across: -uy (px - x1) + ux dy within +-halfWidth.
        addSide(band.x1, -uy, ux, -band.halfWidth, band.halfWidth);
        // Along: ux (px - x1) + uy dy within the lengthened segment.
        addSide(band.x1, ux, uy, -band.extend, length + band.extend);
        const double reach = std::abs(uy) * band.extend + std::abs(ux) * band.halfWidth;
        const double top = std::min(band.y1, band.y2) - reach;
        const double bottom = std::max(band.y1, band.y2) + reach;
        m_firstRow = CeilToInt(top - 0.5);
        m_lastRow = FloorToInt(bottom - 0.5);
        m_downward = band.y2 >= band.y1;
    }

    bool empty() const { return m_firstRow > m_lastRow; }
    int firstRow() const { return m_firstRow; }
    int lastRow() const { return m_lastRow; }
    // True when rows are best visited from the second end, as a ray's far end
    // is the part most likely to show.
    bool fromBottom() const { return m_downward; }

    // Pixels [left, right) of row y; false when none.
    bool Row(int y, int& left, int& right) const
    {
        const double dy = y + 0.5 - m_y1;
        const double low = std::max(m_low[0] + m_lowSlope[0] * dy, m_low[1] + m_lowSlope[1] * dy);
        const double high =
            std::min(m_high[0] + m_highSlope[0] * dy, m_high[1] + m_highSlope[1] * dy);
        if (!(low <= high))
            return false;
        left = CeilToInt(low - 0.5);
        right = FloorToInt(high - 0.5) + 1;
        return left < right;
    }

private:
    // The pixels where slope (px - x1) + rise dy lies in [from, to]. A side
    // level with the rows bounds only the rows, which the band's extent does.
    void addSide(double x1, double slope, double rise, double from, double to)
    {
        if (std::abs(slope) < 1e-12)
            return;
        double a = x1 + from / slope;
        double b = x1 + to / slope;
        if (a > b)
            std::swap(a, b);
        m_low[m_sides] = a;
        m_high[m_sides] = b;
        m_lowSlope[m_sides] = m_highSlope[m_sides] = -rise / slope;
        ++m_sides;
    }

    double m_y1 = 0.0;
    int m_sides = 0;
    // Unbounded until a side is added.
    double m_low[2] = {-1.0e18, -1.0e18};
    double m_lowSlope[2] = {};
    double m_high[2] = {1.0e18, 1.0e18};
    double m_highSlope[2] = {};
    int m_firstRow = 0;
    int m_lastRow = -1;
    bool m_downward = true;
};

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

bool CoverMask::coversRow(int y, int left, int right) const
{
    const std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
    const int first = left / kBits;
    const int last = (right - 1) / kBits;
    for (int w = first; w <= last; ++w) {
        const int from = w == first ? left % kBits : 0;
        const int to = w == last ? (right - 1) % kBits + 1 : kBits;
        const std::uint64_t mask = WordMask(from, to);
        if ((row[w] & mask) != mask)
            return false;
    }
    return true;
}

void CoverMask::addRow(int y, int left, int right)
{
    std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
    const int first = left / kBits;
    const int last = (right - 1) / kBits;
    for (int w = first; w <= last; ++w) {
        const int from = w == first ? left % kBits : 0;
        const int to = w == last ? (right - 1) % kBits + 1 : kBits;
        row[w] |= WordMask(from, to);
    }
}

bool CoverMask::Covers(const CanvasRect& rect) const
{
    CanvasRect r;
    if (!clip(rect, r))
        return true;
    for (int y = r.top; y < r.bottom; ++y) {
        if (!coversRow(y, r.left, r.right))
            return false;
    }
    return true;
}

void CoverMask::Add(const CanvasRect& rect)
{
    CanvasRect r;
    if (!clip(rect, r))
        return;
    for (int y = r.top; y < r.bottom; ++y)
        addRow(y, r.left, r.right);
}

// The band's pixels of row y cut to the picture, in mask columns.
template <typename Rows>
bool CoverMask::rowInside(const Rows& rows, int y, int& left, int& right) const
{
    if (!rows.Row(y, left, right))
        return false;
    left = std::max(left, m_picture.left) - m_picture.left;
    right = std::min(right, m_picture.right) - m_picture.left;
    return left < right;
}

bool CoverMask::CoversBand(const CoverBand& band) const
{
    const BandRows rows(band);
    if (rows.empty())
        return true;
    const int top = std::max(rows.firstRow(), m_picture.top);
    const int bottom = std::min(rows.lastRow(), m_picture.bottom - 1);
    const int count = bottom - top + 1;
    for (int i = 0; i < count; ++i) {
        const int y = rows.fromBottom() ? bottom - i : top + i;
        int left, right;
        if (rowInside(rows, y, left, right) && !coversRow(y - m_picture.top, left, right))
            return false;
    }
    return true;
}

void CoverMask::AddBand(const CoverBand& band)
{
    const BandRows rows(band);
    if (rows.empty())
        return;
    const int top = std::max(rows.firstRow(), m_picture.top);
    const int bottom = std::min(rows.lastRow(), m_picture.bottom - 1);
    for (int y = top; y <= bottom; ++y) {
        int left, right;
        if (rowInside(rows, y, left, right))
            addRow(y - m_picture.top, left, right);
    }
}

}  // namespace tremolux
