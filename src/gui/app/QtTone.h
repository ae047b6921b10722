#pragma once

#include <memory>

#include <QByteArray>
#include <QBuffer>

#include "core/cycle/MainCycle.h"

class QAudioSink;

namespace tremolux {

// The alert as a sine tone on the default audio output. Without an audio
// device (or when the device refuses the format) the alert is silent.
class QtTone final : public Tone {
public:
    QtTone();
    ~QtTone() override;

    void Play(int frequencyHz, int durationMs) override;

private:
    void Stop();

    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_samples;
    QBuffer m_buffer;
};

}  // namespace tremolux
