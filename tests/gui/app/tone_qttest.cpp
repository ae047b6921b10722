#include <gtest/gtest.h>

#include "gui/app/QtTone.h"
#include "support/Wait.h"

namespace tremolux {
namespace {

// Without a sound card (as here) the alert is silent: no error, no wait,
// and a tone cut short by the next one or by the end of the program is fine.
TEST(QtToneTest, PlaysWithoutBlockingAndStopsCleanly)
{
    QtTone tone;
    tone.Play(1080, 500);
    tone.Play(2000, 500);
    tone.Play(0, 500);
    tone.Play(819, 500);
    EXPECT_FALSE(test::WaitUntil([] { return false; }, 100));
}

}  // namespace
}  // namespace tremolux
