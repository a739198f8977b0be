#pragma once

#include <array>
#include <cstdint>

namespace veld23 {

// Gain, mute and polarity of one output channel.
//
// The level the user sets is not stored by itself: the slider position is, and the
// level follows from it in 0.1 dB steps (position 61 is 0.0 dB, 1 and 0 are +6.0 dB,
// 361 is -30.0 dB). The level stops at +6.0 dB so that the gain handed to the
// processor, OutputGain x OutputOnFactor, stays below the 2.0 of its coefficient word.
struct OutputLevel {
    static constexpr double kMinLevelDb = -30.0;
    static constexpr double kMaxLevelDb = 6.0;
    static constexpr std::int32_t kMaxPosition = 361;
    static constexpr std::int32_t kDefaultPosition = 61;

    double OutputGain = 1.0;     // signed linear gain
    double OutputOnFactor = 1.0; // 0.0 when muted
    std::int32_t LevelPosition = kDefaultPosition;
    bool OutputMuted = false;
    bool OutputInverted = false;
    float OutputPolarity = 1.0f; // +1 or -1

    // The level of a slider position, held to -30..+6 dB and to one decimal.
    static double LevelDbFromPosition(std::int32_t position);
    // The slider position that shows a level; levels outside the range give the end
    // positions, NaN the default position.
    static std::int32_t PositionFromLevelDb(double levelDb);
    // A typed or derived level as the level field keeps it: in range, one decimal.
    // NaN is taken as 0 dB.
    static double HoldLevelDb(double levelDb);

    double LevelDb() const { return LevelDbFromPosition(LevelPosition); }

    // The value handed to the processor and to real-time messages.
    double DeviceValue() const { return OutputGain * OutputOnFactor; }

    // The slider law: stores the position (held to 0..361) and recomputes the gain with
    // the present polarity and the on factor from the mute switch.
    void ApplyPosition(std::int32_t position);

    // After a device image has set position and switches: polarity from the switch,
    // then the gain from the position.
    void RestoreFromPosition();

    // After a configuration file has set OutputGain and the switches: polarity and on
    // factor from the switches, the position from |OutputGain|, then the gain again
    // from that position, so the record ends exactly as the slider would leave it.
    void RestoreFromGain();

    // The start-up state: 0 dB at position 61, not muted, normal polarity.
    void ResetToDefaults() { *this = OutputLevel{}; }
};

// A new configuration: every output back to its start-up state, in place.
void ResetLevels(std::array<OutputLevel, 3>& levels);

} // namespace veld23
