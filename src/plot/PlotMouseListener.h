#pragma once

#include "plot/PlotTypes.h"

#include <optional>

namespace veld23 {

// A pointer event on a plot as its owning editor sees it.
struct PlotPointer {
    PixelPoint pixel;
    // The data values under the pointer; nullopt while the plot cannot map pixels (an axis
    // with inconsistent limits, or a widget smaller than its margins).
    std::optional<PlotPoint> value;
    bool shift = false;
};

// Implemented by the editor that owns a plot; the plot hands it every mouse event.
class PlotMouseListener {
  public:
    virtual ~PlotMouseListener() = default;
    virtual void PlotMouseDown(const PlotPointer& pointer) = 0;
    virtual void PlotMouseMove(const PlotPointer& pointer) = 0;
    virtual void PlotMouseUp(const PlotPointer& pointer) = 0;
};

} // namespace veld23
