// Entering and leaving Real Time mode; the messages sent while it is on are tested with
// their bytes.
#include "CommandsTestBench.h"

#include "commands/CommandTexts.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using commands::CommandOutcome;
using commands::DialogAnswer;
using link::LinkIndicator;
using testing::CommandsBench;
namespace texts = commands::texts;

const std::string kSecurityRead = std::string("information:") + texts::kRealTimeSecurityRead;
const std::string kSaveQuestion = std::string("ask:") + texts::kSaveQuestion;

std::vector<int> Commands(const link::ProcessorSimulator& processor) {
    std::vector<int> commands;
    for (const auto& transfer : processor.Completed()) {
        commands.push_back(transfer.command);
    }
    return commands;
}

TEST(RealTimeMode, IsNotPossibleOffline) {
    CommandsBench t;
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Refused);
    EXPECT_EQ(t.dialogs.log, (std::vector<std::string>{
                                 "information:You are Offline, Real Time Mode is not posible"}));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_TRUE(t.processor.FromEditor().empty());
}

TEST(RealTimeMode, StartsWithTheSecurityReadOfTheRunningMemory) {
    CommandsBench t;
    ProcessorConfiguration stored;
    stored.SystemInformation.SystemName.Assign("Running");
    t.StoreConfiguration(4, stored);
    t.processor.SetRunningProgram(4);
    t.Connect();
    testing::ShownTrace indicator(t, [&t] { return t.device.RealTime().RealTimeMode(); });
    bool onDuringRead = true;
    t.dialogs.whileAsking = [&] { onDuringRead = t.device.RealTime().RealTimeMode(); };
    t.dialogs.answers = {DialogAnswer::No};
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Done);
    // Once on, it says what it does, and the status line keeps saying it.
    EXPECT_EQ(t.dialogs.log,
              (std::vector<std::string>{kSecurityRead, kSaveQuestion,
                                        std::string("information:") + texts::kRealTimeOn}));
    EXPECT_EQ(t.device.Presentation().StatusLine(),
              "Status : Connected at COM1  -  Real Time: every edit is sent to the running memory "
              "at once");
    EXPECT_FALSE(onDuringRead);
    EXPECT_EQ(Commands(t.processor), (std::vector<int>{0, 19, 4}));
    EXPECT_EQ(t.config.ProgramNumber, 4);
    EXPECT_EQ(t.config.SystemInformation.SystemName.View().substr(0, 7), "Running");
    // The read itself sent nothing in real time; only now is the mode on.
    EXPECT_TRUE(t.processor.RealTimeMessages().empty());
    EXPECT_TRUE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(indicator.states.back(), true);

    // Pressing the button again leaves the mode without a word to the processor.
    t.Forget();
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Done);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(indicator.states.back(), false);
    EXPECT_EQ(t.device.Presentation().StatusLine(), "Status : Connected at COM1");
    EXPECT_TRUE(t.Sent().empty());
}

TEST(RealTimeMode, StaysOffWhenTheReadIsAbandonedOrFails) {
    CommandsBench t;
    t.StoreConfiguration(1, ProcessorConfiguration());
    t.Connect();
    t.dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Declined);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(Commands(t.processor), (std::vector<int>{0, 19}));

    // A running memory that is no memory fails the query: no read at all.
    t.processor.Faults().wrongAt = link::SimStep::Program;
    t.processor.Faults().wrongValue = 0;
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Failed);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.progress.infoText, "  ¡¡ERROR!! N_PROG NO VALID ");
    // Until the link is checked again the switch does nothing.
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Refused);
    t.processor.Faults() = {};
    t.connect.Show();
    t.Connect();

    // A processor that stops in the middle of the memory takes the link Offline.
    t.processor.Faults().hangUpAfterBlocks = 3;
    t.dialogs.answers = {DialogAnswer::No};
    EXPECT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Failed);
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.device.Link().Kind(), link::LinkKind::Offline);
    EXPECT_EQ(t.config.Topology, OutputTopology::TwoOutputs);
}

} // namespace
} // namespace veld23
