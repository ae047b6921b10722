#pragma once

#include "cli/CliOptions.h"

namespace tremolux {

// Each command returns the process's exit status.
int RunQuakes(const CliOptions& options);
int RunIndex(const CliOptions& options);
int RunCities(const CliOptions& options);
int RunDistance(const CliOptions& options);
int RunMap(const CliOptions& options);
int RunWorld(const CliOptions& options);
int RunUpdate(const CliOptions& options);
int RunHistory(const CliOptions& options);

}  // namespace tremolux
