#pragma once

#include <cstdint>

namespace veld23 {

// Gain, mute and polarity of one output channel.
struct OutputLevel {
    double OutputGain = 1.0;     // signed linear gain
    double OutputOnFactor = 1.0; // 0.0 when muted
    std::int32_t LevelPosition = 0;
    bool OutputMuted = false;
    bool OutputInverted = false;
    float OutputPolarity = 1.0f; // +1 or -1
};

} // namespace veld23
