#include "cli/CliClock.h"

#include "core/common/Clock.h"

namespace tremolux {

std::unique_ptr<Clock> MakeClock(const std::optional<OleDate>& now)
{
    if (now)
        return std::make_unique<FixedClock>(*now);
    return std::make_unique<SystemUtcClock>();
}

}  // namespace tremolux
