#pragma once

#include <functional>
#include <utility>

#include "core/cycle/MainCycle.h"

namespace tremolux {

// A tone that hands each Play to a function: the frame decides what the
// cycle's alert does.
class ToneRelay final : public Tone {
public:
    explicit ToneRelay(std::function<void(int, int)> play) : m_play(std::move(play)) {}
    void Play(int frequencyHz, int durationMs) override { m_play(frequencyHz, durationMs); }

private:
    std::function<void(int, int)> m_play;
};

}  // namespace tremolux
