#pragma once

#include <string>

namespace tremolux {

// One map window's display parameters.
struct DisplaySettings {
    unsigned char drawTexts = 1;
    double hours = 48.0;
    double nearestRadius = 3000000.0;  // metres
    double pieRadius = 300000.0;       // metres
};

// The one record through which a map window and the Parameters dialog
// exchange their values.
extern DisplaySettings SettingsTransfer;

// " %d hr   %d max   %d pie" of the settings, for the status line.
std::string StatusText(const DisplaySettings& settings);

}  // namespace tremolux
