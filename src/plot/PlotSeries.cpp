#include "plot/PlotSeries.h"

#include "plot/PlotModel.h"

namespace veld23 {

PlotSeries::PlotSeries(int number) : number_(number) {
    points_.reserve(kReservedPoints);
    marks_.reserve(kReservedMarks);
}

void PlotSeries::SetColour(PlotColour colour) {
    colour_ = colour;
    Changed();
}

void PlotSeries::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void PlotSeries::Clear() {
    points_.clear();
    marks_.clear();
    Changed();
}

void PlotSeries::AddPoint(double x, double y) {
    points_.push_back({x, y});
    Changed();
}

void PlotSeries::AddMark(double x, double y, std::string_view text, PlotColour colour) {
    marks_.push_back({{x, y}, std::string(text), colour});
    Changed();
}

void PlotSeries::Changed() {
    if (owner_ != nullptr) {
        owner_->ContentChanged();
    }
}

} // namespace veld23
