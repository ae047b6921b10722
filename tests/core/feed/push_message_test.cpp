#include <string>

#include <gtest/gtest.h>

#include "core/feed/LoadedDocument.h"
#include "core/feed/PushMessage.h"
#include "core/feed/PushedQuakes.h"
#include "core/feed/QuakeList.h"

namespace tremolux {
namespace {

std::string Message(const std::string& action, const std::string& properties)
{
    return R"({"action":")" + action
           + R"(","data":{"type":"Feature","geometry":{"type":"Point",)"
             R"("coordinates":[26.1,38.2,-10.0]},"id":"20251207_0000042","properties":{)"
           + properties + "}}}";
}

const std::string kProperties =
    R"("unid":"20251207_0000042","time":"2025-12-07T05:31:12.4Z","lastupdate":"2025-12-07T05:40:00.0Z",)"
    R"("lat":38.2,"lon":26.1,"depth":10.0,"mag":4.6,"magtype":"mb","flynn_region":"WESTERN TURKEY",)"
    R"("auth":"EMSC","evtype":"ke")";

// Each message is an event or nothing: anything short of one is skipped whole.
TEST(PushMessage, ReadsEventsAndRefusesTheRest)
{
    struct Case {
        const char* what;
        std::string text;
        bool event;
    };
    const Case cases[] = {
        {"create", Message("create", kProperties), true},
        {"update", Message("update", kProperties), true},
        {"another action", Message("delete", kProperties), false},
        {"no unid", Message("create", R"("time":"2025-12-07T05:31:12Z","lat":1,"lon":2)"), false},
        {"no time", Message("create", R"("unid":"x","lat":1,"lon":2)"), false},
        {"a time that is no time", Message("create", R"("unid":"x","time":"soon","lat":1,"lon":2)"),
         false},
        {"latitude beyond the pole",
         Message("create", R"("unid":"x","time":"2025-12-07T05:31:12Z","lat":91,"lon":2)"), false},
        {"longitude as text",
         Message("create", R"("unid":"x","time":"2025-12-07T05:31:12Z","lat":1,"lon":"2")"), false},
        {"no magnitude",
         Message("create", R"("unid":"x","time":"2025-12-07T05:31:12Z","lat":1,"lon":2)"), true},
        {"not JSON", "hello", false},
        {"cut off", Message("create", kProperties).substr(0, 120), false},
        {"an array", "[1,2,3]", false},
        {"no data", R"({"action":"create"})", false},
        {"empty", "", false},
    };
    PushMessageReader reader;
    for (const Case& c : cases)
        EXPECT_EQ(reader.Read(c.text).has_value(), c.event) << c.what;

    const std::optional<PushMessage> update = reader.Read(Message("update", kProperties));
    ASSERT_TRUE(update);
    EXPECT_EQ(update->action, PushMessage::Action::Update);
    const QuakeRecord& quake = update->quake;
    EXPECT_EQ(quake.eventId, "20251207_0000042");
    EXPECT_EQ(FormatOleDate(quake.time),
              FormatOleDate(OleDateFromCalendar(2025, 12, 7, 5, 31, 12)));
    EXPECT_DOUBLE_EQ(quake.latitude, 38.2);
    EXPECT_DOUBLE_EQ(quake.longitude, 26.1);
    EXPECT_DOUBLE_EQ(quake.depth, 10.0);
    EXPECT_DOUBLE_EQ(quake.magnitude, 4.6);
    EXPECT_EQ(quake.magnitudeType, "mb");
    EXPECT_EQ(quake.region, "WESTERN TURKEY");
    EXPECT_EQ(quake.network, "EMSC");
    EXPECT_EQ(quake.eventPage,
              "https://www.seismicportal.eu/eventdetails.html?unid=20251207_0000042");

    // An id that could change the page's address gives no page.
    const auto odd = reader.Read(
        Message("create", R"("unid":"a&b=c","time":"2025-12-07T05:31:12Z","lat":1,"lon":2)"));
    ASSERT_TRUE(odd);
    EXPECT_TRUE(odd->quake.eventPage.empty());
}

// The latest word on each event is kept once, the oldest going past the cap,
// and the page walk reads them back newest first.
TEST(PushMessage, PushedQuakesKeepTheLatestOfEachWithinTheCap)
{
    PushMessageReader reader;
    PushedQuakes pushed(2);
    auto take = [&](const std::string& action, const std::string& id, int minute,
                    double magnitude) {
        const std::string properties =
            R"("unid":")" + id + R"(","time":"2025-12-07T05:)" + std::to_string(10 + minute)
            + R"(:00Z","lat":38,"lon":26,"mag":)" + std::to_string(magnitude);
        pushed.Take(*reader.Read(Message(action, properties)));
    };
    take("create", "a", 1, 4.0);
    take("create", "b", 2, 4.5);
    take("update", "a", 1, 4.2);
    EXPECT_EQ(pushed.Count(), 2u);
    take("update", "c", 3, 5.0);  // never created here: added
    EXPECT_EQ(pushed.Count(), 2u);

    QuakeList list;
    const std::unique_ptr<FeedDocument> document = pushed.Document();
    ASSERT_TRUE(list.ParsePage(LoadedDocument(*document),
                               [](const std::string& failure) { FAIL() << failure; }));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0).eventId, "c");
    EXPECT_DOUBLE_EQ(list.at(0).magnitude, 5.0);
    EXPECT_EQ(list.at(1).eventId, "b");

    take("update", "b", 0, 4.7);  // moved back in time: now the oldest
    take("create", "d", 4, 3.0);
    QuakeList after;
    ASSERT_TRUE(after.ParsePage(LoadedDocument(*pushed.Document()), [](const std::string&) {}));
    ASSERT_EQ(after.count(), 2);
    EXPECT_EQ(after.at(0).eventId, "d");
    EXPECT_EQ(after.at(1).eventId, "c");
}

}  // namespace
}  // namespace tremolux
