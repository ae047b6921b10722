#include <gtest/gtest.h>

#include "core/view/ParametersLogic.h"

using namespace tremolux;

namespace {

const char* const HOURS_MESSAGE = "Show last must be inside 0 ... 168 hours";
const char* const NEAREST_MESSAGE = "Show nearest must be inside 0 ... 15000 km";
const char* const PIE_MESSAGE = "Draw Pie near must be inside 0 ... 1000 km";

ParametersForm Form(std::string hours, std::string nearest, std::string pie, bool texts = true)
{
    return {std::move(hours), std::move(nearest), std::move(pie), texts};
}

// A record that no accepted form can produce, to see which fields were written.
DisplaySettings Untouched()
{
    DisplaySettings settings;
    settings.drawTexts = 1;
    settings.hours = 7.5;
    settings.nearestRadius = 1234567.0;
    settings.pieRadius = 7654.0;
    return settings;
}

}  // namespace

TEST(ParametersForm, ShowsWholeHoursAndKilometresTruncated)
{
    const ParametersForm defaults = ParametersFormFrom(DisplaySettings());
    EXPECT_EQ(defaults.hours, "48");
    EXPECT_EQ(defaults.nearest, "3000");
    EXPECT_EQ(defaults.pie, "300");
    EXPECT_TRUE(defaults.drawTexts);

    DisplaySettings odd;
    odd.drawTexts = 0;
    odd.hours = 47.9;
    odd.nearestRadius = 2500999.0;
    odd.pieRadius = 999.0;
    const ParametersForm form = ParametersFormFrom(odd);
    EXPECT_EQ(form.hours, "47");
    EXPECT_EQ(form.nearest, "2500");
    EXPECT_EQ(form.pie, "0");
    EXPECT_FALSE(form.drawTexts);
}

TEST(ParametersApply, AcceptsInclusiveBoundsAndStoresMetres)
{
    DisplaySettings settings = Untouched();
    EXPECT_EQ(ApplyParametersForm(Form("168", "15000", "1000", false), settings), std::nullopt);
    EXPECT_EQ(settings.drawTexts, 0);
    EXPECT_EQ(settings.hours, 168.0);
    EXPECT_EQ(settings.nearestRadius, 15000000.0);
    EXPECT_EQ(settings.pieRadius, 1000000.0);

    EXPECT_EQ(ApplyParametersForm(Form("0", "0", "0"), settings), std::nullopt);
    EXPECT_EQ(settings.drawTexts, 1);
    EXPECT_EQ(settings.hours, 0.0);
    EXPECT_EQ(settings.nearestRadius, 0.0);
    EXPECT_EQ(settings.pieRadius, 0.0);
}

TEST(ParametersApply, NearestRoundTripsThroughTheForm)
{
    DisplaySettings settings;
    ASSERT_EQ(ApplyParametersForm(Form("48", "2500", "300"), settings), std::nullopt);
    EXPECT_EQ(settings.nearestRadius, 2500000.0);
    EXPECT_EQ(ParametersFormFrom(settings).nearest, "2500");
}

TEST(ParametersApply, ReadsFieldsByAtoiRules)
{
    DisplaySettings settings = Untouched();
    ASSERT_EQ(ApplyParametersForm(Form("", " 12abc", "+7"), settings), std::nullopt);
    EXPECT_EQ(settings.hours, 0.0);  // an empty field reads as 0
    EXPECT_EQ(settings.nearestRadius, 12000.0);
    EXPECT_EQ(settings.pieRadius, 7000.0);
}

TEST(ParametersApply, RejectsEachFieldJustOutsideItsRange)
{
    DisplaySettings settings = Untouched();
    EXPECT_EQ(ApplyParametersForm(Form("169", "0", "0"), settings), HOURS_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("-1", "0", "0"), settings), HOURS_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "15001", "0"), settings), NEAREST_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "-5", "0"), settings), NEAREST_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "0", "1001"), settings), PIE_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "0", "-1000"), settings), PIE_MESSAGE);
}

TEST(ParametersApply, DigitStringsBeyond32BitsAreRejectedNotWrapped)
{
    DisplaySettings settings;
    // 2^32 + 48 would wrap to 48 in a plain 32-bit conversion.
    EXPECT_EQ(ApplyParametersForm(Form("4294967344", "0", "0"), settings), HOURS_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "99999999999999999999999", "0"), settings),
              NEAREST_MESSAGE);
    EXPECT_EQ(ApplyParametersForm(Form("0", "0", "-99999999999999999999"), settings), PIE_MESSAGE);
}

TEST(ParametersApply, WritesEachFieldAsItsCheckPassesAndStopsAtTheFirstFailure)
{
    DisplaySettings settings = Untouched();
    EXPECT_EQ(ApplyParametersForm(Form("500", "99999", "5000", false), settings), HOURS_MESSAGE);
    EXPECT_EQ(settings.drawTexts, 0);  // written before any check
    EXPECT_EQ(settings.hours, 7.5);
    EXPECT_EQ(settings.nearestRadius, 1234567.0);

    settings = Untouched();
    EXPECT_EQ(ApplyParametersForm(Form("24", "15001", "10"), settings), NEAREST_MESSAGE);
    EXPECT_EQ(settings.hours, 24.0);
    EXPECT_EQ(settings.nearestRadius, 1234567.0);
    EXPECT_EQ(settings.pieRadius, 7654.0);

    settings = Untouched();
    EXPECT_EQ(ApplyParametersForm(Form("24", "100", "1001"), settings), PIE_MESSAGE);
    EXPECT_EQ(settings.hours, 24.0);
    EXPECT_EQ(settings.nearestRadius, 100000.0);
    EXPECT_EQ(settings.pieRadius, 7654.0);
}
