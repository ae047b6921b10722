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
                   std::shared_ptr<CityQuakes> previous = nullptr, const LabelMeasure& measure = {})
{
    return LayOutQuakes(800, 600, DisplaySettings{}, city, quakes, kNow, measure,
                        std::move(previous));
}

std::vector<int> LabelRights(const QuakeLayout& layout)
{
    std::vector<int> rights;
    for (const QuakeShape& shape : layout.shapes)
        rights.push_back(shape.labelBox.right);
    return rights;
}

// A window's next picture starts from its last one's texts, extents and
// distances: it must show exactly what a picture made from nothing shows, and
// find the same label boxes under the mouse, for the same list and city, after
// a new load, after the city or the font changed, and back again. It measures
// a label again only when its text or the font is new.
TEST(CityQuakes, ALaterPictureShowsWhatAFreshOneShows)
{
    const CityPosition tokyo = test::At(35.68948888888889, 139.69170555555556);
    const CityPosition manila = test::At(14.5995, 120.9842);
    QuakeList quakes = test::ListOf({test::QuakeBefore(kNow, 3, 5.0, 38.297, 142.373, "Honshu"),
                                     test::QuakeBefore(kNow, 30, 4.2, 35.0, 139.0, "Izu"),
                                     test::QuakeBefore(kNow, 2, 9.9, 14.6, 121.0, "Luzon")});
    int measured = 0;
    const auto measureIn = [&](const char* font, int perCharacter) {
        return LabelMeasure{font, [&measured, perCharacter](const std::string& text) {
                                ++measured;
                                return TextExtent{perCharacter * static_cast<int>(text.size()), 14};
                            }};
    };
    QuakeLayout last = Layout(quakes, tokyo, nullptr, measureIn("six", 6));
    ASSERT_EQ(Labels(last)[0], "[5.0] 375 km, Honshu (at Fri Mar  1 09:00:00 2024)");

    struct Step {
        const char* what;
        bool newLoad;
        const CityPosition* city;
        const char* font;
        int perCharacter;
        bool sameSeen;
        bool measuresAll;
    };
    const Step steps[] = {{"the same list and city", false, &tokyo, "six", 6, true, false},
                          {"another city", false, &manila, "six", 6, false, true},
                          {"the same again", false, &manila, "six", 6, true, false},
                          {"another font", false, &manila, "seven", 7, true, true},
                          {"a new load", true, &manila, "seven", 7, false, true},
                          {"back to the first city", false, &tokyo, "seven", 7, false, true}};
    for (const Step& step : steps) {
        if (step.newLoad)
            quakes.Append(test::QuakeBefore(kNow, 1, 6.1, 10.0, 125.0, "Mindanao"));
        const LabelMeasure measure = measureIn(step.font, step.perCharacter);
        measured = 0;
        const QuakeLayout next = Layout(quakes, *step.city, last.seen, measure);
        EXPECT_EQ(measured, step.measuresAll ? static_cast<int>(next.shapes.size()) : 0)
            << step.what;
        const QuakeLayout fresh = Layout(quakes, *step.city, nullptr, measure);
        EXPECT_EQ(next.seen == last.seen, step.sameSeen) << step.what;
        EXPECT_EQ(Labels(next), Labels(fresh)) << step.what;
        EXPECT_EQ(LabelRights(next), LabelRights(fresh)) << step.what;
        EXPECT_EQ(next.seen->Distances(), fresh.seen->Distances()) << step.what;
        last = next;
    }
}

}  // namespace
}  // namespace tremolux
