#include "support/TestServer.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include <httplib.h>
#include <zlib.h>

namespace tremolux::test {

namespace {

// A gzip stream fed piece by piece; each flush hands out what is ready.
class GzipStream {
public:
    GzipStream()
    {
        // 15 + 16: gzip framing rather than zlib's.
        if (deflateInit2(&m_stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 9,
                         Z_DEFAULT_STRATEGY)
            != Z_OK)
            throw std::runtime_error("test server: no gzip stream");
    }
    ~GzipStream() { deflateEnd(&m_stream); }
    GzipStream(const GzipStream&) = delete;
    GzipStream& operator=(const GzipStream&) = delete;

    // Compresses `text`; with Z_SYNC_FLUSH or Z_FINISH the output so far is complete.
    std::string Add(const std::string& text, int flush = Z_NO_FLUSH)
    {
        std::string out;
        m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        m_stream.avail_in = static_cast<uInt>(text.size());
        char buffer[16384];
        do {
            m_stream.next_out = reinterpret_cast<Bytef*>(buffer);
            m_stream.avail_out = sizeof buffer;
            deflate(&m_stream, flush);
            out.append(buffer, sizeof buffer - m_stream.avail_out);
        } while (m_stream.avail_out == 0);
        return out;
    }

private:
    z_stream m_stream{};
};

// `piece` over and over until there are at least `bytes`.
std::string Repeat(const std::string& piece, std::size_t bytes)
{
    std::string text;
    while (text.size() < bytes)
        text += piece;
    return text;
}

}  // namespace

std::string GzipRepeated(const std::string& start, const std::string& piece, std::size_t count)
{
    GzipStream gzip;
    std::string out = gzip.Add(start);
    const std::size_t perBlock = std::max<std::size_t>(1, (1 << 20) / piece.size());
    const std::string block = Repeat(piece, perBlock * piece.size());
    for (std::size_t done = 0; done < count; done += perBlock) {
        const std::size_t n = std::min(perBlock, count - done);
        out += gzip.Add(n == perBlock ? block : Repeat(piece, n * piece.size()));
    }
    return out + gzip.Add({}, Z_FINISH);
}

TestServer::TestServer() : m_server(std::make_unique<httplib::Server>())
{
    m_server->Get(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        ++m_requests;
        std::unique_lock lock(m_mutex);
        m_userAgent = request.get_header_value("User-Agent");
        m_acceptEncoding = request.get_header_value("Accept-Encoding");

        if (request.path.rfind("/hop/", 0) == 0) {
            const int hops = std::stoi(request.path.substr(5));
            if (hops > 0) {
                response.set_redirect("/hop/" + std::to_string(hops - 1));
                return;
            }
        }
        switch (m_mode) {
        case Mode::Body:
            response.set_content(m_body, m_contentType.c_str());
            break;
        case Mode::Each:
            response.set_content(m_makeBody(m_requests.load()), m_contentType.c_str());
            break;
        case Mode::Conditional:
            if (request.get_header_value("If-None-Match") == m_etag
                || request.get_header_value("If-Modified-Since") == m_lastModified) {
                ++m_notModified;
                response.status = 304;
                break;
            }
            response.set_header("ETag", m_etag);
            response.set_header("Last-Modified", m_lastModified);
            response.set_content(m_body, m_contentType.c_str());
            break;
        case Mode::Status:
            response.status = m_status;
            response.set_content("status " + std::to_string(m_status), "text/plain");
            break;
        case Mode::Stall:
            m_stopped.wait(lock, [this] { return m_stopping; });
            response.status = 503;
            break;
        case Mode::Truncated: {
            const std::string body = m_body;
            const std::size_t sent = m_sentBytes;
            if (!m_encoding.empty())
                response.set_header("Content-Encoding", m_encoding);
            response.set_content_provider(
                body.size(), m_contentType.c_str(),
                [body, sent](std::size_t, std::size_t, httplib::DataSink& sink) {
                    sink.write(body.data(), sent);
                    return false;  // drop the connection mid-body
                });
            break;
        }
        case Mode::Endless: {
            // Not a type the server compresses on its own: the gzip here is ours.
            auto gzip = m_gzip ? std::make_shared<GzipStream>() : nullptr;
            if (gzip != nullptr)
                response.set_header("Content-Encoding", "gzip");
            auto start = std::make_shared<std::string>(m_body);
            const std::string chunk = Repeat(m_piece, 64 * 1024);
            response.set_chunked_content_provider(
                "application/octet-stream",
                [this, gzip, start, chunk](std::size_t, httplib::DataSink& sink) {
                    if (Stopping())
                        return false;
                    std::string text = *start + chunk;
                    start->clear();
                    if (gzip != nullptr)
                        text = gzip->Add(text, Z_SYNC_FLUSH);
                    return sink.write(text.data(), text.size());
                });
            break;
        }
        case Mode::Gzip:
            response.set_header("Content-Encoding", "gzip");
            response.set_content(m_body, "application/octet-stream");
            break;
        case Mode::Redirect:
            response.set_redirect(m_body);
            break;
        }
    });

    // One request per connection: stopping then never waits out a kept-alive one.
    m_server->set_keep_alive_max_count(1);
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("test server: no free port on 127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() only takes effect once the server runs.
    while (!m_server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestServer::~TestServer()
{
    Stop();
}

std::string TestServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void TestServer::Serve(std::string body, std::string contentType)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Body;
    m_body = std::move(body);
    m_contentType = std::move(contentType);
}

void TestServer::ServeConditional(std::string body, std::string etag, std::string lastModified)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Conditional;
    m_body = std::move(body);
    m_contentType = "text/plain";
    m_etag = std::move(etag);
    m_lastModified = std::move(lastModified);
}

void TestServer::ServeStatus(int status)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Status;
    m_status = status;
}

void TestServer::ServeStall()
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Stall;
}

void TestServer::ServeTruncated(std::string body, std::size_t sentBytes, std::string encoding)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Truncated;
    m_body = std::move(body);
    m_contentType = "application/json";
    m_sentBytes = sentBytes < m_body.size() ? sentBytes : m_body.size();
    m_encoding = std::move(encoding);
}

void TestServer::ServeEach(std::function<std::string(int)> body, std::string contentType)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Each;
    m_makeBody = std::move(body);
    m_contentType = std::move(contentType);
}

void TestServer::ServeEndless(std::string start, std::string piece, bool gzip)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Endless;
    m_body = std::move(start);
    m_piece = piece.empty() ? std::string(" ") : std::move(piece);
    m_gzip = gzip;
}

void TestServer::ServeGzip(std::string compressed)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Gzip;
    m_body = std::move(compressed);
}

void TestServer::ServeRedirect(std::string location)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Redirect;
    m_body = std::move(location);
}

bool TestServer::Stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

std::string TestServer::LastUserAgent() const
{
    std::lock_guard lock(m_mutex);
    return m_userAgent;
}

std::string TestServer::LastAcceptEncoding() const
{
    std::lock_guard lock(m_mutex);
    return m_acceptEncoding;
}

void TestServer::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_stopped.notify_all();
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

}  // namespace tremolux::test
