#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/cities/CityFile.h"
#include "core/common/CNumbers.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "core/view/TraceCanvas.h"
#include "support/HeldPage.h"

namespace tremolux {
namespace {

// The watcher adopts the user's locale at start (Qt sets it from the
// environment); in German a comma is the decimal separator.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

using test::HeldPage;

TEST_F(CommaLocale, FeedsFilesAndLabelsKeepTheirDecimalPoint)
{
    EXPECT_EQ(CAtof("35.25"), 35.25);
    EXPECT_EQ(CAtof("35,25"), 35.0);

    const HeldPage page(R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":)"
                        R"({"mag":5.4,"place":"Near Tokyo","time":1764997200000},"geometry":)"
                        R"({"type":"Point","coordinates":[139.75,35.5,10.25]}}]})");
    QuakeList quakes;
    ASSERT_TRUE(quakes.ParsePage(page, [](const std::string& m) { FAIL() << m; }));
    ASSERT_EQ(quakes.count(), 1);
    EXPECT_EQ(quakes.at(0).magnitude, 5.4);
    EXPECT_EQ(quakes.at(0).latitude, 35.5);
    EXPECT_EQ(quakes.at(0).longitude, 139.75);
    EXPECT_EQ(quakes.at(0).depth, 10.25);

    const std::string cities = ::testing::TempDir() + "/comma_cities.txt";
    {
        std::ofstream(cities) << "Tokyo\t35.6895\t139.6917\n";
    }
    const Result<CityFileContent> file = ReadCityFile(cities);
    ASSERT_TRUE(file) << file.error();
    ASSERT_EQ(file->entries.size(), 1u);
    EXPECT_EQ(file->entries[0].position.latDecimal, 35.6895);

    std::ostringstream trace;
    TraceCanvas canvas(trace);
    DrawQuakes(canvas, 800, 600, DisplaySettings(), file->entries[0].position, quakes,
               FixedClock(OleDateFromCalendar(2025, 12, 6, 6, 0, 0)));
    EXPECT_NE(trace.str().find("[5.4] "), std::string::npos) << trace.str();
    EXPECT_EQ(trace.str().find("[5,4]"), std::string::npos);
}

}  // namespace
}  // namespace tremolux
