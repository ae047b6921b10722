#pragma once

#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "core/cities/CityEntry.h"

namespace tremolux {

// The reference city of --at, or of --city in the --cities file (the city
// list's usual place without it). On failure error says why.
std::optional<CityEntry> ReferenceCity(const CliOptions& options, std::string& error);

}  // namespace tremolux
