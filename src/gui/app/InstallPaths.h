#pragma once

#include <QString>

namespace tremolux {

// A file the program ships in share/tremolux/: the installed copy next to the
// binary's prefix when there is one, else the copy in the source tree.
QString SharedDataFile(const QString& installedName, const QString& sourceTreePath);

QString HelpPagePath();
QString DefaultCityFilePath();
QString LandFilePath();

}  // namespace tremolux
