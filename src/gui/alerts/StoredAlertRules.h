#pragma once

#include <string>

#include "core/alerts/AlertRule.h"

namespace tremolux {

// The alert settings kept with the user's settings. Before any were kept, the
// defaults of a first start, carrying over the earlier Sound, Sound from
// Magnitude and Notifications choices. Stored rules that no longer read (a
// city gone from the city file) give those defaults too, and error says why;
// the stored text stays until rules are saved again.
AlertSettings LoadAlertSettings(std::string& error);
void SaveAlertSettings(const AlertSettings& settings);

}  // namespace tremolux
