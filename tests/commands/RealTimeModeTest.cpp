// Entering and leaving Real Time mode, and the edits of a session reaching the
// processor's memory.
#include "CommandsTestBench.h"

#include "commands/CommandTexts.h"
#include "config/OutputDelay.h"
#include "device/Encodings.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using commands::CommandOutcome;
using commands::DialogAnswer;
using link::LinkIndicator;
using testing::CommandsBench;
using Bytes = std::vector<std::uint8_t>;
namespace texts = commands::texts;

const std::string kSecurityRead = std::string("information:") + texts::kRealTimeSecurityRead;
const std::string kSaveQuestion = std::string("ask:") + texts::kSaveQuestion;

// The Real Time indicator as the windows see it: every change of the mode.
struct IndicatorTrace {
    explicit IndicatorTrace(CommandsBench& t) : bench(t) {
        t.device.Presentation().SetChangeListener([this] {
            const bool lit = bench.device.RealTime().RealTimeMode();
            if (states.empty() || states.back() != lit) {
                states.push_back(lit);
            }
        });
    }
    CommandsBench& bench;
    std::vector<bool> states;
};

std::vector<int> Commands(const link::ProcessorSimulator& processor) {
    std::vector<int> commands;
    for (const auto& transfer : processor.Completed()) {
        commands.push_back(transfer.command);
    }
    return commands;
}

Bytes WordAt(std::span<const std::uint8_t> image, int word) {
    const std::size_t at = kProcessorBlock1Offset + 3 * static_cast<std::size_t>(word);
    return {image.begin() + static_cast<std::ptrdiff_t>(at),
            image.begin() + static_cast<std::ptrdiff_t>(at + 3)};
}

Bytes Coef(long double value) {
    const Coef22Bytes word = EncodeCoef22(value);
    return {word.begin(), word.end()};
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
    IndicatorTrace indicator(t);
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
    EXPECT_EQ(t.config.Topology, OutputTopology::ThreeOutputs);
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

TEST(RealTimeMode, ASessionsEditsReachTheRunningMemory) {
    CommandsBench t;
    t.Connect();
    // The editor's configuration is stored in memory 1 and runs.
    t.dialogs.answers = {DialogAnswer::Yes};
    ASSERT_EQ(t.commands.Write(), CommandOutcome::Done);
    t.dialogs.answers = {DialogAnswer::No};
    ASSERT_EQ(t.commands.RealTimeButtonClick(), CommandOutcome::Done);
    ASSERT_TRUE(t.device.RealTime().RealTimeMode());

    // An equaliser band of IN 1, the level of OUT 1 and the delay of the second output.
    t.editors.equaliser.ChooseEqualiser(1);
    t.editors.equaliser.SelectBand(3);
    t.editors.equaliser.ChooseType(1);
    t.editors.equaliser.SetGainText("-4.5");
    t.editors.equaliser.GainEnter();
    t.editors.levels.SetLevelText(1, "-3.5");
    t.editors.levels.LevelEnter(1);
    const std::int32_t position = OutputDelay::PositionForWord(30, 3, true);
    t.editors.delays.SetDelayPosition(3, position);
    ASSERT_EQ(t.config.Delays[2].DelayWord, 30);
    const PeqBand band = t.config.Peq[0].Band(3);
    const double gain = t.config.Levels[0].DeviceValue();
    ASSERT_NE(band.GetCoefficient(0), 1.0);

    // Reading memory 1 back brings the new words.
    t.dialogs.answers = {DialogAnswer::No};
    ASSERT_EQ(t.commands.Read(), CommandOutcome::Done);
    const auto image = t.device.Engine().ReceiveBuffer();
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(WordAt(image, band.CoefIndex + k), Coef(band.GetCoefficient(k))) << k;
    }
    EXPECT_EQ(WordAt(image, 255), Coef(gain));
    EXPECT_EQ(WordAt(image, 184), (Bytes{0x00, 0x00, 30}));
    // The delay comes back into the editor from its word.
    EXPECT_EQ(t.config.Delays[2].DelayWord, 30);
    EXPECT_EQ(t.config.Delays[2].DelayPosition, position);
    // Reading ends the mode, as every read does.
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
}

} // namespace
} // namespace veld23
