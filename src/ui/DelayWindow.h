#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <functional>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace veld23 {

class ChannelCopyButtons;
class DelayController;
class PositionSlider;
class ProcessorConfiguration;
class StepField;

// "Output Delay": per output a delay slider with its samples, milliseconds and
// centimetres, the air temperature in degrees C and F, the "Relative Distance Between
// Speakers" fields and Auto Align. Slider ranges and offsets follow the topology; the
// channel it takes out of use is hidden and the third output takes OUT 2's name.
class DelayWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    static constexpr int kOutputs = 3;

    DelayWindow(DelayController& delays, const ProcessorConfiguration& config, QWidget* anchor,
                RealTimeToggle realTime, QWidget* parent = nullptr);

    void Refresh();
    // The block's copy buttons go into the top row and are refilled with the window.
    void AddCopyButtons(ChannelCopyButtons* buttons);
    ChannelCopyButtons* CopyButtons() const { return copyButtons_; }
    // The main window's DELAY button of an output: that output's slider takes the focus.
    void FocusOutput(int output);

    // Output 1..3.
    PositionSlider* DelaySlider(int output) const { return Column(output).slider; }
    StepField* SamplesField(int output) const { return Column(output).samples; }
    StepField* MsField(int output) const { return Column(output).ms; }
    StepField* CmField(int output) const { return Column(output).cm; }
    StepField* DistanceField(int output) const { return Column(output).distance; }
    StepField* CelsiusField() const { return celsius_; }
    StepField* FahrenheitField() const { return fahrenheit_; }
    QPushButton* AutoAlignButton() const { return autoAlign_; }

  Q_SIGNALS:
    void Edited();

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct OutputColumn {
        QLabel* name = nullptr;
        QLabel* label = nullptr;
        PositionSlider* slider = nullptr;
        StepField* samples = nullptr;
        StepField* ms = nullptr;
        StepField* cm = nullptr;
        StepField* distance = nullptr;
        std::vector<QWidget*> widgets; // everything the topology hides with the output
    };

    const OutputColumn& Column(int output) const { return columns_.at(output - 1); }
    QGridLayout* BuildDelays();
    QWidget* BuildTemperature();
    void AddDistances(QGridLayout* grid, int row);
    void Bind(int output);
    void Run(const std::function<void()>& step);

    DelayController& delays_;
    const ProcessorConfiguration& config_;
    std::array<OutputColumn, kOutputs> columns_{};
    StepField* celsius_ = nullptr;
    StepField* fahrenheit_ = nullptr;
    QPushButton* autoAlign_ = nullptr;
    QHBoxLayout* top_ = nullptr;
    ChannelCopyButtons* copyButtons_ = nullptr;
};

} // namespace veld23
