#include "plot/PlotModel.h"

#include <algorithm>
#include <utility>

namespace veld23 {

PlotModel::PlotModel() {
    // Four curves per plot at most; reserving keeps first use of a series cheap.
    drawOrder_.reserve(8);
}

void PlotModel::SetTitle(std::string_view title) {
    title_.assign(title);
    ContentChanged();
}

void PlotModel::SetAxis(PlotAxisId id, const PlotAxis& axis) {
    MutableAxis(id) = axis;
    ContentChanged();
}

void PlotModel::SetAxisMin(PlotAxisId id, double min) {
    MutableAxis(id).Min = min;
    ContentChanged();
}

void PlotModel::SetAxisMax(PlotAxisId id, double max) {
    MutableAxis(id).Max = max;
    ContentChanged();
}

void PlotModel::SetAxisRange(PlotAxisId id, double min, double max) {
    PlotAxis& axis = MutableAxis(id);
    axis.Min = min;
    axis.Max = max;
    ContentChanged();
}

void PlotModel::SetAxisTitle(PlotAxisId id, std::string_view title) {
    MutableAxis(id).Title.assign(title);
    ContentChanged();
}

void PlotModel::SetAxisLogScale(PlotAxisId id, bool logScale) {
    MutableAxis(id).LogScale = logScale;
    ContentChanged();
}

void PlotModel::SetAxisStepSize(PlotAxisId id, double stepSize) {
    MutableAxis(id).StepSize = stepSize;
    ContentChanged();
}

std::string_view PlotModel::Caption() const {
    return x_.Consistent() && y_.Consistent() ? std::string_view{} : kInconsistentCaption;
}

PlotSeries& PlotModel::Series(int number) {
    if (PlotSeries* existing = FindMutable(number)) {
        return *existing;
    }
    PlotSeries& created = series_.emplace_back(number);
    created.owner_ = this;
    drawOrder_.push_back(&created);
    ContentChanged();
    return created;
}

const PlotSeries* PlotModel::FindSeries(int number) const {
    for (const PlotSeries& s : series_) {
        if (s.Number() == number) {
            return &s;
        }
    }
    return nullptr;
}

PlotSeries* PlotModel::FindMutable(int number) {
    return const_cast<PlotSeries*>(std::as_const(*this).FindSeries(number));
}

void PlotModel::BringToFront(int number) {
    PlotSeries& series = Series(number);
    const auto it = std::find(drawOrder_.begin(), drawOrder_.end(), &series);
    std::rotate(it, it + 1, drawOrder_.end());
    ContentChanged();
}

void PlotModel::SetPlotting(bool plotting) {
    plotting_ = plotting;
    if (plotting_ && redraw_) {
        redraw_();
    }
}

void PlotModel::SetRedrawHandler(std::function<void()> handler) {
    redraw_ = std::move(handler);
}

void PlotModel::SetColours(const PlotColours& colours) {
    colours_ = colours;
    ContentChanged();
}

void PlotModel::SetMargins(const PlotMargins& margins) {
    margins_ = margins;
    ContentChanged();
}

void PlotModel::SetCrossAtZero(bool crossAtZero) {
    crossAtZero_ = crossAtZero;
    ContentChanged();
}

PlotGeometry PlotModel::Geometry(double widthPx, double heightPx) const {
    return PlotGeometry(x_, y_, widthPx, heightPx, margins_);
}

std::optional<PlotPoint> PlotModel::PixelToValue(PixelPoint pixel, double widthPx,
                                                 double heightPx) const {
    return Geometry(widthPx, heightPx).ToValue(pixel);
}

PlotPointer PlotModel::Pointer(PixelPoint pixel, double widthPx, double heightPx,
                               bool shift) const {
    return {pixel, PixelToValue(pixel, widthPx, heightPx), shift};
}

void PlotModel::MouseDown(PixelPoint pixel, double widthPx, double heightPx, bool shift) {
    if (listener_ != nullptr) {
        listener_->PlotMouseDown(Pointer(pixel, widthPx, heightPx, shift));
    }
}

void PlotModel::MouseMove(PixelPoint pixel, double widthPx, double heightPx, bool shift) {
    if (listener_ != nullptr) {
        listener_->PlotMouseMove(Pointer(pixel, widthPx, heightPx, shift));
    }
}

void PlotModel::MouseUp(PixelPoint pixel, double widthPx, double heightPx, bool shift) {
    if (listener_ != nullptr) {
        listener_->PlotMouseUp(Pointer(pixel, widthPx, heightPx, shift));
    }
}

void PlotModel::ContentChanged() {
    if (plotting_ && redraw_) {
        redraw_();
    }
}

} // namespace veld23
