#pragma once

namespace tremolux {

class Canvas;
class Clock;
class QuakeList;
struct CityPosition;
struct DisplaySettings;
struct QuakeLayout;

// Paints one map window of width x height pixels: background, city marker,
// every quake that passes the settings' filters, and the activity-index box.
void DrawQuakes(Canvas& canvas, int width, int height, const DisplaySettings& settings,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock);

// The same picture with the quakes as laid out already for this window.
void DrawQuakes(Canvas& canvas, int width, int height, const QuakeLayout& layout,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock);

}  // namespace tremolux
