#pragma once

#include <string>

namespace tremolux {

// The largest values a map window's parameters may take: past a week the
// feed has no quakes, past these distances nothing more fits the picture.
inline constexpr int kMaxHours = 168;
inline constexpr int kMaxNearestKm = 15000;
inline constexpr int kMaxPieKm = 1000;

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
