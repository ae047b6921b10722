#include "gui/common/WholeFileSave.h"

#include <cerrno>

#include <QSaveFile>

namespace tremolux {

Result<> SaveWholeFile(const QString& path, std::string_view bytes)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly)
                   && file.write(bytes.data(), static_cast<qint64>(bytes.size()))
                          == static_cast<qint64>(bytes.size());
    // commit() does not see a buffer that failed to reach the disk and would
    // report success, so the flush is checked here; its own error text says
    // nothing, the system's does.
    QString reason;
    if (written && !file.flush()) {
        reason = qt_error_string(errno);
        written = false;
    }
    if (written && file.commit())
        return {};
    // Taken before cancelWriting(), which puts its own words in their place.
    const QString why = reason.isEmpty() ? file.errorString() : reason;
    file.cancelWriting();
    return Failure{why.toStdString()};
}

}  // namespace tremolux
