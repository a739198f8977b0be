#include "config/OutputLevel.h"

#include "config/FieldNumber.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

double OutputLevel::HoldLevelDb(double levelDb) {
    if (std::isnan(levelDb)) {
        return 0.0;
    }
    return field_number::Shown(std::clamp(levelDb, kMinLevelDb, kMaxLevelDb), 1);
}

double OutputLevel::LevelDbFromPosition(std::int32_t position) {
    position = std::clamp(position, 0, kMaxPosition);
    return HoldLevelDb((kMaxPosition - position) * 0.1 + kMinLevelDb);
}

std::int32_t OutputLevel::PositionFromLevelDb(double levelDb) {
    if (std::isnan(levelDb)) {
        return kDefaultPosition;
    }
    const double held = std::clamp(levelDb, kMinLevelDb, kMaxLevelDb);
    const double position = std::nearbyint(kMaxPosition - 10.0 * (held - kMinLevelDb));
    return std::clamp(static_cast<std::int32_t>(position), 0, kMaxPosition);
}

void OutputLevel::ApplyPosition(std::int32_t position) {
    LevelPosition = std::clamp(position, 0, kMaxPosition);
    OutputGain = std::pow(10.0, LevelDb() / 20.0) * static_cast<double>(OutputPolarity);
    OutputOnFactor = OutputMuted ? 0.0 : 1.0;
}

void OutputLevel::RestoreFromPosition() {
    OutputPolarity = OutputInverted ? -1.0f : 1.0f;
    ApplyPosition(LevelPosition);
}

void OutputLevel::RestoreFromGain() {
    OutputPolarity = OutputInverted ? -1.0f : 1.0f;
    OutputOnFactor = OutputMuted ? 0.0 : 1.0;
    // A stored gain of 0 reads as the lowest level; NaN (a damaged file) as 0 dB.
    const double magnitude = std::fabs(OutputGain);
    double levelDb = 0.0;
    if (magnitude == 0.0) {
        levelDb = kMinLevelDb;
    } else if (!std::isnan(magnitude)) {
        levelDb = 20.0 * std::log10(magnitude);
    }
    ApplyPosition(PositionFromLevelDb(HoldLevelDb(levelDb)));
}

void ResetLevels(std::array<OutputLevel, 3>& levels) {
    for (OutputLevel& level : levels) {
        level.ResetToDefaults();
    }
}

} // namespace veld23
