// Peak memory of tremolux-cli reading answers that never end or unpack to far
// more than they weigh, served by the tests' local HTTP server. Each answer is
// read by the command in a child process; the table gives the child's exit
// status, wall time, peak resident size and what it said.
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
    TestServer server;
    struct Answer {
        const char* name;
        std::function<void()> serve;
    };
    const std::vector<Answer> answers = {
        {"endless body", [&] { server.ServeEndless(kFeedStart, kFeature); }},
        {"endless gzip stream", [&] { server.ServeEndless(kFeedStart, kFeature, true); }},
        {"gzip bomb, 1 GiB unpacked",
         [&] {
             server.ServeGzip(GzipRepeated(kFeedStart, kFeature, 1024 * kMiB / kFeature.size()));
         }},
        {"HTML page of 17 MiB",
         [&] {
             std::string page = "<table>\n";
             while (page.size() < 17 * kMiB)
                 page += kRow;
             server.Serve(page + "</table>", "application/octet-stream");
         }},
    };

    std::printf("%-28s %6s %9s %9s  %s\n", "answer", "exit", "seconds", "peak MiB", "message");
    for (const Answer& answer : answers) {
        answer.serve();
        const Run run = RunCli(server.Url());
        std::printf("%-28s %6d %9.2f %9.1f  %s\n", answer.name, run.status, run.seconds,
                    run.peakMiB, run.message.c_str());
        std::fflush(stdout);
    }
    return 0;
}
