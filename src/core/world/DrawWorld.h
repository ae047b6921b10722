#pragma once

#include "core/common/OleDate.h"
#include "core/world/LandFile.h"

namespace tremolux {

class Canvas;
class Clock;
class QuakeList;
class WorldProjection;
struct DisplaySettings;
struct QuakeRecord;

// The world map's still picture for a window of width x height: the window
// around the Earth, sea, land and coastlines, the graticule every 30 degrees,
// labelled distance rings every 1,000 km and the nearest and pie radii as
// rings. A window caches it; the quakes change above it.
void DrawWorldBase(Canvas& canvas, int width, int height, const WorldProjection& projection,
                   const Land& land, const DisplaySettings& settings);

// The city and the quakes the hours setting lets through, each a disc of the
// polar map's magnitude colour whose area grows with the magnitude, the
// newest on top.
void DrawWorldQuakes(Canvas& canvas, const WorldProjection& projection,
                     const DisplaySettings& settings, const QuakeList& quakes, const Clock& clock);

// Both, then the canvas is flushed.
void DrawWorld(Canvas& canvas, int width, int height, const WorldProjection& projection,
               const Land& land, const DisplaySettings& settings, const QuakeList& quakes,
               const Clock& clock);

// Whether the world map shows the quake: a magnitude the polar map draws and
// an age within the hours setting, as the polar map counts it. No distance
// limit: the map holds the whole Earth.
bool ShownOnWorldMap(const QuakeRecord& quake, OleDate now, double hours);

// The radius in pixels of a quake's disc.
double QuakeDiscRadius(double magnitude);

}  // namespace tremolux
