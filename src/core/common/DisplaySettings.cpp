#include "core/common/DisplaySettings.h"

#include <cstdio>

namespace tremolux {

DisplaySettings SettingsTransfer;

std::string StatusText(const DisplaySettings& settings)
{
    char text[80];
    std::snprintf(text, sizeof text, " %d hr   %d max   %d pie", static_cast<int>(settings.hours),
                  static_cast<int>(settings.nearestRadius * 0.001),
                  static_cast<int>(settings.pieRadius * 0.001));
    return text;
}

}  // namespace tremolux
