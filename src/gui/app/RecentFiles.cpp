#include "gui/app/RecentFiles.h"

#include <QFileInfo>

namespace tremolux {

namespace {

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

QStringList RecentFiles()
{
    AppSettings settings;
    settings.beginGroup(settings::kRecentFileGroup);
    QStringList files;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString file = settings.value(Key(i)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

void AddRecentFile(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(file);
    files.prepend(file);
    AppSettings settings;
    settings.beginGroup(settings::kRecentFileGroup);
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        if (i < files.size())
            settings.setValue(Key(i), files[i]);
        else
            settings.remove(Key(i));
    }
}

}  // namespace tremolux
