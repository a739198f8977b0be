#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <functional>

class QHBoxLayout;
class QLabel;

namespace veld23 {

class ChannelCopyButtons;
class LevelController;
class LitButton;
class PositionSlider;
class ProcessorConfiguration;
class StepField;

// "Output Levels": per output a level slider with its scale, the level field, and
// the "Mute" and "Inv" switches, captioned with the output's name and channel label.
// The channel the topology takes out of use is hidden and the window narrows.
class LevelsWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    static constexpr int kOutputs = 3;

    LevelsWindow(LevelController& levels, const ProcessorConfiguration& config, QWidget* anchor,
                 RealTimeToggle realTime, QWidget* parent = nullptr);

    // Every control read again from the editor and the configuration.
    void Refresh();
    // The block's copy buttons go into the top row and are refilled with the window.
    void AddCopyButtons(ChannelCopyButtons* buttons);
    ChannelCopyButtons* CopyButtons() const { return copyButtons_; }

    // Output 1..3.
    PositionSlider* LevelSlider(int output) const { return Strip(output).slider; }
    StepField* LevelField(int output) const { return Strip(output).field; }
    LitButton* MuteSwitch(int output) const { return Strip(output).mute; }
    LitButton* PolaritySwitch(int output) const { return Strip(output).polarity; }
    QLabel* ChannelCaption(int output) const { return Strip(output).label; }
    bool OutputShown(int output) const;

  Q_SIGNALS:
    // A level, mute or polarity changed: the main window's mute indication follows.
    void Edited();

  protected:
    bool event(QEvent* event) override;

  private:
    struct OutputStrip {
        QWidget* panel = nullptr;
        QLabel* name = nullptr;
        QLabel* label = nullptr;
        PositionSlider* slider = nullptr;
        StepField* field = nullptr;
        LitButton* mute = nullptr;
        LitButton* polarity = nullptr;
    };

    const OutputStrip& Strip(int output) const { return strips_.at(output - 1); }
    QWidget* BuildStrip(int output);
    void Bind(int output);
    // Runs one editor step, then shows what it left and tells the program.
    void Run(const std::function<void()>& step);

    LevelController& levels_;
    const ProcessorConfiguration& config_;
    std::array<OutputStrip, kOutputs> strips_{};
    QHBoxLayout* top_ = nullptr;
    ChannelCopyButtons* copyButtons_ = nullptr;
};

} // namespace veld23
