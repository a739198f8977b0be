#pragma once

#include <cstdint>

namespace veld23::dynamics {

// Start-up values of a dynamics record (the two records differ only in threshold).
inline constexpr float kDefaultUmbralRecord1 = -6.0f;
inline constexpr float kDefaultUmbralRecord2 = -5.0f;
inline constexpr float kDefaultRatio = 2.0f;
inline constexpr float kDefaultGain = 0.0f;
inline constexpr float kDefaultGateIndex = 1.0f;
inline constexpr float kDefaultPendiente = 4.0f;
inline constexpr float kDefaultZload = 8.0f;
inline constexpr float kDefaultPowerMaxLoad = 400.0f;
inline constexpr float kDefaultAmpGain = 41.0f;
inline constexpr float kDefaultPowerAmpMax = 600.0f;
inline constexpr std::int32_t kDefaultNumberSpeakers = 1;
inline constexpr float kDefaultKnee = 4.0f;
inline constexpr std::int32_t kDefaultNpuntos = 93;
inline constexpr float kDefaultXdBmaxLimit = 12.5f;
inline constexpr double kDefaultAttackDbPerS = 140.0;
inline constexpr double kDefaultHoldMs = 40.0;
inline constexpr double kDefaultReleaseDbPerS = 5.0;
inline constexpr double kDefaultLookAheadMs = 0.0;

inline constexpr std::uint8_t kLimiter = 0;
inline constexpr std::uint8_t kCompressor = 1;

// What the editor's controls can produce. Everything loaded from a file or a
// device image is held to these, and the design holds its inputs to them too,
// so no stored byte can push an index or a division out of bounds.
//
// Threshold: the slider spans -56 .. -5.5 dBFS (ThreeOutputs, and the SUB record)
// and -62 .. -11.5 dBFS (record 1 in TwoOutputs). The start-up thresholds (-6 and
// -5) sit outside some of those spans, so the limits are the union over both
// topologies and both records, widened to the defaults: a record keeps its value
// whatever topology is applied before or after loading.
inline constexpr float kUmbralMin = -62.0f;
inline constexpr float kUmbralMax = -5.0f;
inline constexpr float kRatioMin = 1.0f; // 1:1 is the slider's last usable position
inline constexpr float kRatioMax = 10.0f;
inline constexpr float kKneeMin = -0.5f;
inline constexpr float kKneeMax = 10.0f;
// The sliders, position 0 at the top: the threshold falls by 0.5 dB a position from
// its topology's top, Ratio = kRatioMax - position, Knee = kKneeMax - position / 2.
inline constexpr int kThresholdPositionMax = 101;
inline constexpr int kRatioPositionMax = static_cast<int>(kRatioMax - kRatioMin);
inline constexpr int kKneePositionMax = static_cast<int>(2 * (kKneeMax - kKneeMin));
// The make-up gain has no control; it only arrives from files. These bounds keep
// the curve finite: the table clips anything above +6 dB to the word's top anyway,
// and -96 dB is the bottom of the level table.
inline constexpr float kGainMin = -96.0f;
inline constexpr float kGainMax = 24.0f;
// Hidden gate fields: index 1..33 (one per table point), ramp 1..10 points.
inline constexpr float kGateIndexMin = 1.0f;
inline constexpr float kGateIndexMax = 33.0f;
inline constexpr float kPendienteMin = 1.0f;
inline constexpr float kPendienteMax = 10.0f;
// The design's grid must leave room for the 33 table points plus one and fit the
// 256-entry curves (it reads index N + 1).
inline constexpr std::int32_t kNpuntosMin = 34;
inline constexpr std::int32_t kNpuntosMax = 255;

// Time fields.
inline constexpr double kAttackMinDbPerS = 5.0;
inline constexpr double kAttackMaxDbPerS = 250.0;
inline constexpr double kHoldMinMs = 0.0;
inline constexpr double kHoldMaxMs = 80.0;
inline constexpr double kReleaseMinDbPerS = 1.0;
inline constexpr double kReleaseMaxDbPerS = 80.0;
inline constexpr double kLookAheadMinMs = 0.0;
inline constexpr double kLookAheadMaxMs = 2.0;
// One release code step in dB/s.
inline constexpr double kReleaseStepDbPerS = 0.137;

// Speaker and amplifier settings that live in the record.
inline constexpr float kZloadChoices[] = {2.0f, 2.67f, 4.0f, 8.0f, 16.0f};
inline constexpr float kPowerMaxLoadMin = 5.0f;
inline constexpr float kPowerMaxLoadMax = 4000.0f;
inline constexpr float kPowerAmpMaxMin = 25.0f;
inline constexpr float kPowerAmpMaxMax = 4000.0f;
inline constexpr float kAmpGainMin = 5.0f;
inline constexpr float kAmpGainMax = 200.0f;
inline constexpr std::int32_t kNumberSpeakersMin = 0;
inline constexpr std::int32_t kNumberSpeakersMax = 3;

// Holds one value to [lo, hi]; NaN takes the field's default. Infinities land on
// the nearer end like any other out-of-range value.
float HoldField(float value, float lo, float hi, float fallback);
double HoldField(double value, double lo, double hi, double fallback);
std::int32_t HoldField(std::int32_t value, std::int32_t lo, std::int32_t hi);
// The impedance choice nearest to the value (NaN gives the default 8 ohms).
float NearestZloadChoice(float value);

} // namespace veld23::dynamics
