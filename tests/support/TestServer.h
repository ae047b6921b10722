#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace tremolux::test {

// An HTTP server on 127.0.0.1 at a free port, running in its own thread for
// the life of the object. Every path answers with the current behaviour,
// except /hop/N, which redirects N times before answering.
class TestServer {
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/feed") const;

    // 200 with this body.
    void Serve(std::string body, std::string contentType = "application/json");
    // This status with a short text body.
    void ServeStatus(int status);
    // Headers never come until the server stops.
    void ServeStall();
    // Announces the whole body's length, sends only the first `sentBytes`, closes;
    // with a Content-Encoding header when one is given.
    void ServeTruncated(std::string body, std::size_t sentBytes, std::string encoding = {});
    // 200 with the body made for each request, given the request's number (1, 2, ...).
    void ServeEach(std::function<std::string(int request)> body,
                   std::string contentType = "application/json");
    // A chunked body that never ends: `start`, then `piece` over and over, as it is
    // or as one endless gzip stream, until the client goes or the server stops.
    void ServeEndless(std::string start, std::string piece, bool gzip = false);
    // 200 with a body already gzip-compressed, sent as Content-Encoding: gzip.
    void ServeGzip(std::string compressed);
    // 302 to this address.
    void ServeRedirect(std::string location);
    // 200 with this body, its ETag and Last-Modified; 304 Not Modified to a
    // request that names either.
    void ServeConditional(std::string body, std::string etag, std::string lastModified);
    // How many requests were answered 304.
    int NotModifiedCount() const { return m_notModified.load(); }

    int RequestCount() const { return m_requests.load(); }
    std::string LastUserAgent() const;
    std::string LastAcceptEncoding() const;

    // Ends every stalled answer and closes the port; later requests are refused.
    void Stop();

private:
    bool Stopping() const;

    enum class Mode { Body, Each, Status, Stall, Truncated, Endless, Gzip, Redirect, Conditional };

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<int> m_requests{0};
    std::atomic<int> m_notModified{0};

    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopping = false;
    Mode m_mode = Mode::Status;
    int m_status = 404;
    std::string m_body;
    std::string m_contentType;
    std::size_t m_sentBytes = 0;
    std::string m_encoding;
    std::function<std::string(int)> m_makeBody;
    std::string m_piece;
    std::string m_etag;
    std::string m_lastModified;
    bool m_gzip = false;
    std::string m_userAgent;
    std::string m_acceptEncoding;
};

// `start`, then a piece that is not empty `count` times, as one gzip stream
// made without holding the whole.
std::string GzipRepeated(const std::string& start, const std::string& piece, std::size_t count);

}  // namespace tremolux::test
