// Sections: the equaliser bands and their rules, the SUB Reinforcement section, and the
// response of sections on the frequency grid.
#include "dsp/CurveMath.h"
#include "dsp/DspTestSupport.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/LoudnessSection.h"
#include "dsp/PeqRules.h"
#include "dsp/PeqSet.h"
#include "dsp/Response.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <set>
#include <tuple>

using namespace veld23;
using veld23::testing::CascadeDb;
using veld23::testing::Evaluate;

namespace {

TSOS Band(std::uint8_t type, double hz, double gainDb, double q) {
    TSOS s;
    s.SectionType = type;
    s.Frequency = hz;
    s.GainDb = gainDb;
    s.Q = q;
    Design(s);
    return s;
}

LoudnessSection Make(std::uint8_t type, double hz, double gainDb) {
    LoudnessSection s;
    s.SectionType = type;
    s.Frequency = hz;
    s.GainDb = gainDb;
    return s;
}

} // namespace

TEST(PeqDesign, ParametricAtZeroGainIsTransparent) {
    for (double q : {0.5, 0.707, 4.0, 20.0}) {
        const TSOS s = Band(kParametricQAdap, 1000, 0, q);
        EXPECT_DOUBLE_EQ(static_cast<double>(s.b0), 1.0);
        EXPECT_DOUBLE_EQ(static_cast<double>(s.b1), static_cast<double>(-s.a1));
        EXPECT_DOUBLE_EQ(static_cast<double>(s.b2), static_cast<double>(-s.a2));
        const ResponseCurve c = Evaluate(s);
        for (int i = 0; i <= FrequencyGrid::N; i += 20) {
            EXPECT_NEAR(c.magnitudeDb[i], 0.0, 1e-6);
        }
    }
}

TEST(PeqDesign, ParametricPeaksAtItsGain) {
    const TSOS adap = Band(kParametricQAdap, 1000, 9, 2);
    EXPECT_NEAR(CascadeDb(adap, 1000), 9.0, 1e-9);
    const TSOS cons = Band(kParametricQConst, 1000, -9, 2);
    EXPECT_NEAR(CascadeDb(cons, 1000), -9.0, 0.02);
}

TEST(PeqDesign, ConstQBoostAndCutAreExactInverses) {
    const ResponseCurve up = Evaluate(Band(kParametricQConst, 800, 6, 1.4));
    const ResponseCurve down = Evaluate(Band(kParametricQConst, 800, -6, 1.4));
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        EXPECT_NEAR(up.magnitudeDb[i] + down.magnitudeDb[i], 0.0, 1e-4) << i;
    }
}

TEST(PeqDesign, ConstQAtQuarterRateIsDesignedHalfAHertzHigher) {
    const TSOS s = Band(kParametricQConst, 12000, 6, 1);
    EXPECT_NE(s.b1, 0.0L);
    EXPECT_LT(std::fabs(static_cast<double>(s.b1)), 1e-3);
    TSOS shifted = Band(kParametricQConst, 12000.5, 6, 1);
    EXPECT_EQ(s.b1, shifted.b1);
}

TEST(PeqDesign, ShelvesAtZeroGainAreBypassAndKeepTheirType) {
    for (std::uint8_t type : {kShelvLow6dB, kShelvHigh6dB}) {
        TSOS s = Band(type, 200, 0, 0.707);
        s.b1 = 0.25L;
        Design(s);
        EXPECT_EQ(std::tuple(s.SectionType, s.b0, s.b1, s.a1), std::tuple(type, 1.0L, 0.0L, 0.0L));
    }
}

TEST(PeqDesign, ShelvesReachTheirGainAtTheEnds) {
    const TSOS low = Band(kShelvLow6dB, 300, 6, 0.707);
    EXPECT_NEAR(CascadeDb(low, 1), 6.0, 0.01);
    EXPECT_NEAR(CascadeDb(low, 23999), 0.0, 0.01);
    EXPECT_NEAR(CascadeDb(low, 300), 6 - 3.0103, 1e-3); // 3 dB below the plateau
    const TSOS high = Band(kShelvHigh6dB, 3000, -12, 0.707);
    EXPECT_NEAR(CascadeDb(high, 1), 0.0, 0.01);
    EXPECT_NEAR(CascadeDb(high, 23999.9), -12.0, 0.01);
    EXPECT_NEAR(CascadeDb(high, 3000), -12 + 3.0103, 1e-3);
    const TSOS gentle = Band(kShelvLow6dB, 300, 2, 0.707);
    EXPECT_NEAR(CascadeDb(gentle, 300), 1.0, 1e-3); // half the dB for small gains
}

TEST(PeqDesign, BandPassQIsRaisedOnlyForTheDesign) {
    TSOS s = Band(kBandPass, 20000, 0, 0.5);
    EXPECT_EQ(s.Q, 0.5);
    const TSOS ref = Band(kBandPass, 20000, 0, 2 * 20000 / 48000.0);
    EXPECT_EQ(s.b0, ref.b0);
    EXPECT_EQ(s.a2, ref.a2);
}

TEST(PeqDesign, CoefficientLimitHoldsB0AndB1) {
    // A wide boost of more than 12 dB at a quarter of the rate drives b0 above 2.
    TSOS s = Band(kParametricQAdap, 12000, 15, 0.5);
    EXPECT_EQ(s.b0, 1.99999999999L);
    TSOS t;
    t.b0 = 2.5L;
    t.b1 = -3.0L;
    t.b2 = 5.0L;
    CoefficientLimit(t);
    EXPECT_EQ(std::tuple(t.b0, t.b1, t.b2), std::tuple(1.99999999999L, -1.99999999999L, 5.0L));
}

TEST(PeqDesign, DegenerateFrequencyGivesBypassNotInfinity) {
    for (std::uint8_t type : {kAllPass1, kAllPass2, kParametricQConst, kShelvHigh6dB}) {
        TSOS s = Band(type, 0, 6, 1);
        for (int k = 0; k < 5; ++k) {
            EXPECT_TRUE(std::isfinite(s.GetCoefficient(k))) << int(type);
        }
    }
    TSOS zeroQ = Band(kLowPassQ, 1000, 0, 0);
    EXPECT_EQ(zeroQ.b0, 1.0L);
}

TEST(PeqRules, TypeListMapsBothWays) {
    const auto& list = EqTypeList();
    EXPECT_EQ(list[2].sectionType, kParametricQConst);
    for (int i = 0; i < kEqTypeCount; ++i) {
        EXPECT_EQ(EqTypeListIndex(list[i].sectionType), i);
    }
    EXPECT_EQ(EqTypeListIndex(14), 0);
    EXPECT_EQ(EqTypeListIndex(200), 0);
}

// The floors and caps a type choice, a Q slider move or a band edit apply.
TEST(PeqRules, FloorsAndCaps) {
    enum Rule { TypeChoice, QFloor, Redesign };
    const struct {
        Rule rule;
        std::uint8_t type;
        double hz, q, gainDb;
        double heldQ, heldGainDb;
    } cases[] = {
        {TypeChoice, kShelvLow6dB, 1000, 0.707, 10, 0.707, 6},
        {TypeChoice, kBandPass, 1000, 1.0, 0, 1.7, 0},
        {TypeChoice, kBandPass, 1000, 1.8, 0, 1.8, 0},
        {QFloor, kStopBand, 1000, 0.7, 0, 1.0, 0},
        {TypeChoice, kParametricQAdap, 1000, 0.5, 12, 0.5, 12},
        // The constant-Q floor rises with frequency.
        {Redesign, kParametricQConst, 4000, 0.5, 0, 0.5, 0},
        {Redesign, kParametricQConst, 4500, 0.5, 0, 0.6, 0},
        {Redesign, kParametricQConst, 5000, 0.5, 0, 0.7, 0},
        {Redesign, kParametricQConst, 6000, 0.5, 0, 0.8, 0},
        {Redesign, kParametricQConst, 8000, 0.5, 0, 0.9, 0},
        {Redesign, kParametricQConst, 9000, 0.5, 0, 1.0, 0},
        {Redesign, kParametricQConst, 9000, 3.0, 0, 3.0, 0},
        {Redesign, kParametricQAdap, 9000, 0.5, 0, 0.5, 0},
    };
    for (const auto& c : cases) {
        TSOS s;
        s.SectionType = c.type;
        s.Frequency = c.hz;
        s.Q = c.q;
        s.GainDb = c.gainDb;
        c.rule == TypeChoice ? ApplyTypeChoiceRules(s)
                             : (c.rule == QFloor ? ApplyQFloor(s) : RedesignBand(s));
        EXPECT_EQ(s.Q, c.heldQ) << int(c.type) << " at " << c.hz << " Hz, Q " << c.q;
        EXPECT_EQ(s.GainDb, c.heldGainDb) << int(c.type);
    }
}

TEST(PeqRules, EnteredCoefficientsAreQuantisedAndHeld) {
    EXPECT_EQ(QuantiseEnteredCoefficient(0.1234567), 129454.0L / 1048576.0L);
    EXPECT_EQ(QuantiseEnteredCoefficient(-2.0), -2.0L);
    EXPECT_EQ(QuantiseEnteredCoefficient(-7.0), -2.0L);
    // +2.0 itself has no device word: it is held at the largest one.
    EXPECT_EQ(QuantiseEnteredCoefficient(2.0), 2.0L - 1.0L / 1048576.0L);
    EXPECT_EQ(QuantiseEnteredCoefficient(1e9), 2.0L - 1.0L / 1048576.0L);
    EXPECT_EQ(QuantiseEnteredCoefficient(std::nan("")), 0.0L);
}

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

TEST(FrequencyGrid, PointsAreWholeHertzOnALogScale) {
    const auto& g = FrequencyGrid::Shared();
    const std::pair<int, int> points[] = {{0, 20},     {5, 22},      {100, 118},  {200, 693},
                                          {300, 4078}, {399, 23577}, {400, 23999}};
    for (const auto& [i, hz] : points) {
        EXPECT_EQ(g.GridHz[i], hz) << i;
    }
    std::set<int> distinct(g.GridHz.begin(), g.GridHz.end());
    EXPECT_EQ(distinct.size(), 379u);
}

TEST(AccumulateResponse, SignConventionMakesPositiveA1ABoost) {
    TSOS s;
    s.a1 = 0.5L;
    const ResponseCurve c = Evaluate(s);
    EXPECT_NEAR(c.magnitudeDb[0], 20 * std::log10(1 / (1 - 0.5)), 0.01);

    TSOS avg;
    avg.b0 = 0.5L;
    avg.b1 = 0.5L;
    const ResponseCurve a = Evaluate(avg);
    EXPECT_NEAR(a.magnitudeDb[0], 0.0, 1e-4);
    EXPECT_LT(a.magnitudeDb[400], -60.0f);
}

TEST(AccumulateResponse, SumsSectionsAndOnlyTheFirstCount) {
    TSOS boost;
    boost.a1 = 0.5L;
    const TSOS* list[] = {&boost, &boost, &boost};
    ResponseCurve two;
    AccumulateResponse(list, 2, two);
    const ResponseCurve one = Evaluate(boost);
    for (int i = 0; i <= FrequencyGrid::N; i += 50) {
        EXPECT_NEAR(two.magnitudeDb[i], 2 * one.magnitudeDb[i], 1e-4);
        EXPECT_NEAR(two.phaseRad[i], 2 * one.phaseRad[i], 1e-5);
    }
    // An earlier curve in the arrays is overwritten, never added to.
    AccumulateResponse(list, 0, two);
    EXPECT_EQ(two.magnitudeDb[10], 0.0f);
}

TEST(AccumulateResponse, TinyMagnitudeSumsBecomeExactlyZero) {
    TSOS s;
    s.b0 = 1.0L + 1e-12L; // 20 log10 gives about 9e-12 dB
    const ResponseCurve c = Evaluate(s);
    EXPECT_EQ(c.magnitudeDb[0], 0.0f);
}

// The processor's quadrant rules, for the plain and the curve arctangent alike:
// y = 0 with x < 0 is -pi, not +pi.
TEST(Arctan2, HalfOpenRangeFromMinusPi) {
    const double pi = std::numbers::pi;
    const struct {
        double y, x, angle;
    } cases[] = {{0, 1, 0},        {0, 0, 0},           {0, -1, -pi},          {2, 0, pi / 2},
                 {-2, 0, -pi / 2}, {1, -1, 3 * pi / 4}, {-1, -1, -3 * pi / 4}, {1, 1, pi / 4}};
    for (const auto& c : cases) {
        EXPECT_NEAR(Arctan2(c.y, c.x), c.angle, 1e-15) << c.y << ", " << c.x;
        EXPECT_NEAR(CurveArctan2(c.y, c.x), c.angle, 1e-12) << c.y << ", " << c.x;
    }
}

TEST(WrapPhaseDegrees, WrapsIntoPlusMinus180) {
    const double pi = std::numbers::pi;
    EXPECT_NEAR(WrapPhaseDegrees(3 * pi / 2), -90.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(-3 * pi / 2), 90.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(pi / 4), 45.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(-5 * pi), 180.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(7 * pi / 2), -90.0, 1e-9);
}

TEST(AccumulateResponse, ZeroOnAGridPointKeepsTheOtherSectionsPhase) {
    // A section that is exactly zero everywhere: the cascade sits at the floor,
    // finite, and the other section's phase is still there.
    TSOS zero;
    zero.b0 = 0.0L;
    TSOS boost;
    boost.a1 = 0.5L;
    const TSOS* list[] = {&boost, &zero};
    ResponseCurve both;
    AccumulateResponse(list, 2, both);
    const ResponseCurve alone = Evaluate(boost);
    for (int i = 0; i <= FrequencyGrid::N; i += 40) {
        EXPECT_TRUE(std::isfinite(both.magnitudeDb[i]));
        EXPECT_LT(both.magnitudeDb[i], -200.0f);
        EXPECT_FLOAT_EQ(both.phaseRad[i], alone.phaseRad[i]);
    }
}

TEST(AccumulateResponse, NegativeRealSectionsSumTheirPrincipalPhases) {
    // H = -1 has phase -pi by the processor's arctangent; two of them give -2 pi,
    // not the 0 that the product alone would suggest.
    TSOS invert;
    invert.b0 = -1.0L;
    const TSOS* list[] = {&invert, &invert};
    ResponseCurve c;
    AccumulateResponse(list, 2, c);
    EXPECT_FLOAT_EQ(c.phaseRad[100], static_cast<float>(-2 * std::numbers::pi));
    EXPECT_EQ(c.magnitudeDb[100], 0.0f);
}

TEST(CurveMath, LogarithmMatchesTheLibraryFarBelowFloatResolution) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> exponent(-300.0, 300.0);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::pow(10.0, exponent(random));
        ASSERT_NEAR(CurveLog10(x), std::log10(x), 1e-9) << x;
    }
    EXPECT_EQ(CurveLog10(1.0), 0.0); // a flat curve stays exactly 0 dB
    EXPECT_EQ(CurveLog10(0.0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(CurveLog10(-1.0)));
    EXPECT_NEAR(CurveLog10(1e-310), std::log10(1e-310), 1e-12); // subnormal
}

TEST(CurveMath, ArctangentMatchesTheLibraryOnEveryBranch) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0), scale(-12.0, 12.0);
    for (int i = 0; i < 20000; ++i) {
        const double t = mantissa(random) * std::pow(10.0, scale(random));
        ASSERT_NEAR(CurveAtan(t), std::atan(t), 1e-9) << t;
    }
    for (double t : {0.41421356237309503, 1.0, -1.0, 2.414213562373095}) {
        EXPECT_NEAR(CurveAtan(t), std::atan(t), 1e-9) << t; // the fold points
    }
}
