#include "config/FieldNumber.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace veld23::field_number {

namespace {

constexpr int kMaxDecimals = 6;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string Text(double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // Large enough for any finite double in fixed notation with six decimals.
    std::array<char, 330> buffer{};
    const std::to_chars_result result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                      value, std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    // A value that rounds to zero is shown as zero, without a sign.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

double Shown(double value, int decimals) {
    const std::string text = Text(value, decimals);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

bool Parse(std::string_view text, double& value) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    // A second sign, or letters such as "inf" and "nan", are not numbers a user types.
    if (begin == end ||
        !(std::isdigit(static_cast<unsigned char>(text[begin])) || text[begin] == '.')) {
        return false;
    }
    double parsed = 0.0;
    const std::from_chars_result result =
        std::from_chars(text.data() + begin, text.data() + end, parsed, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != text.data() + end || !std::isfinite(parsed)) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

} // namespace veld23::field_number
