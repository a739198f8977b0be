#pragma once

#include <optional>

namespace veld23 {

// Maps one axis between data values and pixels. The pixel ends may run either way, so the
// same type serves the x axis (left to right) and the y axis (bottom to top, pixels falling).
// On a logarithmic axis equal pixel distances are equal ratios of value.
class PlotScale {
  public:
    // Values this many axis lengths beyond either end are pinned there: a curve that dives to
    // -300 dB or -infinity still gets a finite pixel the painter can clip.
    static constexpr double kFarFraction = 1000.0;

    PlotScale() = default;
    PlotScale(double min, double max, bool logScale, double pixelStart, double pixelEnd);

    // False when the range cannot be mapped (min not below max, a non-finite end, a
    // logarithmic axis not strictly above zero) or the pixel span is empty.
    bool Valid() const { return valid_; }

    // Position along the axis: 0 at min, 1 at max; nullopt when the value has no place on
    // the axis (NaN, or negative on a logarithmic axis).
    std::optional<double> Fraction(double value) const;
    std::optional<double> ToPixel(double value) const;
    std::optional<double> ToValue(double pixel) const;

  private:
    double min_ = 0.0;
    double max_ = 1.0;
    double logMin_ = 0.0;
    double logSpan_ = 0.0;
    double pixelStart_ = 0.0;
    double pixelSpan_ = 0.0;
    bool log_ = false;
    bool valid_ = false;
};

} // namespace veld23
