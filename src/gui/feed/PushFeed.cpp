#include "gui/feed/PushFeed.h"

#include <algorithm>
#include <cmath>

#include <QLoggingCategory>
#include <QSslError>
#include <QUrl>
#include <QWebSocket>

#include "core/common/Clock.h"

namespace tremolux {

namespace {

Q_LOGGING_CATEGORY(lcPush, "tremolux.feed")

}  // namespace

PushFeed::PushFeed(const Clock& clock, std::function<void()> changed)
    : m_clock(clock), m_changed(std::move(changed)), m_jitter(std::random_device{}())
{
    m_ping.setInterval(kPingPeriod);
    m_retry.setSingleShot(true);
    m_coalesce.setSingleShot(true);
    // A coarse timer may fire 5 % early: twice within a second.
    m_coalesce.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_ping, &QTimer::timeout, [this] {
        // A ping still unanswered a period later: the connection is dead
        // though no one closed it.
        if (m_pongAwaited) {
            m_socket->abort();
            return;
        }
        m_pongAwaited = true;
        m_socket->ping();
    });
    QObject::connect(&m_retry, &QTimer::timeout, [this] { Open(); });
    QObject::connect(&m_coalesce, &QTimer::timeout, [this] { Publish(); });
}

PushFeed::~PushFeed()
{
    if (m_socket)
        m_socket->disconnect();
}

void PushFeed::Navigate2(const std::string& address)
{
    m_address = address;
    m_failedTries = 0;
    m_lastFailure.clear();
    Open();
}

void PushFeed::Open()
{
    m_retry.stop();
    m_ping.stop();
    m_connected = false;
    if (m_socket) {
        // May be the socket whose signal led here: it goes once that returns.
        m_socket->disconnect();
        m_socket->abort();
        m_socket.release()->deleteLater();
    }
    m_socket = std::make_unique<QWebSocket>();
    QWebSocket* socket = m_socket.get();
    socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
    socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
    QObject::connect(socket, &QWebSocket::connected, [this] { OnConnected(); });
    QObject::connect(socket, &QWebSocket::disconnected, [this] { OnDisconnected(); });
    QObject::connect(socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), [this] {
        if (m_tryFailure.empty())
            m_tryFailure = m_socket->errorString().toStdString();
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            OnDisconnected();
    });
    QObject::connect(socket, &QWebSocket::sslErrors, [this](const QList<QSslError>& errors) {
        m_tryFailure = "the server's certificate is refused: "
                       + (errors.isEmpty() ? std::string("unknown error")
                                           : errors.first().errorString().toStdString());
    });
    QObject::connect(socket, &QWebSocket::pong, [this] { m_pongAwaited = false; });
    QObject::connect(socket, &QWebSocket::textMessageReceived,
                     [this](const QString& text) { OnMessage(text); });
    QObject::connect(socket, &QWebSocket::binaryMessageReceived, [this] { Skip(); });
    m_tryFailure.clear();
    socket->open(QUrl(QString::fromStdString(m_address)));
}

void PushFeed::OnConnected()
{
    m_connected = true;
    m_connectedFor.start();
    m_pongAwaited = false;
    m_ping.start();
    m_lastFailure.clear();
    m_lastGoodLoad = m_clock.Now();
    qCInfo(lcPush, "connected to %s", m_address.c_str());
    m_stateChanged = true;
    MarkChanged();
}

// Waits double with each failed try up to the cap; each is drawn from its
// upper half so that many watchers cut off at once do not come back at once.
void PushFeed::OnDisconnected()
{
    if (m_retry.isActive())
        return;
    m_ping.stop();
    if (m_connected && m_connectedFor.elapsed() >= kSteadyConnection.count())
        m_failedTries = 0;
    std::string reason = m_tryFailure;
    if (m_socket->closeCode() == QWebSocketProtocol::CloseCodeTooMuchData) {
        Skip();
        reason = "a message over 1 MiB was refused";
    }
    if (reason.empty())
        reason = m_connected ? "the connection was closed" : "no connection";
    m_connected = false;
    const double longest = static_cast<double>(kLongestRetry.count());
    const double wait = std::min(longest, static_cast<double>(kFirstRetry.count())
                                              * std::exp2(std::min(m_failedTries, 20)));
    ++m_failedTries;
    const double drawn =
        (wait / 2 + std::uniform_real_distribution<double>(0.0, wait / 2)(m_jitter)) * m_retryScale;
    m_retry.start(std::chrono::milliseconds(static_cast<long long>(drawn)));
    m_lastFailure = reason + ", trying again in "
                    + std::to_string(static_cast<long long>(std::ceil(drawn / 1000))) + " s";
    qCWarning(lcPush, "%s: %s", m_address.c_str(), m_lastFailure.c_str());
    m_stateChanged = true;
    MarkChanged();
}

void PushFeed::OnMessage(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > kMaxMessageBytes) {
        Skip();
        return;
    }
    std::optional<PushMessage> message =
        m_reader.Read(std::string_view(utf8.constData(), utf8.size()));
    if (!message) {
        Skip();
        return;
    }
    if (!m_quakes.Holds(message->quake.eventId) && ++m_newSincePublish > kMostNewPerPublication) {
        Skip();
        return;
    }
    m_quakes.Take(std::move(*message));
    m_lastGoodLoad = m_clock.Now();
    m_eventsChanged = true;
    MarkChanged();
}

void PushFeed::Skip()
{
    ++m_skipped;
    MarkChanged();
}

// At most one publication a period: the first change after a quiet spell
// goes out at once, the rest wait for the period's end. Skipped messages are
// only logged then.
void PushFeed::MarkChanged()
{
    if (m_coalesce.isActive())
        return;
    const qint64 since =
        m_sincePublish.isValid() ? m_sincePublish.elapsed() : kCoalescePeriod.count();
    m_coalesce.start(
        std::chrono::milliseconds(std::max<qint64>(0, kCoalescePeriod.count() - since)));
}

void PushFeed::Publish()
{
    m_sincePublish.start();
    m_newSincePublish = 0;
    if (m_eventsChanged)
        m_document = m_quakes.Document();
    if (m_skipped != m_skippedLogged) {
        qCWarning(lcPush,
                  "%s: skipped %lld messages, not events or new ones past the limit (%lld in all)",
                  m_address.c_str(), static_cast<long long>(m_skipped - m_skippedLogged),
                  static_cast<long long>(m_skipped));
        m_skippedLogged = m_skipped;
    }
    const bool changed = m_eventsChanged || m_stateChanged;
    m_eventsChanged = false;
    m_stateChanged = false;
    if (changed && m_changed)
        m_changed();
}

}  // namespace tremolux
