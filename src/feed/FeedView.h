#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "feed/FeedDocument.h"
#include "feed/OleDate.h"

class QNetworkAccessManager;
class QUrl;

namespace tremolux {

class Clock;
class FeedFetch;

constexpr std::chrono::milliseconds kFeedTimeout{60000};
constexpr std::int64_t kFeedMaxBytes = 64 * 1024 * 1024;
constexpr const char* kFeedUserAgent = "Tremolux/2.0 (+desktop earthquake watcher)";

// What one load brought: the body, or why there is none.
struct FetchResult {
    bool ok = false;
    std::string bytes;
    std::string error;
};

// An http, https or file URL as given; anything else is a local path.
QUrl FeedUrl(const std::string& source);

// Loads a feed source and waits for it in a local event loop; needs a
// QCoreApplication. Same rules as the watcher's loader.
FetchResult FetchFeed(const std::string& source, std::chrono::milliseconds timeout = kFeedTimeout);

// The hidden feed window's browser: loads the feed address with Qt Network and
// holds the page as a document of tables. A load that fails completes without
// replacing the last good document, so a passing outage never empties the list.
class FeedView final : public FeedBrowser {
public:
    static constexpr int kReadyStateUninitialized = 0;
    static constexpr int kReadyStateLoading = 1;

    explicit FeedView(const Clock& clock);
    ~FeedView() override;

    void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    void Navigate2(const std::string& address) override;
    int GetReadyState() const override { return m_readyState; }
    void Refresh() override;
    const FeedDocument* GetHtmlDocument() const override { return m_document.get(); }

    const std::string& Address() const { return m_address; }
    // Whether a good page is held, and when it was loaded (by the program's clock).
    bool HasLoaded() const { return m_document != nullptr; }
    OleDate LastGoodLoad() const { return m_lastGoodLoad; }
    // Why the latest load failed; empty when it succeeded or none ended yet.
    const std::string& LastFailure() const { return m_lastFailure; }

private:
    void Load();
    void Finished(FetchResult result);

    const Clock& m_clock;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<FeedFetch> m_fetch;
    std::chrono::milliseconds m_timeout = kFeedTimeout;
    std::string m_address;
    int m_readyState = kReadyStateUninitialized;
    std::unique_ptr<FeedDocument> m_document;
    OleDate m_lastGoodLoad;
    std::string m_lastFailure;
};

}  // namespace tremolux
