#pragma once

#include "config/FinalResponseSelections.h"
#include "measure/FinalResponse.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "plot/PlotMouseListener.h"

#include <array>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// The five blocks the final response can leave out; they live in the configuration.
enum class FinalResponseSwitch { SpeakersData, Peqs, Xover, Gain, Delay };

// The "Final Frequency Response" view without its window: the block switches, the four
// curve selectors (three channels and "ADD"), the Mag/Phase switch, the readout, and the
// redraw that every feeding editor calls after its own change.
class FinalResponseView : public PlotMouseListener {
  public:
    static constexpr int kCurves = 4; // 1..3 the channels, 4 the sum

    FinalResponseView(const ProcessorConfiguration& config, FinalResponseSelections& selections,
                      PlotModel& plot);
    FinalResponseView(const FinalResponseView&) = delete;
    FinalResponseView& operator=(const FinalResponseView&) = delete;

    void SetSources(const FinalResponseSources& sources) { sources_ = sources; }

    // The view comes up: the look-ahead is read again, then everything is redrawn.
    void Activate();
    // Recomputes and draws every curve.
    void DibujaFinalResponse();

    bool Selected(FinalResponseSwitch which) const;
    void SetSelected(FinalResponseSwitch which, bool on);
    bool CurveShown(int curve) const;
    void SetCurveShown(int curve, bool shown);
    ResponseView View() const { return view_; }
    void SetView(ResponseView view);

    // Caption of curve selector 1..3 (the output channel labels) and 4 ("ADD").
    std::string_view CurveCaption(int curve) const;
    const FinalResponseCurves& Curves() const { return curves_; }

    void PlotMouseDown(const PlotPointer& pointer) override;
    void PlotMouseMove(const PlotPointer& pointer) override;
    void PlotMouseUp(const PlotPointer& pointer) override;

  private:
    const ProcessorConfiguration& config_;
    FinalResponseSelections& selections_;
    PlotModel& plot_;
    FinalResponseSources sources_;
    FinalResponseCurves curves_;
    std::array<bool, kCurves> shown_{true, true, true, true};
    ResponseView view_ = ResponseView::Magnitude;
    int lookAheadSamples_ = 0;
};

} // namespace veld23
