#include "editors/LoudnessController.h"
#include "EditorTestSupport.h"
#include "config/OutputTopology.h"

#include <cmath>

namespace veld23 {
namespace {

using namespace testing;

struct LoudnessWindow : CrossoverEditor {
    LoudnessController loudness{config, sender, controller};
    int loudnessRedraws = 0;

    LoudnessWindow() {
        loudness.SetRedrawFinalResponse([this] { ++loudnessRedraws; });
        sender.calls.clear();
    }
    LoudnessSection& Section() { return config.Loudness[0]; }
};

// The slider laws and the designs are the loudness section's; the controller holds
// positions to its sliders, shows what they give, and the buttons choose the design.
TEST(LoudnessController, SlidersAndButtonsDesignTheSection) {
    LoudnessWindow t;
    t.loudness.SetGainPosition(500);
    EXPECT_EQ(t.loudness.GainPosition(), 121);
    EXPECT_EQ(t.loudness.GainText(), "0.0");
    t.loudness.SetFrequencyPosition(51);
    EXPECT_EQ(t.loudness.FrequencyText(), "29");
    t.loudness.SetFrequencyPosition(-4);
    EXPECT_EQ(t.Section().Frequency, 80.0);
    t.loudness.SetGainPosition(1);
    EXPECT_EQ(t.loudness.GainText(), "11.9");
    EXPECT_EQ(t.Section().GainDb, 11.9);

    t.loudness.ChooseHighPass();
    EXPECT_TRUE(t.loudness.HighPassLit());
    EXPECT_FALSE(t.loudness.ParamLit());
    EXPECT_LT(t.loudness.Response().magnitudeDb[0], -10.0); // a high-pass at 80 Hz
    t.loudness.ChooseParam();
    EXPECT_NEAR(t.loudness.Response().magnitudeDb[kGrid80Hz], 11.9, 0.3); // the peak
}

TEST(LoudnessController, SendsSectionAtWordHundredWhenTheSenderMay) {
    LoudnessWindow t;
    t.loudness.SetGainPosition(60);
    ASSERT_EQ(t.sender.calls.size(), 1u);
    ExpectSentSection(t.sender.calls[0], t.Section());
    EXPECT_EQ(t.sender.calls[0].parameter, 100);
    EXPECT_NE(t.sender.calls[0].values[0], 1.0);
    EXPECT_EQ(t.loudnessRedraws, 1);

    t.sender.mode = false;
    t.loudness.SetFrequencyPosition(10);
    EXPECT_EQ(t.sender.calls.size(), 1u);
    EXPECT_EQ(t.Section().Frequency, 70.0);
    EXPECT_EQ(t.loudnessRedraws, 2);
}

TEST(LoudnessController, ShowSetsTheControlsFromTheSection) {
    LoudnessWindow t;
    t.Section().Frequency = 40.0;
    t.Section().GainDb = 6.0;
    t.Section().SectionType = kHiPassQ;
    t.loudness.Show();
    EXPECT_EQ(t.loudness.FrequencyPosition(), 40);
    EXPECT_EQ(t.loudness.GainPosition(), 60);
    EXPECT_TRUE(t.loudness.HighPassLit());

    // What a damaged file could carry ends inside the controls.
    t.Section().Frequency = std::nan("");
    t.Section().GainDb = 40.0;
    t.Section().SectionType = kAllPass2;
    t.loudness.Show();
    EXPECT_TRUE(t.loudness.ParamLit());
    EXPECT_EQ(t.Section().SectionType, kParametricQAdap);
    EXPECT_EQ(t.Section().GainDb, 12.0);
    EXPECT_GE(t.Section().Frequency, 29.0);
    EXPECT_LE(t.Section().Frequency, 80.0);
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        ASSERT_TRUE(std::isfinite(t.loudness.Response().magnitudeDb[i])) << i;
    }
}

TEST(LoudnessController, SubCurveFollowsTheLoudnessWhicheverOutputIsModified) {
    LoudnessWindow t;
    t.controller.ChooseOutput(1);
    t.loudness.SetGainPosition(0);
    const ResponseCurve& crossover = t.controller.OutputResponse(3);
    EXPECT_GT(t.CurveY(3, kGrid55Hz), 11.0);
    // The loudness is not part of the crossover's own response.
    EXPECT_NEAR(crossover.magnitudeDb[kGrid55Hz], 0.0, 1e-6);
    EXPECT_EQ(t.controller.CurrentOutput(), 1);

    ApplyTwoOutputs(t.config, t.sender);
    t.controller.ApplyTopology();
    t.loudness.SetGainPosition(1);
    EXPECT_EQ(t.CurveY(3, kGrid55Hz), crossover.magnitudeDb[kGrid55Hz]);
}

} // namespace
} // namespace veld23
