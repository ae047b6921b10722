#include "gui/app/MapWindowFiles.h"

#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>

#include "core/common/RegularFile.h"

namespace tremolux {

namespace {

// Far more than any window needs; a bigger file is something else.
constexpr qint64 kMaxFileSize = 64 * 1024;

QString LineError(const MapWindowReadResult& read)
{
    return QObject::tr("line %1: %2").arg(read.line).arg(QString::fromStdString(read.error));
}

}  // namespace

MapWindowLoad LoadMapWindowFile(const QString& path)
{
    MapWindowLoad load;
    const QFileInfo info(path);
    if (!info.exists()) {
        load.error = QObject::tr("there is no such file");
        return load;
    }
    const RegularFileRead file =
        ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxFileSize);
    if (file.tooLarge) {
        load.error = QObject::tr("it is too large to be a Tremolux map window file");
        return load;
    }
    if (!file.ok) {
        // The system's own reason, as a save that fails gives it.
        const QString reason = QString::fromStdString(file.error);
        load.error = info.isDir() || info.isReadable()
                         ? reason
                         : QObject::tr("it cannot be read (%1)").arg(reason);
        return load;
    }
    const MapWindowReadResult read = ReadMapWindow(file.bytes);
    if (!read.ok()) {
        load.error = LineError(read);
        return load;
    }
    load.window = read.window;
    return load;
}

bool SaveMapWindowFile(const QString& path, const MapWindow& window, QString* error)
{
    // A save would put a plain file in place of a device or a FIFO.
    const std::string special = SpecialFileKind(QFile::encodeName(path).toStdString());
    if (!special.empty()) {
        if (error != nullptr)
            *error = QString::fromStdString(special);
        return false;
    }
    // What could not be opened again is not written.
    const std::string text = WriteMapWindow(window);
    const MapWindowReadResult reread = ReadMapWindow(text);
    if (!reread.ok()) {
        if (error != nullptr)
            *error = QObject::tr("it could not be opened again (%1)").arg(LineError(reread));
        return false;
    }
    QSaveFile file(path);
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
