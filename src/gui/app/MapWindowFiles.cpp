#include "gui/app/MapWindowFiles.h"

#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>

namespace tremolux {

namespace {

// Far more than any window needs; a bigger file is something else.
constexpr qint64 kMaxFileSize = 64 * 1024;

}  // namespace

MapWindowLoad LoadMapWindowFile(const QString& path)
{
    MapWindowLoad load;
    const QFileInfo info(path);
    if (!info.exists()) {
        load.error = QObject::tr("there is no such file");
        return load;
    }
    if (info.isDir()) {
        load.error = QObject::tr("it is a directory, not a file");
        return load;
    }
    QFile file(path);
    if (!info.isReadable() || !file.open(QIODevice::ReadOnly)) {
        load.error = QObject::tr("it cannot be read");
        return load;
    }
    const QByteArray content = file.read(kMaxFileSize + 1);
    if (content.size() > kMaxFileSize) {
        load.error = QObject::tr("it is too large to be a Tremolux map window file");
        return load;
    }
    const MapWindowReadResult read =
        ReadMapWindow(std::string_view(content.constData(), content.size()));
    if (!read.ok()) {
        load.error = QObject::tr("line %1: %2").arg(read.line).arg(
            QString::fromStdString(read.error));
        return load;
    }
    load.window = read.window;
    return load;
}

bool SaveMapWindowFile(const QString& path, const MapWindow& window, QString* error)
{
    QSaveFile file(path);
    const std::string text = WriteMapWindow(window);
    bool written = file.open(QIODevice::WriteOnly)
                   && file.write(text.data(), static_cast<qint64>(text.size()))
                          == static_cast<qint64>(text.size());
    // commit() does not see a buffer that failed to reach the disk (a full
    // disk) and would report success, so the flush is checked here; its own
    // error text says nothing, the system's does.
    QString reason;
    if (written && !file.flush()) {
        reason = qt_error_string(errno);
        written = false;
    }
    if (written && file.commit())
        return true;
    if (error != nullptr)
        *error = reason.isEmpty() ? file.errorString() : reason;
    file.cancelWriting();
    return false;
}

}  // namespace tremolux
