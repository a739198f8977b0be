#pragma once

#include "plot/PlotAxis.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotMouseListener.h"
#include "plot/PlotSeries.h"
#include "plot/PlotTypes.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veld23 {

// Everything a response plot widget draws, and the way back from the widget's pointer to
// the editor that owns the plot. The widget reads this model and forwards mouse events; the
// editor fills the series and answers the events. Nothing here knows about a window system.
class PlotModel {
  public:
    static constexpr std::string_view kInconsistentCaption = "MAX/MIN VALUES INCONSISTENT";
    static constexpr std::string_view kReadoutHint = "Value at Mouse Position";

    PlotModel();
    // Series point back at their plot, so a plot stays where it was created.
    PlotModel(const PlotModel&) = delete;
    PlotModel& operator=(const PlotModel&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string_view title);

    const PlotAxis& Axis(PlotAxisId id) const { return id == PlotAxisId::X ? x_ : y_; }
    const PlotAxis& XAxis() const { return x_; }
    const PlotAxis& YAxis() const { return y_; }
    void SetAxis(PlotAxisId id, const PlotAxis& axis);
    void SetAxisMin(PlotAxisId id, double min);
    void SetAxisMax(PlotAxisId id, double max);
    // Both ends at once, so a range can move past its old one without passing through an
    // inconsistent state.
    void SetAxisRange(PlotAxisId id, double min, double max);
    void SetAxisTitle(PlotAxisId id, std::string_view title);
    void SetAxisLogScale(PlotAxisId id, bool logScale);
    void SetAxisStepSize(PlotAxisId id, double stepSize);

    // An axis with inconsistent limits is not drawn and the caption takes its place.
    bool AxisDrawn(PlotAxisId id) const { return Axis(id).Consistent(); }
    // kInconsistentCaption while either axis cannot be drawn, otherwise empty. Curves are
    // not drawn then either: without a range there is nowhere to put them.
    std::string_view Caption() const;

    // The series with this number, created empty (drawn in front of the others) on first use.
    // References stay valid for the life of the plot.
    PlotSeries& Series(int number);
    const PlotSeries* FindSeries(int number) const;
    std::size_t SeriesCount() const { return drawOrder_.size(); }
    // Index 0 is drawn first (at the back), the last index in front.
    const PlotSeries& SeriesInDrawOrder(std::size_t index) const { return *drawOrder_[index]; }
    void BringToFront(int number);

    // While false, changes collect silently; switching it on asks for one redraw.
    bool Plotting() const { return plotting_; }
    void SetPlotting(bool plotting);
    // Called for every change while plotting (the widget schedules one repaint for many).
    void SetRedrawHandler(std::function<void()> handler);

    const PlotColours& Colours() const { return colours_; }
    void SetColours(const PlotColours& colours);
    const PlotMargins& Margins() const { return margins_; }
    void SetMargins(const PlotMargins& margins);
    bool CrossAtZero() const { return crossAtZero_; }
    void SetCrossAtZero(bool crossAtZero);

    PlotGeometry Geometry(double widthPx, double heightPx) const;
    std::optional<PlotPoint> PixelToValue(PixelPoint pixel, double widthPx, double heightPx) const;

    // The widget forwards its mouse events with its current size; the listener (the owning
    // editor) receives them with the data values under the pointer.
    void SetMouseListener(PlotMouseListener* listener) { listener_ = listener; }
    void MouseDown(PixelPoint pixel, double widthPx, double heightPx, bool shift);
    void MouseMove(PixelPoint pixel, double widthPx, double heightPx, bool shift);
    void MouseUp(PixelPoint pixel, double widthPx, double heightPx, bool shift);

    // Set by the editor while answering a mouse event; the widget reads them afterwards.
    bool HandPointer() const { return handPointer_; }
    void SetHandPointer(bool hand) { handPointer_ = hand; }
    const std::string& Readout() const { return readout_; }
    void SetReadout(std::string_view text) { readout_.assign(text); }

  private:
    friend class PlotSeries;
    PlotAxis& MutableAxis(PlotAxisId id) { return id == PlotAxisId::X ? x_ : y_; }
    PlotSeries* FindMutable(int number);
    PlotPointer Pointer(PixelPoint pixel, double widthPx, double heightPx, bool shift) const;
    void ContentChanged();

    std::string title_;
    PlotAxis x_;
    PlotAxis y_;
    std::deque<PlotSeries> series_; // a deque never moves its elements
    std::vector<PlotSeries*> drawOrder_;
    bool plotting_ = true;
    std::function<void()> redraw_;
    PlotColours colours_;
    PlotMargins margins_;
    bool crossAtZero_ = true;
    PlotMouseListener* listener_ = nullptr;
    bool handPointer_ = false;
    std::string readout_;
};

} // namespace veld23
