// The main window's device commands: their questions, transfers and the enabling
// of the device command controls around them.
#include "CommandsTestBench.h"

#include "commands/CommandTexts.h"

#include <gtest/gtest.h>

#include <utility>

namespace veld23 {
namespace {

using commands::CommandOutcome;
using commands::DialogAnswer;
using link::LinkIndicator;
using testing::CommandsBench;
using testing::ShownTrace;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kProtected = "information:MEMORY PROTECTED. If you want to override it, you "
                                   "must unprotect it from the keyboard of the Processor.";

TEST(DeviceCommands, WriteAsksThenStoresVerifiesAndLoadsTheMemory) {
    CommandsBench t;
    t.Connect();
    t.config.SelectProgram(3);
    ShownTrace trace(t, [&t] { return t.device.CommandsAvailable(); });
    // Only Yes goes on.
    t.dialogs.answers = {DialogAnswer::No, DialogAnswer::Cancel, DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Declined);
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Declined);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_TRUE(t.commands.VerifyAfterWrite());
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Done);
    EXPECT_EQ(t.dialogs.log,
              std::vector<std::string>(3, "ask:The memory 3 have a preset stored. Do you want to "
                                          "overwrite it?"));
    const auto& done = t.processor.Completed();
    ASSERT_EQ(done.size(), 4u); // the link check, the write, the read-back and the load
    EXPECT_EQ(done[1].command, 3);
    EXPECT_EQ(done[1].data, CommandsBench::ImageAsWritten(t.config));
    EXPECT_EQ(done[2].command, 4);
    EXPECT_EQ(done[3].command, 7);
    EXPECT_EQ(t.processor.RunningProgram(), 3);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Memory 3 written and verified");
    // Disabled while each command runs, its questions included.
    EXPECT_EQ(trace.states, (std::vector<bool>{true, false, true, false, true, false, true}));

    // Without the read-back the line says only what was done.
    t.commands.SetVerifyAfterWrite(false);
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Done);
    ASSERT_EQ(done.size(), 6u);
    EXPECT_EQ(done[4].command, 3);
    EXPECT_EQ(done[5].command, 7);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Memory 3 written");
}

TEST(DeviceCommands, WriteToAProtectedMemoryKeepsTheCommandsOffered) {
    CommandsBench t;
    t.Connect();
    t.processor.SetProtected(3, true);
    t.config.SelectProgram(3);
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Failed);
    EXPECT_TRUE(t.dialogs.Has(kProtected));
    // No command 7 was started: the write stopped at the program number.
    EXPECT_EQ(t.Sent(), (Bytes{0x80, 0x03, 0x03}));
    // The processor answered as it should; another memory can be written at once.
    EXPECT_TRUE(t.device.CommandsAvailable());
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : Connected at COM1");
}

TEST(DeviceCommands, ReadAbandonedAtTheSaveQuestionSendsNothing) {
    CommandsBench t;
    t.Connect();
    ShownTrace trace(t, [&t] { return t.device.CommandsAvailable(); });
    t.dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_EQ(t.commands.Read(), CommandOutcome::Declined);
    EXPECT_EQ(t.dialogs.log,
              (std::vector<std::string>{"ask:Do you want to save the present configuration?"}));
    EXPECT_EQ(trace.states, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(t.Sent().empty());
}

TEST(DeviceCommands, ReadTakesTheMemoryIntoTheConfiguration) {
    CommandsBench t;
    ProcessorConfiguration stored; // three outputs, as a processor memory may hold
    stored.SystemInformation.SystemName.Assign("Stage Left");
    t.StoreConfiguration(2, stored);
    t.Connect();
    t.config.SelectProgram(2);
    t.device.RealTime().SwitchOn();
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Read(), CommandOutcome::Done);
    EXPECT_EQ(t.saver.saves, 1);
    EXPECT_EQ(t.saver.reads, 1); // what was read is now the unchanged state
    EXPECT_EQ(t.windowsClosed, 1);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.config.SystemInformation.SystemName.View().substr(0, 10), "Stage Left");
    EXPECT_FALSE(t.port.IsOpen());
    EXPECT_TRUE(t.device.CommandsAvailable());
}

// A wrong answer withdraws the commands until the link is checked again; an image too
// short to read is refused and told, and the link stays usable.
TEST(DeviceCommands, AFailedReadKeepsTheConfiguration) {
    CommandsBench t;
    t.StoreConfiguration(1, ProcessorConfiguration());
    t.Connect();
    t.processor.Faults().wrongAt = link::SimStep::Program;
    t.dialogs.answers = {DialogAnswer::No};
    EXPECT_EQ(t.commands.Read(), CommandOutcome::Failed);
    EXPECT_EQ(t.config.Topology, OutputTopology::TwoOutputs);
    EXPECT_FALSE(t.device.CommandsAvailable());
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : COM1 answered wrongly");

    t.processor.Faults() = {};
    t.processor.SetMemory(1, Bytes{0x00, 0x63, 1, 2, 3}); // announces 99 bytes
    t.connect.Show();
    t.Connect(LinkIndicator::Usb);
    t.dialogs.answers = {DialogAnswer::No};
    EXPECT_EQ(t.commands.Read(), CommandOutcome::Failed);
    ASSERT_FALSE(t.dialogs.log.empty());
    EXPECT_EQ(t.dialogs.log.back().rfind("error:", 0), 0u) << t.dialogs.log.back();
    EXPECT_EQ(t.config.Topology, OutputTopology::TwoOutputs);
    EXPECT_TRUE(t.device.CommandsAvailable());
}

TEST(DeviceCommands, ChangeMakesTheMemoryRunAndEndsRealTimeMode) {
    CommandsBench t;
    t.Connect();
    t.config.SelectProgram(5);
    t.device.RealTime().SwitchOn();
    t.dialogs.answers = {DialogAnswer::Cancel, DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Change(), CommandOutcome::Declined);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_EQ(t.commands.Change(), CommandOutcome::Done);
    EXPECT_EQ(t.dialogs.log[0], "ask:Do you want to Change the present configuration and load "
                                "the memory 5 in the VELD23 ?");
    EXPECT_EQ(t.processor.RunningProgram(), 5);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
}

TEST(DeviceCommands, BlockAndUnblockAskOkOrCancel) {
    CommandsBench t;
    t.Connect();
    ShownTrace trace(t, [&t] { return t.device.CommandsAvailable(); });
    t.dialogs.okAnswers = {true, false, true};
    EXPECT_EQ(t.commands.Block(), CommandOutcome::Done);
    EXPECT_TRUE(t.processor.KeyboardLocked());
    EXPECT_EQ(t.commands.Unblock(), CommandOutcome::Declined);
    EXPECT_TRUE(t.processor.KeyboardLocked());
    EXPECT_EQ(t.processor.Completed().size(), 2u);
    EXPECT_EQ(t.commands.Unblock(), CommandOutcome::Done);
    EXPECT_FALSE(t.processor.KeyboardLocked());
    EXPECT_EQ(t.dialogs.log,
              (std::vector<std::string>{"okcancel:Do you want to LOCK the Keyboard?",
                                        "okcancel:Do you want to UNLOCK the Keyboard?",
                                        "okcancel:Do you want to UNLOCK the Keyboard?"}));
    // Disabled during each question, enabled after each, the cancelled one included.
    EXPECT_EQ(trace.states, (std::vector<bool>{true, false, true, false, true, false, true}));
}

TEST(DeviceCommands, PasswordSendsTheKeypadRecord) {
    CommandsBench t;
    t.Connect();
    bool ok = false; // the first time the user cancels
    t.dialogs.keypad = [&](commands::PasswordKeypad& pad) {
        EXPECT_EQ(pad.KeyCount(), 0);
        for (int i = 0; i < 6; ++i) {
            pad.Press(commands::PasswordKey::Push);
        }
        pad.ToggleActive();
        return std::exchange(ok, true);
    };
    EXPECT_EQ(t.commands.Password(), CommandOutcome::Declined);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_TRUE(t.device.CommandsAvailable());
    EXPECT_EQ(t.commands.Password(), CommandOutcome::Done);
    EXPECT_EQ(t.processor.Password(), (std::array<std::uint8_t, 7>{3, 3, 3, 3, 3, 3, 0xFF}));
    EXPECT_EQ(t.processor.Completed().back().command, 6);
}

TEST(DeviceCommands, CopyAllWritesEveryMemoryOverTheLinkInUse) {
    CommandsBench t;
    for (int i = 0; i < commands::DeviceCommandControls::kRevealClicks; ++i) {
        t.device.Presentation().Controls().PresetCaptionClick();
    }
    t.Connect(LinkIndicator::Usb);
    t.processor.SetProtected(4, true);
    EXPECT_EQ(t.commands.CopyAll(), CommandOutcome::Failed);
    EXPECT_TRUE(t.dialogs.Has(kProtected));
    EXPECT_EQ(t.config.ProgramNumber, 4);
    EXPECT_FALSE(t.processor.Memory(3).empty());
    EXPECT_TRUE(t.processor.Memory(5).empty());
    EXPECT_TRUE(t.device.CommandsAvailable());

    t.processor.SetProtected(4, false);
    const std::size_t before = t.processor.Completed().size();
    EXPECT_EQ(t.commands.CopyAll(), CommandOutcome::Done);
    const Bytes image = CommandsBench::ImageAsWritten(t.config);
    ASSERT_EQ(t.processor.Completed().size(), before + 8);
    for (int memory = 1; memory <= 8; ++memory) {
        const auto& transfer =
            t.processor.Completed()[before + static_cast<std::size_t>(memory - 1)];
        EXPECT_EQ(transfer.command, 3) << memory; // never a 7: nothing is made to run
        EXPECT_EQ(t.processor.Memory(memory), image) << memory;
    }
    EXPECT_EQ(t.config.ProgramNumber, 8);
    EXPECT_EQ(t.processor.RunningProgram(), 1);
    EXPECT_TRUE(t.device.CommandsAvailable());
}

TEST(DeviceCommands, OfflineRefusesEveryCommandWithoutAsking) {
    CommandsBench t;
    for (int i = 0; i < 20; ++i) {
        t.device.Presentation().Controls().PresetCaptionClick();
    }
    EXPECT_FALSE(t.device.CommandsAvailable());
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Refused);
    EXPECT_EQ(t.commands.Read(), CommandOutcome::Refused);
    EXPECT_EQ(t.commands.Change(), CommandOutcome::Refused);
    EXPECT_EQ(t.commands.Block(), CommandOutcome::Refused);
    EXPECT_EQ(t.commands.Password(), CommandOutcome::Refused);
    EXPECT_EQ(t.commands.CopyAll(), CommandOutcome::Refused);
    EXPECT_TRUE(t.dialogs.log.empty());
    EXPECT_TRUE(t.processor.FromEditor().empty());
}

TEST(DeviceCommands, NothingElseStartsWhileACommandRuns) {
    CommandsBench t;
    t.Connect();
    std::vector<CommandOutcome> meanwhile;
    bool selectorsEnabled = true;
    bool available = true;
    bool mayClose = true;
    bool asked = false;
    t.dialogs.whileAsking = [&] {
        if (asked) {
            return;
        }
        asked = true;
        selectorsEnabled = t.connect.SelectorsEnabled();
        available = t.device.CommandsAvailable();
        meanwhile.push_back(t.commands.Read());
        meanwhile.push_back(t.commands.RealTimeButtonClick());
        meanwhile.push_back(t.connect.Choose(LinkIndicator::Offline) ? CommandOutcome::Done
                                                                     : CommandOutcome::Refused);
        mayClose = t.commands.CloseRequested();
    };
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(t.commands.Write(), CommandOutcome::Done);
    EXPECT_FALSE(selectorsEnabled);
    EXPECT_FALSE(available);
    EXPECT_EQ(meanwhile, std::vector<CommandOutcome>(3, CommandOutcome::Refused));
    EXPECT_FALSE(mayClose);
    EXPECT_TRUE(t.dialogs.Has(std::string("information:") + commands::texts::kBusyClosing));
    EXPECT_TRUE(t.device.CommandsAvailable());
}

TEST(DeviceCommands, ClosingAsksToSaveFirst) {
    CommandsBench t;
    t.Connect();
    const std::string question =
        "ask:VELD23 is closing...Do you want to save the present configuration before?";
    t.dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_FALSE(t.commands.CloseRequested());
    EXPECT_EQ(t.dialogs.log, (std::vector<std::string>{question}));
    EXPECT_TRUE(t.port.IsOpen()); // left as the link check left it

    t.saver.succeeds = false;
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_FALSE(t.commands.CloseRequested());
    EXPECT_EQ(t.saver.saves, 1);

    t.saver.succeeds = true;
    t.dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(t.commands.CloseRequested());
    EXPECT_EQ(t.saver.saves, 2);
    EXPECT_FALSE(t.port.IsOpen());

    t.dialogs.answers = {DialogAnswer::No};
    EXPECT_TRUE(t.commands.CloseRequested());
    EXPECT_EQ(t.saver.saves, 2);
    EXPECT_TRUE(t.Sent().empty());
}

} // namespace
} // namespace veld23
