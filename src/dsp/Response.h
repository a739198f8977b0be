#pragma once

#include "dsp/Tsos.h"

#include <array>
#include <span>

namespace veld23 {

// Editors keep 513 single-precision values per curve; only 0..FrequencyGrid::N are used.
inline constexpr int kCurveLength = 513;
using CurveArray = std::array<float, kCurveLength>;

struct ResponseCurve {
    CurveArray magnitudeDb{};
    CurveArray phaseRad{};
};

// Evaluates the first `count` sections in order on the shared grid, summing dB and radians.
// The phase is a plain sum of per-section principal values, never unwrapped.
void AccumulateResponse(std::span<const TSOS* const> sections, int count, CurveArray& phase,
                        CurveArray& magnitude);
void AccumulateResponse(std::span<const TSOS* const> sections, int count, ResponseCurve& curve);

// The processor software's arctangent: range [-pi, pi), so y = 0, x < 0 gives -pi.
double Arctan2(double y, double x);

// Display wrap of a phase in radians into -180..180 degrees.
double WrapPhaseDegrees(double phaseRad);

} // namespace veld23
