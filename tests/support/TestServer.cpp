#include "support/TestServer.h"

#include <chrono>
#include <stdexcept>

#include <httplib.h>

namespace tremolux::test {

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
            response.set_content_provider(
                body.size(), m_contentType.c_str(),
                [body, sent](std::size_t, std::size_t, httplib::DataSink& sink) {
                    sink.write(body.data(), sent);
                    return false;  // drop the connection mid-body
                });
            break;
        }
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

void TestServer::ServeTruncated(std::string body, std::size_t sentBytes)
{
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Truncated;
    m_body = std::move(body);
    m_contentType = "application/json";
    m_sentBytes = sentBytes < m_body.size() ? sentBytes : m_body.size();
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
