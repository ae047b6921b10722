#include <gtest/gtest.h>

#include "core/cities/CityEditorLogic.h"

using namespace tremolux;

namespace {

const char* const LATITUDE_MESSAGE = "Latitude must be inside -90 ... 90 degrees (90 excluded)";
const char* const LONGITUDE_MESSAGE =
    "Longitude must be inside -180 ... 180 degrees (180 excluded)";

CityEditorFields Decimal(std::string lat, std::string lon)
{
    CityEditorFields fields;
    fields.name = "Somewhere";
    fields.latDecimal = std::move(lat);
    fields.lonDecimal = std::move(lon);
    return fields;
}

CityEditorFields Degrees(std::string latDeg, std::string latMin, std::string latSec,
                         std::string latHemisphere, std::string lonDeg, std::string lonMin,
                         std::string lonSec, std::string lonHemisphere)
{
    CityEditorFields fields;
    fields.name = "Somewhere";
    fields.latDeg = std::move(latDeg);
    fields.latMin = std::move(latMin);
    fields.latSec = std::move(latSec);
    fields.latHemisphere = std::move(latHemisphere);
    fields.lonDeg = std::move(lonDeg);
    fields.lonMin = std::move(lonMin);
    fields.lonSec = std::move(lonSec);
    fields.lonHemisphere = std::move(lonHemisphere);
    return fields;
}

std::string ErrorOf(const CityEditorFields& fields)
{
    const Result<CityEntry> city = ReadCityEditor(fields);
    return city ? "" : city.error();
}

}  // namespace

TEST(CityEditor, DegreesMinutesSecondsGiveTheCompletePosition)
{
    // Combo entries are padded to their list's width.
    const Result<CityEntry> tokyo =
        ReadCityEditor(Degrees("35", " 41", "22.16", "N", "139", "41", "30.14", "O"));
    ASSERT_TRUE(tokyo) << tokyo.error();
    EXPECT_EQ(tokyo->name, "Somewhere");
    const CityPosition& p = tokyo->position;
    EXPECT_NEAR(p.latDecimal, 35.68948889, 1e-8);
    EXPECT_NEAR(p.lonDecimal, 139.69170556, 1e-8);
    EXPECT_EQ(p.north, 1);
    EXPECT_EQ(p.west, 0);
    EXPECT_EQ(p.latMin, 41.0);
    EXPECT_EQ(p.lonSec, 30.14);

    const Result<CityEntry> south =
        ReadCityEditor(Degrees("33", "52", "4", "S", " 74", " 0", "22", "W"));
    ASSERT_TRUE(south) << south.error();
    EXPECT_NEAR(south->position.latDecimal, -33.86777778, 1e-8);
    EXPECT_NEAR(south->position.lonDecimal, -74.00611111, 1e-8);
    EXPECT_EQ(south->position.north, 0);
    EXPECT_EQ(south->position.west, 1);
}

TEST(CityEditor, UnfilledPartsAndHemispheresCountAsZeroNorthAndEast)
{
    const Result<CityEntry> result = ReadCityEditor(Degrees("", "30", "", "", "", "", "", ""));
    ASSERT_TRUE(result) << result.error();
    EXPECT_DOUBLE_EQ(result->position.latDecimal, 0.5);
    EXPECT_EQ(result->position.lonDecimal, 0.0);
    EXPECT_EQ(result->position.north, 1);
    EXPECT_EQ(result->position.west, 0);
}

TEST(CityEditor, DegreeSideWinsOverTheDecimalSideWhenAnyOfItIsFilled)
{
    CityEditorFields fields = Decimal("10", "20");
    fields.lonSec = "36";
    const Result<CityEntry> result = ReadCityEditor(fields);
    ASSERT_TRUE(result) << result.error();
    EXPECT_EQ(result->position.latDecimal, 0.0);
    EXPECT_DOUBLE_EQ(result->position.lonDecimal, 0.01);

    // A hemisphere alone is no position.
    fields = Decimal("10", "20");
    fields.latHemisphere = "S";
    EXPECT_FALSE(HasDegreeFields(fields));
    EXPECT_EQ(ReadCityEditor(fields)->position.latDecimal, 10.0);
}

TEST(CityEditor, DecimalSideIsReadByAtofAndCompletedWithDegrees)
{
    const Result<CityEntry> result = ReadCityEditor(Decimal(" -33.8678", "-74.0061abc"));
    ASSERT_TRUE(result) << result.error();
    CityPosition p = result->position;
    EXPECT_EQ(p.latDecimal, -33.8678);
    EXPECT_EQ(p.lonDecimal, -74.0061);
    EXPECT_EQ(p.north, 0);
    EXPECT_EQ(p.west, 1);
    EXPECT_EQ(p.latDeg, 33.0);
    EXPECT_EQ(p.lonDeg, 74.0);
    p.ComputeDecimal();
    EXPECT_NEAR(p.latDecimal, -33.8678, 1e-9);
    EXPECT_NEAR(p.lonDecimal, -74.0061, 1e-9);

    EXPECT_EQ(ReadCityEditor(Decimal("52,5", "13"))->position.latDecimal, 52.0);
    EXPECT_EQ(ReadCityEditor(Decimal(".5", "+1"))->position.latDecimal, 0.5);
}

TEST(CityEditor, RangesAreCheckedOnTheComputedDecimals)
{
    EXPECT_EQ(ErrorOf(Decimal("90", "0")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("-90.0001", "0")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("0", "180")), LONGITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("0", "-180.5")), LONGITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("-90", "-180")), "");
    EXPECT_EQ(ErrorOf(Decimal("89.9999", "179.9999")), "");

    EXPECT_EQ(ErrorOf(Degrees("89", "60", "", "N", "", "", "", "")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Degrees("89", "59", "59.99", "N", "", "", "", "")), "");
    EXPECT_EQ(ErrorOf(Degrees("90", "", "", "S", "180", "", "", "W")), "");
    EXPECT_EQ(ErrorOf(Degrees("", "", "", "", "179", "60", "", "O")), LONGITUDE_MESSAGE);
}

TEST(CityEditor, FieldsThatAreNotNumbersAreRejected)
{
    EXPECT_EQ(ErrorOf(Decimal("", "10")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("north", "10")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("10", "-")), LONGITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("nan", "10")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Decimal("1e999", "10")), LATITUDE_MESSAGE);
    EXPECT_EQ(ErrorOf(Degrees("10", "x", "", "", "", "", "", "")),
              "Latitude minutes must be a number");
    EXPECT_EQ(ErrorOf(Degrees("", "", "", "", "10", "", "sec", "")),
              "Longitude seconds must be a number");
}

TEST(CityEditor, NameMustBeFilledAndFitOneLineOfTheCityFile)
{
    CityEditorFields fields = Decimal("1", "2");
    fields.name = "";
    EXPECT_EQ(ErrorOf(fields), "Name must not be empty");
    fields.name = "Tab\tCity";
    EXPECT_EQ(ErrorOf(fields), "Name must not contain TAB or line-break characters");
    fields.name = "Two\nLines";
    EXPECT_EQ(ErrorOf(fields), "Name must not contain TAB or line-break characters");

    // The name is checked before the position, and kept with its spaces.
    fields = Decimal("", "");
    fields.name = "";
    EXPECT_EQ(ErrorOf(fields), "Name must not be empty");
    fields = Decimal("1", "2");
    fields.name = " New Town ";
    EXPECT_EQ(ReadCityEditor(fields)->name, " New Town ");
}

TEST(CityEditorArrow, FillsDecimalFieldsFromDegrees)
{
    CityEditorFields fields = Degrees("35", " 41", "22.16", "N", "139", "41", "30.14", "O");
    fields.latDecimal = "1";
    EXPECT_TRUE(FillDecimalFields(fields));
    EXPECT_EQ(fields.latDecimal, "35.689489");
    EXPECT_EQ(fields.lonDecimal, "139.691706");

    fields = Degrees("", "", "", "S", "10", "30", "", "W");
    EXPECT_TRUE(FillDecimalFields(fields));
    EXPECT_EQ(fields.latDecimal, "0");
    EXPECT_EQ(fields.lonDecimal, "-10.5");

    // The filled-in text reads back as the same place.
    fields = Degrees("33", "52", "4", "S", "", "", "", "");
    ASSERT_TRUE(FillDecimalFields(fields));
    const Result<CityEntry> back = ReadCityEditor(Decimal(fields.latDecimal, fields.lonDecimal));
    EXPECT_NEAR(back->position.latDecimal, -33.86777778, 1e-6);
}

TEST(CityEditorArrow, LeavesDecimalFieldsAloneWithoutDegreesOrWithABadField)
{
    CityEditorFields fields = Decimal("12.5", "-3");
    EXPECT_TRUE(FillDecimalFields(fields));
    EXPECT_EQ(fields.latDecimal, "12.5");
    EXPECT_EQ(fields.lonDecimal, "-3");

    fields.latDeg = "ten";
    const Result<> fill = FillDecimalFields(fields);
    ASSERT_FALSE(fill);
    EXPECT_EQ(fill.error(), "Latitude degrees must be a number");
    EXPECT_EQ(fields.latDecimal, "12.5");
}
