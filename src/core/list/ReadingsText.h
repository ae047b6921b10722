#pragma once

#include <string>
#include <vector>

#include "core/feed/QuakeRecord.h"

namespace tremolux {

// What each source says of a merged event, "EMSC M 5.2 mb, USGS M 5.0 mww";
// empty when only one source reports it.
std::string ReadingsText(const std::vector<SourceReading>& readings);

}  // namespace tremolux
