#pragma once

#include "measure/MeasuredPoints.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace veld23 {

// The plain text that current measurement and speaker-design tools exchange (".frd",
// ".txt"): one point per line, frequency in Hz, magnitude in dB and an optional phase in
// degrees, separated by blanks, tabs, a comma or a semicolon. A line is data when it
// starts with a number; everything else (comments starting with '*', '#' or ';', column
// titles, blank lines) is skipped. Where the separator is not a comma, a comma is taken as
// decimal separator. Columns after the phase are ignored.

// True when the line's first non-blank characters make a number.
bool IsFrdDataLine(std::string_view line);

// How many data lines parse completely, counting no further than `enough`.
std::size_t CountFrdDataLines(std::span<const std::string_view> lines, std::size_t enough);

// Reads every data line. Frequencies must rise; an exactly repeated frequency is merged
// (the first value stays). False, with the problem filled, at the first unusable line.
bool ParseFrdText(std::span<const std::string_view> lines, MeasuredPoints& points,
                  MeasurementProblem& problem);

} // namespace veld23
