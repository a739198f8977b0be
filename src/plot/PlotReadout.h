#pragma once

#include "plot/PlotModel.h"
#include "plot/PlotTypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace veld23 {

// The texts of the "Value at Mouse Position" label beside each plot. Each is empty when the
// pointer has no value or lies outside either axis range.

// "999.97 Hz , 3.46 dBs": frequency to five significant digits, value to two decimals.
std::string EqualiserReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                             std::string_view unit);
// "1000 Hz , -3.01 dBs": frequency without decimals.
std::string CrossoverReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                             std::string_view unit);
// "1235 Hz , 0.50 dBs": frequency rounded to whole hertz first, then up to five digits.
std::string FinalResponseReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                                 std::string_view unit);
// "-12.5 dBu in , -10.0 dBu out": both levels to a tenth of a dB, like the threshold panel.
std::string DynamicsReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer);

} // namespace veld23
