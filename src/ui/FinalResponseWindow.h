#pragma once

#include "ui/EditorWindowFrame.h"

#include <array>
#include <memory>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace veld23 {

class EditorSet;
class FinalResponseView;
class MeasurementImportWindow;
class PlotModel;
class ProcessorConfiguration;
class ProgramDialogs;
class ResponsePlotWidget;
struct SpeakerCurves;

// "Final Frequency Response": what the whole system does acoustically, per output and as
// the sum. The block switches, curve selectors and the Mag / Phase switch each call one
// method of the view; the Import button opens the measurement import dialog; the Export
// menu writes FRD files, biquads and filter settings. Every block editor's change, an
// opened file, a read memory and an import redraw it through Redraw().
class FinalResponseWindow final : public EditorWindowFrame {
    Q_OBJECT

  public:
    struct Bindings {
        ProcessorConfiguration& config;
        const EditorSet& editors;
        SpeakerCurves& speakers;
        ProgramDialogs& dialogs;
    };

    FinalResponseWindow(Bindings bindings, QWidget* anchor, RealTimeToggle realTime);
    ~FinalResponseWindow() override;

    // Recomputes every curve from the configuration, then refills the controls.
    void Redraw();
    // Refills every control from the view (captions follow the channel labels).
    void Refresh();

    FinalResponseView& View() { return *view_; }
    MeasurementImportWindow& ImportWindow() { return *importWindow_; }
    ResponsePlotWidget& Plot() { return *plotWidget_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildSwitches();
    QWidget* BuildCommands();

    Bindings bindings_;
    std::unique_ptr<PlotModel> plot_;
    std::unique_ptr<FinalResponseView> view_;
    MeasurementImportWindow* importWindow_ = nullptr; // a child dialog: this window owns it
    std::array<QCheckBox*, 5> switches_{};
    std::array<QCheckBox*, 4> curves_{};
    QRadioButton* magnitude_ = nullptr;
    QRadioButton* phase_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    ResponsePlotWidget* plotWidget_ = nullptr;
    QLabel* readout_ = nullptr;
};

} // namespace veld23
