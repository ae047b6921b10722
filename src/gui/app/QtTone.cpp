#include "gui/app/QtTone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace tremolux {

namespace {

// 16-bit mono samples of a sine, faded in and out over 5 ms against clicks.
QByteArray SineSamples(const QAudioFormat& format, int frequencyHz, int durationMs)
{
    const int rate = format.sampleRate();
    const int channels = format.channelCount();
    const int frames = rate * durationMs / 1000;
    const int fade = rate / 200;
    QByteArray bytes(static_cast<qsizetype>(frames) * channels * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<qint16*>(bytes.data());
    for (int i = 0; i < frames; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(frames - i) / fade});
        const double value =
            0.5 * envelope * std::sin(2.0 * std::numbers::pi * frequencyHz * i / rate);
        const auto sample = static_cast<qint16>(value * 32767.0);
        for (int c = 0; c < channels; ++c)
            *out++ = sample;
    }
    return bytes;
}

}  // namespace

QtTone::QtTone() = default;

QtTone::~QtTone()
{
    Stop();
}

void QtTone::Stop()
{
    if (m_sink != nullptr) {
        m_sink->disconnect();
        m_sink->stop();
        m_sink.reset();
    }
    m_buffer.close();
}

void QtTone::Play(int frequencyHz, int durationMs)
{
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || frequencyHz <= 0 || durationMs <= 0)
        return;

    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        format = device.preferredFormat();
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return;
    }

    m_samples = SineSamples(format, frequencyHz, durationMs);
    m_buffer.setBuffer(&m_samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
                     [this](QAudio::State state) {
                         if (state == QAudio::IdleState)
                             m_sink->stop();
                     });
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError)
        Stop();
}

}  // namespace tremolux
