#include "plot/PlotAxis.h"

#include "plot/PlotText.h"

#include <cmath>

namespace veld23 {

namespace {

// Ticks computed from a step drift by rounding; anything this close to an end is in range.
constexpr double kEndTolerance = 1e-9;

} // namespace

bool PlotAxis::Consistent() const {
    return std::isfinite(Min) && std::isfinite(Max) && Min < Max && (!LogScale || Min > 0.0);
}

bool PlotAxis::Contains(double value) const {
    return Consistent() && value >= Min && value <= Max;
}

double PlotAxis::CrossingValue(bool crossAtZero) const {
    return crossAtZero && Contains(0.0) ? 0.0 : Min;
}

void PlotAxis::Ticks(std::vector<PlotTick>& ticks) const {
    ticks.clear();
    if (!Consistent()) {
        return;
    }
    if (LogScale) {
        LogTicks(ticks);
    } else {
        LinearTicks(ticks);
    }
}

double PlotAxis::EffectiveStep() const {
    if (!AutoStepping) {
        return StepSize;
    }
    // The smallest 1-2-5 step that gives at most ten intervals.
    const double span = Max - Min;
    const double decade = std::pow(10.0, std::floor(std::log10(span / 10.0)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (span / (m * decade) <= 10.0 + kEndTolerance) {
            return m * decade;
        }
    }
    return 10.0 * decade;
}

void PlotAxis::LinearTicks(std::vector<PlotTick>& ticks) const {
    const double step = EffectiveStep();
    if (!std::isfinite(step) || step <= 0.0) {
        return;
    }
    const double tolerance = kEndTolerance * (Max - Min);
    const double first = std::ceil((Min - tolerance) / step);
    const double last = std::floor((Max + tolerance) / step);
    if (!(last - first < kMaxTicks)) {
        return;
    }
    for (double k = first; k <= last; k += 1.0) {
        // Multiplying the index avoids summing rounding errors; adding 0.0 turns the -0 of
        // an index rounded up from just below zero into a plain 0, which labels as "0".
        ticks.push_back({k * step + 0.0, true});
    }
}

void PlotAxis::LogTicks(std::vector<PlotTick>& ticks) const {
    const double firstDecade = std::floor(std::log10(Min));
    const double lastDecade = std::floor(std::log10(Max));
    if (!((lastDecade - firstDecade + 1.0) * 9.0 <= kMaxTicks)) {
        return;
    }
    for (double d = firstDecade; d <= lastDecade; d += 1.0) {
        const double power = std::pow(10.0, d);
        for (int m = 1; m <= 9; ++m) {
            const double value = m * power;
            if (value < Min * (1.0 - kEndTolerance) || value > Max * (1.0 + kEndTolerance)) {
                continue;
            }
            ticks.push_back({value, m == 1 || m == 2 || m == 5});
        }
    }
}

std::string PlotAxis::Label(double value) const {
    return FormatFixed(value, LabelDecimals);
}

} // namespace veld23
