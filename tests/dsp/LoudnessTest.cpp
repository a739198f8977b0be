// The SUB Reinforcement section: record, its two designs and the slider laws.

#include "dsp/DspTestSupport.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/LoudnessSection.h"
#include "dsp/Response.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

using namespace veld23;
using veld23::testing::Evaluate;

namespace {

LoudnessSection Make(std::uint8_t type, double hz, double gainDb) {
    LoudnessSection s;
    s.SectionType = type;
    s.Frequency = hz;
    s.GainDb = gainDb;
    return s;
}

} // namespace

// Any type but the high-pass, whatever Q was there (the high-pass's own included), is
// designed as the Q-adaptive peak with Q 1.5.
TEST(LoudnessDesign, ParametricIsTheQAdapPeakWithQ15) {
    LoudnessSection s = Make(kHiPassQ, 40.0, 9.0);
    DesignLoudness(s);
    EXPECT_NEAR(s.Q, 9.0 / 3.8 + 0.707, 1e-12);
    TSOS reference;
    reference.Frequency = 40.0;
    reference.GainDb = 9.0;
    reference.Q = 1.5;
    DesignParametricQAdap(reference);
    for (std::uint8_t type : {kParametricQAdap, kBandPass}) {
        s.SectionType = type;
        DesignLoudness(s);
        EXPECT_EQ(s.SectionType, kParametricQAdap);
        EXPECT_EQ(s.Q, 1.5);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(s.GetCoefficient(k), reference.GetCoefficient(k)) << k;
        }
        s.Q = 4.0;
    }
}

TEST(LoudnessDesign, HighPassAt12DbPeaksAboveZeroJustAbove55Hz) {
    LoudnessSection s = Make(kHiPassQ, 55.0, 12.0);
    DesignLoudness(s);
    EXPECT_EQ(s.SectionType, kHiPassQ);
    EXPECT_DOUBLE_EQ(s.Q, 12.0 / 3.8 + 0.707); // 3.865
    const ResponseCurve curve = Evaluate(s);
    const auto& hz = FrequencyGrid::Shared().GridHz;
    int peak = 0;
    for (int i = 1; i <= FrequencyGrid::N; ++i) {
        if (curve.magnitudeDb[i] > curve.magnitudeDb[peak]) {
            peak = i;
        }
    }
    EXPECT_GT(curve.magnitudeDb[peak], 10.0f);
    EXPECT_GE(hz[peak], 55);
    EXPECT_LE(hz[peak], 58);
    EXPECT_LT(curve.magnitudeDb[0], -15.0f);                       // 20 Hz: well below
    EXPECT_NEAR(curve.magnitudeDb[FrequencyGrid::N], 0.0f, 0.01f); // passes the top
}

TEST(LoudnessSliders, FrequencyPositionsRunFrom80DownTo29Hz) {
    EXPECT_EQ(LoudnessFrequencyFromPosition(0), 80.0);
    EXPECT_EQ(LoudnessFrequencyFromPosition(51), 29.0);
    EXPECT_EQ(LoudnessFrequencyFromPosition(60), 29.0);
    EXPECT_EQ(LoudnessFrequencyPosition(10.0), 51);
    EXPECT_EQ(LoudnessFrequencyPosition(200.0), 0);
    for (int p = 0; p <= kLoudnessFrequencyPositions; ++p) { // and back
        EXPECT_EQ(LoudnessFrequencyPosition(LoudnessFrequencyFromPosition(p)), p);
    }
}

TEST(LoudnessSliders, GainPositionsRunFrom12DownTo0Db) {
    EXPECT_EQ(LoudnessGainFromPosition(0), 12.0);
    EXPECT_EQ(LoudnessGainFromPosition(120), 0.0);
    EXPECT_EQ(LoudnessGainFromPosition(121), 0.0); // never -0.1
    EXPECT_EQ(LoudnessGainFromPosition(3), 11.7);
    EXPECT_EQ(LoudnessGainPosition(-1.0), 121);
    EXPECT_EQ(LoudnessGainPosition(6.5), 55);
    for (int p = 0; p <= 120; ++p) { // and back
        EXPECT_EQ(LoudnessGainPosition(LoudnessGainFromPosition(p)), p);
    }
}
