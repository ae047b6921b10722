#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace tremolux {

// One watcher per settings file: two would both poll, both alert, and the
// last to exit would overwrite the other's session. The first start holds a
// lock beside the settings and listens on a local socket; a later start
// hands its files over there and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& settingsFile, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this start is the first: it then listens for later ones.
    bool Lead();
    // Sends files (absolute paths) to the running watcher; false when none answers.
    bool HandOver(const QStringList& files);

signals:
    // A later start asked for these files; the list is empty when it named none.
    void filesHandedOver(const QStringList& files);

private:
    void Receive();

    QLockFile m_lock;
    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

}  // namespace tremolux
