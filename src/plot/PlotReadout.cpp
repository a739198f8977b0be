#include "plot/PlotReadout.h"

#include "plot/PlotText.h"

#include <cmath>

namespace veld23 {

namespace {

bool Inside(const PlotModel& plot, const std::optional<PlotPoint>& pointer) {
    return pointer && plot.XAxis().Contains(pointer->x) && plot.YAxis().Contains(pointer->y);
}

std::string Compose(const std::string& x, std::string_view xUnit, double y, int yDecimals,
                    std::string_view yUnit) {
    std::string text = x;
    text += xUnit;
    text += FormatFixed(y, yDecimals);
    text += yUnit;
    return text;
}

} // namespace

std::string EqualiserReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                             std::string_view unit) {
    if (!Inside(plot, pointer)) {
        return {};
    }
    return Compose(FormatGeneral(pointer->x, 5), " Hz , ", pointer->y, 2, unit);
}

std::string CrossoverReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                             std::string_view unit) {
    if (!Inside(plot, pointer)) {
        return {};
    }
    return Compose(FormatFixed(pointer->x, 0), " Hz , ", pointer->y, 2, unit);
}

std::string FinalResponseReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer,
                                 std::string_view unit) {
    if (!Inside(plot, pointer)) {
        return {};
    }
    return Compose(FormatGeneral(std::nearbyint(pointer->x), 5), " Hz , ", pointer->y, 2, unit);
}

std::string DynamicsReadout(const PlotModel& plot, const std::optional<PlotPoint>& pointer) {
    if (!Inside(plot, pointer)) {
        return {};
    }
    return Compose(FormatFixed(pointer->x, 1), " dBu in , ", pointer->y, 1, " dBu out");
}

} // namespace veld23
