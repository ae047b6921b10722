#pragma once

#include <QString>

#include "core/common/Result.h"
#include "core/session/MapWindowFile.h"

namespace tremolux {

// Reads a map window file; the failure names the line when the content is wrong.
Result<MapWindow> LoadMapWindowFile(const QString& path);

// Replaces the file at path as a whole, or leaves it untouched and says why.
Result<> SaveMapWindowFile(const QString& path, const MapWindow& window);

}  // namespace tremolux
