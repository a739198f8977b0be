#pragma once

#include "dsp/PeqSet.h"
#include "dsp/Response.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace veld23 {

// The equaliser window's plot: the two response curves (series 1 for PEQ1 in aqua, series 2
// for PEQ2 in red), the mark of each equaliser's band being edited, the magnitude and phase
// views and the SHOW switches. It also keeps the last evaluated magnitude and phase of both
// equalisers, which the final response view combines with the other blocks.
//
// Curves are rebuilt in place: the evaluation runs into fixed arrays and the series reuse
// their storage, so redrawing while the user drags a band allocates nothing.
class EqualiserView {
  public:
    static constexpr int kEqualisers = 2;

    explicit EqualiserView(const std::array<PeqSet, kEqualisers>& peq);
    EqualiserView(const EqualiserView&) = delete;
    EqualiserView& operator=(const EqualiserView&) = delete;

    PlotModel& Plot() { return plot_; }
    const PlotModel& Plot() const { return plot_; }

    // The look the window is created with: title "OUT 1 Equalization", the magnitude view
    // with the initial readout unit " dBs ", both curves shown.
    void Reset();

    ResponseView View() const { return view_; }
    // " dBs " until a view is chosen, then " dBs" or the degree sign and a blank.
    std::string_view ReadoutUnit() const { return unit_; }
    // The y axis and readout unit of a view. Curves are not redrawn here.
    void SetView(ResponseView view);
    // Pressing on the plot only grabs a band in the magnitude view.
    bool PressAttached() const { return view_ == ResponseView::Magnitude; }

    // "OUT 1 Equalization" or "OUT 2 Equalization".
    void SetTitleFor(int peq);
    void BringToFront(int peq);
    bool Shown(int peq) const;
    void ToggleShown(int peq);

    // Evaluates bands 1..UsedBands of that equaliser and rebuilds its curve: one point per
    // grid index at GridHz, the magnitude in dB or the wrapped phase in degrees, then the
    // band number as a white mark at (Frequency, GainDb + 1).
    void Redraw(int peq, int markedBand);

    // The last evaluation of an equaliser (magnitude in dB, phase in radians).
    const ResponseCurve& Curve(int peq) const;

  private:
    static std::size_t Index(int peq) { return peq == 2 ? 1 : 0; }

    const std::array<PeqSet, kEqualisers>& peq_;
    std::array<std::array<const TSOS*, PeqSet::kBands>, kEqualisers> sections_{};
    std::array<ResponseCurve, kEqualisers> curves_{};
    PlotModel plot_;
    ResponseView view_ = ResponseView::Magnitude;
    std::string_view unit_ = kReadoutUnitDbInitial;
};

} // namespace veld23
