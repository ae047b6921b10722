#pragma once

#include <string>

#include <QHostAddress>
#include <QList>
#include <QWebSocket>
#include <QWebSocketServer>

namespace tremolux::test {

// A websocket push service on 127.0.0.1 in this process: sends what it is
// told to every client connected, and drops them on request.
class PushServer {
public:
    explicit PushServer(quint16 port = 0)
        : m_server(QStringLiteral("test push"), QWebSocketServer::NonSecureMode)
    {
        m_server.listen(QHostAddress::LocalHost, port);
        QObject::connect(&m_server, &QWebSocketServer::newConnection, [this] {
            while (QWebSocket* client = m_server.nextPendingConnection()) {
                ++m_accepted;
                m_clients.append(client);
                QObject::connect(client, &QWebSocket::disconnected, [this, client] {
                    m_clients.removeAll(client);
                    client->deleteLater();
                });
            }
        });
    }

    // The clients go first: their signals would reach a list already gone.
    ~PushServer()
    {
        for (QWebSocket* client : QList<QWebSocket*>(m_clients)) {
            client->disconnect();
            delete client;
        }
    }
    PushServer(const PushServer&) = delete;
    PushServer& operator=(const PushServer&) = delete;

    std::string Url() const
    {
        return "ws://127.0.0.1:" + std::to_string(m_server.serverPort()) + "/";
    }
    int Accepted() const { return m_accepted; }
    int Connected() const { return static_cast<int>(m_clients.size()); }

    void Send(const std::string& text)
    {
        for (QWebSocket* client : m_clients)
            client->sendTextMessage(QString::fromStdString(text));
    }
    void SendBinary(const QByteArray& bytes)
    {
        for (QWebSocket* client : m_clients)
            client->sendBinaryMessage(bytes);
    }
    void DropAll()
    {
        for (QWebSocket* client : QList<QWebSocket*>(m_clients))
            client->abort();
    }

private:
    QWebSocketServer m_server;
    QList<QWebSocket*> m_clients;
    int m_accepted = 0;
};

// A number as JSON writes it, whatever the locale.
inline std::string JsonNumber(double value)
{
    return QString::number(value, 'f', 4).toStdString();
}

// A realtime service's message of an event.
inline std::string PushedEvent(const std::string& action, const std::string& id,
                               const std::string& isoTime, double latitude, double longitude,
                               double magnitude, const std::string& region = "TEST REGION")
{
    return R"({"action":")" + action + R"(","data":{"type":"Feature","properties":{"unid":")" + id
           + R"(","time":")" + isoTime + R"(","lastupdate":")" + isoTime + R"(","lat":)"
           + JsonNumber(latitude) + R"(,"lon":)" + JsonNumber(longitude) + R"(,"depth":10,"mag":)"
           + JsonNumber(magnitude) + R"(,"magtype":"mb","flynn_region":")" + region
           + R"(","auth":"EMSC"}}})";
}

}  // namespace tremolux::test
