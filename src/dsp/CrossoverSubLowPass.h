#pragma once

#include "dsp/Response.h"

namespace veld23 {

// The SUB path of the three-output processor runs a fixed second-order Butterworth
// low-pass at 470 Hz that no control changes. Its response is part of every SUB
// curve (crossover view and final response), so it is one table over the shared
// grid: magnitudes in dB and phases in radians at points 0..FrequencyGrid::N, the
// rest of the curve arrays left at 0.
inline constexpr double kSubLowPassHz = 470.0;

// Built once on first use from the "LowPass Buttw" design; read-only afterwards.
const ResponseCurve& SubLowPassResponse();

} // namespace veld23
