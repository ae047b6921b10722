#pragma once

#include <vector>

#include "core/common/OleDate.h"
#include "core/view/Canvas.h"
#include "core/world/DrawnQuake.h"
#include "core/world/LandFile.h"
#include "core/world/WorldProjection.h"

namespace tremolux {

class Clock;
class NewEvents;
class QuakeList;
struct DisplaySettings;
struct QuakeRecord;

// The world map's still picture for a window of width x height: the window
// around the Earth, sea, land and coastlines, the graticule every 30 degrees,
// labelled distance rings every 1,000 km and the nearest and pie radii as
// rings. A window caches it; the quakes change above it.
void DrawWorldBase(Canvas& canvas, int width, int height, const WorldProjection& projection,
                   const Land& land, const DisplaySettings& settings);

// Each quake's place on the unit disc about the city, in list order: what a
// window keeps while only its view changes.
std::vector<ScreenPoint> UnitPlaces(const WorldProjection& projection, const QuakeList& quakes);

// The discs of the quakes the hours setting lets through that reach into a
// window of width x height, oldest first: the order they are drawn in. The
// places are the quakes' UnitPlaces.
std::vector<DrawnQuake> PlaceWorldQuakes(const WorldProjection& projection,
                                         const std::vector<ScreenPoint>& places,
                                         const DisplaySettings& settings, const QuakeList& quakes,
                                         OleDate now, int width, int height);

// What a window shows over its still picture: the city; the placed discs in
// the polar map's magnitude colours, their area growing with the magnitude,
// those of the latest load in a dark ring; a bold ring about the selected
// quake (an index into the list, -1 for none) when it was placed.
void DrawPlacedQuakes(Canvas& canvas, const WorldProjection& projection,
                      const std::vector<DrawnQuake>& placed, const QuakeList& quakes,
                      const NewEvents& marks, int selected);

// The still picture and the quakes over it, as a window first shows them,
// then the canvas is flushed.
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
