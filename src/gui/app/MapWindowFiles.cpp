#include "gui/app/MapWindowFiles.h"

#include <utility>

#include <QFile>
#include <QFileInfo>
#include <QObject>

#include "core/common/RegularFile.h"
#include "gui/common/WholeFileSave.h"

namespace tremolux {

namespace {

// Far more than any window needs; a bigger file is something else.
constexpr std::size_t kMaxFileSize = 64 * 1024;

Failure Because(const QString& text)
{
    return Failure{text.toStdString()};
}

}  // namespace

Result<MapWindow> LoadMapWindowFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Because(QObject::tr("there is no such file"));
    const Result<std::string> file =
        ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxFileSize);
    if (!file && file.error() == kFileTooLarge)
        return Because(QObject::tr("it is too large to be a Tremolux map window file"));
    if (!file) {
        // The system's own reason, as a save that fails gives it.
        if (info.isDir() || info.isReadable())
            return Failure{file.error()};
        return Because(
            QObject::tr("it cannot be read (%1)").arg(QString::fromStdString(file.error())));
    }
    return ReadMapWindow(*file);
}

Result<> SaveMapWindowFile(const QString& path, const MapWindow& window)
{
    // A save would put a plain file in place of a device or a FIFO.
    std::string special = SpecialFileKind(QFile::encodeName(path).toStdString());
    if (!special.empty())
        return Failure{std::move(special)};
    // What could not be opened again is not written.
    const std::string text = WriteMapWindow(window);
    if (const Result<MapWindow> reread = ReadMapWindow(text); !reread) {
        return Because(QObject::tr("it could not be opened again (%1)")
                           .arg(QString::fromStdString(reread.error())));
    }
    return SaveWholeFile(path, text);
}

}  // namespace tremolux
