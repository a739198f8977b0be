#include "measure/BiquadExport.h"
#include "measure/FilterSettingsExport.h"
#include "measure/FinalResponseExport.h"

#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"
#include "measure/FrdTextParser.h"
#include "measure/MeasurementText.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace veld23;

namespace {

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

struct Exported : ::testing::Test {
    Exported() {
        sender.mode = false;
        ApplyTwoOutputs(config, sender);
    }
    ProcessorConfiguration config;
    veld23::testing::RecordingRealTimeSender sender;
};

} // namespace

TEST_F(Exported, BiquadsOfAFlatConfigurationAreUnityInSignalOrder) {
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

TEST_F(Exported, KnownBandsGiveTheirCoefficientsAndFilterLines) {
    SetBand(config.Peq[0].Band(1), kParametricQAdap, 8000, 6, 1);
    SetBand(config.Peq[0].Band(2), kStopBand, 8000, 0, 2);
    SetBand(config.Peq[0].Band(3), kShelvLow6dB, 100, 3, 0.7);
    SetBand(config.Peq[0].Band(4), kParametricQConst, 1000, -6, 2);
    config.Peq[0].UsedBands = 4;

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
    ASSERT_GE(filters.size(), 9u);
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
}

TEST_F(Exported, FrdFilesHoldWhatTheViewDrawsOncePerFrequency) {
    ApplyThreeOutputs(config, sender);
    ResponseCurve peq;
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        peq.magnitudeDb[j] = static_cast<float>(std::sin(j / 20.0) * 6.0);
        peq.phaseRad[j] = static_cast<float>(std::cos(j / 30.0));
    }
    FinalResponseSources sources;
    sources.equalisers = {&peq, &peq};
    FinalResponseCurves curves;
    ComputeFinalResponse(config, sources, 0, ResponseView::Magnitude, curves);
    ComputeFinalResponse(config, sources, 0, ResponseView::Phase, curves);

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
