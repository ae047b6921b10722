#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace tremolux {

constexpr std::chrono::milliseconds kFeedTimeout{60000};
constexpr std::int64_t kFeedMaxBytes = 64 * 1024 * 1024;
// An HTML page costs many times its size to build into a document; a page of
// 10,000 quake rows is 1.5 to 3.3 MB.
constexpr std::int64_t kFeedMaxHtmlBytes = 16 * 1024 * 1024;
constexpr const char* kFeedUserAgent =
    "Tremolux/" TREMOLUX_VERSION " (+desktop earthquake watcher)";

// What a server said of the version of a page it sent, so that the next
// request can ask for the page only if it changed. Empty when not said.
struct FeedValidators {
    std::string etag;
    std::string lastModified;
};

// What one load brought: the body, or why there is none. A page that has not
// changed since the validators sent is a good load without a body.
struct FetchResult {
    bool ok = false;
    bool notModified = false;
    std::string bytes;
    std::string error;
    FeedValidators validators;
};

// An address with a scheme (http://, file://, ftp://...) as given; anything
// else is a local path.
QUrl FeedUrl(const std::string& source);

// Reads a local feed file under the loader's caps, with `padding` bytes of
// room behind the body; only a regular file is read.
FetchResult ReadFeedFile(const std::string& path, std::size_t padding = 0);

// Loads a feed source and waits for it in a local event loop; needs a
// QCoreApplication. Same rules as the watcher's loader.
FetchResult FetchFeed(const std::string& source, std::chrono::milliseconds timeout = kFeedTimeout);

// One transfer under the loader's rules: a local file is read by ReadFeedFile
// on a worker thread, an address of another scheme than http, https and file
// fails at once; redirects (at most 10, never from
// https to http, never away from the web), a deadline, a cap on the body after
// decompression, and a body that must arrive whole. With validators the
// request is conditional. Memory stays near the cap
// however much the server sends. `done` is called exactly once, unless the
// fetch is destroyed first.
class FeedFetch {
public:
    using Done = std::function<void(FetchResult)>;

    FeedFetch(QNetworkAccessManager& network, const QUrl& url, std::chrono::milliseconds timeout,
              const FeedValidators& validators, Done done);
    ~FeedFetch();
    FeedFetch(const FeedFetch&) = delete;
    FeedFetch& operator=(const FeedFetch&) = delete;

private:
    struct FileRead;

    void StartFileRead(const std::string& path);
    void FailSoon(std::string reason);
    void Report(FetchResult result);
    void ReadMore();
    std::string TakeArrived();
    std::string OverCap();
    void Abort(std::string reason);
    void Finish();
    std::string TransferFailure() const;
    std::string RedirectFailure() const;
    bool NotModified() const;
    bool Compressed() const;

    QNetworkReply* m_reply = nullptr;
    QTimer m_deadline;
    std::string m_body;
    std::optional<bool> m_html;  // known once the body is past the HTML cap
    std::string m_abortReason;
    bool m_conditional = false;
    std::shared_ptr<FileRead> m_fileRead;
    Done m_done;
};

}  // namespace tremolux
