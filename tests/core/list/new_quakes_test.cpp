#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/QuakeList.h"
#include "core/list/NewQuakes.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

QuakeRecord Quake(double magnitude, double latitude, double time = 46000.5)
{
    QuakeRecord quake;
    quake.magnitude = magnitude;
    quake.latitude = latitude;
    quake.longitude = 140.0;
    quake.time = OleDate{time};
    quake.region = "somewhere";
    return quake;
}

using test::ListOf;

std::vector<bool> Marks(const NewQuakes& marks, int count)
{
    std::vector<bool> result;
    for (int i = 0; i < count; ++i)
        result.push_back(marks.IsNew(i));
    return result;
}

TEST(NewQuakesTest, MarksWhatTheLatestLoadAddedUntilTheNext)
{
    NewQuakes marks;
    const QuakeList first = ListOf({Quake(4.0, 35.0), Quake(3.0, 36.0)});
    marks.Update(first);
    // Nothing to compare the first load with: nothing is new.
    EXPECT_EQ(Marks(marks, 2), (std::vector<bool>{false, false}));

    // One quake added at the top, one revised magnitude, one that fell off.
    const QuakeList second = ListOf({Quake(5.0, 30.0, 46000.6), Quake(4.2, 35.0)});
    marks.Update(second);
    EXPECT_EQ(Marks(marks, 2), (std::vector<bool>{true, true}));
    EXPECT_EQ(marks.Count(), 2);

    marks.Update(second);
    EXPECT_EQ(Marks(marks, 2), (std::vector<bool>{false, false}));
    EXPECT_FALSE(marks.IsNew(-1));
    EXPECT_FALSE(marks.IsNew(2));
}

// A load that failed left the list empty: the load after it brings back the
// same quakes, which are not news.
TEST(NewQuakesTest, NoNewsAfterAFailedLoadOrAnotherFeed)
{
    NewQuakes marks;
    const QuakeList full = ListOf({Quake(4.0, 35.0), Quake(3.0, 36.0)});
    marks.Update(full);
    marks.Update(QuakeList());
    EXPECT_EQ(marks.Count(), 0);
    const QuakeList next = ListOf({Quake(6.0, 10.0, 46000.7), Quake(4.0, 35.0), Quake(3.0, 36.0)});
    marks.Update(next);
    EXPECT_EQ(Marks(marks, 3), (std::vector<bool>{true, false, false}));

    // Another feed's first load is no news either.
    marks.Forget();
    marks.Update(ListOf({Quake(2.0, 20.0, 46000.8)}));
    EXPECT_EQ(marks.Count(), 0);
}

// A field the feed left out reads as NaN, which equals nothing, not even itself.
TEST(NewQuakesTest, RowsWithoutNumbersKeepTheirIdentity)
{
    QuakeRecord odd = Quake(std::nan(""), std::nan(""));
    odd.time = OleDate{0.0, false};
    const QuakeList list = ListOf({Quake(4.0, 35.0), odd});
    NewQuakes marks;
    marks.Update(list);
    marks.Update(list);
    EXPECT_EQ(marks.Count(), 0);
    EXPECT_EQ(FindQuake(list, QuakeIdentity::Of(odd)), 1);
    EXPECT_EQ(FindQuake(list, QuakeIdentity::Of(Quake(4.0, 35.0))), 0);
    EXPECT_EQ(FindQuake(list, QuakeIdentity::Of(Quake(4.1, 35.0))), -1);
}

}  // namespace
}  // namespace tremolux
