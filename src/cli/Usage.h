#pragma once

#include <string>

namespace tremolux {

std::string UsageText();

// Prints the message and where the usage is on standard error; returns kExitUsage.
int UsageError(const std::string& message);

}  // namespace tremolux
