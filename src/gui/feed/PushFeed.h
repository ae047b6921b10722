#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include <QElapsedTimer>
#include <QTimer>

#include "core/feed/PushMessage.h"
#include "core/feed/PushedQuakes.h"
#include "gui/feed/FeedSource.h"

class QWebSocket;

namespace tremolux {

class Clock;

// A websocket service that pushes each new or changed event (ws:// or wss://).
// The connection is pinged every 15 s and dropped when the pings go
// unanswered; after a drop it is tried again with growing, jittered waits of
// up to five minutes. Certificate errors are never waved through. Messages
// over 1 MiB close the connection; ones that are not events are skipped and
// counted in the log, as are new events past 100 a second: no service tells
// of so many, and each costs every window and the history. The document
// offered changes at most once a second however fast the messages come, and
// `changed` is called then.
class PushFeed final : public FeedSource {
public:
    static constexpr std::chrono::milliseconds kPingPeriod{15000};
    static constexpr std::chrono::milliseconds kFirstRetry{1000};
    static constexpr std::chrono::milliseconds kLongestRetry{300000};
    static constexpr std::chrono::milliseconds kCoalescePeriod{1000};
    // A connection that lasted this long was good: the waits start over.
    static constexpr std::chrono::milliseconds kSteadyConnection{60000};
    static constexpr std::int64_t kMaxMessageBytes = 1024 * 1024;
    static constexpr int kMostNewPerPublication = 100;

    PushFeed(const Clock& clock, std::function<void()> changed);
    ~PushFeed() override;

    // Connects to the address, dropping any other connection.
    void Navigate2(const std::string& address) override;
    // Always complete: what was pushed is there at once.
    int GetReadyState() const override { return kReadyStateComplete; }
    // Pushed events need no reload; a wait for a retry is kept.
    void Refresh() override {}
    const FeedDocument* GetHtmlDocument() const override { return m_document.get(); }

    const std::string& Address() const override { return m_address; }
    bool HasLoaded() const override { return m_lastGoodLoad.valid && m_lastGoodLoad.value != 0.0; }
    OleDate LastGoodLoad() const override { return m_lastGoodLoad; }
    const std::string& LastFailure() const override { return m_lastFailure; }

    bool Connected() const { return m_connected; }
    std::size_t EventCount() const { return m_quakes.Count(); }
    std::int64_t SkippedMessages() const { return m_skipped; }
    // The wait before the next try, for the tests to shorten.
    void SetRetryScale(double scale) { m_retryScale = scale; }

private:
    void Open();
    void OnConnected();
    void OnDisconnected();
    void OnMessage(const QString& text);
    void Skip();
    void MarkChanged();
    void Publish();

    const Clock& m_clock;
    std::function<void()> m_changed;
    std::unique_ptr<QWebSocket> m_socket;
    std::string m_address;
    QTimer m_ping;
    QTimer m_retry;
    QTimer m_coalesce;
    QElapsedTimer m_connectedFor;
    QElapsedTimer m_sincePublish;
    bool m_pongAwaited = false;
    bool m_connected = false;
    int m_failedTries = 0;
    double m_retryScale = 1.0;
    std::minstd_rand m_jitter;
    PushMessageReader m_reader;
    PushedQuakes m_quakes;
    // What the next publication tells of.
    bool m_eventsChanged = false;
    int m_newSincePublish = 0;
    bool m_stateChanged = false;
    std::unique_ptr<FeedDocument> m_document;
    OleDate m_lastGoodLoad{0.0, false};
    std::string m_lastFailure;  // kept until a try connects
    std::string m_tryFailure;   // why the try under way failed
    std::int64_t m_skipped = 0;
    std::int64_t m_skippedLogged = 0;
};

}  // namespace tremolux
