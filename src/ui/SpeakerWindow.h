#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;

namespace veld23 {

class LitButton;
class SpeakerSettingsController;
class StepField;

// "Speaker and Amplifier Parameters": the output selector, the box impedance, the box
// and amplifier power (step buttons only), the amplifier gain and "Balanced Signal".
// Every change runs the power check the dynamics window shows; a summary of it is
// repeated here so the effect of a step is seen where it is made.
class SpeakerWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    static constexpr int kButtons = 3;

    SpeakerWindow(SpeakerSettingsController& speaker, QWidget* anchor, RealTimeToggle realTime,
                  QWidget* parent = nullptr);

    void Refresh();
    // The dynamics window chose a record: show that record's output.
    void FollowRecord(int record);

    LitButton* OutputButton(int button) const { return outputs_.at(button - 1); }
    QLabel* Heading() const { return heading_; }
    QLabel* ChannelCaption() const { return channel_; }
    QComboBox* ImpedanceList() const { return impedance_; }
    StepField* BoxPowerField() const { return boxPower_; }
    StepField* AmpPowerField() const { return ampPower_; }
    StepField* AmpGainField() const { return ampGain_; }
    LitButton* BalancedSwitch() const { return balanced_; }
    QLabel* PowerSummary() const { return summary_; }

  Q_SIGNALS:
    void Edited();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildSelector();
    QWidget* BuildFields();
    StepField* AddPowerRow(QGridLayout* grid, int row, const QString& caption, const QString& tip,
                           void (SpeakerSettingsController::*up)(),
                           void (SpeakerSettingsController::*down)());
    void Run(const std::function<void()>& step);

    SpeakerSettingsController& speaker_;
    std::array<LitButton*, kButtons> outputs_{};
    QLabel* heading_ = nullptr;
    QLabel* channel_ = nullptr;
    QComboBox* impedance_ = nullptr;
    StepField* boxPower_ = nullptr;
    StepField* ampPower_ = nullptr;
    StepField* ampGain_ = nullptr;
    LitButton* balanced_ = nullptr;
    QLabel* summary_ = nullptr;
};

} // namespace veld23
