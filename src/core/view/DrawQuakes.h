#pragma once

namespace tremolux {

class Canvas;
class Clock;
class QuakeList;
struct CityPosition;
struct DisplaySettings;

// Paints one map window of width x height pixels: background, city marker,
// every quake that passes the settings' filters, and the activity-index box.
void DrawQuakes(Canvas& canvas, int width, int height, const DisplaySettings& settings,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock);

}  // namespace tremolux
