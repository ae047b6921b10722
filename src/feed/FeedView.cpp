#include "feed/FeedView.h"

#include <functional>
#include <utility>

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "feed/Clock.h"
#include "feed/OpenFeedDocument.h"

namespace tremolux {

// One transfer under the loader's rules: redirects (at most 10, never from
// https to http), a deadline, a cap on the body, and a body that must arrive
// whole. `done` is called exactly once, unless the fetch is destroyed first.
class FeedFetch {
public:
    using Done = std::function<void(FetchResult)>;

    FeedFetch(QNetworkAccessManager& network, const QUrl& url,
              std::chrono::milliseconds timeout, Done done);
    ~FeedFetch();
    FeedFetch(const FeedFetch&) = delete;
    FeedFetch& operator=(const FeedFetch&) = delete;

private:
    void ReadMore();
    void Abort(std::string reason);
    void Finish();
    std::string TransferFailure() const;

    QNetworkReply* m_reply = nullptr;
    QTimer m_deadline;
    QByteArray m_body;
    std::string m_abortReason;
    Done m_done;
};

namespace {

std::string SecondsText(std::chrono::milliseconds timeout)
{
    const auto seconds = std::chrono::duration<double>(timeout).count();
    return QString::number(seconds, 'g', 3).toStdString() + " s";
}

}  // namespace

FeedFetch::FeedFetch(QNetworkAccessManager& network, const QUrl& url,
                     std::chrono::milliseconds timeout, Done done)
    : m_done(std::move(done))
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(kFeedUserAgent));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    // Qt asks for gzip and unpacks it itself as long as no Accept-Encoding is set here.

    m_reply = network.get(request);
    QObject::connect(m_reply, &QNetworkReply::readyRead, m_reply, [this] { ReadMore(); });
    QObject::connect(m_reply, &QNetworkReply::finished, m_reply, [this] { Finish(); });

    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, &m_deadline, [this, timeout] {
        Abort("no complete answer within " + SecondsText(timeout));
    });
    m_deadline.start(timeout);
}

FeedFetch::~FeedFetch()
{
    if (m_reply != nullptr) {
        m_reply->disconnect();
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void FeedFetch::ReadMore()
{
    if (!m_abortReason.empty())
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > kFeedMaxBytes)
        Abort("the page is larger than 64 MiB");
}

void FeedFetch::Abort(std::string reason)
{
    if (m_reply == nullptr || !m_abortReason.empty())
        return;
    m_abortReason = std::move(reason);
    m_reply->abort();  // emits finished, which ends the fetch
}

std::string FeedFetch::TransferFailure() const
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        if (code < 200 || code > 299) {
            const QString reason =
                m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            return ("HTTP " + QString::number(code) + (reason.isEmpty() ? "" : " " + reason))
                .toStdString();
        }
    }
    if (m_reply->error() == QNetworkReply::RemoteHostClosedError && status.isValid())
        return "the page arrived incomplete (the connection closed after "
               + std::to_string(m_body.size()) + " bytes)";
    if (m_reply->error() != QNetworkReply::NoError)
        return m_reply->errorString().toStdString();

    // A connection that closes early can still look like a clean end.
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && !m_reply->hasRawHeader("Content-Encoding")
        && m_body.size() < length.toLongLong())
        return "the page arrived incomplete (" + std::to_string(m_body.size()) + " of "
               + std::to_string(length.toLongLong()) + " bytes)";
    return {};
}

void FeedFetch::Finish()
{
    if (m_reply == nullptr)
        return;
    m_deadline.stop();
    if (m_abortReason.empty())
        m_body += m_reply->readAll();

    FetchResult result;
    result.error = m_abortReason.empty() ? TransferFailure() : m_abortReason;
    result.ok = result.error.empty();
    if (result.ok)
        result.bytes.assign(m_body.constData(), static_cast<std::size_t>(m_body.size()));
    m_body.clear();

    m_reply->disconnect();
    m_reply->deleteLater();
    m_reply = nullptr;
    Done done = std::move(m_done);
    done(std::move(result));
}

QUrl FeedUrl(const std::string& source)
{
    const QString text = QString::fromStdString(source);
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (scheme == "http" || scheme == "https" || scheme == "file")
        return url;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

FetchResult FetchFeed(const std::string& source, std::chrono::milliseconds timeout)
{
    QNetworkAccessManager network;
    QEventLoop loop;
    FetchResult result;
    FeedFetch fetch(network, FeedUrl(source), timeout, [&](FetchResult finished) {
        result = std::move(finished);
        loop.quit();
    });
    loop.exec();
    return result;
}

FeedView::FeedView(const Clock& clock)
    : m_clock(clock), m_network(std::make_unique<QNetworkAccessManager>())
{
}

FeedView::~FeedView()
{
    // The transfer must end before the manager that carries it.
    m_fetch.reset();
}

void FeedView::Navigate2(const std::string& address)
{
    m_address = address;
    Load();
}

void FeedView::Refresh()
{
    if (m_readyState != kReadyStateUninitialized)
        Load();
}

void FeedView::Load()
{
    m_readyState = kReadyStateLoading;
    m_fetch.reset();
    m_fetch = std::make_unique<FeedFetch>(*m_network, FeedUrl(m_address), m_timeout,
                                          [this](FetchResult result) { Finished(std::move(result)); });
}

// The finished fetch stays in m_fetch until the next load: it is still on the
// call stack here.
void FeedView::Finished(FetchResult result)
{
    if (result.ok) {
        auto document = OpenFeedDocument(std::move(result.bytes));
        if (document != nullptr && document->ViewableAsTables()) {
            m_document = std::move(document);
            m_lastGoodLoad = m_clock.Now();
            m_lastFailure.clear();
        } else {
            m_lastFailure = "the page is not a quake feed";
        }
    } else {
        m_lastFailure = result.error;
    }
    m_readyState = kReadyStateComplete;
}

}  // namespace tremolux
