#include "plot/PlotScale.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

PlotScale::PlotScale(double min, double max, bool logScale, double pixelStart, double pixelEnd)
    : min_(min), max_(max), pixelStart_(pixelStart), pixelSpan_(pixelEnd - pixelStart),
      log_(logScale) {
    const bool rangeOk =
        std::isfinite(min) && std::isfinite(max) && min < max && (!logScale || min > 0.0);
    const bool pixelsOk = std::isfinite(pixelSpan_) && pixelSpan_ != 0.0;
    valid_ = rangeOk && pixelsOk;
    if (valid_ && log_) {
        logMin_ = std::log10(min);
        logSpan_ = std::log10(max) - logMin_;
    }
}

std::optional<double> PlotScale::Fraction(double value) const {
    if (!valid_) {
        return std::nullopt;
    }
    // log10 of 0 is -infinity (pinned far left below); of a negative value NaN (no place).
    const double f =
        log_ ? (std::log10(value) - logMin_) / logSpan_ : (value - min_) / (max_ - min_);
    if (std::isnan(f)) {
        return std::nullopt;
    }
    return std::clamp(f, -kFarFraction, kFarFraction);
}

std::optional<double> PlotScale::ToPixel(double value) const {
    const auto f = Fraction(value);
    if (!f) {
        return std::nullopt;
    }
    return pixelStart_ + *f * pixelSpan_;
}

std::optional<double> PlotScale::ToValue(double pixel) const {
    if (!valid_ || !std::isfinite(pixel)) {
        return std::nullopt;
    }
    const double f = (pixel - pixelStart_) / pixelSpan_;
    if (log_) {
        // The fraction of the axis length is an exponent between Min and Max.
        return min_ * std::pow(max_ / min_, f);
    }
    return min_ + f * (max_ - min_);
}

} // namespace veld23
