#include "ui/EditorProgram.h"

#include "device/DeviceImage.h"
#include "measure/MeasurementImport.h"
#include "ui/AboutWindow.h"
#include "ui/BringToFront.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/CrossoverWindow.h"
#include "ui/DelayWindow.h"
#include "ui/DeviceImageWindow.h"
#include "ui/DynamicsWindow.h"
#include "ui/EditMenuBar.h"
#include "ui/EqualiserWindow.h"
#include "ui/FinalResponseWindow.h"
#include "ui/LevelsWindow.h"
#include "ui/LoadingFileWindow.h"
#include "ui/LoudnessWindow.h"
#include "ui/MainWindow.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/PlotPicture.h"
#include "ui/ProgramDialogs.h"
#include "ui/QtText.h"
#include "ui/SpeakerWindow.h"
#include "ui/StepBoundaryFilter.h"
#include "ui/SystemInfoWindow.h"
#include "ui/TopologyChooserWindow.h"
#include "ui/TransferProgressWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <utility>

namespace veld23 {

namespace {

using commands::EditorWindow;

// Passes of pending events between creating the first two windows and the others.
constexpr int kStartUpPasses = 100;

// The windows the configuration reset and the save question close.
constexpr EditorWindow kClosedWithReset[] = {
    EditorWindow::FinalResponse, EditorWindow::Peq,      EditorWindow::Gains,
    EditorWindow::Crossover,     EditorWindow::Dynamics, EditorWindow::Delay,
    EditorWindow::Loudness,
};

void ShowModal(QWidget& window) {
    window.setWindowModality(Qt::ApplicationModal);
    BringToFront(window);
}

} // namespace

EditorProgram::EditorProgram(ProgramDialogs& dialogs, Options options)
    : dialogs_(dialogs), commandDialogs_(dialogs, [this] { ShowMainWindow(); }),
      device_(config_, {comm_, usb_, waiter_, progress_}, commandDialogs_),
      editors_(config_, device_.RealTime(),
               ApplicationHooks{[this] { HideEditorWindows(); },
                                [this] {
                                    if (device_.RealTime().RealTimeMode()) {
                                        device_.RealTime().SwitchOff();
                                    }
                                },
                                [this](ProcessorConfiguration& config) {
                                    ImportMeasurements(config.MeasurementImport, speakers_,
                                                       dialogs_);
                                    RedrawFinalResponse();
                                }}),
      commands_({config_, editors_, device_, dialogs, dialogs, *this}),
      portSettings_(options.portSettingsFile.empty()
                        ? nullptr
                        : std::make_unique<link::QtPortSettings>(options.portSettingsFile)),
      portChoice_(device_.Link().Usb(), &portCatalog_, portSettings_.get()),
      connect_(device_, portChoice_), tuning_(config_, editors_, device_.RealTime()) {
    comm_.UseComm1Values();
    portChoice_.Restore(options.comPorts);
    editors_.crossover.SetDesignNotifier(&dialogs_);
    SetPlotPictureDialogs(&dialogs_);
    CreateWindows();
    BindWindows();
    // The Real Time controls were made hidden and stay so. A new configuration has
    // two outputs, set up exactly as the chooser's two-ways action sets it up; the
    // history starts after it.
    tuning_.RunReplacing({}, [this] {
        chooser_->ChooseTwoWays();
        return true;
    });
    commands_.ConfigurationSettled();
    BindTuning();
}

EditorProgram::~EditorProgram() {
    QCoreApplication::instance()->removeEventFilter(stepBoundaries_.get());
    // The windows go before the link and the configuration they show.
    progress_.SetTarget(nullptr);
    device_.Presentation().SetChangeListener({});
    SetPlotPictureDialogs(nullptr);
}

void EditorProgram::CreateWindows() {
    connectWindow_ = std::make_unique<ConnectDialogWindow>(connect_, device_.Presentation());
    chooser_ = std::make_unique<TopologyChooserWindow>(
        [this](OutputTopology topology) { commands_.ChooseTopology(topology); });
    chooser_->SetActivationStep([this] {
        config_.ResetToNew(editors_.steps);
        ConfigurationChanged();
    });
    device_.ProcessPendingEvents(kStartUpPasses);

    mainWindow_ = std::make_unique<MainWindow>(MainWindow::Bindings{
        commands_, device_, config_, editors_.levels,
        [this](EditorWindow window) { return EditorWindowAvailable(window); }, tuning_});
    coefficientViewer_ = std::make_unique<CoefficientViewerWindow>(
        [this](int k) { return editors_.equaliser.CoefficientDisplayText(k); });
    // The editor windows' Real Time switches are faces of the main window's one.
    const EditorWindowFrame::RealTimeToggle realTime{
        [this] {
            commands_.Devices().RealTimeButtonClick();
            RefreshWindows();
        },
        [this] { return device_.RealTime().RealTimeMode(); }};
    finalResponse_ = std::make_unique<FinalResponseWindow>(
        FinalResponseWindow::Bindings{config_, editors_, speakers_, dialogs_}, mainWindow_.get(),
        realTime);
    RegisterEditorWindow(EditorWindow::FinalResponse, finalResponse_.get());
    SetFinalResponseRedraw([this] { finalResponse_->Redraw(); });
    equaliserWindow_ = std::make_unique<EqualiserWindow>(
        editors_.equaliser, coefficientViewer_.get(), mainWindow_.get(), realTime);
    RegisterEditorWindow(EditorWindow::Peq, equaliserWindow_.get(),
                         [this] { equaliserWindow_->Open(commands_.Selection().channel - '0'); });
    equaliserWindow_->AddCopyButtons(new ChannelCopyButtons(tuning_, config_, CopyBlock::Peq));
    CreateOutputEditorWindows(realTime);
    crossoverWindow_ =
        std::make_unique<CrossoverWindow>(editors_.crossover, mainWindow_.get(), realTime);
    RegisterEditorWindow(EditorWindow::Crossover, crossoverWindow_.get(),
                         [this] { crossoverWindow_->Open(commands_.Selection().channel - '0'); });
    crossoverWindow_->AddCopyButtons(
        new ChannelCopyButtons(tuning_, config_, CopyBlock::Crossover));
    CreateSpeakerWindow(realTime);
    loudnessWindow_ =
        std::make_unique<LoudnessWindow>(editors_.loudness, mainWindow_.get(), realTime);
    RegisterEditorWindow(EditorWindow::Loudness, loudnessWindow_.get(),
                         [this] { loudnessWindow_->Open(); });
    about_ = new AboutWindow(mainWindow_.get());
    deviceImage_ =
        std::make_unique<DeviceImageWindow>([this] { return BuildDeviceImage(config_); });
    progressWindow_ = new TransferProgressWindow(mainWindow_.get());
    progress_.SetTarget(progressWindow_);
    systemInfo_ = new SystemInfoWindow(config_.SystemInformation, mainWindow_.get());
    keypad_ = new PasswordKeypadWindow(mainWindow_.get());
    loading_ = std::make_unique<LoadingFileWindow>();
    // Making the loading window runs the main window's one-time set-up.
    commands_.Activate();
}

void EditorProgram::CreateOutputEditorWindows(const EditorWindowFrame::RealTimeToggle& realTime) {
    QWidget* anchor = mainWindow_.get();
    levels_ = std::make_unique<LevelsWindow>(editors_.levels, config_, anchor, realTime);
    RegisterEditorWindow(EditorWindow::Gains, levels_.get());
    dynamics_ = std::make_unique<DynamicsWindow>(editors_.dynamics, anchor, realTime);
    RegisterEditorWindow(EditorWindow::Dynamics, dynamics_.get(),
                         [this] { dynamics_->OpenOnChannel(commands_.Selection().channel); });
    delay_ = std::make_unique<DelayWindow>(editors_.delays, config_, anchor, realTime);
    RegisterEditorWindow(EditorWindow::Delay, delay_.get(),
                         [this] { delay_->FocusOutput(commands_.Selection().tag); });
    levels_->AddCopyButtons(new ChannelCopyButtons(tuning_, config_, CopyBlock::Levels));
    dynamics_->AddCopyButtons(new ChannelCopyButtons(tuning_, config_, CopyBlock::Dynamics));
    delay_->AddCopyButtons(new ChannelCopyButtons(tuning_, config_, CopyBlock::Delay));
    // An edit in one shows in the others and on the main window (the mute indications).
    const auto refresh = [this] { RefreshWindows(); };
    QObject::connect(levels_.get(), &LevelsWindow::Edited, levels_.get(), refresh);
    QObject::connect(dynamics_.get(), &DynamicsWindow::Edited, dynamics_.get(), refresh);
    QObject::connect(delay_.get(), &DelayWindow::Edited, delay_.get(), refresh);
}

void EditorProgram::CreateSpeakerWindow(const EditorWindowFrame::RealTimeToggle& realTime) {
    // Opened from the dynamics window, so it opens beside that one.
    speaker_ = std::make_unique<SpeakerWindow>(editors_.speaker, dynamics_.get(), realTime);
    SpeakerWindow* speaker = speaker_.get();
    QObject::connect(speaker, &SpeakerWindow::Edited, speaker, [this] { RefreshWindows(); });
    QObject::connect(dynamics_.get(), &DynamicsWindow::SpeakerRequested, speaker, [this, speaker] {
        speaker->FollowRecord(editors_.dynamics.CurrentRecord());
        BringToFront(*speaker);
    });
    QObject::connect(dynamics_.get(), &DynamicsWindow::RecordSelected, speaker,
                     &SpeakerWindow::FollowRecord);
    QObject::connect(dynamics_.get(), &DynamicsWindow::Hidden, speaker, &QWidget::hide);
}

void EditorProgram::BindWindows() {
    QObject::connect(connectWindow_.get(), &ConnectDialogWindow::CloseRequested, mainWindow_.get(),
                     [this] { RequestClose(); });
    QObject::connect(connectWindow_.get(), &ConnectDialogWindow::ChoiceEnded, mainWindow_.get(),
                     [this] { RefreshWindows(); });
    QObject::connect(mainWindow_.get(), &MainWindow::CloseRequested, mainWindow_.get(),
                     [this] { RequestClose(); });
    QObject::connect(mainWindow_.get(), &MainWindow::ConnectRequested, mainWindow_.get(), [this] {
        // A failure the transfer window still shows has been seen by now.
        progressWindow_->CloseProgress();
        connect_.Show();
        connectWindow_->Refresh();
        BringToFront(*connectWindow_);
    });
    QObject::connect(mainWindow_.get(), &MainWindow::AboutRequested, mainWindow_.get(),
                     [this] { ShowModal(*about_); });
    QObject::connect(mainWindow_.get(), &MainWindow::SystemInfoRequested, mainWindow_.get(),
                     [this] { ShowModal(*systemInfo_); });
    QObject::connect(mainWindow_.get(), &MainWindow::DeviceImageRequested, mainWindow_.get(),
                     [this] { BringToFront(*deviceImage_, KeyboardFocus::Leave); });
    // One name, two fields.
    QObject::connect(mainWindow_.get(), &MainWindow::SystemNameEdited, mainWindow_.get(),
                     [this] { systemInfo_->SetSystemName(mainWindow_->NameField()->text()); });
    QObject::connect(systemInfo_, &SystemInfoWindow::SystemNameEdited, mainWindow_.get(),
                     [this] { mainWindow_->Refresh(); });

    connect_.SetCloseListener([this] { connectWindow_->hide(); });
    device_.Presentation().SetChangeListener([this] {
        RefreshWindows();
        ScheduleRefresh();
    });
    progress_.SetShownListener([this] { RefreshWindows(); });
}

void EditorProgram::BindTuning() {
    tuning_.SetHooks({[this] { finalResponseHeld_ = true; },
                      [this] {
                          finalResponseHeld_ = false;
                          if (std::exchange(finalResponsePending_, false)) {
                              RedrawFinalResponse();
                          }
                          ConfigurationChanged();
                      }});
    stepBoundaries_ = std::make_unique<StepBoundaryFilter>(
        tuning_, [this] { mainWindow_->EditMenu().Refresh(); });
    QCoreApplication::instance()->installEventFilter(stepBoundaries_.get());
}

void EditorProgram::Start() {
    BringToFront(*connectWindow_);
}

void EditorProgram::RequestClose() {
    if (ended_) {
        return;
    }
    if (!commands_.MayClose()) {
        RefreshWindows();
        return;
    }
    ended_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    if (endHandler_) {
        endHandler_();
    } else {
        QCoreApplication::quit();
    }
}

void EditorProgram::RegisterEditorWindow(EditorWindow window, QWidget* widget,
                                         std::function<void()> opening) {
    editorWindows_[window] = widget;
    editorOpening_[window] = std::move(opening);
    RefreshWindows();
}

void EditorProgram::SetFinalResponseRedraw(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
    const auto hook = [this] { RedrawFinalResponse(); };
    editors_.equaliser.SetRedrawFinalResponse(hook);
    editors_.crossover.SetRedrawFinalResponse(hook);
    editors_.loudness.SetRedrawFinalResponse(hook);
    editors_.levels.SetRedrawFinalResponse(hook);
    editors_.dynamics.SetRedrawFinalResponse(hook);
    editors_.delays.SetRedraw(hook);
}

void EditorProgram::RefreshWindows() {
    if (mainWindow_) {
        mainWindow_->Refresh();
    }
    if (connectWindow_) {
        connectWindow_->Refresh();
    }
    if (finalResponse_) {
        finalResponse_->Refresh();
    }
    if (equaliserWindow_) {
        equaliserWindow_->Refresh();
    }
    if (crossoverWindow_) {
        crossoverWindow_->Refresh();
    }
    if (loudnessWindow_) {
        loudnessWindow_->Refresh();
    }
    if (levels_) {
        levels_->Refresh();
    }
    if (dynamics_) {
        dynamics_->Refresh();
    }
    if (delay_) {
        delay_->Refresh();
    }
    if (speaker_) {
        speaker_->Refresh();
    }
}

void EditorProgram::ScheduleRefresh() {
    // Once more after the command that changed the link state has returned: while it
    // runs, the main window shows it as busy.
    if (refreshScheduled_ || !mainWindow_) {
        return;
    }
    refreshScheduled_ = true;
    QTimer::singleShot(0, mainWindow_.get(), [this] {
        refreshScheduled_ = false;
        RefreshWindows();
    });
}

void EditorProgram::HideEditorWindows() {
    for (EditorWindow window : kClosedWithReset) {
        const auto found = editorWindows_.find(window);
        if (found != editorWindows_.end() && found->second) {
            found->second->hide();
        }
    }
}

// ---- ApplicationWindows.

void EditorProgram::ShowMainWindow() {
    BringToFront(*mainWindow_);
}

void EditorProgram::MinimiseMainWindow() {
    mainWindow_->showMinimized();
}

void EditorProgram::RestoreMainWindow() {
    if (mainWindow_->isMinimized()) {
        mainWindow_->showNormal();
    }
}

void EditorProgram::SetMainWindowTitle(const std::string& title) {
    mainWindow_->setWindowTitle(FromUtf8(TitleWithSlot(title, tuning_.Active())));
}

void EditorProgram::ShowLoadingWindow() {
    BringToFront(*loading_, KeyboardFocus::Leave);
}

void EditorProgram::CloseLoadingWindow() {
    loading_->hide();
}

void EditorProgram::SetBusyCursor(bool busy) {
    if (busy == busyCursor_) {
        return;
    }
    busyCursor_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void EditorProgram::FillAboutWindow(const std::string& text, const std::string& webAddress,
                                    const std::string& emailAddress) {
    about_->Fill(FromUtf8(text), FromUtf8(webAddress), FromUtf8(emailAddress));
}

bool EditorProgram::EditorWindowAvailable(EditorWindow window) const {
    if (window == EditorWindow::CoefficientViewer) {
        return coefficientViewer_ != nullptr;
    }
    const auto found = editorWindows_.find(window);
    return found != editorWindows_.end() && found->second;
}

void EditorProgram::ShowEditorWindow(EditorWindow window) {
    QWidget* widget = window == EditorWindow::CoefficientViewer ? coefficientViewer_.get()
                      : editorWindows_.count(window)            ? editorWindows_.at(window).data()
                                                                : nullptr;
    if (widget != nullptr) {
        if (const auto opening = editorOpening_.find(window);
            opening != editorOpening_.end() && opening->second) {
            opening->second();
        }
        BringToFront(*widget);
    }
}

void EditorProgram::RedrawFinalResponse() {
    if (finalResponseHeld_) {
        finalResponsePending_ = true;
        return;
    }
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

void EditorProgram::ConfigurationChanged() {
    RefreshWindows();
    if (systemInfo_) {
        systemInfo_->Refresh();
    }
}

} // namespace veld23
