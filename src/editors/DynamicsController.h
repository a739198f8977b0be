#pragma once

#include "config/RealTimeSender.h"
#include "editors/DynamicsTimeFields.h"
#include "editors/PowerCheck.h"
#include "editors/SpeakerSettingsController.h"
#include "plot/PlotModel.h"
#include "plot/PlotMouseListener.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;
class TDYNAMIC;

// The dynamics editor ("Dynamic Configuration") without its window: the record
// selector, the threshold, ratio and knee sliders, Limiter/Compressor, the noise
// gate list with its hidden index and ramp fields, the hidden bypass, the time
// fields, the transfer plot and the power check. Records are numbered 1
// ("OUT 1-2") and 2 ("SUB"); other numbers are ignored.
//
// Every parameter lives in the record. Captions, the enabled state and the slider
// panels are read from the record on every query, so they cannot go stale after
// a file, a memory read or a topology command.
class DynamicsController : public PlotMouseListener, public SpeakerSettingsListener {
  public:
    static constexpr int kRecords = 2;
    static constexpr int kGateItems = 8;

    static constexpr std::string_view kWindowCaption = "Dynamic Configuration";
    static constexpr std::string_view kLimitCaption = "     Limit";
    static constexpr std::string_view kThresholdCaption = "Threshold";
    static constexpr std::string_view kThresholdTopLabel = "+18 dB u  ";
    static constexpr std::string_view kThresholdBottomLabel = "-32 dB u";
    static constexpr std::string_view kThresholdUnit = "dBu ";
    static constexpr std::string_view kRatioTopLabel = "10 : 1";
    static constexpr std::string_view kRatioBottomLabel = "1 : 1";
    static constexpr std::string_view kRatioSuffix = ": 1";

    // Designs both records and selects record 1, sending nothing.
    DynamicsController(ProcessorConfiguration& config, RealTimeSender& sender);
    DynamicsController(const DynamicsController&) = delete;
    DynamicsController& operator=(const DynamicsController&) = delete;

    // The final response view; left unset while the application starts up.
    void SetRedrawFinalResponse(std::function<void()> redraw);
    // The delay editor recomputes its output delays, which include the look-ahead.
    void SetLookAheadChanged(std::function<void()> changed);

    PlotModel& Plot() { return plot_; }
    const PlotModel& Plot() const { return plot_; }

    // ---- Record selector.
    // Makes the record current, sets every control from it, designs it, redraws and
    // runs its power check. Sends nothing: selecting changes no parameter.
    void SelectRecord(int record);
    int CurrentRecord() const { return record_; }
    bool SelectorLit(int record) const { return record == record_; }
    // "Dynamic OUT 1-2" / "Dynamic SUB    ", or "Dynamic OUT 1" / "Dynamic OUT 2".
    std::string SelectorCaption(int record) const;

    // ---- Sliders (positions grow downwards). A disabled slider ignores moves.
    void SetThresholdPosition(int position);
    int ThresholdPosition() const { return thresholdPosition_; }
    // The record's threshold in dBu, one decimal.
    std::string ThresholdText() const;
    // "     Limit" for the limiter, "Threshold" for the compressor.
    std::string_view ThresholdCaption() const;

    void SetRatioPosition(int position);
    int RatioPosition() const { return ratioPosition_; }
    std::string RatioText() const; // "2: 1"

    void SetKneePosition(int position);
    int KneePosition() const { return kneePosition_; }
    std::string KneeText() const; // "4.0"

    // ---- Limiter / Compressor.
    void ChooseLimiter();
    void ChooseCompressor();
    bool LimiterLit() const;
    bool CompressorLit() const { return !LimiterLit(); }

    // ---- Noise gate. Item 0 "Bypass", 1..7 the gate levels; the ramp is the
    // ramp field's value.
    void SelectGateItem(int item);
    // The list item showing the record's gate; none for an index typed into the
    // hidden field that the list has no item for.
    std::optional<int> GateItem() const;
    // Hidden "Umbral" (gate index 1..33) and "Rampa" (ramp 1..10) fields, whole
    // numbers. Typing changes the text only; Enter in either applies both.
    const std::string& GateIndexText() const { return gateIndexText_; }
    const std::string& RampText() const { return rampText_; }
    void SetGateIndexText(std::string_view text) { gateIndexText_.assign(text); }
    void SetRampText(std::string_view text) { rampText_.assign(text); }
    void ApplyGateFields();

    // ---- Bypass (hidden control).
    void SetBypass(bool bypass);
    bool Bypassed() const;

    // ---- Time fields.
    const std::string& TimeText(DynamicsTimeField field) const { return fields_.Text(field); }
    double TimeValue(DynamicsTimeField field) const { return fields_.Value(field); }
    void SetTimeText(DynamicsTimeField field, std::string_view text);
    // Leaving the field or Enter.
    void TakeTime(DynamicsTimeField field);
    // One arrow-key or step-button step, up for a positive direction and down for a
    // negative one, from what is typed.
    void StepTime(DynamicsTimeField field, DynamicsTimeStep step, int direction);

    // ---- Enabled state: a bypassed record offers none of these; the ratio controls
    // only exist for the compressor.
    bool ThresholdEnabled() const { return !Bypassed(); }
    bool RatioEnabled() const { return !Bypassed() && !LimiterLit(); }
    bool KneeEnabled() const { return !Bypassed(); }
    bool TypeButtonsEnabled() const { return !Bypassed(); }
    bool TimeFieldEnabled(DynamicsTimeField field) const;

    // ---- Design step: design and table of the current record, curve, power check,
    // final response.
    void RedesignRecord();
    // Everything of the current record that its edits send, as they send it: the table,
    // the attack, hold and release values and, for record 1, the look-ahead. A restored
    // record reaches the processor this way in Real Time mode.
    void SendRecord();
    // The power check on show: the current record's unless the speaker settings
    // have handed on a newer one.
    const PowerCheckResult& LastPowerCheck() const { return powerCheck_; }
    void CheckPower();

    // ---- Lifecycle.
    // Window activation: the current record read again, designed and checked.
    void Activate();
    // A loaded record (file or memory read): held to the controls' ranges, selected
    // and so designed. Loaders refresh record 2 and then record 1.
    void RefreshRecord(int record);
    // Both, in the loaders' order, leaving record 1 current.
    void RefreshRecords();
    // New configuration (the records are already back at their defaults): the ramp
    // field back to its start value, record 1 selected.
    void ResetToNew();
    // After a topology command: captions, title and record 1's slider read again.
    void TopologyChanged();

    // ---- PlotMouseListener: the readout follows the pointer.
    void PlotMouseDown(const PlotPointer& pointer) override;
    void PlotMouseMove(const PlotPointer& pointer) override;
    void PlotMouseUp(const PlotPointer& pointer) override;

    // ---- SpeakerSettingsListener.
    void PowerChecked(const PowerCheckResult& result) override;
    void DynamicsRecordChosen(int record) override;
    void BalancedSwitched(int record) override;

  private:
    static bool Valid(int record) { return record == 1 || record == 2; }
    TDYNAMIC& Record();
    const TDYNAMIC& Record() const;
    bool ThreeOutputs() const;

    void ReadControls();
    void ShowGateFields();
    // Stores nothing: designs, sends the table, redraws and checks.
    void ParameterChanged();
    void SendTable();
    // The device value of one time field, in Real Time mode.
    void SendTime(DynamicsTimeField field);
    void ApplyTime(DynamicsTimeField field, double value);

    ProcessorConfiguration& config_;
    RealTimeSender& sender_;
    std::function<void()> redrawFinalResponse_;
    std::function<void()> lookAheadChanged_;
    PlotModel plot_;

    int record_ = 1;
    int thresholdPosition_ = 0;
    int ratioPosition_ = 0;
    int kneePosition_ = 0;
    DynamicsTimeFields fields_;
    std::string gateIndexText_;
    std::string rampText_;
    double ramp_ = 0.0;
    PowerCheckResult powerCheck_;
};

} // namespace veld23
