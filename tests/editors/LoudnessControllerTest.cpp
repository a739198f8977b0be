#include "editors/LoudnessController.h"
#include "EditorTestSupport.h"
#include "config/OutputTopology.h"

#include <cmath>

namespace veld23 {
namespace {

using namespace testing;

struct LoudnessWindow : CrossoverEditor, ::testing::Test {
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
TEST_F(LoudnessWindow, SlidersAndButtonsDesignTheSection) {
    loudness.SetGainPosition(500);
    EXPECT_EQ(loudness.GainPosition(), 121);
    EXPECT_EQ(loudness.GainText(), "0.0");
    loudness.SetFrequencyPosition(51);
    EXPECT_EQ(loudness.FrequencyText(), "29");
    loudness.SetFrequencyPosition(-4);
    EXPECT_EQ(Section().Frequency, 80.0);
    loudness.SetGainPosition(1);
    EXPECT_EQ(loudness.GainText(), "11.9");
    EXPECT_EQ(Section().GainDb, 11.9);

    loudness.ChooseHighPass();
    EXPECT_TRUE(loudness.HighPassLit());
    EXPECT_FALSE(loudness.ParamLit());
    EXPECT_LT(loudness.Response().magnitudeDb[0], -10.0); // a high-pass at 80 Hz
    loudness.ChooseParam();
    EXPECT_NEAR(loudness.Response().magnitudeDb[kGrid80Hz], 11.9, 0.3); // the peak
}

TEST_F(LoudnessWindow, SendsSectionAtWordHundredWhenTheSenderMay) {
    loudness.SetGainPosition(60);
    ASSERT_EQ(sender.calls.size(), 1u);
    ExpectSentSection(sender.calls[0], Section());
    EXPECT_EQ(sender.calls[0].parameter, 100);
    EXPECT_NE(sender.calls[0].values[0], 1.0);
    EXPECT_EQ(loudnessRedraws, 1);

    sender.mode = false;
    loudness.SetFrequencyPosition(10);
    EXPECT_EQ(sender.calls.size(), 1u);
    EXPECT_EQ(Section().Frequency, 70.0);
    EXPECT_EQ(loudnessRedraws, 2);
}

TEST_F(LoudnessWindow, ShowSetsTheControlsFromTheSection) {
    Section().Frequency = 40.0;
    Section().GainDb = 6.0;
    Section().SectionType = kHiPassQ;
    loudness.Show();
    EXPECT_EQ(loudness.FrequencyPosition(), 40);
    EXPECT_EQ(loudness.GainPosition(), 60);
    EXPECT_TRUE(loudness.HighPassLit());

    // What a damaged file could carry ends inside the controls.
    Section().Frequency = std::nan("");
    Section().GainDb = 40.0;
    Section().SectionType = kAllPass2;
    loudness.Show();
    EXPECT_TRUE(loudness.ParamLit());
    EXPECT_EQ(Section().SectionType, kParametricQAdap);
    EXPECT_EQ(Section().GainDb, 12.0);
    EXPECT_GE(Section().Frequency, 29.0);
    EXPECT_LE(Section().Frequency, 80.0);
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        ASSERT_TRUE(std::isfinite(loudness.Response().magnitudeDb[i])) << i;
    }
}

TEST_F(LoudnessWindow, SubCurveFollowsTheLoudnessWhicheverOutputIsModified) {
    controller.ChooseOutput(1);
    loudness.SetGainPosition(0);
    const ResponseCurve& crossover = controller.OutputResponse(3);
    EXPECT_GT(CurveY(3, kGrid55Hz), 11.0);
    // The loudness is not part of the crossover's own response.
    EXPECT_NEAR(crossover.magnitudeDb[kGrid55Hz], 0.0, 1e-6);
    EXPECT_EQ(controller.CurrentOutput(), 1);

    ApplyTwoOutputs(config, sender);
    controller.ApplyTopology();
    loudness.SetGainPosition(1);
    EXPECT_EQ(CurveY(3, kGrid55Hz), crossover.magnitudeDb[kGrid55Hz]);
}

} // namespace
} // namespace veld23
