#pragma once

#include <functional>
#include <string>

namespace tremolux {

// Shows one "Error: no ..." text to the user and returns when it was seen.
using FailureReport = std::function<void(const std::string& message)>;

}  // namespace tremolux
