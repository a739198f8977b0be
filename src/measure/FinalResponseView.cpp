#include "measure/FinalResponseView.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/FrequencyGrid.h"
#include "plot/PlotReadout.h"

namespace veld23 {

namespace {

bool& Switch(FinalResponseSelections& s, FinalResponseSwitch which) {
    switch (which) {
    case FinalResponseSwitch::SpeakersData:
        return s.SpkData;
    case FinalResponseSwitch::Peqs:
        return s.PEQBox;
    case FinalResponseSwitch::Xover:
        return s.XOVERBox;
    case FinalResponseSwitch::Gain:
        return s.GAINBox;
    case FinalResponseSwitch::Delay:
        break;
    }
    return s.DelayBox;
}

bool ValidCurve(int curve) {
    return curve >= 1 && curve <= FinalResponseView::kCurves;
}

} // namespace

FinalResponseView::FinalResponseView(const ProcessorConfiguration& config,
                                     FinalResponseSelections& selections, PlotModel& plot)
    : config_(config), selections_(selections), plot_(plot) {
    ConfigurePlot(plot_, PlotKind::FinalResponse);
    ShowResponseView(plot_, PlotKind::FinalResponse, view_);
    plot_.SetMouseListener(this);
}

void FinalResponseView::Activate() {
    lookAheadSamples_ = config_.Dynamics[0].LookAheadSamples;
    DibujaFinalResponse();
}

void FinalResponseView::DibujaFinalResponse() {
    ComputeFinalResponse(config_, sources_, lookAheadSamples_, view_, curves_);
    const auto& grid = FrequencyGrid::Shared();
    const auto& values = view_ == ResponseView::Magnitude ? curves_.magnitudeDb : curves_.phaseDeg;
    // Rebuilt silently, drawn once.
    plot_.SetPlotting(false);
    for (int curve = 1; curve <= kCurves; ++curve) {
        PlotSeries& series = plot_.Series(curve);
        series.Clear();
        series.SetVisible(shown_[curve - 1]);
        for (int j = 0; j <= FrequencyGrid::N; ++j) {
            series.AddPoint(grid.GridHz[j], values[curve - 1][j]);
        }
    }
    plot_.SetPlotting(true);
}

bool FinalResponseView::Selected(FinalResponseSwitch which) const {
    return Switch(selections_, which);
}

void FinalResponseView::SetSelected(FinalResponseSwitch which, bool on) {
    Switch(selections_, which) = on;
    DibujaFinalResponse();
}

bool FinalResponseView::CurveShown(int curve) const {
    return ValidCurve(curve) && shown_[curve - 1];
}

void FinalResponseView::SetCurveShown(int curve, bool shown) {
    if (!ValidCurve(curve)) {
        return;
    }
    shown_[curve - 1] = shown;
    DibujaFinalResponse();
}

void FinalResponseView::SetView(ResponseView view) {
    view_ = view;
    ShowResponseView(plot_, PlotKind::FinalResponse, view_);
    DibujaFinalResponse();
}

std::string_view FinalResponseView::CurveCaption(int curve) const {
    if (curve >= 1 && curve <= 3) {
        return config_.OutputChannelLabel(curve).View();
    }
    return curve == 4 ? std::string_view("ADD") : std::string_view();
}

void FinalResponseView::PlotMouseDown(const PlotPointer&) {}

void FinalResponseView::PlotMouseMove(const PlotPointer& pointer) {
    plot_.SetReadout(
        FinalResponseReadout(plot_, pointer.value, ReadoutUnit(PlotKind::FinalResponse, view_)));
}

void FinalResponseView::PlotMouseUp(const PlotPointer&) {}

} // namespace veld23
