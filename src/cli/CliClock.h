#pragma once

#include <memory>
#include <optional>

#include "core/common/OleDate.h"

namespace tremolux {

class Clock;

// The moment of --now when given, else the system clock.
std::unique_ptr<Clock> MakeClock(const std::optional<OleDate>& now);

}  // namespace tremolux
