// Any text as a date. Every date it accepts reads back to the same second
// from both texts the program writes dates in: the feed's
// "YYYY/MM/DD HH:MM:SS" and FormatOleDate's "%c" form.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "FuzzCheck.h"
#include "core/common/OleDate.h"

namespace {

using tremolux::CalendarTime;
using tremolux::OleDate;

void CheckSameSecond(OleDate reread, const CalendarTime& expected)
{
    CalendarTime calendar;
    FUZZ_CHECK(tremolux::OleDateToCalendar(reread, calendar));
    FUZZ_CHECK(calendar.year == expected.year && calendar.month == expected.month
               && calendar.day == expected.day && calendar.hour == expected.hour
               && calendar.minute == expected.minute && calendar.second == expected.second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const OleDate date =
        tremolux::ParseOleDate(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!date.valid) {
        FUZZ_CHECK(date.value == 0.0 || date.value == -1.0);
        return 0;
    }
    CalendarTime calendar;
    FUZZ_CHECK(tremolux::OleDateToCalendar(date, calendar));

    char feedText[64];
    std::snprintf(feedText, sizeof feedText, "%04d/%02d/%02d %02d:%02d:%02d", calendar.year,
                  calendar.month, calendar.day, calendar.hour, calendar.minute, calendar.second);
    CheckSameSecond(tremolux::ParseOleDate(feedText), calendar);
    CheckSameSecond(tremolux::ParseOleDate(tremolux::FormatOleDate(date)), calendar);
    return 0;
}
