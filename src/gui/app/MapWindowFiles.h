#pragma once

#include <QString>

#include "core/session/MapWindowFile.h"

namespace tremolux {

struct MapWindowLoad {
    MapWindow window;
    QString error;  // why the file is no map window, empty when it is one
};

// Reads a map window file; the error names the line when the content is wrong.
MapWindowLoad LoadMapWindowFile(const QString& path);

// Replaces the file at path as a whole, or leaves it untouched and says why.
bool SaveMapWindowFile(const QString& path, const MapWindow& window, QString* error);

}  // namespace tremolux
