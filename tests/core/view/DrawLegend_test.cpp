#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawLegend.h"
#include "core/view/DrawQuakes.h"
#include "core/view/TraceCanvas.h"

// The legend is checked against the map itself: what DrawQuakes paints for a
// quake of a magnitude or an age is what the legend shows for it.
namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);
constexpr int kMapSize = 1000;

// The operations of one kind, each as its numbers (texts as their words).
std::vector<std::vector<std::string>> Operations(const std::string& trace, const std::string& kind)
{
    std::vector<std::vector<std::string>> found;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;)
            fields.push_back(word);
        if (!fields.empty() && fields[0] == kind)
            found.emplace_back(fields.begin() + 1, fields.end());
    }
    return found;
}

std::string LegendTrace(const DisplaySettings& settings)
{
    std::ostringstream out;
    TraceCanvas canvas(out);
    DrawLegend(canvas, LegendStyle{}, settings);
    return out.str();
}

// The map of one quake 100 km north of the city, hoursOld old.
std::string MapTrace(const DisplaySettings& settings, double magnitude, double hoursOld)
{
    CityPosition city;
    city.latDecimal = 35.0;
    city.lonDecimal = 139.0;
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = 35.9;
    quake.longitude = 139.0;
    quake.time = OleDate{kNow.value - hoursOld / 24.0};
    QuakeList quakes;
    quakes.Append(quake);
    std::ostringstream out;
    TraceCanvas canvas(out);
    DrawQuakes(canvas, kMapSize, kMapSize, settings, city, quakes, FixedClock(kNow));
    return out.str();
}

DisplaySettings NoLabels(double hours = 48.0)
{
    DisplaySettings settings;
    settings.drawTexts = 0;
    settings.hours = hours;
    return settings;
}

TEST(DrawLegendTest, EachMagnitudesRayAsTheMapDrawsIt)
{
    const auto rays = Operations(LegendTrace(NoLabels()), "line");
    ASSERT_EQ(rays.size(), std::size(kLegendMagnitudes));
    for (std::size_t i = 0; i < rays.size(); ++i) {
        const auto mapRays = Operations(MapTrace(NoLabels(), kLegendMagnitudes[i], 1.0), "line");
        ASSERT_EQ(mapRays.size(), 1u) << kLegendMagnitudes[i];
        // Width and colour: the last four fields.
        EXPECT_EQ(std::vector<std::string>(rays[i].end() - 4, rays[i].end()),
                  std::vector<std::string>(mapRays[0].end() - 4, mapRays[0].end()))
            << "magnitude " << kLegendMagnitudes[i];
    }
}

// Each ring lies where the map puts a quake of the ring's age, as a share of
// the outer ring, for the hours of the window.
TEST(DrawLegendTest, AgeRingsWhereTheMapPutsQuakesOfThatAge)
{
    for (double hours : {48.0, 6.0, 168.0, 100.0}) {
        const DisplaySettings settings = NoLabels(hours);
        const std::vector<AgeRing> rings = AgeRings(hours);
        const auto ellipses = Operations(LegendTrace(settings), "ellipse");
        // The rings that have a size, then the city's disc.
        ASSERT_EQ(ellipses.size(), rings.size()) << hours;
        const double outer = std::stod(ellipses[0][2]) - std::stod(ellipses[0][0]);
        for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
            const double ring = std::stod(ellipses[i][2]) - std::stod(ellipses[i][0]);
            const auto pies = Operations(MapTrace(settings, 5.0, rings[i].hours), "pie");
            ASSERT_EQ(pies.size(), 1u) << hours << " h, ring " << i;
            const double drawn = std::stod(pies[0][2]) - std::stod(pies[0][0]);
            EXPECT_NEAR(ring / outer, drawn / static_cast<int>(0.9 * kMapSize), 0.01)
                << hours << " h, ring of " << rings[i].label;
        }
    }
}

TEST(DrawLegendTest, RingsAtRoundAgesInOneUnit)
{
    const auto labels = [](double hours) {
        std::vector<std::string> result;
        for (const AgeRing& ring : AgeRings(hours))
            result.push_back(ring.label);
        return result;
    };
    using Labels = std::vector<std::string>;
    EXPECT_EQ(labels(48.0), (Labels{"now", "12 h", "24 h", "36 h", "48 h"}));
    // No ring crowding the centre's.
    EXPECT_EQ(labels(49.0), (Labels{"now", "24 h", "49 h"}));
    EXPECT_EQ(labels(168.0), (Labels{"now", "2 d", "4 d", "7 d"}));
    EXPECT_EQ(labels(100.0), (Labels{"now", "48 h", "100 h"}));
    EXPECT_EQ(labels(0.5), (Labels{"now", "15 min", "30 min"}));
    EXPECT_EQ(labels(0.0), (Labels{"now"}));
    EXPECT_EQ(labels(1.0e9).size(), 5u);
}

TEST(DrawLegendTest, TextsFollowTheSettingsAndIndexBoxesTheMapsColours)
{
    DisplaySettings settings = NoLabels(24.0);
    settings.pieRadius = 250000.0;
    settings.nearestRadius = 1200000.0;
    const std::string trace = LegendTrace(settings);
    EXPECT_NE(trace.find("24 h old ones at the centre"), std::string::npos);
    EXPECT_NE(trace.find("nearer than 250 km"), std::string::npos);
    EXPECT_NE(trace.find("farther than 1200 km"), std::string::npos);
    EXPECT_EQ(trace.find("Label:"), std::string::npos);
    EXPECT_EQ(Operations(trace, "pie").size(), 4u);

    settings.pieRadius = 0.0;
    EXPECT_TRUE(Operations(LegendTrace(settings), "pie").empty());

    // The map of no quakes has index 0: its box is the legend's first.
    const auto mapBox = Operations(MapTrace(settings, 0.0, 1.0), "fill").back();
    const auto boxes = Operations(trace, "fill");
    ASSERT_EQ(boxes.size(), std::size(kLegendIndexValues));
    EXPECT_EQ(std::vector<std::string>(boxes[0].end() - 3, boxes[0].end()),
              std::vector<std::string>(mapBox.end() - 3, mapBox.end()));
    EXPECT_EQ(std::vector<std::string>(boxes.back().end() - 3, boxes.back().end()),
              (std::vector<std::string>{"255", "0", "0"}));
}

}  // namespace
}  // namespace tremolux
