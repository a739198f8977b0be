#pragma once

#include "commands/ApplicationWindows.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;

namespace veld23 {

class ComparisonBar;
class EditMenuBar;
class LevelController;
class MainWindowCommandBar;
class MainWindowSignalChain;
class ProcessorConfiguration;
class TuningWorkflow;

namespace commands {
class DeviceLink;
class MainWindowCommands;
} // namespace commands

// The main window: the command bar, the "PRESET" name, the signal chain and the
// status line. It forwards every control event to the main window commands and
// redraws from them, the link state and the configuration; it decides nothing.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    struct Bindings {
        commands::MainWindowCommands& commands;
        commands::DeviceLink& device;
        const ProcessorConfiguration& config;
        const LevelController& levels;
        // Whether the program has that editor window yet.
        std::function<bool(commands::EditorWindow)> editorAvailable;
        // Undo, redo and the A/B slots; New, Open and Read start its history again.
        TuningWorkflow& tuning;
    };

    explicit MainWindow(Bindings bindings, QWidget* parent = nullptr);

    // Everything shown read again.
    void Refresh();

    MainWindowCommandBar& CommandBar() { return *commandBar_; }
    MainWindowSignalChain& SignalChain() { return *signalChain_; }
    QLineEdit* NameField() const { return nameField_; }
    QLabel* PresetCaption() const { return presetCaption_; }
    QLabel* StatusLine() const { return statusLine_; }
    EditMenuBar& EditMenu() { return *editMenu_; }
    ComparisonBar& Comparison() { return *comparison_; }

  Q_SIGNALS:
    void ConnectRequested();
    void AboutRequested();
    void SystemInfoRequested();
    void DeviceImageRequested();
    // The close icon: the program's close flow decides.
    void CloseRequested();
    // The name was typed here; the System Info window follows.
    void SystemNameEdited();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BindCommands();
    void BindDeviceCommands();
    void BindFields();
    void BindEditorButtons();
    // Runs a command from a button, then shows what it left.
    void Run(const std::function<void()>& command);
    // The title says whether the configuration differs from its file; edits made in
    // any window can change that, so the title is looked at again after user input.
    void RefreshTitle();
    void ScheduleTitleRefresh();

    Bindings bindings_;
    MainWindowCommandBar* commandBar_ = nullptr;
    MainWindowSignalChain* signalChain_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QLabel* presetCaption_ = nullptr;
    QLabel* statusLine_ = nullptr;
    EditMenuBar* editMenu_ = nullptr;
    ComparisonBar* comparison_ = nullptr;
    bool titleRefreshScheduled_ = false;
};

} // namespace veld23
