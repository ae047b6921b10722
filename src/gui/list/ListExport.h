#pragma once

#include <QString>

#include <vector>

#include "core/events/EventExport.h"

namespace tremolux {

enum class ExportFormat { Csv, GeoJson };

// GeoJSON for a path ending in .geojson or .json, else CSV.
ExportFormat ExportFormatFor(const QString& path);

// Writes the rows to path whole or not at all (an earlier file stays as it
// was when writing fails). Returns the reason it failed, empty on success.
QString ExportRows(const std::vector<HistoryEntry>& rows, const QString& path, ExportFormat format);

}  // namespace tremolux
