#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <string_view>

class QLineEdit;
class QPushButton;
class QSlider;

namespace veld23 {

class LoudnessController;

// "SUB Reinforcement": the low-end boost of the SUB path, a peaking ("Param") or resonant
// high-pass ("High P.") section between 29 and 80 Hz with up to +12 dB. The crossover
// window's SUB curve follows every change. The window only forwards its controls to the
// loudness controller and refills them from it.
class LoudnessWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    LoudnessWindow(LoudnessController& controller, QWidget* anchor, RealTimeToggle realTime,
                   QWidget* parent = nullptr);

    // The main window's SUB Reinforcement button: the controls are set from the section.
    void Open();
    void Refresh();

    QSlider* FrequencySlider() const { return frequency_; }
    QSlider* GainSlider() const { return gain_; }
    QLineEdit* FrequencyDisplay() const { return frequencyDisplay_; }
    QLineEdit* GainDisplay() const { return gainDisplay_; }
    QPushButton* ParamButton() const { return param_; }
    QPushButton* HighPassButton() const { return highPass_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* SliderColumn(const QString& caption, QSlider* slider, QLineEdit* display,
                          const QString& unit, const std::array<std::string_view, 3>& marks);
    template <typename Action> void Run(Action action);

    LoudnessController& controller_;
    QSlider* frequency_ = nullptr;
    QSlider* gain_ = nullptr;
    QLineEdit* frequencyDisplay_ = nullptr;
    QLineEdit* gainDisplay_ = nullptr;
    QPushButton* param_ = nullptr;
    QPushButton* highPass_ = nullptr;
    bool refilling_ = false;
};

} // namespace veld23
