#pragma once

#include <string_view>

#include <QString>

#include "core/common/Result.h"

namespace tremolux {

// Replaces the file at path with bytes as a whole, or leaves it as it was and
// says why: Qt's own words, or the system's where the bytes did not reach
// the disk (a full disk), which Qt would report as a success.
Result<> SaveWholeFile(const QString& path, std::string_view bytes);

}  // namespace tremolux
