#pragma once

#include "editors/DynamicsTimeFields.h"
#include "ui/DynamicsSliderColumn.h"
#include "ui/EditorWindowFrame.h"

#include <array>
#include <cstddef>
#include <functional>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QToolButton;

namespace veld23 {

class ChannelCopyButtons;
class DynamicsController;
class DynamicsPowerPanel;
class LitButton;
class PositionSlider;
class ResponsePlotWidget;
class StepField;

// "Dynamic Configuration": the two record selectors, the threshold, ratio and knee
// sliders with their end labels and value panels, Limiter / Compressor, the noise
// gate, the attack, hold and release fields, the transfer curve, and the power
// check. Look-ahead, the gate's table index and ramp, and bypass sit under an
// "Advanced" disclosure, collapsed at first.
class DynamicsWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    using SliderColumn = DynamicsSliderColumn;

    DynamicsWindow(DynamicsController& dynamics, QWidget* anchor, RealTimeToggle realTime,
                   QWidget* parent = nullptr);

    void Refresh();
    // The block's copy buttons go into the top row and are refilled with the window.
    void AddCopyButtons(ChannelCopyButtons* buttons);
    ChannelCopyButtons* CopyButtons() const { return copyButtons_; }
    // The main window's DYNAMIC button of a row: '1' and '2' show record 1, '5' record 2.
    void OpenOnChannel(char digit);

    LitButton* Selector(int record) const { return selectors_.at(record == 2 ? 1 : 0); }
    const SliderColumn& Threshold() const { return threshold_; }
    const SliderColumn& Ratio() const { return ratio_; }
    const SliderColumn& Knee() const { return knee_; }
    LitButton* LimiterButton() const { return limiter_; }
    LitButton* CompressorButton() const { return compressor_; }
    QComboBox* GateList() const { return gate_; }
    StepField* TimeField(DynamicsTimeField field) const {
        return timeFields_.at(static_cast<std::size_t>(field));
    }
    ResponsePlotWidget* Plot() const { return plot_; }
    DynamicsPowerPanel* PowerPanel() const { return power_; }
    QToolButton* AdvancedButton() const { return advanced_; }
    QWidget* AdvancedPanel() const { return advancedPanel_; }
    StepField* GateIndexField() const { return gateIndex_; }
    StepField* RampField() const { return ramp_; }
    LitButton* BypassButton() const { return bypass_; }

  Q_SIGNALS:
    void Edited();
    // The user chose a record here; the speaker settings follow it.
    void RecordSelected(int record);
    // The button of the speaker and amplifier settings.
    void SpeakerRequested();
    // The speaker settings window belongs to this one and goes with it.
    void Hidden();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QWidget* BuildSliders();
    QWidget* BuildFields();
    QWidget* BuildAdvanced();
    StepField* AddTimeField(DynamicsTimeField field, const QString& caption, const QString& unit,
                            const QString& tip, QWidget* parent, QGridLayout* grid, int row);
    void SelectRecord(int record);
    void ShowAdvanced(bool shown);
    void Run(const std::function<void()>& step);

    DynamicsController& dynamics_;
    std::array<LitButton*, 2> selectors_{};
    SliderColumn threshold_;
    SliderColumn ratio_;
    SliderColumn knee_;
    LitButton* limiter_ = nullptr;
    LitButton* compressor_ = nullptr;
    QComboBox* gate_ = nullptr;
    std::array<StepField*, DynamicsTimeFields::kFields> timeFields_{};
    ResponsePlotWidget* plot_ = nullptr;
    QHBoxLayout* top_ = nullptr;
    ChannelCopyButtons* copyButtons_ = nullptr;
    DynamicsPowerPanel* power_ = nullptr;
    QToolButton* advanced_ = nullptr;
    QWidget* advancedPanel_ = nullptr;
    StepField* gateIndex_ = nullptr;
    StepField* ramp_ = nullptr;
    LitButton* bypass_ = nullptr;
};

} // namespace veld23
