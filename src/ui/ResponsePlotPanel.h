#pragma once

#include "plot/PlotConfigurations.h"

#include <QWidget>

class QLabel;
class QRadioButton;

namespace veld23 {

class PlotModel;
class ResponsePlotWidget;

// The plot of a response editor with what goes around it: the Mag / Phase choice and the
// "Value at Mouse Position" readout beside it. The plot takes every pixel the window can
// spare.
class ResponsePlotPanel : public QWidget {
    Q_OBJECT

  public:
    // The model belongs to the editor and outlives the panel.
    explicit ResponsePlotPanel(PlotModel& model, QWidget* parent = nullptr);

    ResponsePlotWidget* Plot() const { return plot_; }
    QLabel* Readout() const { return readout_; }
    QRadioButton* MagnitudeButton() const { return magnitude_; }
    QRadioButton* PhaseButton() const { return phase_; }

    // Refill: lights the view the editor shows. Signals are not emitted.
    void ShowView(ResponseView view);

  Q_SIGNALS:
    void ViewChosen(ResponseView view);

  private:
    ResponsePlotWidget* plot_ = nullptr;
    QRadioButton* magnitude_ = nullptr;
    QRadioButton* phase_ = nullptr;
    QLabel* readout_ = nullptr;
};

} // namespace veld23
