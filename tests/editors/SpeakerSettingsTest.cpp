#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "editors/SpeakerSettingsController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

class RecordingListener : public SpeakerSettingsListener {
  public:
    std::vector<PowerCheckResult> checks;
    std::vector<int> chosen;
    void PowerChecked(const PowerCheckResult& result) override { checks.push_back(result); }
    void DynamicsRecordChosen(int record) override { chosen.push_back(record); }
    void BalancedSwitched(int) override {}
};

struct SpeakerFixture : ::testing::Test {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    RecordingListener listener;
    SpeakerSettingsController speaker{config, &listener};

    SpeakerFixture() {
        ApplyThreeOutputs(config, sender);
        config.ChannelLabels.Sub.Assign("Bass");
    }
};

TEST_F(SpeakerFixture, OutputsOneAndTwoShareRecordOne) {
    speaker.ChooseOutput(2);
    EXPECT_EQ(speaker.CurrentRecord(), 1);
    EXPECT_EQ(speaker.Heading(), "OUTPUT 2:");
    EXPECT_TRUE(speaker.ButtonLit(2));
    EXPECT_FALSE(speaker.ButtonLit(1));
    speaker.AmpGainUp();
    EXPECT_EQ(config.Dynamics[0].AmpGain, 42.0f);
    EXPECT_EQ(config.Dynamics[1].AmpGain, 41.0f);

    speaker.ChooseOutput(1);
    EXPECT_EQ(speaker.AmpGain(), 42);
    EXPECT_EQ(listener.chosen, (std::vector<int>{1, 1}));
}

TEST_F(SpeakerFixture, SubButtonEditsRecordTwoAndFollowsTheTopology) {
    speaker.ChooseOutput(3);
    EXPECT_EQ(speaker.CurrentRecord(), 2);
    EXPECT_EQ(speaker.ChannelCaption(), "Bass");
    EXPECT_TRUE(speaker.ButtonOffered(2));
    speaker.SelectImpedance(2);
    EXPECT_EQ(config.Dynamics[1].Zload, 4.0f);
    EXPECT_EQ(config.Dynamics[0].Zload, 8.0f);
    EXPECT_EQ(listener.checks.back().record, 2);

    ApplyTwoOutputs(config, sender);
    speaker.ChooseOutput(3);
    EXPECT_EQ(speaker.Heading(), "OUTPUT 2");
    EXPECT_FALSE(speaker.ButtonOffered(2));
    EXPECT_TRUE(speaker.ButtonOffered(1));
    EXPECT_TRUE(speaker.ButtonOffered(3));
}

TEST_F(SpeakerFixture, BoxPowerStepsFollowTheValue) {
    // 25 W steps below 1000 W, 100 W from there, 1 W below 25 W; the field stops at 5 W.
    const struct {
        float stored;
        int direction;
        int box;
        int step;
    } rows[] = {{975.0f, +1, 1000, 100}, {1000.0f, +1, 1100, 100}, {1100.0f, -1, 1000, 100},
                {1000.0f, -1, 900, 25},  {50.0f, -1, 25, 25},      {25.0f, -1, 5, 1},
                {5.0f, -1, 5, 1},        {5.0f, +1, 6, 1}};
    for (const auto& row : rows) {
        config.Dynamics[0].PowerMaxLoad = row.stored;
        speaker.ChooseOutput(1);
        row.direction > 0 ? speaker.BoxPowerUp() : speaker.BoxPowerDown();
        EXPECT_EQ(speaker.BoxPower(), row.box) << row.stored;
        EXPECT_EQ(config.Dynamics[0].PowerMaxLoad, static_cast<float>(row.box)) << row.stored;
        EXPECT_EQ(speaker.BoxPowerStep(), row.step) << row.stored;
    }
}

TEST_F(SpeakerFixture, TypedAmplifierGainIsHeldOrIgnored) {
    const std::pair<const char*, int> typed[] = {{"120", 120},
                                                 {" 57 ", 57},
                                                 {"abc", 57},
                                                 {"", 57},
                                                 {"4.5", 57},
                                                 {"0", 5},
                                                 {"99999999999999999999999", 200},
                                                 {"-99999999999999999999999", 5}};
    for (const auto& [text, gain] : typed) {
        speaker.EnterAmpGain(text);
        EXPECT_EQ(speaker.AmpGain(), gain) << text;
        EXPECT_EQ(config.Dynamics[0].AmpGain, static_cast<float>(gain)) << text;
    }
}

TEST_F(SpeakerFixture, ImpedanceOfTwoPointSixSevenSurvivesSwitchingOutputs) {
    speaker.ChooseOutput(1);
    speaker.SelectImpedance(1);
    EXPECT_EQ(config.Dynamics[0].Zload, 2.67f);
    speaker.ChooseOutput(3);
    EXPECT_EQ(SpeakerSettingsController::kImpedanceItems[speaker.ImpedanceItem()], "8");
    speaker.ChooseOutput(1);
    EXPECT_EQ(SpeakerSettingsController::kImpedanceItems[speaker.ImpedanceItem()], "2.67");
    EXPECT_EQ(config.Dynamics[0].Zload, 2.67f);
    speaker.SelectImpedance(5);
    EXPECT_EQ(config.Dynamics[0].Zload, 2.67f);
}

TEST_F(SpeakerFixture, EveryFieldChangeChecksTheCurrentRecord) {
    speaker.ChooseOutput(3);
    listener.checks.clear();
    speaker.BoxPowerUp();
    speaker.AmpPowerDown();
    speaker.AmpGainUp();
    speaker.SelectImpedance(0);
    speaker.SelectSpeakerCount(3);
    ASSERT_EQ(listener.checks.size(), 5u);
    for (const PowerCheckResult& r : listener.checks) {
        EXPECT_EQ(r.record, 2);
    }
    EXPECT_EQ(config.Dynamics[1].NumberSpeakers, 3);
    EXPECT_EQ(config.Dynamics[1].PowerMaxLoad, 425.0f);
    // Each check sees the value its change just stored: 8 to 2 ohms is four times
    // the power, and the box capacity drops from 74 to 62 half-dB steps.
    EXPECT_NEAR(listener.checks[3].maxOutPowerWatts, 4 * listener.checks[2].maxOutPowerWatts, 1e-6);
    EXPECT_EQ(listener.checks[2].meter.maximum, 74);
    EXPECT_EQ(listener.checks[3].meter.maximum, 62);
}

TEST_F(SpeakerFixture, LoadedValuesAreShownAndKeptAsTheFieldsHoldThem) {
    TDYNAMIC& d = config.Dynamics[1];
    d.Zload = 0.0f;
    d.AmpGain = 0.0f;
    d.PowerMaxLoad = 1.0e9f;
    d.PowerAmpMax = 40.4f;
    d.NumberSpeakers = 9;
    speaker.ChooseOutput(3);
    EXPECT_EQ(std::tuple(speaker.ImpedanceItem(), speaker.AmpGain(), speaker.BoxPower(),
                         speaker.AmpPower(), speaker.SpeakerCountItem()),
              std::tuple(0, 5, 4000, 40, 3));
    EXPECT_EQ(std::tuple(d.Zload, d.AmpGain, d.PowerMaxLoad, d.PowerAmpMax, d.NumberSpeakers),
              std::tuple(2.0f, 5.0f, 4000.0f, 40.0f, 3));
}

} // namespace
} // namespace veld23
