#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "editors/SpeakerSettingsController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

class RecordingListener : public SpeakerSettingsListener {
  public:
    std::vector<PowerCheckResult> checks;
    std::vector<int> chosen;
    std::vector<int> balanced;
    void PowerChecked(const PowerCheckResult& result) override { checks.push_back(result); }
    void DynamicsRecordChosen(int record) override { chosen.push_back(record); }
    void BalancedSwitched(int record) override { balanced.push_back(record); }
};

struct SpeakerFixture : ::testing::Test {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    RecordingListener listener;
    SpeakerSettingsController speaker{config, &listener};

    SpeakerFixture() {
        ApplyThreeOutputs(config, sender);
        config.ChannelLabels.Out1.Assign("Left");
        config.ChannelLabels.Out2.Assign("Right");
        config.ChannelLabels.Sub.Assign("Bass");
    }
};

TEST_F(SpeakerFixture, OutputsOneAndTwoShareRecordOne) {
    speaker.ChooseOutput(2);
    EXPECT_EQ(speaker.CurrentRecord(), 1);
    EXPECT_EQ(speaker.Heading(), "OUTPUT 2:");
    EXPECT_EQ(speaker.ChannelCaption(), "Right");
    EXPECT_TRUE(speaker.ButtonLit(2));
    EXPECT_FALSE(speaker.ButtonLit(1));
    speaker.AmpGainUp();
    EXPECT_EQ(config.Dynamics[0].AmpGain, 42.0f);
    EXPECT_EQ(config.Dynamics[1].AmpGain, 41.0f);

    speaker.ChooseOutput(1);
    EXPECT_EQ(speaker.AmpGain(), 42);
    EXPECT_EQ(speaker.Heading(), "OUTPUT 1:");
    EXPECT_EQ(speaker.ChannelCaption(), "Left");
    EXPECT_EQ(listener.chosen, (std::vector<int>{1, 1}));
}

TEST_F(SpeakerFixture, SubButtonEditsRecordTwoAndFollowsTheTopology) {
    speaker.ChooseOutput(3);
    EXPECT_EQ(speaker.CurrentRecord(), 2);
    EXPECT_EQ(speaker.Heading(), "OUT SUB   ");
    EXPECT_EQ(speaker.ChannelCaption(), "Bass");
    EXPECT_TRUE(speaker.ButtonOffered(2));
    speaker.SelectImpedance(2);
    EXPECT_EQ(config.Dynamics[1].Zload, 4.0f);
    EXPECT_EQ(config.Dynamics[0].Zload, 8.0f);
    EXPECT_EQ(listener.checks.back().record, 2);

    ApplyTwoOutputs(config, sender);
    speaker.ChooseOutput(3);
    EXPECT_EQ(speaker.Heading(), "OUTPUT 2");
    EXPECT_EQ(speaker.ChannelCaption(), "Right");
    EXPECT_FALSE(speaker.ButtonOffered(2));
    EXPECT_TRUE(speaker.ButtonOffered(1));
    EXPECT_TRUE(speaker.ButtonOffered(3));
}

TEST_F(SpeakerFixture, BoxPowerStepsFollowTheValue) {
    config.Dynamics[0].PowerMaxLoad = 975.0f;
    speaker.ChooseOutput(1);
    EXPECT_EQ(speaker.BoxPowerStep(), 25);
    speaker.BoxPowerUp();
    EXPECT_EQ(speaker.BoxPower(), 1000);
    EXPECT_EQ(speaker.BoxPowerStep(), 100);
    speaker.BoxPowerUp();
    EXPECT_EQ(config.Dynamics[0].PowerMaxLoad, 1100.0f);
    speaker.BoxPowerDown();
    speaker.BoxPowerDown();
    EXPECT_EQ(speaker.BoxPower(), 900);
    EXPECT_EQ(speaker.BoxPowerStep(), 25);

    config.Dynamics[0].PowerMaxLoad = 50.0f;
    speaker.ChooseOutput(1);
    speaker.BoxPowerDown();
    EXPECT_EQ(speaker.BoxPower(), 25);
    speaker.BoxPowerDown(); // 0 is below the field: it stops at 5 W
    EXPECT_EQ(speaker.BoxPower(), 5);
    EXPECT_EQ(speaker.BoxPowerStep(), 1);
    speaker.BoxPowerDown();
    EXPECT_EQ(speaker.BoxPower(), 5);
    speaker.BoxPowerUp();
    EXPECT_EQ(speaker.BoxPower(), 6);
}

TEST_F(SpeakerFixture, TypedAmplifierGainIsHeldOrIgnored) {
    speaker.EnterAmpGain("120");
    EXPECT_EQ(config.Dynamics[0].AmpGain, 120.0f);
    speaker.EnterAmpGain(" 57 ");
    EXPECT_EQ(speaker.AmpGain(), 57);
    speaker.EnterAmpGain("abc");
    speaker.EnterAmpGain("");
    speaker.EnterAmpGain("4.5");
    EXPECT_EQ(speaker.AmpGain(), 57);
    speaker.EnterAmpGain("0");
    EXPECT_EQ(speaker.AmpGain(), 5);
    speaker.EnterAmpGain("99999999999999999999999");
    EXPECT_EQ(speaker.AmpGain(), 200);
    speaker.EnterAmpGain("-99999999999999999999999");
    EXPECT_EQ(speaker.AmpGain(), 5);
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
    EXPECT_EQ(speaker.ImpedanceItem(), 0);
    EXPECT_EQ(speaker.AmpGain(), 5);
    EXPECT_EQ(speaker.BoxPower(), 4000);
    EXPECT_EQ(speaker.AmpPower(), 40);
    EXPECT_EQ(speaker.SpeakerCountItem(), 3);
    EXPECT_EQ(d.Zload, 2.0f);
    EXPECT_EQ(d.AmpGain, 5.0f);
    EXPECT_EQ(d.PowerMaxLoad, 4000.0f);
    EXPECT_EQ(d.PowerAmpMax, 40.0f);
    EXPECT_EQ(d.NumberSpeakers, 3);
}

} // namespace
} // namespace veld23
