#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
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

// The last n words of an operation: a pen's width and colour, for n = 4.
std::string Tail(const std::string& fields, int n)
{
    std::string::size_type at = fields.size();
    for (int i = 0; i < n && at != std::string::npos; ++i)
        at = fields.rfind(' ', at - 1);
    return fields.substr(at + 1);
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
    // The discs, then the city and the two marked quakes.
    ASSERT_EQ(discs.size(), std::size(kWorldLegendMagnitudes) + 3);
    for (std::size_t i = 0; i < std::size(kWorldLegendMagnitudes); ++i) {
        QuakeList one;
        one.Append(test::QuakeBefore(kNow, 1.0, kWorldLegendMagnitudes[i], 20.0, 120.0));
        const auto mapDiscs = Operations(MapTrace({}, one), "ellipse");
        ASSERT_EQ(mapDiscs.size(), 2u);  // the city, then the quake
        // Within the rounding of a disc's centre, which the map places to a fraction.
        EXPECT_NEAR(Width(discs[i]), Width(mapDiscs[1]), 1) << kWorldLegendMagnitudes[i];
        if (i == 0) {
            EXPECT_EQ(Width(discs[std::size(kWorldLegendMagnitudes)]), Width(mapDiscs[0]))
                << "the city";
        }
    }
}

// Each radius ring the map draws has a sample of its pen and its distance,
// and a radius of 0, which the map leaves out, is not explained either.
TEST(DrawWorldLegend, RingsAsTheMapDrawsThemWithTheirDistances)
{
    struct Case {
        double nearest, pie;
        std::vector<std::string> texts, absent;
    };
    const Case cases[] = {
        {3.0e6, 3.0e5, {"nearest radius, 3000 km", "pie radius, 300 km"}, {}},
        {1.25e6, 0.0, {"nearest radius, 1250 km"}, {"pie radius"}},
    };
    for (const Case& c : cases) {
        DisplaySettings settings;
        settings.nearestRadius = c.nearest;
        settings.pieRadius = c.pie;
        const std::string legend = LegendTrace(settings);
        std::vector<std::string> mapPens;
        for (const std::string& ring : Operations(MapTrace(settings, {}), "polyline"))
            mapPens.push_back(Tail(ring, 4));
        const auto samples = Operations(legend, "line");
        // Every 1,000 km, the radii drawn, the outer circle.
        ASSERT_EQ(samples.size(), c.pie > 0.0 ? 4u : 3u) << c.nearest;
        for (const std::string& sample : samples)
            EXPECT_NE(std::find(mapPens.begin(), mapPens.end(), Tail(sample, 4)), mapPens.end())
                << "no ring of the map has the pen of " << sample;
        for (const std::string& text : c.texts)
            EXPECT_NE(legend.find(text), std::string::npos) << text;
        for (const std::string& text : c.absent)
            EXPECT_EQ(legend.find(text), std::string::npos) << text;
    }
}

// A rule about every window's city has a ring about each: named once.
TEST(DrawWorldLegend, NamesEachRulesRingOnce)
{
    const std::string legend =
        LegendTrace({}, {"near any window: 300 km", "Kanto: 100 km", "near any window: 300 km"});
    const auto count = [&](const std::string& text) {
        int n = 0;
        for (auto at = legend.find(text); at != std::string::npos; at = legend.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("near any window: 300 km"), 1);
    EXPECT_EQ(count("Kanto: 100 km"), 1);
    EXPECT_EQ(legend.find("none with a radius"), std::string::npos);
    EXPECT_NE(LegendTrace({}).find("none with a radius"), std::string::npos);
}

}  // namespace
}  // namespace tremolux
