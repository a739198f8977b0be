#pragma once

#include "plot/PlotScale.h"

#include <string>
#include <vector>

namespace veld23 {

struct PlotTick {
    double value = 0.0;
    bool labelled = true; // unlabelled ticks only get a grid line
};

// One axis of a plot: what it is called, the range it shows and how it is ruled.
// A plain value; the plot model owns one per direction.
class PlotAxis {
  public:
    // More ticks than this are unreadable; a step that small draws no ticks at all rather
    // than looping for ever or filling memory.
    static constexpr int kMaxTicks = 500;

    std::string Title; // Windows-1252 bytes
    double Min = 0.0;
    double Max = 1.0;
    double StepSize = 1.0;
    bool LogScale = false;
    int LabelDecimals = 0;
    bool Gridlines = true;
    // With AutoStepping on, a linear axis picks a 1-2-5 step of its own instead of StepSize.
    bool AutoStepping = false;
    // Kept off everywhere: every plot shows exactly the range it is given, never the data's.
    bool AutoSizing = false;

    // An axis that cannot be drawn: Min not below Max, a non-finite end, or a logarithmic
    // axis that does not lie strictly above zero.
    bool Consistent() const;
    // Inside [Min, Max], ends included; never true for an inconsistent axis.
    bool Contains(double value) const;
    // Where the other axis crosses this one: at zero when asked to and zero is in range,
    // otherwise at Min.
    double CrossingValue(bool crossAtZero) const;

    PlotScale Scale(double pixelAtMin, double pixelAtMax) const {
        return PlotScale(Min, Max, LogScale, pixelAtMin, pixelAtMax);
    }

    // Fills `ticks` (its capacity is reused) with the grid positions inside the range.
    // Linear: every multiple of the step. Logarithmic: 1..9 times each power of ten, with
    // labels on 1, 2 and 5.
    void Ticks(std::vector<PlotTick>& ticks) const;
    // The tick label: fixed notation with LabelDecimals digits after the point.
    std::string Label(double value) const;

  private:
    double EffectiveStep() const;
    void LinearTicks(std::vector<PlotTick>& ticks) const;
    void LogTicks(std::vector<PlotTick>& ticks) const;
};

} // namespace veld23
