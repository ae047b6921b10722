#include "gui/feed/FeedFetch.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThreadPool>
#include <QUrl>

#include "core/common/RegularFile.h"
#include "core/feed/FeedChoice.h"
#include "core/feed/FeedFormat.h"

namespace tremolux {

namespace {

// How much of the body Qt may hold before we have read it, and how much we
// read at a time: the body never runs more than this past its cap.
constexpr qint64 kReadBufferBytes = 1024 * 1024;

std::string SecondsText(std::chrono::milliseconds timeout)
{
    const auto seconds = std::chrono::duration<double>(timeout).count();
    return QString::number(seconds, 'g', 3).toStdString() + " s";
}

}  // namespace

// What the file's worker and the fetch share: the worker queues its result to
// the receiver only under the lock and only while it is set; the fetch clears
// it under the lock before it goes.
struct FeedFetch::FileRead {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

FeedFetch::FeedFetch(QNetworkAccessManager& network, const QUrl& url,
                     std::chrono::milliseconds timeout, const FeedValidators& validators, Done done)
    : m_conditional(!validators.etag.empty() || !validators.lastModified.empty()),
      m_done(std::move(done))
{
    if (url.isLocalFile()) {
        StartFileRead(url.toLocalFile().toStdString());
        return;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme != "http" && scheme != "https") {
        const std::string address = url.toString().toStdString();
        const Result<> check = CheckFeedAddress(address);
        FailSoon(check ? "the address cannot be read" : check.error());
        return;
    }

    QNetworkRequest request(url);
    if (!validators.etag.empty())
        request.setRawHeader("If-None-Match", QByteArray::fromStdString(validators.etag));
    if (!validators.lastModified.empty())
        request.setRawHeader("If-Modified-Since",
                             QByteArray::fromStdString(validators.lastModified));
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(kFeedUserAgent));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    // Qt asks for gzip and unpacks it itself as long as no Accept-Encoding is set
    // here. The cap on the unpacked body is what stops a decompression bomb; Qt's
    // own check guesses from the ratio and fails without saying why.
    request.setDecompressedSafetyCheckThreshold(-1);

    m_reply = network.get(request);
    // Unbounded, Qt buffers whatever arrives, as fast as it arrives.
    m_reply->setReadBufferSize(kReadBufferBytes);
    // Room for the largest body that can be taken, and the slice that shows it
    // too large: grown by doubling instead, the body would be held twice while
    // it moves. Pages never written to cost no memory.
    m_body.reserve(static_cast<std::size_t>(kFeedMaxBytes + kReadBufferBytes));
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
    if (m_fileRead != nullptr) {
        std::lock_guard lock(m_fileRead->mutex);
        m_fileRead->receiver = nullptr;
    }
    if (m_reply != nullptr) {
        m_reply->disconnect();
        m_reply->abort();
        m_reply->deleteLater();
    }
}

// Off the window's thread: a file on a slow disk must not stop it.
void FeedFetch::StartFileRead(const std::string& path)
{
    m_fileRead = std::make_shared<FileRead>();
    m_fileRead->receiver = &m_deadline;
    QThreadPool::globalInstance()->start([shared = m_fileRead, path, this] {
        FetchResult result = ReadFeedFile(path);
        std::lock_guard lock(shared->mutex);
        if (shared->receiver == nullptr)
            return;
        // Runs only while the receiver, and so this fetch, exists.
        QMetaObject::invokeMethod(
            shared->receiver,
            [this, result = std::move(result)]() mutable { Report(std::move(result)); },
            Qt::QueuedConnection);
    });
}

// After the caller has its fetch in hand, as for a transfer.
void FeedFetch::FailSoon(std::string reason)
{
    QTimer::singleShot(0, &m_deadline, [this, reason = std::move(reason)] {
        FetchResult result;
        result.error = reason;
        Report(std::move(result));
    });
}

void FeedFetch::Report(FetchResult result)
{
    Done done = std::move(m_done);
    done(std::move(result));
}

void FeedFetch::ReadMore()
{
    if (!m_abortReason.empty())
        return;
    std::string overCap = TakeArrived();
    if (!overCap.empty())
        Abort(std::move(overCap));
}

// Reads what has arrived a slice at a time. Returns why the body cannot be
// taken, or nothing.
std::string FeedFetch::TakeArrived()
{
    while (m_reply->bytesAvailable() > 0) {
        const std::size_t held = m_body.size();
        const qint64 slice = std::min(m_reply->bytesAvailable(), kReadBufferBytes);
        m_body.resize(held + static_cast<std::size_t>(slice));
        const qint64 got = m_reply->read(m_body.data() + held, slice);
        m_body.resize(held + static_cast<std::size_t>(std::max<qint64>(got, 0)));
        if (got <= 0)
            break;
        std::string overCap = OverCap();
        if (!overCap.empty())
            return overCap;
    }
    return {};
}

std::string FeedFetch::OverCap()
{
    const auto size = static_cast<std::int64_t>(m_body.size());
    // The format shows at the start, which is all there once the lower cap is passed.
    if (!m_html && size > kFeedMaxHtmlBytes)
        m_html = GuessFeedFormat(m_body) == FeedFormat::Html;
    const char* afterDecompression = Compressed() ? " after decompression" : "";
    if (m_html.value_or(false))
        return std::string("the HTML page is larger than 16 MiB") + afterDecompression;
    if (size > kFeedMaxBytes)
        return std::string("the page is larger than 64 MiB") + afterDecompression;
    return {};
}

bool FeedFetch::Compressed() const
{
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    return !encoding.isEmpty() && encoding != "identity";
}

void FeedFetch::Abort(std::string reason)
{
    if (m_reply == nullptr || !m_abortReason.empty())
        return;
    m_abortReason = std::move(reason);
    m_reply->abort();  // emits finished, which ends the fetch
}

std::string FeedFetch::RedirectFailure() const
{
    switch (m_reply->error()) {
    case QNetworkReply::TooManyRedirectsError:
        return "too many redirects";
    case QNetworkReply::InsecureRedirectError:
        return "redirect from https to http refused";
    case QNetworkReply::ProtocolUnknownError: {
        // Qt follows redirects to http and https addresses only.
        const QByteArray location = m_reply->rawHeader("Location");
        if (location.isEmpty())
            return {};
        const QUrl target = m_reply->url().resolved(QUrl::fromEncoded(location));
        return "redirect to a " + target.scheme().toStdString() + ": address refused";
    }
    default:
        return {};
    }
}

bool FeedFetch::NotModified() const
{
    return m_conditional
           && m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 304;
}

std::string FeedFetch::TransferFailure() const
{
    std::string redirect = RedirectFailure();
    if (!redirect.empty())
        return redirect;

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
    if (length.isValid() && !Compressed()
        && static_cast<qint64>(m_body.size()) < length.toLongLong())
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
        m_abortReason = TakeArrived();

    FetchResult result;
    result.notModified = m_abortReason.empty() && NotModified();
    if (!result.notModified)
        result.error = m_abortReason.empty() ? TransferFailure() : m_abortReason;
    result.ok = result.error.empty();
    if (result.ok && !result.notModified) {
        result.bytes = std::move(m_body);
        result.validators = {m_reply->rawHeader("ETag").toStdString(),
                             m_reply->rawHeader("Last-Modified").toStdString()};
    }
    m_body = {};

    m_reply->disconnect();
    m_reply->deleteLater();
    m_reply = nullptr;
    Report(std::move(result));
}

QUrl FeedUrl(const std::string& source)
{
    const QString text = QString::fromStdString(source);
    if (text.contains(QLatin1String("://")))
        return QUrl(text);
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

FetchResult ReadFeedFile(const std::string& path, std::size_t padding)
{
    Result<std::string> read = ReadRegularFile(path, kFeedMaxBytes, padding);
    FetchResult result;
    if (!read && read.error() == kFileTooLarge)
        result.error = "the file is larger than 64 MiB";
    else if (!read)
        result.error = read.error();
    else if (static_cast<std::int64_t>(read->size()) > kFeedMaxHtmlBytes
             && GuessFeedFormat(*read) == FeedFormat::Html)
        result.error = "the HTML page is larger than 16 MiB";
    else
        result.bytes = std::move(*read);
    result.ok = result.error.empty();
    return result;
}

FetchResult FetchFeed(const std::string& source, std::chrono::milliseconds timeout)
{
    QNetworkAccessManager network;
    QEventLoop loop;
    FetchResult result;
    FeedFetch fetch(network, FeedUrl(source), timeout, {}, [&](FetchResult finished) {
        result = std::move(finished);
        loop.quit();
    });
    loop.exec();
    return result;
}

}  // namespace tremolux
