#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/geo/CityPosition.h"
#include "core/view/TraceCanvas.h"
#include "core/world/DrawWorld.h"
#include "core/world/DrawWorldLegend.h"
#include "core/world/WorldView.h"
#include "support/QuakeBuilders.h"

// The legend is checked against the world map itself: what DrawWorld paints
// for a quake or a ring is what the legend shows for it.
namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2018, 2, 7, 2, 0, 0);

// The fields after the kind of each operation of that kind.
std::vector<std::string> Operations(const std::string& trace, const std::string& kind)
{
    std::vector<std::string> found;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(kind + ' ', 0) == 0)
            found.push_back(line.substr(kind.size() + 1));
    }
    return found;
}

// A pen as a trace ends a line or polyline with it: width and colour.
std::string PenOf(const std::string& fields)
{
    std::istringstream words(fields);
    std::vector<std::string> all{std::istream_iterator<std::string>(words), {}};
    return all[all.size() - 4] + ' ' + all[all.size() - 3] + ' ' + all[all.size() - 2] + ' '
           + all.back();
}

int Width(const std::string& ellipse)
{
    int left, top, right;
    std::istringstream(ellipse) >> left >> top >> right;
    return right - left;
}

std::string LegendTrace(const DisplaySettings& settings, const std::vector<std::string>& rules = {})
{
    std::ostringstream out;
    TraceCanvas canvas(out);
    DrawWorldLegend(canvas, LegendStyle{}, settings, rules);
    return out.str();
}

std::string MapTrace(const DisplaySettings& settings, const QuakeList& quakes)
{
    CityPosition tokyo;
    tokyo.latDecimal = 35.69;
    tokyo.lonDecimal = 139.69;
    std::ostringstream out;
    TraceCanvas canvas(out);
    DrawWorld(canvas, 1000, 800, ViewProjection(tokyo, 1000, 800, WorldView{}), {}, settings,
              quakes, FixedClock(kNow));
    return out.str();
}

TEST(DrawWorldLegend, EachMagnitudesDiscAsTheMapDrawsIt)
{
    const auto discs = Operations(LegendTrace({}), "ellipse");
    for (std::size_t i = 0; i < std::size(kWorldLegendMagnitudes); ++i) {
        QuakeList one;
        one.Append(test::QuakeBefore(kNow, 1.0, kWorldLegendMagnitudes[i], 20.0, 120.0));
        const auto mapDiscs = Operations(MapTrace({}, one), "ellipse");
        ASSERT_EQ(mapDiscs.size(), 2u);  // the city, then the quake
        // Within the rounding of a disc's centre, which the map places to a fraction.
        EXPECT_NEAR(Width(discs.at(i)), Width(mapDiscs[1]), 1) << kWorldLegendMagnitudes[i];
    }
}

// Each ring the map draws has a sample of its pen and its distance; a radius
// of 0, which the map leaves out, is not explained either. A rule about every
// window's city has a ring about each: it is named once.
TEST(DrawWorldLegend, RingsAsTheMapDrawsThemEachNamedOnce)
{
    DisplaySettings settings;
    settings.nearestRadius = 1.25e6;
    settings.pieRadius = 0.0;
    const std::string legend = LegendTrace(
        settings, {"near any window: 300 km", "Kanto: 100 km", "near any window: 300 km"});
    std::vector<std::string> mapPens;
    for (const std::string& ring : Operations(MapTrace(settings, {}), "polyline"))
        mapPens.push_back(PenOf(ring));
    std::vector<std::string> samples;
    for (const std::string& line : Operations(legend, "line"))
        samples.push_back(PenOf(line));
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    // Every 1,000 km, the nearest radius, the outer circle; then the rules' dashes.
    ASSERT_EQ(samples.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NE(std::find(mapPens.begin(), mapPens.end(), samples[i]), mapPens.end())
            << samples[i];

    const std::vector<std::string> texts = Operations(legend, "text");
    const auto count = [&](const std::string& text) {
        return std::count_if(texts.begin(), texts.end(),
                             [&](const std::string& line) { return line.ends_with(text); });
    };
    EXPECT_EQ(count("nearest radius, 1250 km"), 1);
    EXPECT_EQ(legend.find("pie radius"), std::string::npos);
    EXPECT_EQ(count("near any window: 300 km"), 1);
    EXPECT_EQ(count("Kanto: 100 km"), 1);
    EXPECT_NE(LegendTrace({}).find("none with a radius"), std::string::npos);
}

}  // namespace
}  // namespace tremolux
