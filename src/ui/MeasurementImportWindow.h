#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veld23 {

class MeasurementImportController;
class ProcessorConfiguration;
class ProgramDialogs;
struct SpeakerCurves;

// "Import Speaker Frequency Response": per output channel the measurement file with
// Browse, Import and Clear; the file layout; the reference level; Import All and Close.
// Each control calls one method of the import controller and the dialog refills itself;
// every failure is the controller's one message box, and the final response redraws after
// each import.
class MeasurementImportWindow final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kSlots = 3;

    struct Bindings {
        ProcessorConfiguration& config;
        SpeakerCurves& speakers;
        ProgramDialogs& dialogs;
        std::function<void()> afterImport;
    };

    MeasurementImportWindow(Bindings bindings, QWidget* parent);
    ~MeasurementImportWindow() override;

    // Shows the configuration's settings and brings the dialog up.
    void Open();
    void Refresh();

    MeasurementImportController& Controller() { return *controller_; }

  protected:
    void reject() override;

  private:
    struct SlotRow {
        QLabel* label = nullptr;
        QLineEdit* path = nullptr;
        QPushButton* browse = nullptr;
        QPushButton* import = nullptr;
        QPushButton* clear = nullptr;
    };

    void BuildSlot(int slot, QGridLayout& grid);
    void Run(const std::function<void()>& action);

    ProcessorConfiguration& config_;
    std::unique_ptr<MeasurementImportController> controller_;
    std::array<SlotRow, kSlots> rows_{};
    QComboBox* layout_ = nullptr;
    QLineEdit* reference_ = nullptr;
};

} // namespace veld23
