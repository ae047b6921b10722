#pragma once

#include <vector>

#include <QObject>
#include <QString>

#include "core/alerts/AlertEvaluation.h"
#include "gui/alerts/CommandAction.h"

namespace tremolux {

class Tone;

// Carries out what the rules of one load decided: one tone, one desktop
// notification for all of them, the window brought to the largest quake,
// every command (bounded) and every log line.
class AlertActionRunner : public QObject {
    Q_OBJECT
public:
    // The higher pitch set of quakes close by: a fifth above the main cycle's.
    static constexpr double kNearPitch = 1.5;

    explicit AlertActionRunner(Tone& tone, QObject* parent = nullptr);

    void Carry(const std::vector<AlertFiring>& firings);
    CommandRunner& Commands() { return m_commands; }

signals:
    void notification(const QString& title, const QString& text);
    // Direct connections only: the record is no registered meta type.
    void bringToFront(const QuakeRecord& quake);
    // A log file could not be written: what and why, for the status bar.
    void actionFailed(const QString& message);

private:
    void Sound(const std::vector<AlertFiring>& firings);
    void AppendLogLines(const std::vector<AlertFiring>& firings);

    Tone& m_tone;
    CommandRunner m_commands;
};

}  // namespace tremolux
