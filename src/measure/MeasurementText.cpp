#include "measure/MeasurementText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace veld23 {

std::vector<std::string_view> SplitMeasurementLines(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string_view> lines;
    // A typical measurement line is 20 to 40 characters; avoid most regrowth.
    lines.reserve(text.size() / 24 + 1);
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\n' && c != '\r') {
            continue;
        }
        lines.emplace_back(data + start, i - start);
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.emplace_back(data + start, size - start);
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t')) {
        ++first;
    }
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) {
        --last;
    }
    return text.substr(first, last - first);
}

bool IsBlankLine(std::string_view line) {
    return TrimBlanks(line).empty();
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

NumberStatus ParseMeasuredNumber(std::string_view field, double& value) {
    std::string_view text = TrimBlanks(field);
    if (text.empty()) {
        return NumberStatus::Empty;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    // Longer than any plain number could be: not one.
    constexpr std::size_t kLongest = 64;
    if (text.empty() || text.size() > kLongest) {
        return NumberStatus::NotANumber;
    }
    // The number must start like a decimal one, which also keeps out "inf" and "nan".
    const std::size_t lead = text.front() == '-' ? 1 : 0;
    if (lead >= text.size() || !(IsDigit(text[lead]) || text[lead] == '.' || text[lead] == ',')) {
        return NumberStatus::NotANumber;
    }
    char buffer[kLongest];
    for (std::size_t i = 0; i < text.size(); ++i) {
        buffer[i] = text[i] == ',' ? '.' : text[i];
    }
    const char* const end = buffer + text.size();
    const auto [stop, error] = std::from_chars(buffer, end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        return NumberStatus::OutOfRange;
    }
    if (error != std::errc() || stop != end) {
        return NumberStatus::NotANumber;
    }
    if (!std::isfinite(value) || std::fabs(value) > kLargestMeasuredValue) {
        return NumberStatus::OutOfRange;
    }
    return NumberStatus::Ok;
}

NumberStatus ParseMeasuredMagnitude(std::string_view field, double& value) {
    const NumberStatus status = ParseMeasuredNumber(field, value);
    if (status == NumberStatus::Ok && std::fabs(value) > kLargestMagnitudeDb) {
        return NumberStatus::OutOfRange;
    }
    return status;
}

} // namespace veld23
