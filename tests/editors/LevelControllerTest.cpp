#include "editors/LevelController.h"

#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <tuple>

// The level laws and gains are the level record's tests; here the fields, the switches and
// what goes out: the gain times the on factor, as a value of kind 2 from parameter 258.

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

struct Levels : ::testing::Test {
    std::array<OutputLevel, 3> records{};
    RecordingRealTimeSender sender;
    LevelController controller{records, sender};
    int redraws = 0;

    Levels() {
        controller.SetRedrawFinalResponse([this] { ++redraws; });
    }

    void ExpectLastSend(std::uint16_t parameter, double value) const {
        ASSERT_FALSE(sender.calls.empty());
        const RecordingRealTimeSender::Call& call = sender.calls.back();
        EXPECT_EQ(call.kind, Kind::Value);
        EXPECT_EQ(call.parameter, parameter);
        EXPECT_EQ(call.messageKind, 2);
        EXPECT_NEAR(call.values[0], value, 1e-6);
    }
};

TEST_F(Levels, SliderSetsTheFieldAndSendsTheGain) {
    EXPECT_EQ(controller.LevelText(1), "0.0");
    const struct {
        int output;
        int position;
        const char* text;
        double gain;
    } rows[] = {{1, 121, "-6.0", 0.501187}, {2, 0, "6.0", 1.995262}, {3, 361, "-30.0", 0.0316228}};
    for (const auto& row : rows) {
        controller.SetLevelPosition(row.output, row.position);
        EXPECT_EQ(controller.LevelText(row.output), row.text);
        ExpectLastSend(static_cast<std::uint16_t>(257 + row.output), row.gain);
    }
    EXPECT_DOUBLE_EQ(controller.OutputLevelDb(1), -6.0);
    EXPECT_EQ(redraws, 3);

    // Nothing is sent outside Real Time mode; the edit is kept all the same.
    sender.mode = false;
    controller.SetLevelPosition(1, 61);
    controller.SetLevelPosition(0, 100); // no such output
    controller.SetLevelPosition(4, 100);
    EXPECT_EQ(sender.calls.size(), 3u);
    EXPECT_EQ(records[0].OutputGain, 1.0);
}

TEST_F(Levels, LevelFieldTakesTheShownValue) {
    controller.SetLevelText(1, "-6.04");
    EXPECT_EQ(records[0].LevelPosition, 61); // typing alone changes nothing
    controller.LevelEnter(1);
    EXPECT_EQ(controller.LevelText(1), "-6.0");
    EXPECT_EQ(records[0].LevelPosition, 121);
    ExpectLastSend(258, 0.501187);

    controller.SetLevelText(1, "loud"); // not a number: the field shows the level again
    controller.LevelEnter(1);
    EXPECT_EQ(controller.LevelText(1), "-6.0");

    controller.SetLevelText(1, "12");
    controller.LevelEnter(1);
    controller.LevelUp(1);
    EXPECT_EQ(controller.LevelText(1), "6.0");
    EXPECT_EQ(records[0].LevelPosition, 1);

    controller.SetLevelText(2, "-45");
    controller.LevelEnter(2);
    controller.LevelDown(2);
    EXPECT_EQ(controller.LevelText(2), "-30.0");
    EXPECT_EQ(records[1].LevelPosition, 361);
    controller.LevelDown(3);
    EXPECT_EQ(records[2].LevelPosition, 62);
    // Up steps from what is typed, as Enter would take it.
    controller.SetLevelText(3, "-3.0");
    controller.LevelUp(3);
    EXPECT_EQ(controller.LevelText(3), "-2.9");
}

TEST_F(Levels, MuteSilencesAndPolarityFlipsTheSign) {
    controller.SetLevelPosition(3, 121);
    controller.ToggleMute(3);
    EXPECT_EQ(std::tuple(controller.MuteLit(3), controller.MainMuteShown(3),
                         controller.ChannelLabelEnabled(3), controller.ChannelLabelEnabled(1)),
              std::tuple(true, true, false, true));
    ExpectLastSend(260, 0.0);
    EXPECT_NEAR(records[2].OutputGain, 0.501187, 1e-6); // the level is kept
    controller.TogglePolarity(3);
    EXPECT_TRUE(controller.PolarityLit(3));
    ExpectLastSend(260, 0.0);
    controller.ToggleMute(3);
    EXPECT_FALSE(controller.MainMuteShown(3));
    EXPECT_TRUE(controller.ChannelLabelEnabled(3));
    ExpectLastSend(260, -0.501187);
    controller.TogglePolarity(3);
    EXPECT_FALSE(controller.PolarityLit(3));
    ExpectLastSend(260, 0.501187);
}

TEST_F(Levels, OpenedConfigurationRestoresFieldsSlidersAndMuteIndication) {
    // As a configuration file leaves the records: gains and switches only.
    records[1].OutputGain = -0.5;
    records[1].OutputInverted = true;
    records[1].OutputMuted = true;
    records[2].OutputGain = 1.2589; // +2.0 dB
    sender.mode = false;
    controller.ActualizaValores();
    controller.ActualizaMainMute();

    EXPECT_EQ(controller.LevelText(2), "-6.0");
    EXPECT_EQ(records[1].LevelPosition, 121);
    EXPECT_TRUE(controller.MuteLit(2));
    EXPECT_TRUE(controller.PolarityLit(2));
    EXPECT_TRUE(controller.MainMuteShown(2));
    EXPECT_EQ(controller.LevelText(3), "2.0");
    EXPECT_FALSE(controller.MainMuteShown(1));
}

} // namespace
} // namespace veld23
