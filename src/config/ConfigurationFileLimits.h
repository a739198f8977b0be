#pragma once

#include "config/OutputDelay.h"
#include "dsp/Dynamics.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/PeqRules.h"
#include "dsp/SampleRate.h"
#include "dsp/Tsos.h"

#include <cmath>
#include <cstdint>

namespace veld23::stored {

// The ranges of the stored fields: what the editors' controls can produce. Opening a
// file holds every value to them, so a damaged byte can never reach a design, an
// array index or a division; the JSON form refuses anything outside them.

// Equaliser bands: the equaliser window's fields (PeqRules.h) and its type list.
inline constexpr std::uint8_t kHighestSectionType = kParametricQConst;
inline constexpr std::int32_t kMinUsedBands = 1;
inline constexpr std::int32_t kMaxUsedBands = 7;

// Crossover frequency fields and loudness sliders.
inline constexpr double kCrossoverMinHz = 20.0;
inline constexpr double kCrossoverMaxHz = 20000.0;
inline constexpr double kLoudnessMinHz = 29.0;
inline constexpr double kLoudnessMaxHz = 80.0;
inline constexpr double kLoudnessDefaultHz = 55.0;
inline constexpr double kLoudnessMinGainDb = 0.0;
inline constexpr double kLoudnessMaxGainDb = 12.0;

// The level slider stops at +6 dB, a linear gain just under 2.
inline constexpr double kMaxOutputGain = 2.0;

// Routing.
inline constexpr std::int32_t kHighestRouteState = 2;
inline constexpr double kMaxRouteAmount = 1.0;

// Dynamics time values as the time fields give them (whole samples at the fixed rate;
// the release code counts 0.137 dB/s steps).
inline std::int32_t SamplesOfMs(double ms) {
    return static_cast<std::int32_t>(std::nearbyint(ms * 0.001 * SampleRate));
}
inline std::int32_t ReleaseCodeOf(double dbPerSecond) {
    return static_cast<std::int32_t>(std::nearbyint(dbPerSecond / dynamics::kReleaseStepDbPerS));
}
inline const std::int32_t kMinHoldSamples = SamplesOfMs(dynamics::kHoldMinMs);
inline const std::int32_t kMaxHoldSamples = SamplesOfMs(dynamics::kHoldMaxMs);
inline const std::int32_t kMinDecayCode = ReleaseCodeOf(dynamics::kReleaseMinDbPerS);
inline const std::int32_t kMaxDecayCode = ReleaseCodeOf(dynamics::kReleaseMaxDbPerS);
inline const std::int32_t kMinLookAheadSamples = SamplesOfMs(dynamics::kLookAheadMinMs);
inline const std::int32_t kMaxLookAheadSamples = SamplesOfMs(dynamics::kLookAheadMaxMs);
// The attack coefficient grows with the rate.
inline const long double kMinRmsCoef = RmsCoefFromAttack(dynamics::kAttackMinDbPerS);
inline const long double kMaxRmsCoef = RmsCoefFromAttack(dynamics::kAttackMaxDbPerS);

// A value held to [lo, hi]; NaN, which no control can show, takes the fallback.
inline double Hold(double value, double lo, double hi, double fallback) {
    if (std::isnan(value)) {
        return fallback;
    }
    return value < lo ? lo : (value > hi ? hi : value);
}
inline std::int32_t Hold(std::int32_t value, std::int32_t lo, std::int32_t hi) {
    return value < lo ? lo : (value > hi ? hi : value);
}

} // namespace veld23::stored
