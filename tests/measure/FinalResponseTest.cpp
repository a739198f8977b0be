// The final response a configuration gives, its view, and the files exported from it.
#include "measure/FinalResponse.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"
#include "measure/BiquadExport.h"
#include "measure/FilterSettingsExport.h"
#include "measure/FinalResponseExport.h"
#include "measure/FinalResponseView.h"
#include "measure/FrdTextParser.h"
#include "measure/MeasurementText.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

using namespace veld23;

namespace {

constexpr int kSum = FinalResponseCurves::kSum;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void SetBand(PeqBand& band, std::uint8_t type, double hz, double gainDb, double q) {
    band.SectionType = type;
    band.Frequency = hz;
    band.GainDb = gainDb;
    band.Q = q;
    RedesignBand(band);
}

class FinalResponseFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        sender.mode = false;
        ApplyTwoOutputs(config, sender);
    }

    void AllSwitches(bool on) { config.FinalResponse = {on, on, on, on, on}; }
    // Both views, as the window would draw them one after the other.
    void Compute(int lookAhead = 0) {
        ComputeFinalResponse(config, sources, lookAhead, ResponseView::Magnitude, curves);
        ComputeFinalResponse(config, sources, lookAhead, ResponseView::Phase, curves);
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
    config.Levels[2].OutputOnFactor = 0.0;
    config.Levels[2].OutputMuted = true;
    Compute();
    EXPECT_EQ(curves.magnitudeDb[2][100], 0.0f);
    EXPECT_NEAR(curves.magnitudeDb[kSum][100], 20 * std::log10(2.0), 1e-4);

    config.Levels[1].OutputPolarity = -1.0f;
    config.Levels[1].OutputInverted = true;
    Compute();
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        const float sum = curves.magnitudeDb[kSum][j]; // single-precision noise
        EXPECT_TRUE(std::isfinite(sum) && sum < -120.0f) << j << ": " << sum;
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

TEST_F(FinalResponseFixture, BiquadsOfAFlatConfigurationAreUnityInSignalOrder) {
    std::vector<std::string> blocks;
    int sections = 0;
    const auto lines = Lines(BiquadExportText(config, "/x.v23"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("# OUT")) {
            blocks.push_back(lines[i]);
        } else if (lines[i].starts_with("biquad")) {
            ++sections;
            ASSERT_LE(i + 6, lines.size());
            EXPECT_EQ(std::vector<std::string>(lines.begin() + i + 1, lines.begin() + i + 6),
                      (std::vector<std::string>{"b0=1,", "b1=0,", "b2=0,", "a1=0,", "a2=0,"}));
        }
    }
    EXPECT_EQ(blocks, (std::vector<std::string>{"# OUT 1 PEQ", "# OUT 1 X-OVER", "# OUT 2 PEQ",
                                                "# OUT 2 X-OVER"}));
    EXPECT_EQ(sections, 7 + 2 + 7 + 2); // seven bands, two crossover sections each

    // Three outputs add the SUB path after OUT 2: its input mix, the SUB Reinforcement,
    // its crossover and the fixed low-pass.
    ApplyThreeOutputs(config, sender);
    std::vector<std::string> comments;
    for (const std::string& line : Lines(BiquadExportText(config, "/x.v23"))) {
        if (line.starts_with("# ") && !line.starts_with("# VELD23") && !line.starts_with("# 48")) {
            comments.push_back(line);
        }
    }
    EXPECT_EQ(comments,
              (std::vector<std::string>{
                  "# OUT 1 PEQ", "# OUT 1 X-OVER", "# OUT 2 PEQ", "# OUT 2 X-OVER",
                  "# SUB input: 0.5 x IN 1 + 0.5 x IN 2, each after its PEQ", "# SUB Reinforcement",
                  "# SUB X-OVER", "# SUB fixed low-pass (470 Hz, not editable)"}));
}

TEST_F(FinalResponseFixture, KnownBandsGiveTheirCoefficientsAndFilterLines) {
    SetBand(config.Peq[0].Band(1), kParametricQAdap, 8000, 6, 1);
    SetBand(config.Peq[0].Band(2), kStopBand, 8000, 0, 2);
    SetBand(config.Peq[0].Band(3), kShelvLow6dB, 100, 3, 0.7);
    SetBand(config.Peq[0].Band(4), kParametricQConst, 1000, -6, 2);
    // A wide boost at a quarter of the rate: b0 is held at the word's limit, b1 is 0.
    SetBand(config.Peq[0].Band(5), kParametricQAdap, 12000, 15, 0.5);
    config.Peq[0].UsedBands = 5;

    const auto biquads = Lines(BiquadExportText(config, "/x.v23"));
    ASSERT_GE(biquads.size(), 9u);
    ASSERT_EQ(biquads[2], "# OUT 1 PEQ");
    ASSERT_EQ(biquads[3], "biquad1,");
    // At fs/6 cos w0 = 1/2 and sin w0 = sqrt(3)/2, so alpha = sin w0 / 2Q = sqrt(3)/4; with
    // A = 10^(6/40) and d = 1 + alpha/A: b0 = (1 + alpha A)/d, b1 = -1/d,
    // b2 = (1 - alpha A)/d, and in the stored sign a1 = 1/d, a2 = -(1 - alpha/A)/d.
    const double a = std::pow(10.0, 6.0 / 40.0);
    const double alpha = std::sqrt(3.0) / 4.0;
    const double d = 1 + alpha / a;
    const double expected[] = {(1 + alpha * a) / d, -1 / d, (1 - alpha * a) / d, 1 / d,
                               -(1 - alpha / a) / d};
    const char* names[] = {"b0=", "b1=", "b2=", "a1=", "a2="};
    for (int k = 0; k < 5; ++k) {
        const std::string& line = biquads[static_cast<std::size_t>(4 + k)];
        ASSERT_TRUE(line.starts_with(names[k]) && line.ends_with(",")) << line;
        EXPECT_NEAR(std::stod(line.substr(3)), expected[k], 1e-15) << line;
    }

    const auto filters = Lines(FilterSettingsText(config, "/x.v23"));
    ASSERT_GE(filters.size(), 12u);
    EXPECT_EQ(filters[2], "# OUT 1 PEQ (IN 1)");
    EXPECT_EQ(filters[3], "Filter 1: ON PK Fc 8000 Hz Gain 6.0 dB Q 1.0000");
    // The notch's bandwidth comes from tan(w0 / 2Q): at fs/6 with Q 2 that is tan(pi/12)
    // = 2 - sqrt(3); the same notch in sin(w0) / 2Q' terms has Q' = (2 sqrt(3) + 3) / 4.
    EXPECT_EQ(filters[4], "Filter 2: ON NO Fc 8000 Hz Q 1.6160");
    EXPECT_EQ(filters[5], "# Filter 2: StopBand, Q 2.0: written with the Q that gives the same "
                          "curve");
    EXPECT_EQ(filters[6], "Filter 3: ON None");
    EXPECT_EQ(filters[7], "# Filter 3: Shelv Low 6dB has no equivalent type; its coefficients "
                          "are in the biquad export");
    // A constant-Q cut of 6 dB is a peaking cut whose Q is smaller by 10^(6/40).
    EXPECT_EQ(filters[8], "Filter 4: ON PK Fc 1000 Hz Gain -6.0 dB Q 1.4159");
    EXPECT_EQ(filters[9], "# Filter 4: Parametric Q Const, Q 2.0: written with the Q that gives "
                          "the same curve");
    EXPECT_EQ(filters[10], "Filter 5: ON None");
    EXPECT_EQ(filters[11], "# Filter 5: Parametric Q Adap at the processor's coefficient limit "
                           "has no equivalent type; its coefficients are in the biquad export");
}

TEST_F(FinalResponseFixture, FrdFilesHoldWhatTheViewDrawsOncePerFrequency) {
    ApplyThreeOutputs(config, sender);
    ResponseCurve peq;
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        peq.magnitudeDb[j] = static_cast<float>(std::sin(j / 20.0) * 6.0);
        peq.phaseRad[j] = static_cast<float>(std::cos(j / 30.0));
    }
    sources.equalisers = {&peq, &peq};
    Compute();

    const auto files = FinalResponseFrdFiles(config, sources, 0, "/shows/club.v23");
    ASSERT_EQ(files.size(), 4u);
    const char* names[] = {"out1.frd", "out2.frd", "sub.frd", "sum.frd"};
    const auto& grid = FrequencyGrid::Shared();
    for (int curve = 0; curve < 4; ++curve) {
        SCOPED_TRACE(names[curve]);
        EXPECT_EQ(files[curve].name, names[curve]);
        const std::string& text = files[curve].text;
        EXPECT_TRUE(text.starts_with("* VELD23 final response of "));
        EXPECT_NE(text.find("* blocks: SPEAKERS DATA on, PEQS on, XOVER on, GAIN on, DELAY on\n"),
                  std::string::npos);
        const auto lines = SplitMeasurementLines(text);
        MeasuredPoints points;
        MeasurementProblem problem;
        ASSERT_TRUE(ParseFrdText(lines, points, problem)) << problem.line;
        // Each grid frequency once, rising, with the first value drawn there; four decimals.
        std::size_t i = 0;
        for (int j = 0; j <= FrequencyGrid::N; ++j) {
            if (j > 0 && grid.GridHz[j] == grid.GridHz[j - 1]) {
                continue;
            }
            ASSERT_LT(i, points.Size());
            EXPECT_EQ(points.frequencyHz[i], grid.GridHz[j]);
            EXPECT_NEAR(points.magnitudeDb[i], curves.magnitudeDb[curve][j], 0.5e-4 + 1e-6) << j;
            EXPECT_NEAR(points.phase[i], curves.phaseDeg[curve][j], 0.5e-4 + 1e-6) << j;
            ++i;
        }
        EXPECT_EQ(i, points.Size());
    }
}
