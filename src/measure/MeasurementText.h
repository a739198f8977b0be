#pragma once

#include <string_view>
#include <vector>

namespace veld23 {

// Splits a whole file into lines without copying. "\r\n", "\n" and a lone "\r" all end
// a line (files come from Windows and old Mac tools); a final line break does not start
// another line, and a leading UTF-8 byte order mark is dropped.
std::vector<std::string_view> SplitMeasurementLines(std::string_view text);

// Drops blanks and tabs around a field.
std::string_view TrimBlanks(std::string_view text);

// True when the line holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line);

enum class NumberStatus {
    Ok,
    Empty,      // nothing but blanks
    NotANumber, // anything else than one plain decimal number
    OutOfRange, // a number too large for any measurement (also keeps every curve finite)
};

// Largest absolute value accepted in any measured field.
inline constexpr double kLargestMeasuredValue = 1e9;

// One decimal number, blanks around it ignored; a point or a comma as decimal separator,
// an optional exponent. Infinities, NaN, hexadecimal and thousands separators are refused.
[[nodiscard]] NumberStatus ParseMeasuredNumber(std::string_view field, double& value);

// No loudspeaker is measured beyond this many decibels either way; a magnitude past it is
// a damaged line (and would only drive the final response's sum beyond what a number
// holds).
inline constexpr double kLargestMagnitudeDb = 300.0;

// A magnitude field: a measured number within +-kLargestMagnitudeDb (OutOfRange beyond).
[[nodiscard]] NumberStatus ParseMeasuredMagnitude(std::string_view field, double& value);

} // namespace veld23
