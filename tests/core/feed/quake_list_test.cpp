#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/feed/PageRead.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

QuakeRecord Quake(const std::string& id)
{
    QuakeRecord quake;
    quake.eventId = id;
    return quake;
}

std::vector<std::string> Ids(const QuakeList& quakes)
{
    std::vector<std::string> ids;
    for (int i = 0; i < quakes.count(); ++i)
        ids.push_back(quakes.at(i).eventId);
    return ids;
}

PageRead ReadOf(std::vector<QuakeRecord> records)
{
    PageRead read;
    read.replacesList = true;
    read.records = std::move(records);
    return read;
}

// A copy handed to a worker thread shares the rows: whatever the list does
// next, the copy keeps the rows it was made with.
TEST(QuakeListTest, ACopyKeepsItsRowsWhileTheListChanges)
{
    QuakeList list;
    list.Append(Quake("a"));
    list.Append(Quake("b"));

    const QuakeList appended = list;
    list.Append(Quake("c"));
    EXPECT_EQ(Ids(appended), (std::vector<std::string>{"a", "b"}));

    const QuakeList cleared = list;
    list.Clear();
    EXPECT_EQ(Ids(cleared), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list.count(), 0);

    list.Append(Quake("d"));
    const QuakeList replaced = list;
    PageRead read = ReadOf({Quake("e")});
    list.TakeRead(read);
    EXPECT_EQ(Ids(replaced), std::vector<std::string>{"d"});
    EXPECT_EQ(Ids(list), std::vector<std::string>{"e"});
    EXPECT_TRUE(read.records.empty());  // still the copy's
}

// Rows no copy shares come back with the read, to be freed elsewhere.
TEST(QuakeListTest, ATakenReadHandsBackTheFormerRows)
{
    QuakeList list;
    PageRead first = ReadOf({Quake("a"), Quake("b")});
    list.TakeRead(first);
    EXPECT_TRUE(first.records.empty());

    PageRead second = ReadOf({Quake("c")});
    list.TakeRead(second);
    EXPECT_EQ(Ids(list), std::vector<std::string>{"c"});
    ASSERT_EQ(second.records.size(), 2u);
    EXPECT_EQ(second.records[1].eventId, "b");
}

}  // namespace
}  // namespace tremolux
