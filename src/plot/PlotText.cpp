#include "plot/PlotText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace veld23 {

namespace {

// Large enough for any double in fixed notation with the most decimals allowed.
using NumberBuffer = std::array<char, 400>;

std::string Format(double value, std::chars_format format, int precision) {
    NumberBuffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format,
                                      std::clamp(precision, 0, 15));
    if (result.ec != std::errc{}) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string FormatFixed(double value, int decimals) {
    return Format(value, std::chars_format::fixed, decimals);
}

std::string FormatGeneral(double value, int significantDigits) {
    return Format(value, std::chars_format::general, std::max(significantDigits, 1));
}

} // namespace veld23
