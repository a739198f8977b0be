#include "editors/EqualiserView.h"

#include "dsp/FrequencyGrid.h"

#include <algorithm>

namespace veld23 {

namespace {

// Band numbers as mark texts; built once so a mark costs no formatting while dragging.
constexpr std::array<std::string_view, PeqSet::kBands> kBandTexts{"1", "2", "3", "4",
                                                                  "5", "6", "7"};

} // namespace

EqualiserView::EqualiserView(const std::array<PeqSet, kEqualisers>& peq) : peq_(peq) {
    for (std::size_t e = 0; e < sections_.size(); ++e) {
        for (std::size_t k = 0; k < sections_[e].size(); ++k) {
            sections_[e][k] = &peq_[e].bands[k];
        }
    }
    Reset();
}

void EqualiserView::Reset() {
    ConfigurePlot(plot_, PlotKind::Equaliser);
    view_ = ResponseView::Magnitude;
    unit_ = kReadoutUnitDbInitial;
    for (int peq = 1; peq <= kEqualisers; ++peq) {
        plot_.Series(peq).SetVisible(true);
    }
}

void EqualiserView::SetView(ResponseView view) {
    view_ = view;
    ShowResponseView(plot_, PlotKind::Equaliser, view);
    unit_ = veld23::ReadoutUnit(PlotKind::Equaliser, view);
}

void EqualiserView::SetTitleFor(int peq) {
    plot_.SetTitle(EqualiserPlotTitle(peq == 2 ? 2 : 1));
}

void EqualiserView::BringToFront(int peq) {
    plot_.BringToFront(peq == 2 ? 2 : 1);
}

bool EqualiserView::Shown(int peq) const {
    const PlotSeries* series = plot_.FindSeries(peq == 2 ? 2 : 1);
    return series != nullptr && series->Visible();
}

void EqualiserView::ToggleShown(int peq) {
    PlotSeries& series = plot_.Series(peq == 2 ? 2 : 1);
    series.SetVisible(!series.Visible());
}

void EqualiserView::Redraw(int peq, int markedBand) {
    const std::size_t e = Index(peq);
    const PeqSet& set = peq_[e];
    // A count read from a damaged file must not reach past the seven bands.
    const int count = std::clamp(static_cast<int>(set.UsedBands), 0, PeqSet::kBands);
    ResponseCurve& curve = curves_[e];
    AccumulateResponse(sections_[e], count, curve);

    const FrequencyGrid& grid = FrequencyGrid::Shared();
    plot_.SetPlotting(false);
    PlotSeries& series = plot_.Series(static_cast<int>(e) + 1);
    series.Clear();
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        const double y = view_ == ResponseView::Magnitude
                             ? static_cast<double>(curve.magnitudeDb[i])
                             : WrapPhaseDegrees(curve.phaseRad[i]);
        series.AddPoint(grid.GridHz[i], y);
    }
    const int band = std::clamp(markedBand, 1, PeqSet::kBands);
    const PeqBand& marked = set.Band(band);
    series.AddMark(marked.Frequency, marked.GainDb + 1.0,
                   kBandTexts[static_cast<std::size_t>(band - 1)], plot_colours::kWhite);
    plot_.SetPlotting(true);
}

const ResponseCurve& EqualiserView::Curve(int peq) const {
    return curves_[Index(peq)];
}

} // namespace veld23
