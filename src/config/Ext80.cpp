#include "config/Ext80.h"

#include <cmath>
#include <limits>

namespace veld23 {

namespace {

constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;

Ext80Bytes Pack(bool negative, int exponent, std::uint64_t mantissa) {
    Ext80Bytes b{};
    for (int i = 0; i < 8; ++i) {
        b[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    }
    const unsigned top = (negative ? 0x8000u : 0u) | (static_cast<unsigned>(exponent) & 0x7FFFu);
    b[8] = static_cast<std::uint8_t>(top & 0xFFu);
    b[9] = static_cast<std::uint8_t>(top >> 8);
    return b;
}

} // namespace

Ext80Bytes EncodeExt80(long double value) {
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        return Pack(negative, kMaxExponent, 0xC000000000000000ull);
    }
    if (std::isinf(value)) {
        return Pack(negative, kMaxExponent, 0x8000000000000000ull);
    }
    const long double magnitude = std::fabs(value);
    if (magnitude == 0.0L) {
        return Pack(negative, 0, 0);
    }
    int e = 0;
    const long double fraction = std::frexp(magnitude, &e); // magnitude = fraction * 2^e
    int exponent = e - 1 + kBias;
    std::uint64_t mantissa = 0;
    if (exponent > 0) {
        // fraction is in [0.5, 1): scaled by 2^64 its top bit is the explicit integer bit.
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    } else {
        // Too small for a normal number: a denormal with exponent field 0.
        mantissa = static_cast<std::uint64_t>(std::ldexp(magnitude, kBias - 1 + 63));
        exponent = 0;
    }
    return Pack(negative, exponent, mantissa);
}

long double DecodeExt80(const Ext80Bytes& b) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) {
        mantissa = (mantissa << 8) | b[i];
    }
    const unsigned top = static_cast<unsigned>(b[8]) | (static_cast<unsigned>(b[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    long double magnitude = 0.0L;
    if (exponent == kMaxExponent) {
        magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                         : std::numeric_limits<long double>::quiet_NaN();
    } else {
        const int scale = (exponent == 0 ? 1 : exponent) - kBias - 63;
        magnitude = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -magnitude : magnitude;
}

} // namespace veld23
