#include "gui/list/ListExport.h"

#include <QDir>

#include "gui/common/WholeFileSave.h"

namespace tremolux {

ExportFormat ExportFormatFor(const QString& path)
{
    return path.endsWith(QLatin1String(".geojson"), Qt::CaseInsensitive)
                   || path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
               ? ExportFormat::GeoJson
               : ExportFormat::Csv;
}

Result<> ExportRows(const std::vector<HistoryEntry>& rows, const QString& path, ExportFormat format)
{
    const std::string text =
        format == ExportFormat::GeoJson ? EventsAsGeoJson(rows) : EventsAsCsv(rows);
    const Result<> save = SaveWholeFile(path, text);
    if (save)
        return {};
    return Failure{QDir::toNativeSeparators(path).toStdString() + ": " + save.error()};
}

}  // namespace tremolux
