#pragma once

#include <deque>
#include <string>
#include <vector>

#include <QObject>
#include <QStringList>

#include "core/alerts/AlertEvaluation.h"

class QProcess;

namespace tremolux {

// The argument list of a rule's command for one firing: each placeholder
// ({id} {mag} {place} {km} {city} {url}) replaced inside its own argument,
// so feed text never becomes more than one argument and never code.
QStringList CommandArguments(const std::vector<std::string>& command, const AlertFiring& firing);

// Runs rules' commands without a shell, a few at a time, each killed at its
// time limit. Past the waiting room's size further commands are dropped, so
// a burst of events never builds an endless queue.
class CommandRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRunning = 2;
    static constexpr int kMaxWaiting = 8;

    explicit CommandRunner(QObject* parent = nullptr);
    ~CommandRunner() override;

    // False when the command was dropped because too many wait.
    bool Run(const QStringList& arguments, int timeoutSeconds);
    int Running() const { return m_running; }
    int Waiting() const { return static_cast<int>(m_waiting.size()); }

signals:
    // A command ended; timedOut when it was killed at its limit.
    void finished(const QStringList& arguments, int exitCode, bool timedOut);

private:
    struct Job {
        QStringList arguments;
        int timeoutSeconds = 0;
    };
    void Start(const Job& job);

    std::deque<Job> m_waiting;
    int m_running = 0;
};

}  // namespace tremolux
