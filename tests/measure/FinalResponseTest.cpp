#include "measure/FinalResponse.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/FrequencyGrid.h"
#include "measure/FinalResponseView.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace veld23;

namespace {

constexpr int kSum = FinalResponseCurves::kSum;

class FinalResponseFixture : public ::testing::Test {
  protected:
    void SetUp() override { sender.mode = false; }

    void AllSwitches(bool on) { config.FinalResponse = {on, on, on, on, on}; }
    // Both views, as the window would draw them one after the other.
    void Compute(int lookAhead = 0) {
        ComputeFinalResponse(config, sources, lookAhead, ResponseView::Magnitude, curves);
        ComputeFinalResponse(config, sources, lookAhead, ResponseView::Phase, curves);
    }
    void Mute(int channel) {
        config.Levels[channel].OutputOnFactor = 0.0;
        config.Levels[channel].OutputMuted = true;
    }

    ProcessorConfiguration config;
    veld23::testing::RecordingRealTimeSender sender;
    FinalResponseSources sources;
    FinalResponseCurves curves;
};

} // namespace

// With every block off the channels are flat and add in phase: 3 channels +9.54 dB, 2
// channels +6.02 dB. A muted channel drops out whatever its level; an inverted twin cancels.
TEST_F(FinalResponseFixture, TheSumAddsTheChannelsAsTheyAre) {
    AllSwitches(false);
    ApplyThreeOutputs(config, sender);
    Compute();
    for (int j = 0; j <= FrequencyGrid::N; j += 25) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(curves.magnitudeDb[c][j], 0.0f);
            EXPECT_EQ(curves.phaseDeg[c][j], 0.0f);
        }
        EXPECT_NEAR(curves.magnitudeDb[kSum][j], 9.54, 0.005);
    }
    ApplyTwoOutputs(config, sender);
    Compute();
    EXPECT_NEAR(curves.magnitudeDb[kSum][200], 6.02, 0.005);

    ApplyThreeOutputs(config, sender);
    config.FinalResponse.GAINBox = true;
    config.Levels[2].OutputGain = 0.5; // a level that would show if it were not muted
    Mute(2);
    Compute();
    EXPECT_EQ(curves.magnitudeDb[2][100], 0.0f);
    EXPECT_NEAR(curves.magnitudeDb[kSum][100], 20 * std::log10(2.0), 1e-4);

    config.Levels[1].OutputPolarity = -1.0f;
    config.Levels[1].OutputInverted = true;
    Compute();
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        EXPECT_LT(curves.magnitudeDb[kSum][j], -120.0f) << j; // single-precision noise
        EXPECT_TRUE(std::isfinite(curves.magnitudeDb[kSum][j]));
    }
    EXPECT_NEAR(std::fabs(curves.phaseDeg[1][0]), 180.0, 1e-4); // inverted: half a turn
}

TEST_F(FinalResponseFixture, SubPathCarriesTheFixedLowPassAndTheRouting) {
    AllSwitches(false);
    config.FinalResponse.XOVERBox = true;
    ApplyThreeOutputs(config, sender);
    Compute();
    EXPECT_NEAR(curves.magnitudeDb[2][200], -7.58, 0.01); // 693 Hz
    ApplyTwoOutputs(config, sender);
    Compute();
    EXPECT_EQ(curves.magnitudeDb[2][200], 0.0f);

    // With PEQS on, the third channel follows the routing's mix of both equalisers.
    ResponseCurve peq1;
    ResponseCurve peq2;
    peq1.magnitudeDb.fill(4.0f);
    peq2.magnitudeDb.fill(-2.0f);
    sources.equalisers = {&peq1, &peq2};
    config.FinalResponse = {false, true, false, false, false};
    ApplyThreeOutputs(config, sender); // routing 0.5 / 0.5
    Compute();
    EXPECT_NEAR(curves.magnitudeDb[2][10], 1.0, 1e-6);
    EXPECT_NEAR(curves.magnitudeDb[0][10], 4.0, 1e-6);
}

// Whatever finite values the curves hold, the final response stays finite: the sum of
// three channels at 770 dB is 770 + 20 log10(3) dB, not infinity.
TEST_F(FinalResponseFixture, FiniteCurvesGiveAFiniteResponse) {
    AllSwitches(false);
    config.FinalResponse.SpkData = true;
    ApplyThreeOutputs(config, sender);
    SpeakerCurves speakers;
    for (int row = 0; row < 3; ++row) {
        speakers.SpeakerMagnitude[row].fill(770.0f);
    }
    sources.speakers = &speakers;
    Compute();
    EXPECT_NEAR(curves.magnitudeDb[kSum][200], 770.0 + 20 * std::log10(3.0), 1e-3);
    EXPECT_EQ(curves.phaseDeg[kSum][200], 0.0f);

    constexpr float kLargest = std::numeric_limits<float>::max();
    for (int row = 0; row < 3; ++row) {
        speakers.SpeakerMagnitude[row].fill(row == 1 ? -kLargest : kLargest);
        speakers.SpeakerPhase[row].fill(row == 2 ? -kLargest : kLargest);
    }
    ResponseCurve loud;
    loud.magnitudeDb.fill(kLargest);
    loud.phaseRad.fill(kLargest);
    sources.equalisers = {&loud, &loud};
    sources.crossovers = {&loud, &loud, &loud};
    AllSwitches(true);
    for (const bool three : {true, false}) {
        three ? ApplyThreeOutputs(config, sender) : ApplyTwoOutputs(config, sender);
        Compute(96);
        for (int c = 0; c <= kSum; ++c) {
            for (int j = 0; j <= FrequencyGrid::N; ++j) {
                ASSERT_TRUE(std::isfinite(curves.magnitudeDb[c][j])) << c << " " << j;
                ASSERT_TRUE(std::isfinite(curves.phaseDeg[c][j])) << c << " " << j;
            }
        }
    }
}

TEST_F(FinalResponseFixture, ViewDrawsTheChosenCurvesAndView) {
    PlotModel plot;
    FinalResponseView view(config, config.FinalResponse, plot);
    ApplyThreeOutputs(config, sender);
    view.Activate();
    ASSERT_NE(plot.FindSeries(4), nullptr);
    EXPECT_EQ(plot.FindSeries(4)->Points().size(), 401u);
    EXPECT_EQ(plot.YAxis().Title, "dB");
    view.SetCurveShown(2, false);
    EXPECT_FALSE(plot.FindSeries(2)->Visible());
    // Selectors 1 to 4 only: the ends are the channel 1 and the sum, nothing lies beyond.
    view.SetCurveShown(4, false);
    EXPECT_FALSE(plot.FindSeries(4)->Visible());
    EXPECT_FALSE(view.CurveShown(4));
    EXPECT_TRUE(view.CurveShown(1));
    for (int outside : {0, 5}) {
        view.SetCurveShown(outside, true);
        EXPECT_FALSE(view.CurveShown(outside)) << outside;
    }
    EXPECT_EQ(plot.SeriesCount(), 4u);
    view.SetView(ResponseView::Phase);
    EXPECT_EQ(plot.YAxis().Title, "Phase");
    view.SetSelected(FinalResponseSwitch::Delay, false);
    EXPECT_FALSE(config.FinalResponse.DelayBox);
    EXPECT_EQ(view.CurveCaption(3), "SUB");
    EXPECT_EQ(view.CurveCaption(4), "ADD");
    ApplyTwoOutputs(config, sender);
    EXPECT_EQ(view.CurveCaption(3), "Out2");
}
