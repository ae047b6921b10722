#pragma once

#include <QObject>
#include <QString>

namespace tremolux {

// A window's document: it holds nothing but the window's title, and saving
// it writes a file without content.
class CTremoluxDoc : public QObject {
    Q_OBJECT
public:
    explicit CTremoluxDoc(const QString& title, QObject* parent = nullptr);

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    // Writes an empty file at path; on success the document takes the file's name.
    bool OnSaveDocument(const QString& path, QString* error);

signals:
    void titleChanged(const QString& title);

private:
    QString m_title;
};

}  // namespace tremolux
