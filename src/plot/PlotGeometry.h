#pragma once

#include "plot/PlotAxis.h"
#include "plot/PlotScale.h"
#include "plot/PlotTypes.h"

#include <optional>

namespace veld23 {

// The plot area of a widget of a given size, and the mapping between its pixels and data
// values. The area is the widget minus its margins; x runs left to right from the x axis'
// Min to its Max, y runs bottom to top from the y axis' Min to its Max.
class PlotGeometry {
  public:
    PlotGeometry(const PlotAxis& x, const PlotAxis& y, double widthPx, double heightPx,
                 const PlotMargins& margins);

    double Left() const { return left_; }
    double Right() const { return right_; }
    double Top() const { return top_; }
    double Bottom() const { return bottom_; }

    // False when the widget is too small for its margins or an axis cannot be mapped;
    // nothing is then converted either way.
    bool Valid() const { return valid_; }
    bool InArea(PixelPoint p) const;

    const PlotScale& XScale() const { return x_; }
    const PlotScale& YScale() const { return y_; }

    std::optional<PixelPoint> ToPixel(PlotPoint value) const;
    std::optional<PlotPoint> ToValue(PixelPoint pixel) const;

  private:
    double left_;
    double right_;
    double top_;
    double bottom_;
    PlotScale x_;
    PlotScale y_;
    bool valid_;
};

} // namespace veld23
