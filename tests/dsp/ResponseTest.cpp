#include "dsp/Response.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <set>

using namespace veld23;

namespace {

ResponseCurve Evaluate(const TSOS& s) {
    const TSOS* list[] = {&s};
    ResponseCurve curve;
    AccumulateResponse(list, 1, curve);
    return curve;
}

} // namespace

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

TEST(FrequencyGrid, OmegaAndZInverseFollowTheHertzValues) {
    const auto& g = FrequencyGrid::Shared();
    for (int i : {0, 200, 400}) {
        const float w = static_cast<float>(2 * std::numbers::pi * g.GridHz[i] / 48000.0);
        EXPECT_EQ(g.GridOmega[i], w);
        EXPECT_DOUBLE_EQ(g.GridZInverse[i].real(), std::cos(static_cast<double>(w)));
        EXPECT_DOUBLE_EQ(g.GridZInverse[i].imag(), -std::sin(static_cast<double>(w)));
    }
}

TEST(TSOS, NewSectionIsBypassWithDefaults) {
    TSOS s;
    EXPECT_EQ(s.GetCoefficient(0), 1.0);
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(s.GetCoefficient(k), 0.0);
    }
    EXPECT_EQ(s.GetCoefficient(5), 0.0);
    EXPECT_EQ(s.GetCoefficient(-1), 0.0);
    EXPECT_EQ(s.Q, 0.707);
    EXPECT_EQ(s.Frequency, 1000.0);
    EXPECT_EQ(s.SectionType, 0);

    s.b0 = 0.3L;
    s.a2 = 0.4L;
    s.Frequency = 55;
    s.SetBypass();
    EXPECT_EQ(s.b0, 1.0L);
    EXPECT_EQ(s.a2, 0.0L);
    EXPECT_EQ(s.Frequency, 55); // parameters are left alone
}

TEST(AccumulateResponse, BypassAddsNothing) {
    const ResponseCurve c = Evaluate(TSOS{});
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        EXPECT_EQ(c.magnitudeDb[i], 0.0f);
        EXPECT_EQ(c.phaseRad[i], 0.0f);
    }
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

TEST(AccumulateResponse, ZeroTransferStaysFinite) {
    TSOS s;
    s.b0 = 0.0L;
    const ResponseCurve c = Evaluate(s);
    EXPECT_TRUE(std::isfinite(c.magnitudeDb[0]));
    EXPECT_LT(c.magnitudeDb[0], -200.0f);
}

TEST(Arctan2, HalfOpenRangeFromMinusPi) {
    const double pi = std::numbers::pi;
    EXPECT_EQ(Arctan2(0.0, 1.0), 0.0);
    EXPECT_EQ(Arctan2(0.0, 0.0), 0.0);
    EXPECT_EQ(Arctan2(0.0, -1.0), -pi);
    EXPECT_EQ(Arctan2(2.0, 0.0), pi / 2);
    EXPECT_EQ(Arctan2(-2.0, 0.0), -pi / 2);
    EXPECT_DOUBLE_EQ(Arctan2(1.0, -1.0), 3 * pi / 4);
    EXPECT_DOUBLE_EQ(Arctan2(-1.0, -1.0), -3 * pi / 4);
    EXPECT_DOUBLE_EQ(Arctan2(1.0, 1.0), pi / 4);
}

TEST(WrapPhaseDegrees, WrapsIntoPlusMinus180) {
    const double pi = std::numbers::pi;
    EXPECT_NEAR(WrapPhaseDegrees(3 * pi / 2), -90.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(-3 * pi / 2), 90.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(pi / 4), 45.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(-5 * pi), 180.0, 1e-9);
    EXPECT_NEAR(WrapPhaseDegrees(7 * pi / 2), -90.0, 1e-9);
}

TEST(AccumulateResponse, EqualsThePlainPerSectionSum) {
    // Reference: every section's 20 log10|H| and principal phase added one by one.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> hz(15.0, 22000.0), gain(-15.0, 12.0), q(0.5, 20.0);
    const std::uint8_t types[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13};
    for (int trial = 0; trial < 40; ++trial) {
        std::array<TSOS, 7> bands;
        std::array<const TSOS*, 7> list;
        for (int k = 0; k < 7; ++k) {
            bands[k].SectionType = types[random() % std::size(types)];
            bands[k].Frequency = hz(random);
            bands[k].GainDb = gain(random);
            bands[k].Q = q(random);
            Design(bands[k]);
            list[k] = &bands[k];
        }
        ResponseCurve fast;
        AccumulateResponse(list, 7, fast);
        const auto& g = FrequencyGrid::Shared();
        for (int i = 0; i <= FrequencyGrid::N; ++i) {
            double db = 0, rad = 0;
            for (const TSOS& s : bands) {
                const std::complex<double> z = g.GridZInverse[i];
                const auto h =
                    (static_cast<double>(s.b0) +
                     z * (static_cast<double>(s.b1) + z * static_cast<double>(s.b2))) /
                    (1.0 - z * (static_cast<double>(s.a1) + z * static_cast<double>(s.a2)));
                db += 20 * std::log10(std::abs(h));
                rad += Arctan2(h.imag(), h.real());
            }
            ASSERT_NEAR(fast.magnitudeDb[i], db, 1e-4 + 1e-6 * std::fabs(db)) << trial << " " << i;
            ASSERT_NEAR(fast.phaseRad[i], rad, 1e-5) << trial << " " << i;
        }
    }
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
