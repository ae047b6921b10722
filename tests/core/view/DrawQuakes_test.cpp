#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "core/view/TraceCanvas.h"

namespace tremolux {
namespace {

constexpr double kTokyoLat = 35.68948888888889;
constexpr double kTokyoLon = 139.69170555555556;
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kDegreesPerMetre = 180.0 / (3.141592653589793 * EARTH_RADIUS_M);

CityPosition Tokyo()
{
    CityPosition city;
    city.latDecimal = kTokyoLat;
    city.lonDecimal = kTokyoLon;
    return city;
}

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

QuakeRecord Quake(double magnitude, double latitude, double longitude, double secondsOld,
                  const std::string& region = "Somewhere")
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = latitude;
    quake.longitude = longitude;
    quake.time = OleDate{kNow.value - secondsOld * kSecond, true};
    quake.region = region;
    return quake;
}

std::vector<std::string> Trace(const QuakeList& quakes, const DisplaySettings& settings = {},
                               int width = 800, int height = 600)
{
    std::ostringstream out;
    TraceCanvas canvas(out);
    FixedClock clock(kNow);
    DrawQuakes(canvas, width, height, settings, Tokyo(), quakes, clock);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return found;
}

// The label's top-left corner, "X Y", of the only quake drawn.
std::string LabelAt(const std::vector<std::string>& lines)
{
    const auto texts = Starting(lines, "text ");
    EXPECT_EQ(texts.size(), 2u);  // the label and the index number
    if (texts.size() != 2)
        return {};
    std::istringstream fields(texts[0].substr(5));
    std::string x, y;
    fields >> x >> y;
    return x + " " + y;
}

TEST(DrawQuakes, WorkedExampleComesOutToThePixel)
{
    QuakeList quakes;
    quakes.Append(Quake(5.0, 38.297, 142.373, 12 * 3600, "Near the east coast of Honshu"));
    quakes.Append(Quake(4.2, 35.0, 139.0, 2 * 3600, "Izu Islands"));

    const std::vector<std::string> expected = {
        "fill 1 1 798 598 0 200 0",
        "ellipse 390 290 410 310",
        "line 400 300 13032 -15526 6 127 127 0",
        "text 526 142 0 0 0 [5.0] 375 km, Near the east coast of Honshu (at Fri Mar  1 00:00:00 "
        "2024)",
        "pie 142 42 659 559 312 57 655 340 107 147 0",
        "line 400 300 -16056 20267 5 107 147 0",
        "text 236 499 0 0 0 [4.2] 99 km, Izu Islands (at Fri Mar  1 10:00:00 2024)",
        "fill 10 10 45 25 7 248 0",
        "text 20 15 255 255 255   3",
    };
    EXPECT_EQ(Trace(quakes), expected);
}

TEST(DrawQuakes, EmptyListDrawsFieldMarkerAndGreenZeroBox)
{
    const std::vector<std::string> expected = {
        "fill 1 1 638 478 0 200 0",
        "ellipse 310 230 330 250",
        "fill 10 10 45 25 0 255 0",
        "text 20 15 255 255 255   0",
    };
    EXPECT_EQ(Trace(QuakeList(), {}, 640, 480), expected);
}

TEST(DrawQuakes, AgeAgainstTheHoursWindow)
{
    // 48 h 59 min is still age hour 48: drawn, at the centre, without a visible ray.
    QuakeList old;
    old.Append(Quake(5.0, 45.0, kTokyoLon, (48 * 60 + 59) * 60));
    auto lines = Trace(old);
    EXPECT_EQ(Starting(lines, "line "),
              std::vector<std::string>{"line 400 300 400 300 6 127 127 0"});
    EXPECT_EQ(LabelAt(lines), "400 300");

    // Exactly 49 h, and 48:59:59.6 which rounds to the same second, are left out.
    for (double seconds : {49.0 * 3600, 49.0 * 3600 - 0.4}) {
        QuakeList tooOld;
        tooOld.Append(Quake(5.0, 45.0, kTokyoLon, seconds));
        EXPECT_TRUE(Starting(Trace(tooOld), "line ").empty()) << seconds;
    }

    // An hour in the future lies beyond the circle of fresh quakes (R0 = 270),
    // due north of the centre.
    QuakeList future;
    future.Append(Quake(5.0, 45.0, kTokyoLon, -3600));
    EXPECT_EQ(LabelAt(Trace(future)), "400 25");
}

TEST(DrawQuakes, HoursWindowOfZero)
{
    DisplaySettings settings;
    settings.hours = 0.0;
    const std::pair<double, std::string> cases[] = {
        {0.0, "400 30"},     // fresh: on the outer circle
        {-600.0, "400 30"},  // ahead of now: on the outer circle, not beyond
        {30.0, "400 300"},   // any older: at the centre
    };
    for (const auto& [secondsOld, labelAt] : cases) {
        QuakeList quakes;
        quakes.Append(Quake(5.0, 45.0, kTokyoLon, secondsOld));
        EXPECT_EQ(LabelAt(Trace(quakes, settings)), labelAt) << secondsOld;
    }
    QuakeList anHour;
    anHour.Append(Quake(5.0, 45.0, kTokyoLon, 3600.0));
    EXPECT_TRUE(Starting(Trace(anHour, settings), "line ").empty());
}

TEST(DrawQuakes, NearestAndPieRadiusBoundaries)
{
    const double lat = 38.297, lon = 142.373;
    const double distance = GreatCircle(kTokyoLat, kTokyoLon, lat, lon);
    QuakeList quakes;
    quakes.Append(Quake(5.0, lat, lon, 3600));

    DisplaySettings settings;
    settings.nearestRadius = distance;
    settings.pieRadius = distance;
    auto lines = Trace(quakes, settings);
    EXPECT_EQ(Starting(lines, "line ").size(), 1u);  // at the nearest radius: drawn
    EXPECT_TRUE(Starting(lines, "pie ").empty());    // at the pie radius: sweep 0

    settings.nearestRadius = std::nextafter(distance, 0.0);
    EXPECT_TRUE(Starting(Trace(quakes, settings), "line ").empty());

    // Half the pie radius gives half a disc centred on the ray: the ray points
    // north-east, so the sector runs anticlockwise from south-east to north-west.
    settings.nearestRadius = distance;
    settings.pieRadius = 2.0 * distance;
    const auto pies = Starting(Trace(quakes, settings), "pie ");
    ASSERT_EQ(pies.size(), 1u);
    std::istringstream fields(pies[0].substr(4));
    int left, top, right, bottom, x1, y1, x2, y2;
    fields >> left >> top >> right >> bottom >> x1 >> y1 >> x2 >> y2;
    EXPECT_GT(x1, 400);
    EXPECT_GT(y1, 300);
    EXPECT_LT(x2, 400);
    EXPECT_LT(y2, 300);
    EXPECT_NEAR(x1 - 400, 400 - x2, 1);
    EXPECT_NEAR(y1 - 300, 300 - y2, 1);
}

TEST(DrawQuakes, QuakeAtTheCityGetsAFullDiscAndPointsNorth)
{
    QuakeList quakes;
    quakes.Append(Quake(3.0, kTokyoLat, kTokyoLon, 12 * 3600));
    for (double pieRadius : {300000.0, 0.0}) {
        DisplaySettings settings;
        settings.pieRadius = pieRadius;
        const auto lines = Trace(quakes, settings);
        // r = 202.5: start and end point coincide, straight below the centre.
        EXPECT_EQ(Starting(lines, "pie "),
                  std::vector<std::string>{"pie 198 98 603 503 400 502 400 502 76 178 0"})
            << pieRadius;
        EXPECT_EQ(Starting(lines, "line "),
                  std::vector<std::string>{"line 400 300 400 -19950 4 76 178 0"});
        EXPECT_EQ(LabelAt(lines), "400 98");
    }
}

TEST(DrawQuakes, SectorThinnerThanAPixelIsNotDrawnAsAFullDisc)
{
    // Old enough that r is 5.625 px, and just inside the pie radius: a sweep of
    // a few degrees whose two edge points truncate to the same pixel.
    const double lat = 38.297, lon = 142.373;
    const double distance = GreatCircle(kTokyoLat, kTokyoLon, lat, lon);
    QuakeList quakes;
    quakes.Append(Quake(5.0, lat, lon, 47 * 3600));
    DisplaySettings settings;
    settings.pieRadius = distance * 1.01;
    EXPECT_TRUE(Starting(Trace(quakes, settings), "pie ").empty());
}

TEST(DrawQuakes, MagnitudeBoundsColoursAndPens)
{
    QuakeList quakes;
    quakes.Append(Quake(0.99, 45.0, kTokyoLon, 3600));
    quakes.Append(Quake(1.0, 45.0, kTokyoLon, 3600));
    quakes.Append(Quake(10.0, 45.0, kTokyoLon, 3600));
    quakes.Append(Quake(10.01, 45.0, kTokyoLon, 3600));
    const auto lines = Starting(Trace(quakes), "line ");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with(" 2 25 229 0"));
    EXPECT_TRUE(lines[1].ends_with(" 11 255 0 0"));
}

TEST(DrawQuakes, WithoutTextsOnlyTheIndexNumberIsWritten)
{
    QuakeList quakes;
    quakes.Append(Quake(5.0, 38.297, 142.373, 3600));
    DisplaySettings settings;
    settings.drawTexts = 0;
    const auto lines = Trace(quakes, settings);
    EXPECT_EQ(Starting(lines, "line ").size(), 1u);
    const auto texts = Starting(lines, "text ");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("text 20 15 255 255 255 "));
}

TEST(DrawQuakes, IndexBoxColourHoldsAtTheEndOfTheScale)
{
    // Magnitude 9, one minute old, 10 km away: an index near 9000, shown as it
    // is, in a box that stays red instead of wrapping round.
    QuakeList strong;
    strong.Append(Quake(9.0, kTokyoLat + 10000.0 * kDegreesPerMetre, kTokyoLon, 60));
    const int index = strong.GetActivityIndex(Tokyo(), FixedClock(kNow));
    ASSERT_GT(index, 8000);
    const auto lines = Trace(strong);
    EXPECT_EQ(lines[lines.size() - 2], "fill 10 10 45 25 255 0 0");
    EXPECT_EQ(lines.back(), "text 20 15 255 255 255 " + std::to_string(index));
}

TEST(DrawQuakes, InvalidTimeLabelAndAFarFutureQuake)
{
    QuakeList quakes;
    QuakeRecord invalid = Quake(4.0, 45.0, kTokyoLon, 0);
    invalid.time = OleDate{0.0, false};
    quakes.Append(invalid);  // 124 years old: not drawn
    QuakeRecord ahead = Quake(4.0, 45.0, kTokyoLon, -3.0e9);
    quakes.Append(ahead);  // a century ahead: far out, but still a sane ray
    DisplaySettings settings;
    settings.hours = 1.0;
    const auto lines = Starting(Trace(quakes, settings), "line ");
    EXPECT_EQ(lines, std::vector<std::string>{"line 400 300 400 -99999700 5 102 153 0"});

    settings.hours = 2e6;  // old enough to include 1899
    const auto texts = Starting(Trace(quakes, settings), "text ");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0].ends_with("(at Invalid DateTime)"));
}

}  // namespace
}  // namespace tremolux
