#include "core/view/CoverMask.h"

#include <algorithm>

#include "core/view/LineBand.h"

namespace tremolux {

namespace {

constexpr int kBits = 64;
constexpr int kStripRows = 8;
constexpr std::uint64_t kAll = ~std::uint64_t{0};

// Mask columns are never negative: shifts and masks divide them by 64.

// Bits [from, to) of one word, 0 <= from < to <= 64.
std::uint64_t WordMask(int from, int to)
{
    return (to == kBits ? kAll : (std::uint64_t{1} << to) - 1) & (kAll << from);
}

// Columns [left, right) of a row, in more than one word: rare for a ray, so
// kept out of the loops over its rows.
[[gnu::noinline]] bool WideRowCovered(const std::uint64_t* row, int left, int right)
{
    const int last = (right - 1) >> 6;
    std::uint64_t mask = WordMask(left & 63, kBits);
    for (int w = left >> 6; w < last; ++w) {
        if ((row[w] & mask) != mask)
            return false;
        mask = kAll;
    }
    mask = WordMask(0, ((right - 1) & 63) + 1);
    return (row[last] & mask) == mask;
}

[[gnu::noinline]] void AddWideRow(std::uint64_t* row, int left, int right)
{
    const int first = left >> 6;
    const int last = (right - 1) >> 6;
    row[first] |= WordMask(left & 63, kBits);
    for (int w = first + 1; w < last; ++w)
        row[w] = kAll;
    row[last] |= WordMask(0, ((right - 1) & 63) + 1);
}

}  // namespace

CoverMask::CoverMask(const CanvasRect& picture)
    : m_picture(picture),
      m_wordsPerRow(std::max(0, (picture.right - picture.left + kBits - 1) / kBits)),
      m_bits(static_cast<std::size_t>(m_wordsPerRow) * std::max(0, picture.bottom - picture.top)),
      m_fullWords(static_cast<std::size_t>(m_wordsPerRow)
                  * ((std::max(0, picture.bottom - picture.top) + kStripRows - 1) / kStripRows))
{
}

bool CoverMask::stripFull(int strip, int first, int last) const
{
    unsigned char* known = &m_fullWords[static_cast<std::size_t>(strip) * m_wordsPerRow];
    for (int w = first; w <= last; ++w) {
        if (known[w])
            continue;
        const int rows =
            std::min(kStripRows, m_picture.bottom - m_picture.top - strip * kStripRows);
        const std::uint64_t* word =
            &m_bits[static_cast<std::size_t>(strip) * kStripRows * m_wordsPerRow + w];
        for (int y = 0; y < rows; ++y, word += m_wordsPerRow) {
            if (*word != kAll)
                return false;
        }
        known[w] = 1;
    }
    return true;
}

template <class Visit>
bool CoverMask::eachOpenStrip(const LineBand& band, Visit&& visit) const
{
    const int top = std::max(band.top(), m_picture.top) - m_picture.top;
    const int bottom = std::min(band.bottom(), m_picture.bottom) - m_picture.top;
    if (top >= bottom)
        return true;
    const int width = m_picture.right - m_picture.left;
    const int firstStrip = top / kStripRows;
    const int lastStrip = (bottom - 1) / kStripRows;
    const int step = band.downward() ? -1 : 1;
    const int end = band.downward() ? firstStrip - 1 : lastStrip + 1;
    for (int strip = band.downward() ? lastStrip : firstStrip; strip != end; strip += step) {
        const int stripTop = std::max(strip * kStripRows, top) + m_picture.top;
        const int stripBottom = std::min((strip + 1) * kStripRows, bottom) + m_picture.top;
        int left, right;
        if (!band.Span(stripTop, stripBottom, left, right))
            continue;
        left = std::max(left - m_picture.left, 0);
        right = std::min(right - m_picture.left, width);
        if (left >= right || stripFull(strip, left / kBits, (right - 1) / kBits))
            continue;
        if (!visit(stripTop, stripBottom))
            return false;
    }
    return true;
}

bool CoverMask::rowCovered(int y, int left, int right) const
{
    const std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
    const int first = left >> 6;
    if (first != (right - 1) >> 6)
        return WideRowCovered(row, left, right);
    const std::uint64_t mask = WordMask(left & 63, ((right - 1) & 63) + 1);
    return (row[first] & mask) == mask;
}

void CoverMask::addRow(int y, int left, int right)
{
    std::uint64_t* row = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
    const int first = left >> 6;
    if (first != (right - 1) >> 6)
        return AddWideRow(row, left, right);
    row[first] |= WordMask(left & 63, ((right - 1) & 63) + 1);
}

bool CoverMask::Covers(const CanvasRect& rect) const
{
    const int left = std::max(rect.left, m_picture.left) - m_picture.left;
    const int right = std::min(rect.right, m_picture.right) - m_picture.left;
    const int top = std::max(rect.top, m_picture.top) - m_picture.top;
    const int bottom = std::min(rect.bottom, m_picture.bottom) - m_picture.top;
    if (left >= right)
        return true;
    for (int y = top; y < bottom; ++y) {
        if (!rowCovered(y, left, right))
            return false;
    }
    return true;
}

void CoverMask::Add(const CanvasRect& rect)
{
    const int left = std::max(rect.left, m_picture.left) - m_picture.left;
    const int right = std::min(rect.right, m_picture.right) - m_picture.left;
    const int top = std::max(rect.top, m_picture.top) - m_picture.top;
    const int bottom = std::min(rect.bottom, m_picture.bottom) - m_picture.top;
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y)
        addRow(y, left, right);
}

// Hundreds of thousands of rows a paint: everything the loops need is kept
// in locals.
bool CoverMask::Covers(const LineBand& band) const
{
    const int pictureLeft = m_picture.left;
    const int pictureTop = m_picture.top;
    const int width = m_picture.right - m_picture.left;
    const std::uint64_t* bits = m_bits.data();
    const std::size_t wordsPerRow = static_cast<std::size_t>(m_wordsPerRow);
    const auto covered = [=](int y, int left, int right) {
        left = std::max(left - pictureLeft, 0);
        right = std::min(right - pictureLeft, width) - 1;  // now the last column
        if (left > right)
            return true;
        const std::uint64_t* row = bits + static_cast<std::size_t>(y - pictureTop) * wordsPerRow;
        const int first = left >> 6;
        if (first != right >> 6)
            return WideRowCovered(row, left, right + 1);
        const std::uint64_t mask = (kAll << (left & 63)) & (kAll >> (63 - (right & 63)));
        return (row[first] & mask) == mask;
    };
    return eachOpenStrip(band,
                         [&](int top, int bottom) { return band.EachRow(top, bottom, covered); });
}

void CoverMask::Add(const LineBand& band)
{
    const int pictureLeft = m_picture.left;
    const int pictureTop = m_picture.top;
    const int width = m_picture.right - m_picture.left;
    std::uint64_t* bits = m_bits.data();
    const std::size_t wordsPerRow = static_cast<std::size_t>(m_wordsPerRow);
    const auto add = [=](int y, int left, int right) {
        left = std::max(left - pictureLeft, 0);
        right = std::min(right - pictureLeft, width) - 1;
        if (left > right)
            return true;
        std::uint64_t* row = bits + static_cast<std::size_t>(y - pictureTop) * wordsPerRow;
        const int first = left >> 6;
        if (first != right >> 6)
            AddWideRow(row, left, right + 1);
        else
            row[first] |= (kAll << (left & 63)) & (kAll >> (63 - (right & 63)));
        return true;
    };
    eachOpenStrip(band, [&](int top, int bottom) { return band.EachRow(top, bottom, add); });
}

}  // namespace tremolux
