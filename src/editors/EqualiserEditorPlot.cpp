// The equaliser editor's plot: views, SHOW switches, readout and dragging a band.
#include "editors/EqualiserEditor.h"

#include "plot/PlotReadout.h"

#include <cmath>

namespace veld23 {

using namespace equaliser;

void EqualiserEditor::ShowMagnitude() {
    view_.SetView(ResponseView::Magnitude);
    view_.Redraw(1, RememberedBand(1));
    view_.Redraw(2, RememberedBand(2));
}

void EqualiserEditor::ShowPhase() {
    // The press action is detached in this view, so no drag can go on in it.
    dragging_ = false;
    view_.SetView(ResponseView::Phase);
    view_.Redraw(1, RememberedBand(1));
    view_.Redraw(2, RememberedBand(2));
}

void EqualiserEditor::ToggleShow(int peq) {
    if (ValidEqualiser(peq)) {
        view_.ToggleShown(peq);
        Finish();
    }
}

bool EqualiserEditor::NearBandPoint(const PlotPoint& value) const {
    if (!(value.x > 0.0) || !std::isfinite(value.x) || !std::isfinite(value.y)) {
        return false;
    }
    const double decades = std::abs(std::log10(value.x) - std::log10(Band().Frequency));
    return decades <= kNearDecades && std::abs(value.y - gain_.value) <= kNearDb;
}

void EqualiserEditor::DragTo(const PlotPoint& value) {
    PeqBand& b = Band();
    // Through the fields: whole hertz and tenths of a dB, held to their ranges.
    ShowFrequency(value.x);
    b.Frequency = frequency_.value;
    ShowGain(DragKeepsGainZero(b.SectionType) ? 0.0 : value.y);
    b.GainDb = gain_.value;
    // The sliders follow the point; their changes give the band the values they give back
    // (and the shelving cap), and the one redesign comes after.
    Refill();
    Finish();
}

void EqualiserEditor::PlotMouseDown(const PlotPointer& pointer) {
    if (!view_.PressAttached() || pointer.shift || !pointer.value ||
        !NearBandPoint(*pointer.value)) {
        return;
    }
    dragging_ = true;
    // A type that ignores the gain keeps 0.0 from the press on, not only once it moves.
    DragTo(*pointer.value);
}

void EqualiserEditor::PlotMouseMove(const PlotPointer& pointer) {
    if (dragging_) {
        if (pointer.value) {
            DragTo(*pointer.value);
        }
        return;
    }
    PlotModel& plot = view_.Plot();
    plot.SetReadout(EqualiserReadout(plot, pointer.value, view_.ReadoutUnit()));
    // The hand promises a drag, which only the magnitude view offers.
    plot.SetHandPointer(!plot.Readout().empty() && view_.PressAttached() &&
                        NearBandPoint(*pointer.value));
}

void EqualiserEditor::PlotMouseUp(const PlotPointer&) {
    dragging_ = false;
    view_.Plot().SetReadout({});
}

} // namespace veld23
