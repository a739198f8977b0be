// The main window's file commands without the window: what they do with the
// configuration, in which order they move the windows, and how a failed save stops
// the command that asked for it.
#include "commands/MainWindowCommands.h"
#include "commands/CommandsTestBench.h"
#include "config/RecordingSteps.h"
#include "support/TempDir.h"

#include "config/ConfigurationFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veld23::testing {
namespace {

using commands::DialogAnswer;
using commands::EditorWindow;

// The windows as a log of what was done to them.
class RecordingWindows : public commands::ApplicationWindows {
  public:
    std::vector<std::string> log;

    void ShowMainWindow() override { log.push_back("main"); }
    void MinimiseMainWindow() override { log.push_back("minimise"); }
    void RestoreMainWindow() override { log.push_back("restore"); }
    void SetMainWindowTitle(const std::string& title) override { log.push_back("title:" + title); }
    void ShowLoadingWindow() override { log.push_back("loading"); }
    void CloseLoadingWindow() override { log.push_back("loading:close"); }
    void SetBusyCursor(bool busy) override {
        log.push_back(busy ? "cursor:busy" : "cursor:normal");
    }
    void FillAboutWindow(const std::string&, const std::string&, const std::string&) override {}
    bool EditorWindowAvailable(EditorWindow) const override { return false; }
    void ShowEditorWindow(EditorWindow) override { log.push_back("editor"); }
    void RedrawFinalResponse() override { log.push_back("redraw"); }
    void ConfigurationChanged() override { log.push_back("changed"); }
};

class FileDialogsAndMessages : public commands::ConfigurationFileDialogs,
                               public RecordingFileMessages {
  public:
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;

    std::optional<std::string> ChooseFileToOpen(const commands::FileDialogRequest&) override {
        return openPath;
    }
    std::optional<std::string> ChooseFileToSave(const commands::FileDialogRequest&) override {
        return savePath;
    }
};

// The device side of the bench with the main window's file commands over it.
struct MainWindowBench : CommandsBench {
    RecordingWindows windows;
    FileDialogsAndMessages files;
    commands::MainWindowCommands mainWindow{{config, editors, device, files, files, windows}};
    TempDir dir;

    MainWindowBench() { mainWindow.ConfigurationSettled(); }
    std::string File(const char* name) const { return dir.File(name); }
};

TEST(MainWindowCommands, OpenLoadsBehindTheLoadingWindowAndPutsEverythingBack) {
    MainWindowBench bench;
    bench.config.SystemInformation.SystemName.Assign("Saved");
    ASSERT_TRUE(SaveConfigurationFile(bench.config, bench.File("saved.v23")));
    bench.config.SystemInformation.SystemName.Assign("Unsaved");
    bench.windows.log.clear();

    bench.dialogs.answers = {DialogAnswer::No};
    bench.files.openPath = bench.File("saved.v23");
    EXPECT_TRUE(bench.mainWindow.Open());
    EXPECT_EQ(bench.config.SystemInformation.SystemName, "Saved");
    EXPECT_EQ(
        bench.windows.log,
        (std::vector<std::string>{
            // The reset after the save question, which is no file any more.
            "title:VELD23 - Digital Controller", "main", "changed",
            // The file, read behind the loading window.
            "minimise", "loading", "cursor:busy", "title:VELD23 - Digital Controller: saved.v23",
            // Back as it was.
            "loading:close", "restore", "cursor:normal", "redraw", "changed"}));
    EXPECT_EQ(bench.windowsClosed, 3); // after the question, by the reset and by the file
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller: saved.v23");

    // A cancelled file dialog reads nothing and still puts everything back.
    bench.config.ChannelLabels.In1.Assign("Kick");
    bench.windows.log.clear();
    bench.dialogs.answers = {DialogAnswer::No};
    bench.files.openPath.reset();
    EXPECT_FALSE(bench.mainWindow.Open());
    EXPECT_EQ(bench.config.ChannelLabels.In1, "In1");
    EXPECT_EQ(bench.windows.log,
              (std::vector<std::string>{"title:VELD23 - Digital Controller", "main", "changed",
                                        "loading:close", "restore", "cursor:normal", "redraw",
                                        "changed"}));

    // A file that is not one: told, refused, and the title names no file.
    std::filesystem::resize_file(bench.File("saved.v23"), 100);
    bench.files.openPath = bench.File("saved.v23");
    EXPECT_FALSE(bench.mainWindow.Open());
    EXPECT_EQ(bench.files.errors,
              std::vector<std::string>{WrongSizeMessage(FullPathOf(bench.File("saved.v23")))});
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller");
}

// The question comes only when the file Save would write differs from the one of the
// configuration as last opened, saved, read or made new.
TEST(MainWindowCommands, TheSaveQuestionComesOnlyWhenSomethingWouldBeLost) {
    MainWindowBench bench;
    const std::string question = "ask:Do you want to save the present configuration?";
    const auto asked = [&bench] {
        const std::size_t count = bench.dialogs.log.size();
        bench.dialogs.log.clear();
        return count;
    };
    EXPECT_FALSE(bench.mainWindow.HasUnsavedChanges());
    EXPECT_TRUE(bench.mainWindow.New());
    EXPECT_EQ(asked(), 0u);

    // A change, even one made in an editor, shows in the title and is asked about.
    bench.editors.levels.ToggleMute(1);
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller *");
    bench.dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_FALSE(bench.mainWindow.New());
    EXPECT_EQ(bench.dialogs.log, std::vector<std::string>{question});
    asked();
    // Undone by hand, it is no change.
    bench.editors.levels.ToggleMute(1);
    EXPECT_FALSE(bench.mainWindow.HasUnsavedChanges());

    bench.mainWindow.SetChannelLabel(1, "Kick");
    bench.files.savePath = bench.File("kick.v13");
    EXPECT_TRUE(bench.mainWindow.Save());
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller: kick.v13");
    bench.files.openPath = bench.File("kick.v13");
    EXPECT_TRUE(bench.mainWindow.Open());
    EXPECT_TRUE(bench.mainWindow.MayClose());
    EXPECT_EQ(asked(), 0u);
    bench.mainWindow.SetSystemName("Hall");
    bench.dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_FALSE(bench.mainWindow.MayClose());
    EXPECT_EQ(asked(), 1u);
}

// The same command as Open, with the path given instead of chosen.
TEST(MainWindowCommands, ANamedFileOpensAsOpenOpensAChosenOne) {
    MainWindowBench bench;
    bench.config.SystemInformation.SystemName.Assign("Named");
    ASSERT_TRUE(SaveConfigurationFile(bench.config, bench.File("named.v23")));
    bench.config.SystemInformation.SystemName.Assign("NoName");

    // As at start: nothing unsaved, so no question; and no dialog (none has a path).
    EXPECT_TRUE(bench.mainWindow.OpenNamedFile(bench.File("named.v23")));
    EXPECT_EQ(bench.config.SystemInformation.SystemName, "Named");
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller: named.v23");
    EXPECT_TRUE(bench.dialogs.log.empty());
}

TEST(MainWindowCommands, ASaveThatFailsIsToldAndStopsTheCommandThatAskedForIt) {
    MainWindowBench bench;
    bench.config.SystemInformation.SystemName.Assign("Work");
    bench.files.savePath = bench.File("no-such-folder/work.v23");
    EXPECT_FALSE(bench.mainWindow.Save());
    ASSERT_EQ(bench.dialogs.log.size(), 1u);
    EXPECT_EQ(bench.dialogs.log[0].rfind("error:", 0), 0u);
    EXPECT_NE(bench.dialogs.log[0].find("work.v23"), std::string::npos);
    EXPECT_EQ(bench.mainWindow.Title(), "VELD23 - Digital Controller *");

    bench.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_FALSE(bench.mainWindow.New());
    EXPECT_EQ(bench.config.SystemInformation.SystemName, "Work");
    // Closing is refused the same way.
    bench.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_FALSE(bench.mainWindow.MayClose());

    bench.files.savePath = bench.File("work.v23");
    bench.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(bench.mainWindow.New());
    EXPECT_EQ(bench.config.SystemInformation.SystemName, "NoName");
    EXPECT_TRUE(std::filesystem::exists(bench.dir.path() / "work.v23"));
}

// The code page's conversion is the configuration's; here, that the texts go through it.
TEST(MainWindowCommands, TextsCrossIntoTheConfigurationAsItsCodePage) {
    MainWindowBench bench;
    bench.mainWindow.SetSystemName("Caf\xC3\xA9");
    EXPECT_EQ(bench.config.SystemInformation.SystemName, "Caf\xE9");
    EXPECT_EQ(bench.mainWindow.SystemName(), "Caf\xC3\xA9");
    bench.mainWindow.SetChannelLabel(5, "Sub\xE2\x88\x9A"
                                        "woofer");
    EXPECT_EQ(bench.config.ChannelLabels.Sub, "Sub?wo");
    bench.mainWindow.SetChannelLabel(6, "none");
    EXPECT_EQ(bench.mainWindow.ChannelLabel(6), "");
    bench.mainWindow.SelectProgram(12);
    EXPECT_EQ(bench.config.ProgramNumber, 8);
}

} // namespace
} // namespace veld23::testing
