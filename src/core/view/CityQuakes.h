#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/view/Canvas.h"

namespace tremolux {

class QuakeList;
struct CityPosition;
struct QuakeRecord;

// A label's extent in the map's label font on the canvas that paints it. It
// depends on nothing but the text and what `font` names (the font and the
// device's resolution): a window's pictures keep the extents beside the label
// texts and measure a label again only under another name.
struct LabelMeasure {
    std::string font;
    std::function<TextExtent(const std::string& text)> extent;
};

// A list's quakes as a map window sees them from its city: each quake's
// distance and direction, worked out for the whole list at once, and its
// label text and extent, written and measured the first time the quake is
// drawn. A window's pictures share one until the list is read again or the
// city changes: a paint then formats, measures and computes no great circle
// that the last paint had.
//
// Labels are written while a picture is laid out, so one is used by one
// picture at a time: a window draws its pictures one after another.
class CityQuakes {
public:
    CityQuakes(const QuakeList& quakes, double latitude, double longitude);

    // Whether it was made for this revision of the list and this city.
    bool Fits(const QuakeList& quakes, const CityPosition& city) const;

    // Metres from the city, and the direction anticlockwise from north in
    // degrees, of every quake, in list order.
    const std::vector<double>& Distances() const { return m_distances; }
    double CcwBearing(int quake) const { return m_bearings[static_cast<std::size_t>(quake)]; }

    // "[4.5] 123 km, Region (at Sat Dec  6 10:00:00 2025)" for the list's quake
    // number quake, which is record.
    const std::string& Label(int quake, const QuakeRecord& record);
    // The extent of that label, written before, as measure gives it.
    const TextExtent& LabelExtent(int quake, const LabelMeasure& measure);

private:
    friend std::shared_ptr<CityQuakes> CityQuakesFor(const QuakeList&, const CityPosition&,
                                                     std::shared_ptr<CityQuakes>);

    unsigned long long m_revision;
    std::size_t m_count;
    double m_latitude;
    double m_longitude;
    std::vector<double> m_distances;
    std::vector<double> m_bearings;
    std::vector<std::string> m_labels;  // empty ones are not written yet
    // Whether a written label's km figure is this city's: labels taken over
    // from another city's CityQuakes have theirs rewritten when drawn.
    std::vector<bool> m_kmCurrent;
    std::string m_extentFont;  // what the measured extents were measured in
    std::vector<TextExtent> m_extents;
    std::vector<bool> m_measured;
};

// What a picture of quakes from city reads: previous when it fits, else a new
// one, which copies previous's label texts when only the city changed (their
// km figures are written again as they are drawn).
std::shared_ptr<CityQuakes> CityQuakesFor(const QuakeList& quakes, const CityPosition& city,
                                          std::shared_ptr<CityQuakes> previous = nullptr);

}  // namespace tremolux
