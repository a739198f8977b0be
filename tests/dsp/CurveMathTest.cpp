#include "dsp/CurveMath.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace veld23;

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
    // The quadrant rules are the processor's: y = 0 with x < 0 is -pi, not +pi.
    EXPECT_EQ(CurveArctan2(0.0, -2.0), -std::numbers::pi);
    EXPECT_EQ(CurveArctan2(0.0, 2.0), 0.0);
    EXPECT_NEAR(CurveArctan2(1.0, -1.0), 3 * std::numbers::pi / 4, 1e-12);
}
