#pragma once

#include <QTest>

namespace tremolux::test {

// Runs the event loop until the condition holds; false when it did not
// within the time allowed.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace tremolux::test
