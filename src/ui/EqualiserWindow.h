#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <cstddef>

class QComboBox;
class QGroupBox;
class QLabel;
class QSlider;
class QSpinBox;
class QVBoxLayout;

namespace veld23 {

class ChannelCopyButtons;
class ChannelSelectors;
class CoefficientViewerWindow;
class EqualiserEditor;
class ResponsePlotPanel;
class StepField;

// "Parametric Equalization": the two seven-band input equalisers, presented as those of
// OUT 1 and OUT 2. The window holds nothing of its own: every control hands its event to
// the equaliser editor, then every control is refilled from the editor (the plot follows
// the editor by itself). The coefficient viewer follows the band being edited.
class EqualiserWindow : public EditorWindowFrame {
    Q_OBJECT

  public:
    EqualiserWindow(EqualiserEditor& editor, CoefficientViewerWindow* coefficientViewer,
                    QWidget* anchor, RealTimeToggle realTime, QWidget* parent = nullptr);

    // A PEQ button of the main window: the selectors take the channel labels again and the
    // button's equaliser (1 or 2) is chosen; any other number keeps the one chosen last.
    void Open(int peq);
    // Every control read again from the editor.
    void Refresh();
    // The copy buttons of the block go under the channel selectors and are refilled with
    // the window.
    void AddCopyButtons(ChannelCopyButtons* buttons);
    ChannelCopyButtons* CopyButtons() const { return copyButtons_; }

    ChannelSelectors* Selectors() const { return selectors_; }
    ResponsePlotPanel* PlotPanel() const { return plotPanel_; }
    QSpinBox* BandNumber() const { return band_; }
    QComboBox* TypeList() const { return type_; }
    QSlider* FrequencySlider() const { return sliders_[0]; }
    QSlider* GainSlider() const { return sliders_[1]; }
    QSlider* QualitySlider() const { return sliders_[2]; }
    StepField* FrequencyField() const { return fields_[0]; }
    StepField* GainField() const { return fields_[1]; }
    StepField* QualityField() const { return fields_[2]; }
    QGroupBox* CoefficientPanel() const { return coefficientPanel_; }
    StepField* CoefficientField(int k) const { return coefficients_[static_cast<std::size_t>(k)]; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    enum Parameter { kFrequency, kGain, kQ, kParameters };

    QWidget* BuildBandControls();
    QGroupBox* BuildCoefficientPanel();
    void BindBandControls();
    void BindCoefficientPanel();
    // Hands one control event to the editor, then refills. Events a refill itself causes
    // (a field losing the focus as it is disabled) are dropped: a refill never acts.
    template <typename Action> void Run(Action action);

    EqualiserEditor& editor_;
    CoefficientViewerWindow* coefficientViewer_;
    ChannelSelectors* selectors_ = nullptr;
    QVBoxLayout* controls_ = nullptr;
    ChannelCopyButtons* copyButtons_ = nullptr;
    ResponsePlotPanel* plotPanel_ = nullptr;
    QSpinBox* band_ = nullptr;
    QComboBox* type_ = nullptr;
    std::array<QLabel*, kParameters> captions_{};
    std::array<QLabel*, kParameters> units_{};
    std::array<QSlider*, kParameters> sliders_{};
    std::array<StepField*, kParameters> fields_{};
    QGroupBox* coefficientPanel_ = nullptr;
    std::array<StepField*, 5> coefficients_{};
    bool refilling_ = false;
};

} // namespace veld23
