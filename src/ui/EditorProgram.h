#pragma once

#include "commands/ApplicationWindows.h"
#include "commands/ConnectDialog.h"
#include "commands/DeviceLink.h"
#include "commands/MainWindowCommands.h"
#include "commands/PortChoice.h"
#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "editors/TuningWorkflow.h"
#include "link/LinkTypes.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/QtPortServices.h"
#include "link/serial/TCommPortDriver.h"
#include "link/usb/FtdiD2xx.h"
#include "measure/SpeakerCurves.h"
#include "ui/DialogRelay.h"
#include "ui/EditorWindowFrame.h"
#include "ui/ProgressRelay.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace veld23 {

class AboutWindow;
class CoefficientViewerWindow;
class ConnectDialogWindow;
class CrossoverWindow;
class DelayWindow;
class DeviceImageWindow;
class DynamicsWindow;
class FinalResponseWindow;
class EqualiserWindow;
class LevelsWindow;
class LoadingFileWindow;
class LoudnessWindow;
class MainWindow;
class PasswordKeypadWindow;
class ProgramDialogs;
class SpeakerWindow;
class StepBoundaryFilter;
class SystemInfoWindow;
class TopologyChooserWindow;
class TransferProgressWindow;

// The whole editor: the one configuration, the link, the editors, the commands and
// every window, made once in the start-up order and kept for the run. Windows are
// only shown and hidden afterwards.
//
// Construction runs the start sequence up to the event loop: the connection window
// and the topology chooser, a pause for pending events, the main window and the
// other windows, then the two-output topology through the chooser's two-ways action.
// Start() shows the connection window; the caller runs the event loop.
class EditorProgram final : private commands::ApplicationWindows {
  public:
    struct Options {
        // Devices standing in for COM 1 and COM 2 (`--com1 PATH`, `--com2 PATH`).
        std::vector<link::ComPortPathArgument> comPorts;
        // The settings file that remembers the ports chosen; none: nothing remembered.
        std::string portSettingsFile;
    };

    EditorProgram(ProgramDialogs& dialogs, Options options);
    ~EditorProgram() override;
    EditorProgram(const EditorProgram&) = delete;
    EditorProgram& operator=(const EditorProgram&) = delete;

    void Start();

    // The close icon of either window: the closing question, then the end handler
    // (the application quits unless another handler is set).
    void RequestClose();
    bool Ended() const { return ended_; }
    void SetEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }

    // An editor window joins the program: its buttons on the main window come alive,
    // and the configuration reset and the save question close it with the others.
    // `opening` runs whenever a main window button brings the window up, before it is
    // shown, also when it is already open: the window takes the channel the button
    // recorded in the selection.
    void RegisterEditorWindow(commands::EditorWindow window, QWidget* widget,
                              std::function<void()> opening = {});
    // The final response view's redraw, once the program has one; from then on every
    // block editor's change reaches it.
    void SetFinalResponseRedraw(std::function<void()> redraw);

    // Every window redrawn from the state it shows.
    void RefreshWindows();

    ProcessorConfiguration& Configuration() { return config_; }
    EditorSet& Editors() { return editors_; }
    commands::DeviceLink& Device() { return device_; }
    commands::MainWindowCommands& Commands() { return commands_; }
    commands::ConnectDialog& ConnectLogic() { return connect_; }
    TuningWorkflow& Tuning() { return tuning_; }
    SpeakerCurves& Speakers() { return speakers_; }

    ConnectDialogWindow& ConnectWindow() { return *connectWindow_; }
    TopologyChooserWindow& Chooser() { return *chooser_; }
    MainWindow& Main() { return *mainWindow_; }
    CoefficientViewerWindow& CoefficientViewer() { return *coefficientViewer_; }
    FinalResponseWindow& FinalResponse() { return *finalResponse_; }
    AboutWindow& About() { return *about_; }
    DeviceImageWindow& DeviceImage() { return *deviceImage_; }
    TransferProgressWindow& Progress() { return *progressWindow_; }
    SystemInfoWindow& SystemInfo() { return *systemInfo_; }
    PasswordKeypadWindow& Keypad() { return *keypad_; }
    LoadingFileWindow& Loading() { return *loading_; }
    EqualiserWindow& Equaliser() { return *equaliserWindow_; }
    CrossoverWindow& Crossover() { return *crossoverWindow_; }
    LoudnessWindow& Loudness() { return *loudnessWindow_; }
    LevelsWindow& Levels() { return *levels_; }
    DynamicsWindow& Dynamics() { return *dynamics_; }
    DelayWindow& Delay() { return *delay_; }
    SpeakerWindow& Speaker() { return *speaker_; }

  private:
    void CreateWindows();
    // The level, dynamics and delay windows, and the speaker window the dynamics opens.
    void CreateOutputEditorWindows(const EditorWindowFrame::RealTimeToggle& realTime);
    void CreateSpeakerWindow(const EditorWindowFrame::RealTimeToggle& realTime);
    void BindWindows();
    // Undo, A/B and copy refresh the windows once; every window's input marks the steps.
    void BindTuning();
    void HideEditorWindows();
    void ScheduleRefresh();

    // ---- ApplicationWindows.
    void ShowMainWindow() override;
    void MinimiseMainWindow() override;
    void RestoreMainWindow() override;
    void SetMainWindowTitle(const std::string& title) override;
    void ShowLoadingWindow() override;
    void CloseLoadingWindow() override;
    void SetBusyCursor(bool busy) override;
    void FillAboutWindow(const std::string& text, const std::string& webAddress,
                         const std::string& emailAddress) override;
    bool EditorWindowAvailable(commands::EditorWindow window) const override;
    void ShowEditorWindow(commands::EditorWindow window) override;
    void RedrawFinalResponse() override;
    void ConfigurationChanged() override;

    ProgramDialogs& dialogs_;
    ProcessorConfiguration config_;
    link::TCommPortDriver comm_;
    link::FtdiD2xx usb_;
    link::QtEventLoopWaiter waiter_;
    ProgressRelay progress_;
    DialogRelay commandDialogs_;
    commands::DeviceLink device_;
    SpeakerCurves speakers_;
    EditorSet editors_;
    commands::MainWindowCommands commands_;
    link::QtSerialPortCatalog portCatalog_;
    std::unique_ptr<link::QtPortSettings> portSettings_;
    commands::PortChoice portChoice_;
    commands::ConnectDialog connect_;
    TuningWorkflow tuning_;

    std::unique_ptr<ConnectDialogWindow> connectWindow_;
    std::unique_ptr<TopologyChooserWindow> chooser_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<CoefficientViewerWindow> coefficientViewer_;
    std::unique_ptr<FinalResponseWindow> finalResponse_;
    std::unique_ptr<LevelsWindow> levels_;
    std::unique_ptr<DynamicsWindow> dynamics_;
    std::unique_ptr<DelayWindow> delay_;
    std::unique_ptr<SpeakerWindow> speaker_;
    // The dialogs belong to the main window, their Qt parent, which deletes them.
    AboutWindow* about_ = nullptr;
    std::unique_ptr<DeviceImageWindow> deviceImage_;
    TransferProgressWindow* progressWindow_ = nullptr;
    SystemInfoWindow* systemInfo_ = nullptr;
    PasswordKeypadWindow* keypad_ = nullptr;
    std::unique_ptr<LoadingFileWindow> loading_;
    std::unique_ptr<EqualiserWindow> equaliserWindow_;
    std::unique_ptr<CrossoverWindow> crossoverWindow_;
    std::unique_ptr<LoudnessWindow> loudnessWindow_;
    std::map<commands::EditorWindow, QPointer<QWidget>> editorWindows_;
    std::map<commands::EditorWindow, std::function<void()>> editorOpening_;

    std::unique_ptr<StepBoundaryFilter> stepBoundaries_;

    std::function<void()> redrawFinalResponse_;
    // While an undo, a redo, an A/B switch or a copy refreshes block after block, the
    // final response is drawn once, at the end.
    bool finalResponseHeld_ = false;
    bool finalResponsePending_ = false;
    std::function<void()> endHandler_;
    bool busyCursor_ = false;
    bool refreshScheduled_ = false;
    bool ended_ = false;
};

} // namespace veld23
