#pragma once

#include <cmath>

namespace veld23 {

// The processor's coefficient word holds 22 bits with 20 fraction bits, so it
// reaches from -2 up to one step below +2. The encoder wraps anything outside
// (+2.0 would come out as -2.0), so every producer whose value can leave that
// span holds it here first. Kept in dsp/ because designs below the device layer
// need the limit; the encoder itself lives in device/Encodings.
inline constexpr long double kCoef22Step = 1.0L / 1048576.0L; // 2^-20
inline constexpr long double kCoef22Max = 2.0L - kCoef22Step;
inline constexpr long double kCoef22Min = -2.0L;

// Holds a value inside the encodable span. NaN has no sensible word; it becomes 0
// (silence) rather than whatever the integer conversion would make of it.
inline long double HoldToCoef22Range(long double value) {
    if (std::isnan(value)) {
        return 0.0L;
    }
    if (value > kCoef22Max) {
        return kCoef22Max;
    }
    if (value < kCoef22Min) {
        return kCoef22Min;
    }
    return value;
}

} // namespace veld23
