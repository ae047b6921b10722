#include "gui/list/ListExport.h"

#include <QDir>
#include <QSaveFile>

namespace tremolux {

ExportFormat ExportFormatFor(const QString& path)
{
    return path.endsWith(QLatin1String(".geojson"), Qt::CaseInsensitive)
                   || path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
               ? ExportFormat::GeoJson
               : ExportFormat::Csv;
}

QString ExportRows(const std::vector<HistoryEntry>& rows, const QString& path, ExportFormat format)
{
    const std::string text =
        format == ExportFormat::GeoJson ? EventsAsGeoJson(rows) : EventsAsCsv(rows);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)
        && file.write(text.data(), static_cast<qint64>(text.size()))
               == static_cast<qint64>(text.size())
        && file.commit())
        return {};
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
}

}  // namespace tremolux
