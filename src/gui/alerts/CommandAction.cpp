#include "gui/alerts/CommandAction.h"

#include <cmath>
#include <memory>

#include <QProcess>
#include <QTimer>

namespace tremolux {

QStringList CommandArguments(const std::vector<std::string>& command, const AlertFiring& firing)
{
    const QuakeRecord& event = firing.event;
    const QString km = firing.km ? QString::number(std::lround(*firing.km)) : QString();
    const std::pair<QString, QString> values[] = {
        {"{id}", QString::fromStdString(event.eventId)},
        {"{mag}", QString::number(event.magnitude, 'f', 1)},
        {"{place}", QString::fromStdString(event.region)},
        {"{km}", km},
        {"{city}", QString::fromStdString(firing.city)},
        {"{url}", QString::fromStdString(event.eventPage)},
    };
    QStringList arguments;
    for (const std::string& part : command) {
        // One pass over the template, so a value holding "{city}" stays as it is.
        const QString text = QString::fromStdString(part);
        QString argument;
        for (qsizetype i = 0; i < text.size();) {
            bool replaced = false;
            for (const auto& [placeholder, value] : values) {
                if (text.mid(i, placeholder.size()) == placeholder) {
                    argument += value;
                    i += placeholder.size();
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                argument += text.at(i++);
        }
        arguments << argument;
    }
    return arguments;
}

CommandRunner::CommandRunner(QObject* parent) : QObject(parent)
{
}

CommandRunner::~CommandRunner()
{
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
    }
}

bool CommandRunner::Run(const QStringList& arguments, int timeoutSeconds)
{
    if (arguments.isEmpty())
        return false;
    if (m_running < kMaxRunning) {
        Start({arguments, timeoutSeconds});
        return true;
    }
    if (Waiting() >= kMaxWaiting)
        return false;
    m_waiting.push_back({arguments, timeoutSeconds});
    return true;
}

void CommandRunner::Start(const Job& job)
{
    auto* process = new QProcess(this);
    auto* limit = new QTimer(process);
    limit->setSingleShot(true);
    ++m_running;
    auto timedOut = std::make_shared<bool>(false);
    connect(limit, &QTimer::timeout, process, [process, timedOut] {
        *timedOut = true;
        process->kill();
    });
    auto done = [this, process, job, timedOut](int exitCode) {
        process->disconnect(this);
        process->deleteLater();
        --m_running;
        emit finished(job.arguments, exitCode, *timedOut);
        if (!m_waiting.empty()) {
            const Job next = m_waiting.front();
            m_waiting.pop_front();
            Start(next);
        }
    };
    connect(process, &QProcess::finished, this, [done](int exitCode) { done(exitCode); });
    connect(process, &QProcess::errorOccurred, this, [done](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            done(-1);  // no finished signal follows
    });
    process->setProgram(job.arguments.front());
    process->setArguments(job.arguments.mid(1));
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    limit->start(std::chrono::seconds(job.timeoutSeconds));
    process->start();
}

}  // namespace tremolux
