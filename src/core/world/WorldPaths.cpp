#include "core/world/WorldPaths.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tremolux {

namespace {

// An edge longer than this on screen is split at its middle.
constexpr double kLongestEdge = 6.0;
// How often one edge may be halved; an edge still long after that crosses
// the antipode's circle.
constexpr int kMostHalvings = 12;
// A ring that holds the antipode runs round the whole map; one with less
// area than this (twice, in square pixels) is an island too small to say
// which way it turns.
constexpr double kLeastTurnedArea = 8.0;

struct Vertex {
    GeoPoint place;
    ScreenPoint screen;
};

double ScreenDistance(ScreenPoint a, ScreenPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

CanvasPoint Rounded(ScreenPoint p)
{
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

void Append(CanvasPath& path, ScreenPoint p)
{
    const CanvasPoint point = Rounded(p);
    if (path.empty() || path.back() != point)
        path.push_back(point);
}

// Collects a path's points, each rounded to a pixel once and a point equal
// to the one before left out, and the exact turn of the path as a ring.
class PathBuilder {
public:
    void Add(ScreenPoint p)
    {
        if (m_hasLast)
            m_twiceArea += m_last.x * p.y - p.x * m_last.y;
        else
            m_first = p;
        m_last = p;
        m_hasLast = true;
        Append(m_path, p);
    }

    // Twice the signed area of the closed ring, anticlockwise positive as
    // seen on the screen (y grows downward).
    double TwiceAreaClosed() const
    {
        return -(m_twiceArea + m_last.x * m_first.y - m_first.x * m_last.y);
    }

    CanvasPath& path() { return m_path; }

private:
    CanvasPath m_path;
    ScreenPoint m_first;
    ScreenPoint m_last;
    bool m_hasLast = false;
    double m_twiceArea = 0.0;
};

// Adds the edge's inner points and its end. False when the edge jumps across
// the antipode's circle (its end is then not added).
bool AddEdge(const WorldProjection& projection, const Vertex& from, const Vertex& to,
             PathBuilder& path, int depth = 0)
{
    if (ScreenDistance(from.screen, to.screen) <= kLongestEdge) {
        path.Add(to.screen);
        return true;
    }
    if (depth == kMostHalvings)
        return false;
    // Rings may cross the date line: halve the shorter way round.
    double eastward = to.place.longitude - from.place.longitude;
    if (eastward > 180.0)
        eastward -= 360.0;
    else if (eastward < -180.0)
        eastward += 360.0;
    const GeoPoint middle{(from.place.latitude + to.place.latitude) * 0.5,
                          from.place.longitude + eastward * 0.5};
    const Vertex half{middle, projection.Project(middle.latitude, middle.longitude)};
    return AddEdge(projection, from, half, path, depth + 1)
           && AddEdge(projection, half, to, path, depth + 1);
}

Vertex Projected(const WorldProjection& projection, const GeoPoint& place)
{
    return {place, projection.Project(place.latitude, place.longitude)};
}

PathBuilder ProjectRing(const WorldProjection& projection, const std::vector<GeoPoint>& ring)
{
    PathBuilder builder;
    Vertex previous = Projected(projection, ring.back());
    for (const GeoPoint& place : ring) {
        const Vertex next = Projected(projection, place);
        // A ring cannot be cut: across the antipode's circle it runs straight.
        if (!AddEdge(projection, previous, next, builder))
            builder.Add(next.screen);
        previous = next;
    }
    CanvasPath& path = builder.path();
    if (path.size() > 1 && path.front() == path.back())
        path.pop_back();
    return builder;
}

bool Overlaps(const std::vector<CanvasPath>& rings, const CanvasRect& clip)
{
    for (const CanvasPath& ring : rings) {
        for (const CanvasPoint& p : ring) {
            if (p.x >= clip.left && p.x < clip.right && p.y >= clip.top && p.y < clip.bottom)
                return true;
        }
    }
    int left = rings.front().front().x, right = left;
    int top = rings.front().front().y, bottom = top;
    for (const CanvasPath& ring : rings) {
        for (const CanvasPoint& p : ring) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    // No vertex inside: the land still covers the window when it spans it.
    return left < clip.right && right >= clip.left && top < clip.bottom && bottom >= clip.top;
}

}  // namespace

std::vector<CanvasPath> ProjectLine(const WorldProjection& projection,
                                    const std::vector<GeoPoint>& line)
{
    std::vector<CanvasPath> paths;
    if (line.empty())
        return paths;
    Vertex previous = Projected(projection, line.front());
    PathBuilder piece;
    piece.Add(previous.screen);
    for (std::size_t i = 1; i < line.size(); ++i) {
        const Vertex next = Projected(projection, line[i]);
        if (!AddEdge(projection, previous, next, piece)) {
            paths.push_back(std::move(piece.path()));
            piece = PathBuilder();
            piece.Add(next.screen);
        }
        previous = next;
    }
    paths.push_back(std::move(piece.path()));
    std::erase_if(paths, [](const CanvasPath& path) { return path.size() < 2; });
    return paths;
}

std::vector<CanvasPath> ProjectPolygon(const WorldProjection& projection,
                                       const LandPolygon& polygon, const CanvasRect& clip)
{
    std::vector<CanvasPath> rings;
    // The projection keeps the turn of every ring that leaves the antipode
    // outside its land and reverses the others: the antipode is on this
    // land when the outer ring turns the wrong way and no hole does.
    bool outerReversed = false;
    bool holeReversed = false;
    for (std::size_t i = 0; i < polygon.rings.size(); ++i) {
        PathBuilder ring = ProjectRing(projection, polygon.rings[i]);
        const double area = ring.TwiceAreaClosed();
        if (i == 0)
            outerReversed = area < -kLeastTurnedArea;
        else if (area > kLeastTurnedArea)
            holeReversed = true;
        if (ring.path().size() >= 3)
            rings.push_back(std::move(ring.path()));
    }
    if (rings.empty() && !outerReversed)
        return rings;
    if (outerReversed && !holeReversed)
        rings.push_back(ScreenCircle(projection, projection.earthRadius()));
    if (!Overlaps(rings, clip))
        rings.clear();
    return rings;
}

CanvasPath ScreenCircle(const WorldProjection& projection, double radius)
{
    return CirclePath(projection.centreX(), projection.centreY(), radius);
}

CanvasPath CirclePath(double x, double y, double radius)
{
    // About one vertex per 4 pixels of circumference, at least a smooth 48.
    const int count = std::clamp(static_cast<int>(radius * 2.0 * std::numbers::pi / 4.0), 48, 2048);
    CanvasPath circle;
    circle.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = 2.0 * std::numbers::pi * i / count;
        Append(circle, {x + radius * std::sin(t), y - radius * std::cos(t)});
    }
    circle.push_back(circle.front());
    return circle;
}

}  // namespace tremolux
