#pragma once

#include <QString>

#include <vector>

#include "core/common/Result.h"
#include "core/events/EventExport.h"

namespace tremolux {

enum class ExportFormat { Csv, GeoJson };

// GeoJSON for a path ending in .geojson or .json, else CSV.
ExportFormat ExportFormatFor(const QString& path);

// Writes the rows to path whole or not at all (an earlier file stays as it
// was when writing fails), or says why not, naming the file.
Result<> ExportRows(const std::vector<HistoryEntry>& rows, const QString& path,
                    ExportFormat format);

}  // namespace tremolux
