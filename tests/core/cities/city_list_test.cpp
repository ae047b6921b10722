#include <gtest/gtest.h>

#include <stdexcept>

#include "core/cities/CityList.h"

using namespace tremolux;

namespace {

CityEntry City(const std::string& name, double lat = 0.0)
{
    CityEntry entry;
    entry.name = name;
    entry.position.latDecimal = lat;
    return entry;
}

}  // namespace

TEST(CityList, AppendsRemovesAndFindsByExactName)
{
    CityList list;
    EXPECT_EQ(list.Append(City("Tokyo", 1)), 0);
    EXPECT_EQ(list.Append(City("Berlin")), 1);
    EXPECT_EQ(list.Append(City("Tokyo", 2)), 2);
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.FindFirst("Tokyo"), 0);
    EXPECT_EQ(list.FindFirst("tokyo"), -1);
    EXPECT_EQ(list.FindFirst("Tokyo "), -1);

    list.Remove(0);
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).name, "Berlin");
    EXPECT_EQ(list.FindFirst("Tokyo"), 1);
    EXPECT_EQ(list.at(1).position.latDecimal, 2.0);
}

TEST(CityList, IndicesOutsideTheListThrow)
{
    CityList list;
    EXPECT_THROW(list.at(0), std::invalid_argument);
    EXPECT_THROW(list.Remove(0), std::invalid_argument);
    list.Append(City("A"));
    EXPECT_THROW(list.at(-1), std::invalid_argument);
    EXPECT_THROW(list.at(1), std::invalid_argument);
    EXPECT_THROW(list.Remove(1), std::invalid_argument);
    EXPECT_EQ(list.size(), 1);
}
