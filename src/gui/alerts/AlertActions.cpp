#include "gui/alerts/AlertActions.h"

#include <map>

#include <QFile>

#include "core/alerts/AlertRulesJson.h"
#include "core/cycle/MainCycle.h"
#include "gui/common/Log.h"

namespace tremolux {

AlertActionRunner::AlertActionRunner(Tone& tone, QObject* parent)
    : QObject(parent), m_tone(tone), m_commands(this)
{
}

void AlertActionRunner::Carry(const std::vector<AlertFiring>& firings)
{
    Sound(firings);
    const AlertSummary summary = SummariseAlerts(firings);
    if (summary.largest)
        emit notification(QString::fromStdString(summary.title),
                          QString::fromStdString(summary.text));

    const AlertFiring* front = nullptr;
    for (const AlertFiring& firing : firings) {
        if (firing.actions.front && (!front || firing.event.magnitude > front->event.magnitude))
            front = &firing;
        if (!firing.actions.command.empty())
            m_commands.Run(CommandArguments(firing.actions.command, firing),
                           firing.actions.commandTimeoutSeconds);
    }
    if (front)
        emit bringToFront(front->event);
    AppendLogLines(firings);
}

// One tone per load, for the largest quake that asks for one.
void AlertActionRunner::Sound(const std::vector<AlertFiring>& firings)
{
    const AlertFiring* loudest = nullptr;
    for (const AlertFiring& firing : firings) {
        if (firing.actions.sound && (!loudest || firing.event.magnitude > loudest->event.magnitude))
            loudest = &firing;
    }
    if (!loudest)
        return;
    const int base = MainCycle::ToneFrequency(loudest->event.magnitude);
    const int frequency = loudest->actions.nearTone ? static_cast<int>(base * kNearPitch) : base;
    qCDebug(lcAlerts).noquote() << "tone" << frequency << "Hz,"
                                << QString::fromStdString(loudest->ruleName);
    m_tone.Play(frequency, MainCycle::kToneDurationMs);
}

void AlertActionRunner::AppendLogLines(const std::vector<AlertFiring>& firings)
{
    std::map<std::string, QByteArray> lines;  // by file, so each is opened once
    for (const AlertFiring& firing : firings) {
        if (!firing.actions.logFile.empty())
            lines[firing.actions.logFile] +=
                QByteArray::fromStdString(FiringJsonLine(firing)) + '\n';
    }
    for (const auto& [path, text] : lines) {
        QFile file(QString::fromStdString(path));
        // Flushed here: a line lost on close (a full disk) would go unsaid.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(text) != text.size()
            || !file.flush())
            emit actionFailed(tr("The alert log %1 could not be written: %2")
                                  .arg(file.fileName(), file.errorString()));
    }
}

}  // namespace tremolux
