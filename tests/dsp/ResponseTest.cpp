#include "dsp/Response.h"
#include "dsp/CurveMath.h"
#include "dsp/DspTestSupport.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <set>

using namespace veld23;
using veld23::testing::Evaluate;

TEST(FrequencyGrid, PointsAreWholeHertzOnALogScale) {
    const auto& g = FrequencyGrid::Shared();
    const int first[] = {20, 20, 21, 21, 21, 22};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(g.GridHz[i], first[i]) << i;
    }
    EXPECT_EQ(g.GridHz[398], 23163);
    EXPECT_EQ(g.GridHz[399], 23577);
    EXPECT_EQ(g.GridHz[400], 23999);
    EXPECT_EQ(g.GridHz[100], 118);
    EXPECT_EQ(g.GridHz[200], 693);
    EXPECT_EQ(g.GridHz[300], 4078);
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
    EXPECT_LT(a.magnitudeDb[300], a.magnitudeDb[100]);
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
