#include "gui/app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace tremolux {

namespace {

// The first start may hold the lock a moment before it listens.
constexpr int kConnectTries = 20;
constexpr int kTryPauseMs = 100;
constexpr int kTransferMs = 2000;

QString LockPath(const QString& settingsFile)
{
    const QFileInfo settings(settingsFile);
    return settings.absoluteDir().filePath(settings.completeBaseName() + ".running");
}

// Socket names live in one directory for all users: the settings file's
// path, which includes the home directory, tells them apart.
QString ServerName(const QString& settingsFile)
{
    const QByteArray hash = QCryptographicHash::hash(
        QFileInfo(settingsFile).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("tremolux-") + QString::fromLatin1(hash.toHex().left(16));
}

}  // namespace

SingleInstance::SingleInstance(const QString& settingsFile, QObject* parent)
    : QObject(parent), m_lock(LockPath(settingsFile)), m_serverName(ServerName(settingsFile))
{
    // A lock left by a crashed watcher is taken over by its dead process id,
    // never by its age: a watcher runs for weeks.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Lead()
{
    QFileInfo(m_lock.fileName()).absoluteDir().mkpath(QStringLiteral("."));
    if (!m_lock.tryLock())
        return false;
    // Holding the lock, a socket left by a crashed watcher can only be stale.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::Receive);
    m_server->listen(m_serverName);
    return true;
}

bool SingleInstance::HandOver(const QStringList& files)
{
    QLocalSocket socket;
    for (int attempt = 0; attempt < kConnectTries; ++attempt) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(kTryPauseMs))
            break;
        QThread::msleep(kTryPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    socket.write(files.join(QChar(0)).toUtf8());
    if (socket.bytesToWrite() > 0 && !socket.waitForBytesWritten(kTransferMs))
        return false;
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState
           || socket.waitForDisconnected(kTransferMs);
}

// The message is the whole of what the later start wrote before it hung up.
void SingleInstance::Receive()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            const QString text = QString::fromUtf8(socket->readAll());
            socket->deleteLater();
            emit filesHandedOver(text.isEmpty() ? QStringList() : text.split(QChar(0)));
        });
    }
}

}  // namespace tremolux
