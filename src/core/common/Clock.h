#pragma once

#include <optional>
#include <string_view>

#include "core/common/OleDate.h"

namespace tremolux {

// The one source of "now" for everything that ages quakes. The feed writes UTC,
// so the present moment is taken in UTC too.
class Clock {
public:
    virtual ~Clock() = default;
    virtual OleDate Now() const = 0;
};

// The system clock in whole seconds, UTC.
class SystemUtcClock final : public Clock {
public:
    OleDate Now() const override;
};

// A clock stopped at one moment: tests and --now.
class FixedClock final : public Clock {
public:
    explicit FixedClock(OleDate now) : m_now(now) {}
    OleDate Now() const override { return m_now; }

private:
    OleDate m_now;
};

// "YYYY-MM-DD HH:MM:SS", the one form a fixed present moment is given in;
// nothing for any other text or an impossible date.
std::optional<OleDate> ParseClockText(std::string_view text);

}  // namespace tremolux
