#include "plot/PlotConfigurations.h"

#include <array>

namespace veld23 {

namespace {

constexpr double kMagnitudeMinDb = -20.0;
constexpr double kMagnitudeStepDb = 5.0;
constexpr double kPhaseLimitDeg = 180.0;
// Five-dB steps over 360 degrees would bury the curve in grid lines; 45 gives eight bands.
constexpr double kPhaseStepDeg = 45.0;

double MagnitudeMaxDb(PlotKind kind) {
    // The crossover's curves never rise much above 0 dB; it gives the room to the stop band.
    return kind == PlotKind::Crossover ? 15.0 : 20.0;
}

PlotAxis FrequencyAxis() {
    PlotAxis axis;
    axis.Title = "Frequency";
    axis.Min = 20.0;
    axis.Max = 20000.0;
    axis.LogScale = true;
    axis.LabelDecimals = 0;
    return axis;
}

PlotAxis LinearAxis(std::string_view title, double min, double max, double step) {
    PlotAxis axis;
    axis.Title = title;
    axis.Min = min;
    axis.Max = max;
    axis.StepSize = step;
    axis.LabelDecimals = 0;
    return axis;
}

std::string OutputTitle(int output, std::string_view what) {
    return "OUT " + std::to_string(output) + std::string(what);
}

} // namespace

void ConfigurePlot(PlotModel& plot, PlotKind kind) {
    plot.SetMargins(kPlotMargins);
    plot.SetCrossAtZero(true);
    switch (kind) {
    case PlotKind::Equaliser:
        plot.SetTitle(EqualiserPlotTitle(1));
        break;
    case PlotKind::Crossover:
        plot.SetTitle(CrossoverPlotTitle(1));
        break;
    case PlotKind::FinalResponse:
        plot.SetTitle("Final Frequency Response");
        break;
    case PlotKind::Dynamics:
        plot.SetColours(plot_colours::kDynamicsPlot);
        plot.SetAxis(PlotAxisId::X, LinearAxis("input dBu", -30.0, 22.0, 10.0));
        plot.SetAxis(PlotAxisId::Y, LinearAxis("output dBu", -30.0, 22.0, 10.0));
        break;
    }
    if (kind != PlotKind::Dynamics) {
        plot.SetColours(plot_colours::kFrequencyPlot);
        plot.SetAxis(PlotAxisId::X, FrequencyAxis());
        plot.SetAxis(PlotAxisId::Y,
                     LinearAxis("dB's", kMagnitudeMinDb, MagnitudeMaxDb(kind), kMagnitudeStepDb));
    }
    for (int n = 1; n <= CurveCount(kind); ++n) {
        plot.Series(n).SetColour(CurveColour(kind, n));
    }
}

void ShowResponseView(PlotModel& plot, PlotKind kind, ResponseView view) {
    if (kind == PlotKind::Dynamics) {
        return;
    }
    PlotAxis axis = plot.YAxis();
    if (view == ResponseView::Magnitude) {
        axis.Title = "dB";
        axis.Min = kMagnitudeMinDb;
        axis.Max = MagnitudeMaxDb(kind);
        axis.StepSize = kMagnitudeStepDb;
    } else {
        axis.Title = "Phase";
        axis.Min = -kPhaseLimitDeg;
        axis.Max = kPhaseLimitDeg;
        axis.StepSize = kPhaseStepDeg;
    }
    plot.SetAxis(PlotAxisId::Y, axis);
}

std::string_view ReadoutUnit(PlotKind kind, ResponseView view) {
    if (view == ResponseView::Magnitude) {
        return kReadoutUnitDb;
    }
    // Only the crossover shows its degrees without the trailing blank.
    return kind == PlotKind::Crossover ? kReadoutUnitDegree : kReadoutUnitDegreeBlank;
}

int CurveCount(PlotKind kind) {
    switch (kind) {
    case PlotKind::Equaliser:
    case PlotKind::Dynamics:
        return 2;
    case PlotKind::Crossover:
        return 3;
    case PlotKind::FinalResponse:
        return 4;
    }
    return 0;
}

PlotColour CurveColour(PlotKind kind, int number) {
    using namespace plot_colours;
    // Output 1 aqua, output 2 red, the third output yellow, the acoustic sum white. The
    // dynamics plot draws its 1:1 reference in white under the yellow transfer curve.
    static constexpr std::array<PlotColour, 4> kOutputs{kAqua, kRed, kYellow, kWhite};
    static constexpr std::array<PlotColour, 2> kDynamics{kWhite, kYellow};
    if (number < 1 || number > CurveCount(kind)) {
        return kWhite;
    }
    const auto index = static_cast<std::size_t>(number - 1);
    return kind == PlotKind::Dynamics ? kDynamics[index] : kOutputs[index];
}

std::string EqualiserPlotTitle(int output) {
    return OutputTitle(output, " Equalization");
}

std::string CrossoverPlotTitle(int output) {
    return OutputTitle(output, " CrossOver");
}

std::string DynamicsPlotTitle(int record, bool threeOutputs) {
    if (threeOutputs) {
        return record == 2 ? "Dynamic SUB    " : "Dynamic OUT 1-2";
    }
    return record == 2 ? "Dynamic OUT 2" : "Dynamic OUT 1";
}

} // namespace veld23
