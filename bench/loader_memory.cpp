// Peak memory of tremolux-cli reading answers that never end or unpack to far
// more than they weigh, served by the tests' local HTTP server. Each answer is
// read by the command in a child process; the table gives the child's exit
// status, wall time, peak resident size and what it said.
//
// A child's peak counts the size of the process that started it (Linux keeps
// the larger across exec), so the server, which holds the answers, runs in a
// process of its own and this one stays small.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/TestServer.h"

extern char** environ;

namespace {

using tremolux::test::GzipRepeated;
using tremolux::test::TestServer;

constexpr std::size_t kMiB = 1024 * 1024;

const std::string kFeedStart = R"({"type":"FeatureCollection","features":[)";
const std::string kFeature =
    R"({"type":"Feature","properties":{"mag":4.5,"place":"Somewhere","time":1765087200000},)"
    R"("geometry":{"type":"Point","coordinates":[139.7,35.7,10.0]}},)";
const std::string kRow =
    "<tr><td>MAP</td><td>5.8</td><td>2011/03/15 09:01:28</td><td>36.381</td>"
    "<td>141.236</td><td>24.6</td><td>NEAR THE EAST COAST OF HONSHU, JAPAN</td></tr>\n";

// A TestServer in a process of its own, serving one answer until this goes.
class ServerProcess {
public:
    explicit ServerProcess(const std::function<void(TestServer&)>& serve)
    {
        int portPipe[2];
        int stopPipe[2];
        if (pipe(portPipe) != 0 || pipe(stopPipe) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(portPipe[0]);
            close(stopPipe[1]);
            {
                TestServer server;
                serve(server);
                const int port = server.Port();
                if (write(portPipe[1], &port, sizeof port) == sizeof port) {
                    char end;
                    while (read(stopPipe[0], &end, 1) > 0) {}
                }
            }
            _exit(0);
        }
        close(portPipe[1]);
        close(stopPipe[0]);
        if (m_pid > 0 && read(portPipe[0], &m_port, sizeof m_port) != sizeof m_port)
            m_port = 0;
        close(portPipe[0]);
        m_stop = stopPipe[1];
    }
    ~ServerProcess()
    {
        close(m_stop);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/feed"; }

private:
    pid_t m_pid = -1;
    int m_port = 0;
    int m_stop = -1;
};

struct Run {
    int status = -1;
    double seconds = 0;
    double peakMiB = 0;
    std::string message;
};

// tremolux-cli quakes --feed URL, its standard output dropped.
Run RunCli(const std::string& url)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string program = TREMOLUX_CLI;
    std::string command = "quakes", option = "--feed", feed = url;
    char* argv[] = {program.data(), command.data(), option.data(), feed.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    Run run;
    if (spawned == 0) {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
            run.message.append(buffer, static_cast<std::size_t>(got));
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    } else {
        run.message = "cannot start " + program;
    }
    close(pipeEnds[0]);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (const auto end = run.message.find('\n'); end != std::string::npos)
        run.message.resize(end);
    return run;
}

}  // namespace

int main()
{
    struct Answer {
        const char* name;
        std::function<void(TestServer&)> serve;
    };
    const std::vector<Answer> answers = {
        {"endless body", [](TestServer& server) { server.ServeEndless(kFeedStart, kFeature); }},
        {"endless gzip stream",
         [](TestServer& server) { server.ServeEndless(kFeedStart, kFeature, true); }},
        {"gzip bomb, 1 GiB unpacked",
         [](TestServer& server) {
             server.ServeGzip(GzipRepeated(kFeedStart, kFeature, 1024 * kMiB / kFeature.size()));
         }},
        {"HTML page of 17 MiB",
         [](TestServer& server) {
             std::string page = "<table>\n";
             while (page.size() < 17 * kMiB)
                 page += kRow;
             server.Serve(page + "</table>", "application/octet-stream");
         }},
        {"100,000 nested divs",
         [](TestServer& server) {
             std::string page;
             for (int i = 0; i < 100000; ++i)
                 page += "<div>";
             server.Serve(page + "<table>\n" + kRow + "</table>", "text/html");
         }},
        {"16 MiB of <p>",
         [](TestServer& server) {
             std::string page = "<table>\n" + kRow + "</table>";
             while (page.size() < 16 * kMiB - 3)
                 page += "<p>";
             server.Serve(page, "application/octet-stream");
         }},
        {"16 MiB of quake rows",
         [](TestServer& server) {
             std::string page = "<table>\n";
             while (page.size() + kRow.size() < 16 * kMiB - 8)
                 page += kRow;
             server.Serve(page + "</table>", "application/octet-stream");
         }},
        {"feed of 200 MiB, sized",
         [](TestServer& server) {
             server.Serve(kFeedStart + std::string(200 * kMiB, ' ') + "]}",
                          "application/octet-stream");
         }},
    };

    std::printf("%-28s %6s %9s %9s  %s\n", "answer", "exit", "seconds", "peak MiB", "message");
    for (const Answer& answer : answers) {
        const ServerProcess server(answer.serve);
        const Run run = RunCli(server.Url());
        std::printf("%-28s %6d %9.2f %9.1f  %s\n", answer.name, run.status, run.seconds,
                    run.peakMiB, run.message.c_str());
        std::fflush(stdout);
    }
    return 0;
}
