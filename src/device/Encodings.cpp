#include "device/Encodings.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace veld23 {

namespace {

constexpr long double kCoef22Scale = 1048576.0L; // 2^20

// Truncation toward zero into 32 bits. Values too large for the register are held
// at its limits rather than being undefined; they wrap in the 22-bit word anyway.
std::int32_t TruncatedWord(long double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const long double scaled = std::trunc(value * kCoef22Scale);
    constexpr long double lo = std::numeric_limits<std::int32_t>::min();
    constexpr long double hi = std::numeric_limits<std::int32_t>::max();
    if (scaled < lo) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (scaled > hi) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(scaled);
}

} // namespace

Coef22Bytes EncodeCoef22(long double value) {
    const auto word = static_cast<std::uint32_t>(TruncatedWord(value));
    return {static_cast<std::uint8_t>((word & 0x3F0000u) >> 16),
            static_cast<std::uint8_t>((word >> 8) & 0xFFu),
            static_cast<std::uint8_t>(word & 0xFFu)};
}

double Coef22DeviceValue(long double value) {
    // Bits 22..31 come from the truncated register, bits 0..21 are the word itself:
    // together simply the truncated integer.
    return static_cast<double>(TruncatedWord(value)) / 1048576.0;
}

double DecodeCoef22(std::uint8_t byte1, std::uint8_t byte2, std::uint8_t byte3) {
    const std::uint32_t v = (static_cast<std::uint32_t>(byte1) << 16) |
                            (static_cast<std::uint32_t>(byte2) << 8) | byte3;
    if (v & 0x200000u) {
        return -static_cast<double>(((v ^ 0x3FFFFFu) & 0x3FFFFFu) + 1) / 1048576.0;
    }
    return static_cast<double>(v & 0x3FFFFFu) / 1048576.0;
}

double DecodeCoef22(const Coef22Bytes& bytes) {
    return DecodeCoef22(bytes[0], bytes[1], bytes[2]);
}

Coef22Bytes EncodeWord16in24(std::uint32_t value) {
    return {0, static_cast<std::uint8_t>((value >> 8) & 0xFFu),
            static_cast<std::uint8_t>(value & 0xFFu)};
}

std::uint16_t DecodeWord16in24(const Coef22Bytes& bytes) {
    return static_cast<std::uint16_t>((bytes[1] << 8) | bytes[2]);
}

long PanelCode(long double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    // Nearest with halves to even: nearbyint under the default rounding mode.
    const long double rounded = std::nearbyint(value);
    constexpr long double limit = 2147483647.0L;
    if (rounded > limit || rounded < -limit) {
        return rounded > 0 ? 2147483647L : -2147483647L;
    }
    return static_cast<long>(rounded);
}

std::uint8_t PanelByte(long double value) {
    return static_cast<std::uint8_t>(static_cast<unsigned long>(PanelCode(value)) & 0xFFu);
}

std::array<std::uint8_t, 2> PanelWord(long double value) {
    const auto code = static_cast<unsigned long>(PanelCode(value));
    return {static_cast<std::uint8_t>((code >> 8) & 0xFFu),
            static_cast<std::uint8_t>(code & 0xFFu)};
}

std::uint16_t DecodePanelWord(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>((high << 8) | low);
}

std::uint8_t StrictBoolean(std::uint8_t stored) {
    return stored == 1 ? 1 : 0;
}

bool LenientBoolean(std::uint8_t byte) {
    return byte != 0;
}

} // namespace veld23
