#pragma once

#include "config/OutputTopology.h"

#include <QWidget>

#include <functional>
#include <utility>

class QPushButton;

namespace veld23 {

class IndicatorLamp;

// The topology chooser ("NEW  FILE"): "Two ways configuration" or "Three ways
// configuration". A choice lights its lamp, closes the window, runs the topology command
// (which applies the topology and brings the windows and the delay editor in line with it),
// then puts both lamps out. Showing the window runs its activation step, the reset of a new
// configuration.
class TopologyChooserWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kHeading = "NEW  FILE";
    static constexpr const char* kPrompt = "Please indicate your preferred configuration.";
    static constexpr const char* kTwoWaysCaption = "Two ways configuration";
    static constexpr const char* kThreeWaysCaption = "Three ways configuration";

    using TopologyCommand = std::function<void(OutputTopology)>;

    explicit TopologyChooserWindow(TopologyCommand command, QWidget* parent = nullptr);

    void SetActivationStep(std::function<void()> step) { activation_ = std::move(step); }

    // The two buttons' actions; the start sequence runs the first without showing the window.
    void ChooseTwoWays() { Choose(OutputTopology::TwoOutputs); }
    void ChooseThreeWays() { Choose(OutputTopology::ThreeOutputs); }
    bool LampLit(OutputTopology topology) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Choose(OutputTopology topology);
    IndicatorLamp* Lamp(OutputTopology topology) const;

    TopologyCommand command_;
    std::function<void()> activation_;
    IndicatorLamp* twoLamp_;
    IndicatorLamp* threeLamp_;
};

} // namespace veld23
