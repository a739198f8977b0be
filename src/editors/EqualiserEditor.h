#pragma once

#include "config/ChannelLabels.h"
#include "config/RealTimeSender.h"
#include "dsp/PeqSet.h"
#include "editors/EqualiserLaws.h"
#include "editors/EqualiserView.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotMouseListener.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// A field of the equaliser window: the text it shows and the value that text holds. The
// editor only ever shows values already held to the field's range and decimals, so reading
// a field back gives exactly the value shown (a Q of 0.707 comes back as 0.7).
struct EqualiserField {
    std::string text;
    double value = 0.0;
};

// The "Parametric Equalization" window without its window: the two seven-band input
// equalisers (PEQ1 titled as OUT 1, PEQ2 as OUT 2), the band being edited, the type list,
// the frequency, gain and Q sliders and fields, the coefficient panel of "IIR Coeff", the
// magnitude and phase views, the SHOW switches and dragging a band on the plot.
//
// Every edit of a band ends the same way: the band is redesigned, its curve redrawn, the
// five coefficients sent in Real Time mode (when no message is going out) and shown in the
// coefficient viewer, and the final response refreshed. Equalisers and bands are numbered
// from 1; other numbers are ignored.
class EqualiserEditor : public PlotMouseListener {
  public:
    static constexpr int kEqualisers = EqualiserView::kEqualisers;
    static constexpr int kBands = PeqSet::kBands;
    // Drag tolerances around the band's point: a decade fraction and decibels.
    static constexpr double kNearDecades = 0.07;
    static constexpr double kNearDb = 2.0;

    // The creation step: both equalisers chosen once (PEQ2, then PEQ1, which ends current)
    // and both curves drawn. Sends what Real Time mode allows, like every later edit.
    EqualiserEditor(ProcessorConfiguration& config, RealTimeSender& sender);
    ~EqualiserEditor() override;
    EqualiserEditor(const EqualiserEditor&) = delete;
    EqualiserEditor& operator=(const EqualiserEditor&) = delete;

    // Left unset while the application starts; called after every band edit, once the
    // curve of the edited equaliser has been evaluated.
    void SetRedrawFinalResponse(std::function<void()> redraw);
    // The application's Real Time toggle, which the window's Real Time button runs.
    void SetRealTimeToggle(std::function<void()> toggle);

    // ---- Window.

    // Opening the window again: the selectors relabelled from the OUT 1 and OUT 2 labels,
    // and the equaliser last chosen for modification chosen again.
    void Show();
    // The MODIFY and SHOW selectors' caption of an equaliser.
    std::string_view SelectorLabel(int peq) const;
    // New: the editor's own state back to how it was created, on the reset equalisers.
    void ResetToNew();
    // After opening a file or reading a memory: PEQ2 and then PEQ1 select their bands 7,
    // 6, ..., 1, which redesigns every band from its parameters (an "IIR Coeff" band keeps
    // its coefficients) and leaves both equalisers with seven used bands.
    void RefreshFromConfiguration();
    void RefreshEqualiser(int peq);

    // ---- The user's actions, in the window's terms.

    void ChooseEqualiser(int peq); // MODIFY
    void SelectBand(int band);
    // Undo, redo, A/B and copy: the equaliser becomes current on that band, which is
    // redesigned, redrawn and sent like a chosen band; no neighbour is chosen on the way.
    void ShowBand(int peq, int band);
    void ChooseType(int listIndex);

    void SetFrequencyPosition(int position);
    void SetFrequencyText(std::string_view text); // typing only changes the text
    void FrequencyEnter();                        // Enter or leaving the field

    void SetGainPosition(int position);
    void SetGainText(std::string_view text);
    void GainEnter();
    void GainUp(); // the up button and the Up key
    void GainDown();

    void SetQPosition(int position);
    // Typing in the Q field (at most two characters) takes a number at once.
    void SetQText(std::string_view text);
    void QEnter();
    void QUp();
    void QDown();

    // Coefficient fields b0, b1, b2, a1, a2 (k = 0..4).
    void SetCoefficientText(int k, std::string_view text);
    void CoefficientEnter(int k);
    void CoefficientsLeave();

    void ShowMagnitude();
    void ShowPhase();
    void ToggleShow(int peq); // SHOW PEQ1 / SHOW PEQ2
    void RealTimeButtonClick();

    // ---- State the window paints.

    int CurrentEqualiser() const { return current_; }
    int CurrentBand() const { return RememberedBand(current_); }
    int RememberedBand(int peq) const;
    int LastChosenEqualiser() const { return lastChosen_; }
    std::int32_t UsedBands(int peq) const;
    int TypeIndex() const { return typeIndex_; }
    const equaliser::EqualiserControls& Controls() const { return controls_; }

    const EqualiserField& FrequencyField() const { return frequency_; }
    const EqualiserField& GainField() const { return gain_; }
    const EqualiserField& QField() const { return q_; }
    const EqualiserField& CoefficientField(int k) const;
    int FrequencyPosition() const { return frequencyPosition_; }
    int GainPosition() const { return gainPosition_; }
    int QPosition() const { return qPosition_; }

    // The coefficient viewer ("Show Filter Coefficients"): b0..a2 of the band last
    // redesigned, and their texts with six decimals.
    const std::array<double, 5>& CoefficientDisplay() const { return coefficientDisplay_; }
    std::string CoefficientDisplayText(int k) const;

    ResponseView View() const { return view_.View(); }
    std::string_view ReadoutUnit() const { return view_.ReadoutUnit(); }
    bool CurveShown(int peq) const { return view_.Shown(peq); }
    bool Dragging() const { return dragging_; }
    bool RealTimeLit() const { return sender_.RealTimeMode(); }
    PlotModel& Plot() { return view_.Plot(); }
    const PlotModel& Plot() const { return view_.Plot(); }
    // PEQ1mag/PEQ1ph and PEQ2mag/PEQ2ph for the final response.
    const ResponseCurve& Curve(int peq) const { return view_.Curve(peq); }

    // ---- The plot hands its mouse events here.

    void PlotMouseDown(const PlotPointer& pointer) override;
    void PlotMouseMove(const PlotPointer& pointer) override;
    void PlotMouseUp(const PlotPointer& pointer) override;

  private:
    static bool ValidEqualiser(int peq) { return peq == 1 || peq == 2; }
    static bool ValidBand(int band) { return band >= 1 && band <= kBands; }
    PeqSet& Set(int peq) { return peq_[peq == 2 ? 1 : 0]; }
    const PeqSet& Set(int peq) const { return peq_[peq == 2 ? 1 : 0]; }
    PeqBand& Band() { return Set(current_).Band(CurrentBand()); }
    const PeqBand& Band() const { return Set(current_).Band(CurrentBand()); }

    void CreationStep();
    void RelabelSelectors();

    // Field displays; each holds the value to the field's range and decimals.
    void ShowFrequency(double hz);
    void ShowGain(double gainDb);
    void ShowQ(double q);
    void ShowCoefficient(int k, long double value);
    void ShowBandCoefficients();

    // What moving each slider does.
    void FrequencySliderChange(int position);
    void GainSliderChange(int position);
    void QSliderChange(int position);

    void EnableControls();
    // Every slider set from the band, each running its change: the band ends holding the
    // values the controls give back. Nothing is sent or redrawn meanwhile.
    void Refill();
    // After a slider change: the full ending, or during a refill only the design.
    void Changed();
    // Redesign, redraw, send, coefficient viewer, final response.
    void Finish();
    bool ConvertCoefficient(int k);
    // The number typed in the field; for text that is not one, the field shows the band's
    // value again and the answer is false.
    bool TypedGain(double& gainDb);
    bool TypedQ(double& q);
    bool NearBandPoint(const PlotPoint& value) const;
    void DragTo(const PlotPoint& value);

    std::array<PeqSet, kEqualisers>& peq_;
    const ChannelLabelTexts& labels_;
    RealTimeSender& sender_;
    EqualiserView view_;
    std::function<void()> redrawFinalResponse_;
    std::function<void()> realTimeToggle_;

    int current_ = 1;
    int lastChosen_ = 1;
    std::array<int, kEqualisers> rememberedBand_{1, 1};
    std::array<ChannelLabelTexts::Label, kEqualisers> selectorLabels_{};
    int typeIndex_ = 0;
    equaliser::EqualiserControls controls_{};

    EqualiserField frequency_;
    EqualiserField gain_;
    EqualiserField q_;
    std::array<EqualiserField, 5> coefficients_{};
    // A coefficient field whose text the user has changed since it was last shown.
    std::array<bool, 5> coefficientTyped_{};
    int frequencyPosition_ = equaliser::kFrequencyStartPosition;
    int gainPosition_ = equaliser::kGainMinPosition;
    int qPosition_ = equaliser::kQMinPosition;
    std::array<double, 5> coefficientDisplay_{1.0, 0.0, 0.0, 0.0, 0.0};

    bool refilling_ = false; // the redraw switch: off while controls are refilled
    bool dragging_ = false;
};

} // namespace veld23
