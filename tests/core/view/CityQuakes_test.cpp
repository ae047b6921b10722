#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/view/QuakeLayout.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

const OleDate kNow = OleDateFromCalendar(2024, 3, 1, 12, 0, 0);

std::vector<std::string> Labels(const QuakeLayout& layout)
{
    std::vector<std::string> labels;
    for (const QuakeShape& shape : layout.shapes)
        labels.push_back(shape.label != nullptr ? *shape.label : "(none)");
    return labels;
}

QuakeLayout Layout(const QuakeList& quakes, const CityPosition& city,
                   std::shared_ptr<CityQuakes> previous = nullptr)
{
    return LayOutQuakes(800, 600, DisplaySettings{}, city, quakes, kNow, {}, std::move(previous));
}

// A window's next picture starts from its last one's texts and distances: it
// must show exactly what a picture made from nothing shows, for the same list
// and city, after a new load, and after the city changed, and back again.
TEST(CityQuakes, ALaterPictureShowsWhatAFreshOneShows)
{
    const CityPosition tokyo = test::At(35.68948888888889, 139.69170555555556);
    const CityPosition manila = test::At(14.5995, 120.9842);
    QuakeList quakes = test::ListOf({test::QuakeBefore(kNow, 3, 5.0, 38.297, 142.373, "Honshu"),
                                     test::QuakeBefore(kNow, 30, 4.2, 35.0, 139.0, "Izu"),
                                     test::QuakeBefore(kNow, 2, 9.9, 14.6, 121.0, "Luzon")});
    QuakeLayout last = Layout(quakes, tokyo);
    ASSERT_EQ(Labels(last)[0], "[5.0] 375 km, Honshu (at Fri Mar  1 09:00:00 2024)");

    struct Step {
        const char* what;
        bool newLoad;
        const CityPosition* city;
        bool sameSeen;
    };
    const Step steps[] = {{"the same list and city", false, &tokyo, true},
                          {"another city", false, &manila, false},
                          {"the same again", false, &manila, true},
                          {"a new load", true, &manila, false},
                          {"back to the first city", false, &tokyo, false}};
    for (const Step& step : steps) {
        if (step.newLoad)
            quakes.Append(test::QuakeBefore(kNow, 1, 6.1, 10.0, 125.0, "Mindanao"));
        const QuakeLayout next = Layout(quakes, *step.city, last.seen);
        EXPECT_EQ(next.seen == last.seen, step.sameSeen) << step.what;
        EXPECT_EQ(Labels(next), Labels(Layout(quakes, *step.city))) << step.what;
        EXPECT_EQ(next.seen->Distances(), Layout(quakes, *step.city).seen->Distances())
            << step.what;
        last = next;
    }
}

}  // namespace
}  // namespace tremolux
