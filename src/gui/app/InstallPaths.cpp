#include "gui/app/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tremolux {

QString SharedDataFile(const QString& installedName, const QString& sourceTreePath)
{
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath("../share/tremolux/" + installedName);
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return sourceTreePath;
}

QString HelpPagePath()
{
    return SharedDataFile("help.html",
                          QString::fromUtf8(TREMOLUX_SOURCE_DIR "/src/gui/app/help.html"));
}

QString DefaultCityFilePath()
{
    return SharedDataFile("CITIES.TXT", QString::fromUtf8(TREMOLUX_SOURCE_DIR "/data/CITIES.TXT"));
}

QString LandFilePath()
{
    return SharedDataFile("land-50m.bin",
                          QString::fromUtf8(TREMOLUX_SOURCE_DIR "/data/land-50m.bin"));
}

}  // namespace tremolux
