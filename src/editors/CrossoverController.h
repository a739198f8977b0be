#pragma once

#include "dsp/Crossover.h"
#include "dsp/Response.h"
#include "editors/CrossoverColumn.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "plot/PlotMouseListener.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace veld23 {

class DesignNotifier;
class ProcessorConfiguration;
class RealTimeSender;

// The crossover editor without its window ("CrossOver Configuration"). For the
// output being modified, column L edits the high-pass half and column H the
// low-pass half; two solo buttons let one half take both of the output's section
// slots; the plot shows the magnitude or phase of all three outputs' crossovers.
// Outputs are numbered 1 to 3; other numbers are ignored. Columns are named by the
// half they edit: XoverSide::HighPass is column L, XoverSide::LowPass column H.
//
// Every change runs the column's change handler: the order rule, the frequency
// coupling between the halves, the design of the half, the output's response and
// curve, the real-time send of the output's two slots and the final response.
class CrossoverController : public PlotMouseListener {
  public:
    static constexpr int kOutputs = 3;
    static constexpr std::string_view kWindowCaption = "CrossOver Configuration";
    static constexpr std::string_view kSoloCaption = "S ol o";

    CrossoverController(ProcessorConfiguration& config, RealTimeSender& sender);
    ~CrossoverController() override;
    CrossoverController(const CrossoverController&) = delete;
    CrossoverController& operator=(const CrossoverController&) = delete;

    // The final response view; left unset during start-up, as there is nothing to
    // redraw yet.
    void SetRedrawFinalResponse(std::function<void()> redraw);
    // Where the Bessel limit message goes (a message box in the window, a recorder in
    // tests). Without one the frequency is still corrected, silently.
    void SetDesignNotifier(DesignNotifier* notifier) { notifier_ = notifier; }
    // The loudness response the SUB curve includes in the three-output topology;
    // null means a flat loudness.
    void SetLoudnessResponse(const ResponseCurve* loudness) { loudness_ = loudness; }

    // ---- Outputs.

    // The window is opened from the main window's crossover button of an output.
    void Show(int output) { ChooseOutput(output); }
    // MODIFY selector: the output becomes current, its curve comes to the front, the
    // controls are refilled from its crossover and both halves are designed.
    void ChooseOutput(int output);
    int CurrentOutput() const { return current_; }
    // The column of the control that last caused a change.
    XoverSide CurrentSide() const { return side_; }
    // "CrossOver n".
    const std::string& ColumnCaption() const { return columnCaption_; }
    // The MODIFY and SHOW selectors are labelled with the channel labels.
    std::string_view SelectorLabel(int output) const;
    // The second output's selector and controls exist only with three outputs.
    bool OutputOffered(int output) const;

    // ---- The editor's part in commands of the main window.

    // After a configuration file is opened or a memory is read: every output chosen
    // in turn, so each crossover is designed from what was loaded (its parameters
    // held to the controls' ranges first) and output 3 ends current. Families
    // remembered by the solo buttons belong to the previous configuration and are
    // forgotten.
    void RefreshOutputs();
    // New: the editor's own state as at creation (column L, no remembered families),
    // every output chosen in turn.
    void ResetToNew();
    // A topology command: the second output's curve is shown only with three outputs,
    // the third drawn yellow there and red as the second full-range output; the third
    // output is chosen.
    void ApplyTopology();
    // Before the window is closed by New, Open or Read: a frequency typed but not
    // taken yet is taken now, so nothing half-entered lands after the reset.
    void StorePendingParameters();

    // ---- Column controls.

    const CrossoverColumn& Column(XoverSide side) const {
        return side == XoverSide::HighPass ? columnL_ : columnH_;
    }
    // Typing in a frequency field changes only its text.
    void SetFrequencyText(XoverSide side, std::string_view text);
    // Enter or leaving the field: whole hertz held to 20..20000. Text that is not a
    // number changes nothing and the field shows the frequency again.
    void FrequencyEnter(XoverSide side);
    // Up/Down arrow keys and buttons: one hertz.
    void FrequencyUp(XoverSide side);
    void FrequencyDown(XoverSide side);
    // Family list entry 0..3 ("ByPass", "ButtW", "L-Riley", "Bessel").
    void ChooseFamily(XoverSide side, int index);
    // The order control, in steps of two.
    void OrderUp(XoverSide side);
    void OrderDown(XoverSide side);

    // Solo L (XoverSide::HighPass) keeps only the high-pass half in use, solo H only
    // the low-pass half. Switching one on remembers the other half's family and holds
    // that half at "ByPass"; switching it off gives the family back. A half that
    // a solo takes over from the other solo gets its own remembered family back too.
    void ToggleSolo(XoverSide side);
    bool SoloLit(XoverSide side) const;

    // ---- Plot.

    // SHOW XoverN.
    void ToggleCurve(int output);
    bool CurveShown(int output) const;
    void ShowMagnitude() { ShowView(ResponseView::Magnitude); }
    void ShowPhase() { ShowView(ResponseView::Phase); }
    ResponseView View() const { return view_; }
    std::string_view ReadoutUnit() const { return veld23::ReadoutUnit(PlotKind::Crossover, view_); }
    PlotModel& Plot() { return plot_; }
    const PlotModel& Plot() const { return plot_; }

    // The crossover response of an output as last evaluated (the final response reads it).
    const ResponseCurve& OutputResponse(int output) const;

    // The loudness has been redrawn: the SUB curve follows it, whichever output is
    // being modified. Nothing is redesigned or sent.
    void RefreshLoudnessCurve();

    // The plot's pointer: the readout follows it; the crossover plot has no dragging.
    void PlotMouseDown(const PlotPointer& pointer) override;
    void PlotMouseMove(const PlotPointer& pointer) override;
    void PlotMouseUp(const PlotPointer& pointer) override;

  private:
    static bool Valid(int output) { return output >= 1 && output <= kOutputs; }
    static std::size_t Index(int output) { return static_cast<std::size_t>(output - 1); }
    static std::size_t SideIndex(XoverSide side) { return side == XoverSide::HighPass ? 0 : 1; }
    CrossoverColumn& MutableColumn(XoverSide side) {
        return side == XoverSide::HighPass ? columnL_ : columnH_;
    }
    TXOVER& Crossover();
    TXOVERPB& Half(XoverSide side);

    void ChooseAllOutputs();
    void ShowTopology();
    void ForgetHeldFamilies();
    void Refill();
    void DesignBothHalves();
    void UserChange(XoverSide side);
    void Change(XoverSide side);
    void ApplyOrderRule();
    void StoreAndDesign(XoverSide side, double frequencyHz);
    void RedrawCurve(int output);
    void FillCurve(int output);
    void ShowView(ResponseView view);
    void ReleaseHeldFamily(XoverSide heldSide);

    ProcessorConfiguration& config_;
    RealTimeSender& sender_;
    std::function<void()> redrawFinalResponse_;
    DesignNotifier* notifier_ = nullptr;
    const ResponseCurve* loudness_ = nullptr;

    PlotModel plot_;
    ResponseView view_ = ResponseView::Magnitude;
    int current_ = 1;
    XoverSide side_ = XoverSide::HighPass;
    std::string columnCaption_;
    CrossoverColumn columnL_{XoverSide::HighPass};
    CrossoverColumn columnH_{XoverSide::LowPass};
    std::array<ResponseCurve, kOutputs> responses_{};
    // Per output and side (L, H): the family a solo button took from that half, or -1.
    std::array<std::array<int, 2>, kOutputs> heldFamily_{};
};

} // namespace veld23
