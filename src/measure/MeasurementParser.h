#pragma once

#include "measure/MeasuredPoints.h"
#include "measure/MeasurementLayout.h"

#include <span>
#include <string_view>

namespace veld23 {

// Reads the data lines of an identified file into points whose frequencies rise strictly.
// Blank lines are skipped. False, with the problem filled, when a line is unusable or
// fewer than two points remain; the points are then not to be used.
bool ParseMeasurementData(const MeasurementDataFormat& format,
                          std::span<const std::string_view> lines, MeasuredPoints& points,
                          MeasurementProblem& problem);

} // namespace veld23
