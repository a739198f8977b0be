#include "editors/LevelController.h"

#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

// The level laws and gains are the level record's tests; here the fields, the switches and
// what goes out: the gain times the on factor, as a value of kind 2 from parameter 258.

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

struct Levels {
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

TEST(LevelController, SliderSetsTheFieldAndSendsTheGain) {
    Levels t;
    EXPECT_EQ(t.controller.LevelText(1), "0.0");
    const struct {
        int output;
        int position;
        const char* text;
        double gain;
    } rows[] = {{1, 121, "-6.0", 0.501187}, {2, 0, "6.0", 1.995262}, {3, 361, "-30.0", 0.0316228}};
    for (const auto& row : rows) {
        t.controller.SetLevelPosition(row.output, row.position);
        EXPECT_EQ(t.controller.LevelText(row.output), row.text);
        t.ExpectLastSend(static_cast<std::uint16_t>(257 + row.output), row.gain);
    }
    EXPECT_DOUBLE_EQ(t.controller.OutputLevelDb(1), -6.0);
    EXPECT_EQ(t.redraws, 3);

    // Nothing is sent outside Real Time mode or while a message is going out; the edit
    // is kept all the same.
    t.sender.mode = false;
    t.controller.SetLevelPosition(1, 61);
    t.sender.mode = true;
    t.sender.busy = true;
    t.controller.SetLevelPosition(2, 61);
    t.controller.SetLevelPosition(0, 100);
    t.controller.SetLevelPosition(4, 100);
    EXPECT_EQ(t.sender.calls.size(), 3u);
    EXPECT_EQ(t.records[0].OutputGain, 1.0);
    EXPECT_EQ(t.records[1].OutputGain, 1.0);
}

TEST(LevelController, LevelFieldTakesTheShownValue) {
    Levels t;
    t.controller.SetLevelText(1, "-6.04");
    EXPECT_EQ(t.records[0].LevelPosition, 61); // typing alone changes nothing
    t.controller.LevelEnter(1);
    EXPECT_EQ(t.controller.LevelText(1), "-6.0");
    EXPECT_EQ(t.records[0].LevelPosition, 121);
    t.ExpectLastSend(258, 0.501187);

    t.controller.SetLevelText(1, "loud"); // not a number: the field shows the level again
    t.controller.LevelEnter(1);
    EXPECT_EQ(t.controller.LevelText(1), "-6.0");

    t.controller.SetLevelText(1, "12");
    t.controller.LevelEnter(1);
    t.controller.LevelUp(1);
    EXPECT_EQ(t.controller.LevelText(1), "6.0");
    EXPECT_EQ(t.records[0].LevelPosition, 1);

    t.controller.SetLevelText(2, "-45");
    t.controller.LevelEnter(2);
    t.controller.LevelDown(2);
    EXPECT_EQ(t.controller.LevelText(2), "-30.0");
    EXPECT_EQ(t.records[1].LevelPosition, 361);
    t.controller.LevelDown(3);
    EXPECT_EQ(t.records[2].LevelPosition, 62);
    // Up steps from what is typed, as Enter would take it.
    t.controller.SetLevelText(3, "-3.0");
    t.controller.LevelUp(3);
    EXPECT_EQ(t.controller.LevelText(3), "-2.9");
}

TEST(LevelController, MuteSilencesAndPolarityFlipsTheSign) {
    Levels t;
    t.controller.SetLevelPosition(3, 121);
    t.controller.ToggleMute(3);
    EXPECT_TRUE(t.controller.MuteLit(3));
    EXPECT_TRUE(t.controller.MainMuteShown(3));
    EXPECT_FALSE(t.controller.ChannelLabelEnabled(3));
    EXPECT_TRUE(t.controller.ChannelLabelEnabled(1));
    t.ExpectLastSend(260, 0.0);
    EXPECT_NEAR(t.records[2].OutputGain, 0.501187, 1e-6); // the level is kept
    t.controller.TogglePolarity(3);
    EXPECT_TRUE(t.controller.PolarityLit(3));
    t.ExpectLastSend(260, 0.0);
    t.controller.ToggleMute(3);
    EXPECT_FALSE(t.controller.MainMuteShown(3));
    EXPECT_TRUE(t.controller.ChannelLabelEnabled(3));
    t.ExpectLastSend(260, -0.501187);
    t.controller.TogglePolarity(3);
    EXPECT_FALSE(t.controller.PolarityLit(3));
    t.ExpectLastSend(260, 0.501187);
}

TEST(LevelController, OpenedConfigurationRestoresFieldsSlidersAndMuteIndication) {
    Levels t;
    // As a configuration file leaves the records: gains and switches only.
    t.records[1].OutputGain = -0.5;
    t.records[1].OutputInverted = true;
    t.records[1].OutputMuted = true;
    t.records[2].OutputGain = 1.2589; // +2.0 dB
    t.sender.mode = false;
    t.controller.ActualizaValores();
    t.controller.ActualizaMainMute();

    EXPECT_EQ(t.controller.LevelText(2), "-6.0");
    EXPECT_EQ(t.records[1].LevelPosition, 121);
    EXPECT_TRUE(t.controller.MuteLit(2));
    EXPECT_TRUE(t.controller.PolarityLit(2));
    EXPECT_TRUE(t.controller.MainMuteShown(2));
    EXPECT_FALSE(t.controller.ChannelLabelEnabled(2));
    EXPECT_EQ(t.controller.LevelText(3), "2.0");
    EXPECT_EQ(t.controller.LevelText(1), "0.0");
    EXPECT_FALSE(t.controller.MainMuteShown(1));
}

} // namespace
} // namespace veld23
