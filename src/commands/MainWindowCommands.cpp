#include "commands/MainWindowCommands.h"

#include "commands/CommandDialogs.h"
#include "commands/DeviceLink.h"
#include "config/ConfigurationFile.h"
#include "config/ProcessorConfiguration.h"
#include "config/Windows1252.h"
#include "editors/EditorSet.h"

#include <filesystem>

namespace veld23::commands {

namespace {

// The loading window gets this many passes to paint before the file is read.
constexpr int kLoadingWindowPasses = 100;

// Label 1..5 of either a changeable or a read-only configuration.
template <typename Config> auto* LabelField(Config& config, int label) {
    auto& labels = config.ChannelLabels;
    switch (label) {
    case 1:
        return &labels.In1;
    case 2:
        return &labels.In2;
    case 3:
        return &labels.Out1;
    case 4:
        return &labels.Out2;
    case 5:
        return &labels.Sub;
    default:
        return static_cast<decltype(&labels.In1)>(nullptr);
    }
}

} // namespace

MainWindowCommands::MainWindowCommands(Parts parts)
    : config_(parts.config), editors_(parts.editors), device_(parts.device),
      fileDialogs_(parts.fileDialogs), fileMessages_(parts.fileMessages), windows_(parts.windows),
      devices_(parts.device, parts.editors.steps, parts.editors.steps, *this),
      settled_(BuildConfigurationRecord(config_, {})) {}

std::string MainWindowCommands::Title() const {
    std::string title(fileName_.empty() ? kStartTitle : kTitlePrefix);
    title += fileName_;
    if (HasUnsavedChanges()) {
        title += kUnsavedMark;
    }
    return title;
}

bool MainWindowCommands::HasUnsavedChanges() const {
    // The header carries the file's path; both records leave it out.
    return olderFile_ || BuildConfigurationRecord(config_, {}) != settled_;
}

void MainWindowCommands::Settle(std::string fileName, bool fileIsCurrent) {
    fileName_ = std::move(fileName);
    olderFile_ = !fileIsCurrent;
    settled_ = BuildConfigurationRecord(config_, {});
    windows_.SetMainWindowTitle(Title());
}

void MainWindowCommands::ConfigurationSettled() {
    Settle(fileName_);
}

void MainWindowCommands::ConfigurationRead() {
    Settle({});
}

FileDialogRequest MainWindowCommands::SaveRequest() {
    return FileDialogRequest{std::string(kSaveTitle),
                             {{"VELD23 Files *.v23", "*.v23"},
                              {"VELD13 Files *.v13", "*.v13"},
                              {"All Files *.*", "*.*"}},
                             std::string(kDefaultExtension),
                             std::string(kSaveFileName)};
}

FileDialogRequest MainWindowCommands::OpenRequest() {
    // Both extensions first, so a file just saved under either shows at once.
    FileDialogRequest request = SaveRequest();
    request.title = kOpenTitle;
    request.fileName.clear();
    request.filters.insert(request.filters.begin(),
                           {"VELD23 and VELD13 Files *.v23 *.v13", "*.v23 *.v13"});
    return request;
}

std::string MainWindowCommands::AboutText() {
    // The apostrophe is the typographic one the product text has always used.
    return "VELD23  -  24-Bit Digital Signal Processing System.\n"
           "\n"
           "VELD23 provides comprehensive, professional quality processing of all audio input "
           "signals.\n"
           "\n"
           "All Parameters for each Functional Block are fully configurable by the system "
           "designer, permitting great flexibility and highly optimised processing specific to "
           "the system\u2019s application.";
}

bool MainWindowCommands::FileCommandsAvailable() const {
    return !device_.Busy();
}

bool MainWindowCommands::New() {
    if (!FileCommandsAvailable() || !devices_.SaveQuestions().Ask()) {
        return false;
    }
    editors_.NewConfiguration(OutputTopology::TwoOutputs);
    Settle({});
    windows_.ShowMainWindow();
    windows_.ConfigurationChanged();
    return true;
}

bool MainWindowCommands::Open() {
    return OpenFrom([this] { return fileDialogs_.ChooseFileToOpen(OpenRequest()); });
}

bool MainWindowCommands::OpenNamedFile(const std::string& path) {
    return OpenFrom([&path] { return std::optional(path); });
}

bool MainWindowCommands::OpenFrom(const std::function<std::optional<std::string>()>& choosePath) {
    if (!FileCommandsAvailable() || !devices_.SaveQuestions().AskWithCleanUp()) {
        return false;
    }
    config_.ResetToNew(editors_.steps);
    // Whatever comes of the file, the configuration shown is no longer the old one.
    Settle({});
    windows_.ShowMainWindow();
    windows_.ConfigurationChanged();
    const std::optional<std::string> path = choosePath();
    const bool opened = path && ReadChosenFile(*path);
    windows_.CloseLoadingWindow();
    windows_.RestoreMainWindow();
    windows_.SetBusyCursor(false);
    windows_.RedrawFinalResponse();
    windows_.ConfigurationChanged();
    return opened;
}

bool MainWindowCommands::ReadChosenFile(const std::string& path) {
    windows_.MinimiseMainWindow();
    windows_.ShowLoadingWindow();
    device_.ProcessPendingEvents(kLoadingWindowPasses);
    windows_.SetBusyCursor(true);
    editors_.steps.CloseWindows();
    editors_.steps.SwitchRealTimeOff();
    const ConfigurationOpenResult result =
        OpenConfigurationFile(config_, path, device_.RealTime(), editors_.steps, fileMessages_);
    // A refused file leaves the new configuration, which is not that file.
    if (result == ConfigurationOpenResult::Refused) {
        return false;
    }
    Settle(std::filesystem::path(path).filename().string(),
           result != ConfigurationOpenResult::OpenedOlderVersion);
    return true;
}

bool MainWindowCommands::SaveConfiguration() {
    const std::optional<std::string> path = fileDialogs_.ChooseFileToSave(SaveRequest());
    if (!path) {
        return false;
    }
    if (const Result<> saved = SaveConfigurationFile(config_, *path); !saved) {
        device_.Dialogs().ShowError(saved.Message());
        return false;
    }
    Settle(std::filesystem::path(*path).filename().string());
    return true;
}

bool MainWindowCommands::MayClose() {
    return devices_.CloseRequested();
}

void MainWindowCommands::Activate() {
    if (!firstActivationDone_) {
        firstActivationDone_ = true;
        windows_.FillAboutWindow(AboutText(), std::string(kWebAddress), std::string(kEmailAddress));
    }
    device_.Presentation().Controls().MainWindowActivated();
    device_.Presentation().Changed();
}

void MainWindowCommands::PresetCaptionClick() {
    device_.Presentation().Controls().PresetCaptionClick();
    device_.Presentation().Changed();
}

void MainWindowCommands::SetSystemName(std::string_view text) {
    config_.SystemInformation.SystemName.Assign(Utf8ToWindows1252Replacing(text));
}

std::string MainWindowCommands::SystemName() const {
    return Windows1252ToUtf8(config_.SystemInformation.SystemName.View());
}

void MainWindowCommands::SetChannelLabel(int label, std::string_view text) {
    if (auto* field = LabelField(config_, label)) {
        field->Assign(Utf8ToWindows1252Replacing(text));
    }
}

std::string MainWindowCommands::ChannelLabel(int label) const {
    const auto* field = LabelField(config_, label);
    return field ? Windows1252ToUtf8(field->View()) : std::string();
}

void MainWindowCommands::SelectProgram(int program) {
    device_.Presentation().SetMemorySelector(program);
}

void MainWindowCommands::RouteCommand() {
    config_.Routing.RouteCommand(device_.RealTime());
    windows_.RedrawFinalResponse();
    windows_.ConfigurationChanged();
}

void MainWindowCommands::ChooseTopology(OutputTopology topology) {
    editors_.ChooseTopology(topology);
    windows_.RedrawFinalResponse();
    windows_.ConfigurationChanged();
}

bool MainWindowCommands::OpenEditor(EditorWindow window, std::optional<char> channel,
                                    std::optional<int> tag) {
    if (!windows_.EditorWindowAvailable(window)) {
        return false;
    }
    if (channel) {
        selection_.channel = *channel;
    }
    if (tag) {
        selection_.tag = *tag;
    }
    windows_.ShowEditorWindow(window);
    return true;
}

} // namespace veld23::commands
