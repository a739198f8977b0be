#pragma once

#include "commands/ApplicationWindows.h"
#include "commands/ConfigurationFileDialogs.h"
#include "commands/ConfigurationSaver.h"
#include "commands/DeviceCommands.h"
#include "config/ConfigurationFileRecord.h"
#include "config/OutputTopology.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veld23 {
class ConfigurationFileMessages;
class EditorSet;
class ProcessorConfiguration;
} // namespace veld23

namespace veld23::commands {

class DeviceLink;

// Which input or output an editor window shows: the digit of the button that
// opened it ('1', '2', '3' or '5') and the button's tag.
struct EditorSelection {
    char channel = 0;
    int tag = 0;
};

// The main window's own commands without the window: New, Open, Save, the name,
// label, memory, route and topology fields, the editor buttons, activation and
// closing. The main window only forwards its events here and redraws.
//
// While the processor is being talked to (DeviceLink::Busy) New, Open, Save and
// closing do nothing: waiting for an answer lets window events run, and a
// configuration replaced in the middle of a write would reach the processor half
// old, half new.
//
// What counts as a change is decided by the file itself: the record Save would write
// is compared with the one of the configuration as it was last opened, saved, read or
// made new, so no edit can slip past the save question, and an edit undone by hand is
// no change. The title names the file the configuration came from or went to, and
// ends in " *" while the configuration differs from it.
class MainWindowCommands final : public ConfigurationSaver {
  public:
    static constexpr std::string_view kTitlePrefix = "VELD23 - Digital Controller: ";
    static constexpr std::string_view kStartTitle = "VELD23 - Digital Controller";
    static constexpr std::string_view kUnsavedMark = " *";
    static constexpr std::string_view kOpenTitle = "Open File";
    static constexpr std::string_view kSaveTitle = "Save File";
    static constexpr std::string_view kDefaultExtension = "v13";
    static constexpr std::string_view kSaveFileName = "NoName";
    static constexpr std::string_view kWebAddress = "www.tessalinesound.example";
    static constexpr std::string_view kEmailAddress = "info@tessalinesound.example";

    struct Parts {
        ProcessorConfiguration& config;
        EditorSet& editors;
        DeviceLink& device;
        ConfigurationFileDialogs& fileDialogs;
        ConfigurationFileMessages& fileMessages;
        ApplicationWindows& windows;
    };

    explicit MainWindowCommands(Parts parts);
    MainWindowCommands(const MainWindowCommands&) = delete;
    MainWindowCommands& operator=(const MainWindowCommands&) = delete;

    // The device commands of the same window; their Read and the file commands
    // share the save questions.
    DeviceCommands& Devices() { return devices_; }
    const DeviceCommands& Devices() const { return devices_; }

    // ---- File commands. Each returns true when it did what it was asked.
    bool New();
    bool Open();
    // The file named on the editor's command line: Open without its dialog, with the
    // same question (only for unsaved changes), checks and messages.
    bool OpenNamedFile(const std::string& path);
    // Save to File.
    bool Save() { return FileCommandsAvailable() && SaveConfiguration(); }
    // The save dialog preset to "NoName", then the file. The save questions call it
    // too, also from inside a device command (Read), so it asks nothing about the link.
    bool SaveConfiguration() override;
    // New, Open, Save and closing can run: nothing is being sent or received.
    bool FileCommandsAvailable() const;

    // The closing question (refused while the processor is being talked to): true
    // when the program may end now.
    bool MayClose();

    // "VELD23 - Digital Controller: stage.v23", with " *" after an unsaved change.
    std::string Title() const;
    bool HasUnsavedChanges() const override;
    void ConfigurationRead() override;
    // The configuration as it is now is the one nothing differs from (at start).
    void ConfigurationSettled();

    // ---- Activation. The first one fills the About window; every one starts the
    // "PRESET" click count again.
    void Activate();
    bool FirstActivationDone() const { return firstActivationDone_; }
    void PresetCaptionClick();

    // ---- Fields (texts as the window holds them, UTF-8).
    void SetSystemName(std::string_view text);
    std::string SystemName() const;
    // Label 1..5: IN 1, IN 2, OUT 1, OUT 2, SUB.
    void SetChannelLabel(int label, std::string_view text);
    std::string ChannelLabel(int label) const;
    void SelectProgram(int program);
    void RouteCommand();
    void ChooseTopology(OutputTopology topology);

    // ---- Editor buttons: each records what its button carries (the digit, the
    // tag, both or neither), then brings the window up. A window the program does not
    // have yet records nothing: false.
    bool OpenEditor(EditorWindow window, std::optional<char> channel, std::optional<int> tag);
    const EditorSelection& Selection() const { return selection_; }

    static FileDialogRequest OpenRequest();
    static FileDialogRequest SaveRequest();
    static std::string AboutText();

  private:
    // The configuration now is the file's (an empty name: no file) and the state
    // nothing differs from; the title follows. A file of an older version is not what
    // a save would write, so it still counts as unsaved.
    void Settle(std::string fileName, bool fileIsCurrent = true);
    // Open: its question, the reset, the path from choosePath (none: nothing is read),
    // the file, and the windows put back.
    bool OpenFrom(const std::function<std::optional<std::string>()>& choosePath);
    // True when the file was opened.
    bool ReadChosenFile(const std::string& path);

    ProcessorConfiguration& config_;
    EditorSet& editors_;
    DeviceLink& device_;
    ConfigurationFileDialogs& fileDialogs_;
    ConfigurationFileMessages& fileMessages_;
    ApplicationWindows& windows_;
    DeviceCommands devices_;
    std::string fileName_;
    ConfigurationRecord settled_{};
    bool olderFile_ = false;
    EditorSelection selection_;
    bool firstActivationDone_ = false;
};

} // namespace veld23::commands
