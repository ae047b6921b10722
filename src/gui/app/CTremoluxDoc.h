#pragma once

#include <QObject>
#include <QString>

#include "core/common/Result.h"

namespace tremolux {

struct MapWindow;

// A map window's document: its title and the file it was opened from or
// saved to, if any. The window's content is the view's city and settings.
class CTremoluxDoc : public QObject {
    Q_OBJECT
public:
    explicit CTremoluxDoc(const QString& title, QObject* parent = nullptr);

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The document's file, empty until it is opened from or saved to one.
    const QString& GetPathName() const { return m_pathName; }
    // Takes path as the document's file, and its name as the title.
    void SetPathName(const QString& path);

    // Writes window to path as a whole; on success the document takes the file.
    Result<> OnSaveDocument(const QString& path, const MapWindow& window);

signals:
    void titleChanged(const QString& title);

private:
    QString m_title;
    QString m_pathName;
};

}  // namespace tremolux
