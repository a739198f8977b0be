#pragma once

#include "dsp/Crossover.h"
#include "ui/EditorWindowFrame.h"

#include <array>
#include <cstddef>

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace veld23 {

class ChannelCopyButtons;
class ChannelSelectors;
class CrossoverController;
class ResponsePlotPanel;
class StepField;

// "CrossOver Configuration": the crossovers of the three outputs. Column L edits the
// chosen output's high-pass half, column H its low-pass half, each with a frequency, a
// family and an order, and a solo button that lets that half use both of the output's
// section slots. Like every editor window it holds nothing itself: each control event
// goes to the crossover controller, then every control is refilled from it.
class CrossoverWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    CrossoverWindow(CrossoverController& controller, QWidget* anchor, RealTimeToggle realTime,
                    QWidget* parent = nullptr);

    // An X-OVER button of the main window: its output (1..3) is chosen.
    void Open(int output);
    void Refresh();
    // The copy buttons of the block go under the channel selectors and are refilled with
    // the window.
    void AddCopyButtons(ChannelCopyButtons* buttons);
    ChannelCopyButtons* CopyButtons() const { return copyButtons_; }

    struct Column {
        QLabel* caption = nullptr;
        StepField* frequency = nullptr;
        QComboBox* family = nullptr;
        StepField* order = nullptr;
        QPushButton* solo = nullptr;
    };
    // XoverSide::HighPass is column L, XoverSide::LowPass column H.
    const Column& ColumnOf(XoverSide side) const { return columns_[Index(side)]; }
    ChannelSelectors* Selectors() const { return selectors_; }
    ResponsePlotPanel* PlotPanel() const { return plotPanel_; }
    QLabel* ColumnsCaption() const { return columnsCaption_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    static std::size_t Index(XoverSide side) { return side == XoverSide::HighPass ? 0 : 1; }
    QWidget* BuildColumns();
    void BindColumn(XoverSide side);
    template <typename Action> void Run(Action action);

    CrossoverController& controller_;
    ChannelSelectors* selectors_ = nullptr;
    QVBoxLayout* controls_ = nullptr;
    ChannelCopyButtons* copyButtons_ = nullptr;
    ResponsePlotPanel* plotPanel_ = nullptr;
    QLabel* columnsCaption_ = nullptr;
    std::array<Column, 2> columns_{};
    bool refilling_ = false;
};

} // namespace veld23
