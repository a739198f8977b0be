#include "plot/PlotGeometry.h"

namespace veld23 {

PlotGeometry::PlotGeometry(const PlotAxis& x, const PlotAxis& y, double widthPx, double heightPx,
                           const PlotMargins& margins)
    : left_(margins.left), right_(widthPx - margins.right), top_(margins.top),
      bottom_(heightPx - margins.bottom), x_(x.Scale(left_, right_)), y_(y.Scale(bottom_, top_)) {
    // A widget squeezed below its margins would otherwise map with a reversed span.
    valid_ = right_ > left_ && bottom_ > top_ && x_.Valid() && y_.Valid();
}

bool PlotGeometry::InArea(PixelPoint p) const {
    return valid_ && p.x >= left_ && p.x <= right_ && p.y >= top_ && p.y <= bottom_;
}

std::optional<PixelPoint> PlotGeometry::ToPixel(PlotPoint value) const {
    if (!valid_) {
        return std::nullopt;
    }
    const auto px = x_.ToPixel(value.x);
    const auto py = y_.ToPixel(value.y);
    if (!px || !py) {
        return std::nullopt;
    }
    return PixelPoint{*px, *py};
}

std::optional<PlotPoint> PlotGeometry::ToValue(PixelPoint pixel) const {
    if (!valid_) {
        return std::nullopt;
    }
    const auto vx = x_.ToValue(pixel.x);
    const auto vy = y_.ToValue(pixel.y);
    if (!vx || !vy) {
        return std::nullopt;
    }
    return PlotPoint{*vx, *vy};
}

} // namespace veld23
