#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/alerts/AlertEvaluation.h"
#include "core/alerts/AlertRulesJson.h"
#include "core/alerts/IntensityPrediction.h"
#include "core/alerts/Sequences.h"
#include "support/QuakeBuilders.h"

namespace tremolux {
namespace {

using test::At;

const OleDate kNow = OleDateFromCalendar(2026, 12, 8, 1, 0, 0);

RuleLookups TestLookups()
{
    return {[](const std::string& name) -> std::optional<CityPosition> {
                if (name == "Tokyo")
                    return At(35.69, 139.69);
                if (name == "Lima")
                    return At(-12.05, -77.04);
                return std::nullopt;
            },
            [](const std::string& program) { return program == "notify-send"; }};
}

AlertSettings Rules(const std::string& json)
{
    const Result<AlertSettings> reading = ReadAlertSettings(json, TestLookups());
    EXPECT_TRUE(reading) << json << ": " << reading.error();
    return reading ? *reading : AlertSettings();
}

QuakeRecord Event(std::string id, double magnitude, double latitude, double longitude,
                  double hoursOld = 1.0, double depth = 10.0)
{
    QuakeRecord event = test::QuakeBefore(kNow, hoursOld, magnitude, latitude, longitude, id);
    event.eventId = std::move(id);
    event.depth = depth;
    return event;
}

EventChange Change(ChangeKind kind, QuakeRecord event, std::optional<QuakeRecord> before = {})
{
    return {kind, std::move(event), std::move(before), {}};
}

// The Atkinson, Worden and Wald (2014) equation at magnitudes and distances
// across its range, worked from equation (1), its coefficients and its 14 km
// saturation term, as the USGS "Did You Feel It?" code computes them.
TEST(IntensityPrediction, FollowsThePublishedEquation)
{
    struct Case {
        double magnitude, hypocentralKm, intensity;
    } const cases[] = {
        {3.0, 10.0, 2.378}, {4.5, 20.0, 3.932},  {6.0, 10.0, 6.550},  {6.0, 100.0, 3.855},
        {7.0, 50.0, 5.805}, {7.0, 200.0, 3.964}, {8.0, 500.0, 3.113}, {5.0, 0.0, 5.487},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(EstimatedIntensity(c.magnitude, c.hypocentralKm), c.intensity, 0.001)
            << "M" << c.magnitude << " at " << c.hypocentralKm << " km";
    EXPECT_DOUBLE_EQ(HypocentralKm(30.0, 40.0), 50.0);
    EXPECT_STREQ(IntensityNumeral(3.4), "III");
    EXPECT_STREQ(IntensityNumeral(15.0), "XII");
    // Wells and Coppersmith: an M 7 ruptures about 49 km underground.
    EXPECT_NEAR(RuptureLengthKm(7.0), 48.98, 0.01);
}

TEST(AlertEvaluation, FiresAsTheRulesSay)
{
    const std::string nearTokyo =
        R"({"name": "near Tokyo", "city": "Tokyo", "within_km": 300, "min_magnitude": 2.5, "actions": ["notify"]})";
    const std::string feltLima =
        R"({"name": "felt in Lima", "city": "Lima", "felt_mmi": 3, "actions": ["notify", "sound"]})";
    const std::string big = R"({"name": "big", "min_magnitude": 6.0, "actions": ["notify"]})";
    const std::string gone =
        R"({"name": "gone", "min_magnitude": 4, "changes": ["retracted"], "actions": ["notify"]})";
    const std::string windows =
        R"({"name": "near a window", "windows": true, "within_km": 500, "actions": ["sound"]})";
    const std::string quiet =
        R"({"quiet": {"from": "22:00", "to": "07:00", "min_magnitude": 5.0}})";
    const QuakeRecord nearTokyoM3 = Event("a", 3.0, 35.0, 140.0);
    const QuakeRecord mainshock = Event("main", 7.0, 36.0, 141.0, 48.0);
    const QuakeRecord aftershock = Event("after", 4.0, 36.2, 141.1, 24.0);

    struct Case {
        const char* what;
        std::string rules;
        std::vector<EventChange> changes;
        std::vector<std::string> fired;  // rule/id
        int localMinute = 12 * 60;
        std::vector<QuakeRecord> known = {};
    } const cases[] = {
        {"near fires, far does not",
         "[" + nearTokyo + "]",
         {Change(ChangeKind::New, nearTokyoM3),
          Change(ChangeKind::New, Event("far", 3.0, 10.0, 100.0))},
         {"near Tokyo/a"}},
        {"felt at the city, not far from it",
         "[" + feltLima + "]",
         {Change(ChangeKind::New, Event("close", 4.0, -12.2, -77.0)),
          Change(ChangeKind::New, Event("distant", 4.0, -20.0, -70.0))},
         {"felt in Lima/close"}},
        {"revised upward: newly matching or +0.5, not a small rise",
         "[" + nearTokyo + "]",
         {Change(ChangeKind::Revised, Event("up", 2.6, 35.0, 140.0), Event("up", 2.0, 35.0, 140.0)),
          Change(ChangeKind::Revised, Event("small", 2.8, 35.0, 140.0),
                 Event("small", 2.6, 35.0, 140.0)),
          Change(ChangeKind::Revised, Event("rise", 4.6, 35.0, 140.0),
                 Event("rise", 4.0, 35.0, 140.0))},
         {"near Tokyo/up", "near Tokyo/rise"}},
        {"retracted only where asked and matching",
         "[" + big + "," + gone + "]",
         {Change(ChangeKind::Retracted, Event("r", 4.5, 0.0, 0.0)),
          Change(ChangeKind::Retracted, Event("tiny", 2.0, 0.0, 0.0))},
         {"gone/r"}},
        {"a window's city",
         "[" + windows + "]",
         {Change(ChangeKind::New, Event("w", 1.5, -12.5, -77.0))},
         {"near a window/w"}},
        {"quiet hours keep small quakes from sounding",
         "[" + windows + "," + quiet + "]",
         {Change(ChangeKind::New, Event("w", 3.0, -12.5, -77.0)),
          Change(ChangeKind::New, Event("strong", 5.5, -12.5, -77.0))},
         {"near a window/strong"},
         23 * 60},
        {"quiet hours end in the morning",
         "[" + windows + "," + quiet + "]",
         {Change(ChangeKind::New, Event("w", 3.0, -12.5, -77.0))},
         {"near a window/w"},
         7 * 60},
        {"an aftershock stays quiet",
         "[" + big + "," + nearTokyo + "]",
         {Change(ChangeKind::New, aftershock), Change(ChangeKind::New, mainshock)},
         {"big/main", "near Tokyo/main"},
         12 * 60,
         {aftershock, mainshock}},
        {"unless sequences are not quieter",
         "[" + nearTokyo + R"(, {"quieter_sequences": false}])",
         {Change(ChangeKind::New, aftershock)},
         {"near Tokyo/after"},
         12 * 60,
         {aftershock, mainshock}},
        {"one firing per event and change",
         "[" + nearTokyo + "]",
         {Change(ChangeKind::New, nearTokyoM3), Change(ChangeKind::New, nearTokyoM3)},
         {"near Tokyo/a"}},
        {"a disabled rule is silent",
         R"([{"name": "off", "enabled": false, "actions": ["notify"]}])",
         {Change(ChangeKind::New, nearTokyoM3)},
         {}},
    };
    for (const Case& c : cases) {
        AlertContext context;
        context.windowCities = {{"Lima", At(-12.05, -77.04)}};
        context.localMinute = c.localMinute;
        context.known = c.known;
        std::vector<std::string> fired;
        for (const AlertFiring& firing : EvaluateAlerts(Rules(c.rules), c.changes, context))
            fired.push_back(firing.ruleName + "/" + firing.event.eventId);
        EXPECT_EQ(fired, c.fired) << c.what;
    }
}

TEST(AlertEvaluation, ABurstIsOneNotificationNamingTheLargest)
{
    std::vector<EventChange> changes;
    for (int i = 0; i < 10000; ++i)
        changes.push_back(
            Change(ChangeKind::New, Event(std::to_string(i), 1.0 + i % 50 / 10.0, -13, -77)));
    changes[1234].event.magnitude = 6.1;
    changes[1234].event.region = "Peru";
    AlertContext context;
    context.windowCities = {{"Lima", At(-12.05, -77.04)}};
    const std::vector<AlertFiring> firings = EvaluateAlerts(
        Rules(R"([{"name": "near", "windows": true, "within_km": 900, "actions": ["notify"]}])"),
        changes, context);
    const AlertSummary summary = SummariseAlerts(firings);
    EXPECT_EQ(summary.events, 10000);
    EXPECT_EQ(summary.title, "10000 quakes match");
    EXPECT_EQ(summary.text.substr(0, 36), "largest M6.1 Peru, 106 km from Lima\n");
}

TEST(AlertRulesJson, RejectsFaultsNamingTheRuleAndField)
{
    const std::string good = R"({"name": "ok", "actions": ["notify"]})";
    struct Case {
        std::string json;
        std::string error;
    } const cases[] = {
        {"not json", "The rules are not a JSON list of objects"},
        {R"([{"name": "a", "colour": 1, "actions": ["notify"]}])",
         "rule 1 (a): colour is not a known key"},
        {R"([{"name": "a", "city": "Tokyo", "within_km": -1, "actions": ["notify"]}])",
         "rule 1 (a): within_km must be a number above 0 and up to 20038"},
        {R"([{"name": "a", "city": "Tokyo", "within_km": 1e309, "actions": ["notify"]}])",
         "rule 1 (a): within_km must be a number above 0 and up to 20038"},
        {R"([{"name": "a", "min_magnitude": NaN, "actions": ["notify"]}])",
         "rule 1 (a): min_magnitude must be a number from 0 to 10"},
        {"[" + good + R"(, {"name": "b", "city": "Atlantis", "actions": ["notify"]}])",
         "rule 2 (b): city \"Atlantis\" is not in the city list"},
        {R"([{"name": "a", "actions": ["command"], "command": ["no-such-program", "{id}"]}])",
         "rule 1 (a): command names the program \"no-such-program\", which is not found"},
        {R"([{"name": "a", "felt_mmi": 3, "actions": ["notify"]}])",
         "rule 1 (a): felt_mmi needs a city or windows"},
        {R"([{"name": "a", "actions": []}])", "rule 1 (a): actions names no action"},
        {R"([{"quiet": {"from": "25:00"}}])", "rule 1: quiet.from must be a time of day as HH:MM"},
        {"[" + good + "] {}", "The rules are not a JSON list of objects"},
    };
    for (const Case& c : cases) {
        const Result<AlertSettings> reading = ReadAlertSettings(c.json, TestLookups());
        ASSERT_FALSE(reading) << c.json;
        EXPECT_EQ(reading.error(), c.error) << c.json;
    }
}

TEST(AlertRulesJson, WritesWhatItReadsBack)
{
    AlertSettings settings = Rules(R"([
        {"name": "near \"Tokyo\"\n", "city": "Tokyo", "within_km": 300, "min_magnitude": 2.5,
         "changes": ["new", "revised"], "actions": ["notify", "front"]},
        {"name": "felt", "windows": true, "felt_mmi": 3.5, "actions": ["sound_near"]},
        {"name": "run", "enabled": false, "actions": ["command", "log"],
         "command": ["notify-send", "{place}"], "timeout_s": 5, "log_file": "/tmp/a b.jsonl"},
        {"newest_tone": {"enabled": false, "min_magnitude": 4.5}},
        {"quiet": {"from": "23:30", "to": "06:15", "min_magnitude": 5.5}}])");
    const std::string written = WriteAlertSettings(settings);
    const Result<AlertSettings> again = ReadAlertSettings(written, TestLookups());
    ASSERT_TRUE(again) << again.error() << "\n" << written;
    EXPECT_EQ(WriteAlertSettings(*again), written);
    EXPECT_EQ(again->rules.size(), 3u);
    EXPECT_EQ(again->rules[0].name, "near \"Tokyo\"\n");
    EXPECT_FALSE(again->newestTone.enabled);
    EXPECT_EQ(again->quiet.fromMinute, 23 * 60 + 30);
}

}  // namespace
}  // namespace tremolux
