// Crossover half designs: Butterworth, Linkwitz-Riley, Bessel, sections given directly,
// bypass, and the orders a three-section half refuses.
#include "dsp/CrossoverHalf.h"
#include "dsp/CrossoverTestSupport.h"
#include "dsp/DesignNotifier.h"
#include "dsp/SampleRate.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

using namespace veld23;
using namespace veld23::testing;

TEST(CrossoverHalf, BypassResetsEverySectionAfterADesign) {
    TXOVERPB half = Designed(kButterworthLowPass, 6, 2000);
    half.Family = kXoverBypass;
    ASSERT_EQ(half.Design(), HalfDesignStatus::Ok);
    EXPECT_EQ(half.SectionCount, 1);
    for (const TSOS& s : half.Sections) {
        EXPECT_EQ(s.GetCoefficient(0), 1.0);
        for (int k = 1; k < 5; ++k) {
            EXPECT_EQ(s.GetCoefficient(k), 0.0);
        }
    }
    EXPECT_EQ(GridDb(half, kGrid693Hz), 0.0f);
}

TEST(ButterworthHalf, IsThreeDbDownAtItsFrequencyForEveryOrder) {
    for (std::uint8_t family : {kButterworthLowPass, kButterworthHighPass}) {
        for (int order = 1; order <= 6; ++order) {
            for (double hz : {20.0, 12000.0, 20000.0}) {
                const TXOVERPB half = Designed(family, order, hz);
                EXPECT_NEAR(CascadeDb(half, hz), kMinus3dB, 1e-9)
                    << "family " << int(family) << " order " << order << " at " << hz;
                EXPECT_EQ(half.Order, order);
                EXPECT_EQ(half.SectionCount, (order + 1) / 2);
            }
            EXPECT_NEAR(GridDb(Designed(family, order, 693), kGrid693Hz), kMinus3dB, 1e-4);
        }
    }
}

TEST(ButterworthHalf, FourthOrderSectionsComeOutWithQ13066Then05412) {
    for (std::uint8_t family : {kButterworthLowPass, kButterworthHighPass}) {
        const TXOVERPB half = Designed(family, 4, 1000);
        EXPECT_NEAR(half.Sections[0].Q, 1.3066, 5e-5);
        EXPECT_NEAR(half.Sections[1].Q, 0.5412, 5e-5);
        const std::uint8_t type = family == kButterworthLowPass ? kLowPassQ : kHiPassQ;
        EXPECT_EQ(half.Sections[0].SectionType, type);
        EXPECT_EQ(half.Sections[1].SectionType, type);
        EXPECT_EQ(half.Sections[0].Frequency, 1000.0);
        EXPECT_EQ(half.Sections[1].Frequency, 1000.0);
    }
}

TEST(ButterworthHalf, ThirdOrderIsAFirstOrderSectionThenQOne) {
    const TXOVERPB low = Designed(kButterworthLowPass, 3, 1000);
    EXPECT_EQ(low.Sections[0].SectionType, kFirstOrder);
    EXPECT_EQ(low.Sections[0].b2, 0.0L);
    EXPECT_EQ(low.Sections[0].a2, 0.0L);
    EXPECT_EQ(low.Sections[0].b1, low.Sections[0].b0);
    EXPECT_NEAR(low.Sections[1].Q, 1.0, 1e-12);

    const TXOVERPB high = Designed(kButterworthHighPass, 3, 1000);
    EXPECT_EQ(high.Sections[0].SectionType, kFirstOrderHighPassButtw);
    EXPECT_EQ(high.Sections[0].b1, -high.Sections[0].b0);
    EXPECT_NEAR(high.Sections[1].Q, 1.0, 1e-12);
}

TEST(ButterworthHalf, FirstOrderSectionAtAQuarterOfTheRateHasAFiniteQ) {
    for (std::uint8_t family : {kButterworthLowPass, kButterworthHighPass}) {
        for (int order : {1, 3, 5}) {
            const TXOVERPB half = Designed(family, order, 12000);
            const TSOS& first = half.Sections[0];
            EXPECT_TRUE(std::isfinite(first.Q));
            EXPECT_EQ(first.Q, kQuarterRateFirstOrderQ);
            // The coefficients themselves are a plain half-band first-order filter.
            EXPECT_NEAR(first.GetCoefficient(0), 0.5, 1e-15);
            EXPECT_NEAR(first.GetCoefficient(3), 0.0, 1e-15);
            if (first.GetCoefficient(3) == 0.0) {
                EXPECT_FALSE(std::signbit(first.GetCoefficient(3))); // shown as 0, not -0
            }
            for (int i = 1; i < half.SectionCount; ++i) {
                EXPECT_TRUE(std::isfinite(half.Sections[i].Q));
            }
        }
        // Whole hertz either side still have their (large) formula value.
        for (double hz : {11999.0, 12001.0}) {
            const double q = Designed(family, 1, hz).Sections[0].Q;
            EXPECT_TRUE(std::isfinite(q));
            EXPECT_GT(std::fabs(q), 1000.0);
        }
    }
    for (std::uint8_t family : {kLinkwitzRileyLowPass, kLinkwitzRileyHighPass}) {
        const TXOVERPB half = Designed(family, 2, 12000);
        EXPECT_EQ(half.Sections[0].Q, kQuarterRateFirstOrderQ);
        EXPECT_EQ(half.Sections[1].Q, kQuarterRateFirstOrderQ);
    }
}

TEST(QFromCoefficients, NeverGivesInfinityOrNaN) {
    TSOS degenerate; // a first-order low-pass at fs/4: the low-pass rule divides by zero
    degenerate.b0 = degenerate.b1 = 0.5L;
    EXPECT_EQ(QFromCoefficients(degenerate, true), kQuarterRateFirstOrderQ);
    degenerate.b0 = 0.0L; // 0/0 in the high-pass rule
    EXPECT_EQ(QFromCoefficients(degenerate, false), kQuarterRateFirstOrderQ);
}

TEST(LinkwitzRileyHalf, OddOrderIsRaisedAndSixDbDownAtItsFrequency) {
    for (std::uint8_t family : {kLinkwitzRileyLowPass, kLinkwitzRileyHighPass}) {
        const TXOVERPB three = Designed(family, 3, 1000);
        EXPECT_EQ(three.Order, 4);
        EXPECT_EQ(three.SectionCount, 2);
        EXPECT_NEAR(CascadeDb(three, 1000), kMinus6dB, 1e-9);
        ExpectSameHalf(three, Designed(family, 4, 1000));

        const TXOVERPB one = Designed(family, 1, 1000);
        EXPECT_EQ(one.Order, 2);
        EXPECT_EQ(one.SectionCount, 2);
        for (int order : {2, 4}) {
            EXPECT_NEAR(GridDb(Designed(family, order, 693), kGrid693Hz), kMinus6dB, 1e-4);
        }
    }
}

TEST(LinkwitzRileyHalf, OrderTwoIsTwoIdenticalFirstOrderSections) {
    const TXOVERPB low = Designed(kLinkwitzRileyLowPass, 2, 800);
    EXPECT_EQ(low.SectionCount, 2);
    ExpectSameSection(low.Sections[0], low.Sections[1]);
    EXPECT_EQ(low.Sections[0].SectionType, kFirstOrder);
    EXPECT_EQ(low.Sections[0].a2, 0.0L);

    const TXOVERPB high = Designed(kLinkwitzRileyHighPass, 2, 800);
    ExpectSameSection(high.Sections[0], high.Sections[1]);
    EXPECT_EQ(high.Sections[0].SectionType, kFirstOrderHighPassButtw);
    // Section 3 is not used and stays bypassed.
    EXPECT_EQ(high.Sections[2].GetCoefficient(0), 1.0);
    EXPECT_EQ(high.Sections[2].GetCoefficient(3), 0.0);
}

TEST(CrossoverOrders, AcceptedRangesPerFamily) {
    EXPECT_EQ(AcceptedOrders(kXoverBypass).highest, 8);
    for (std::uint8_t f : {kButterworthLowPass, kButterworthHighPass, kBesselLowPass,
                           kBesselHighPass, kSectionsLowPass, kSectionsHighPass}) {
        EXPECT_EQ(AcceptedOrders(f).lowest, 1);
        EXPECT_EQ(AcceptedOrders(f).highest, 6);
    }
    EXPECT_EQ(AcceptedOrders(kLinkwitzRileyLowPass).highest, 4);
    EXPECT_EQ(AcceptedOrders(kLinkwitzRileyHighPass).highest, 4);
    EXPECT_FALSE(IsOrderAccepted(9, 2));
}

TEST(CrossoverOrders, OrdersNeedingAFourthSectionAreRefusedAndChangeNothing) {
    const std::vector<std::pair<std::uint8_t, int>> refused = {
        {kButterworthLowPass, 7},   {kButterworthHighPass, 8},  {kButterworthLowPass, 0},
        {kButterworthLowPass, -2},  {kLinkwitzRileyLowPass, 5}, {kLinkwitzRileyHighPass, 6},
        {kLinkwitzRileyLowPass, 8}, {kBesselLowPass, 7},        {kBesselHighPass, 8},
        {kSectionsLowPass, 7},      {kSectionsHighPass, 100},   {kXoverBypass, 9},
        {kXoverBypass, 0},
    };
    for (const auto& [family, order] : refused) {
        // Start from a designed half so that "unchanged" is not just "default".
        TXOVERPB half = Designed(kButterworthHighPass, 3, 440);
        half.Family = family;
        half.Order = order;
        half.Frequency = 20000; // would also trip the Bessel limit
        const TXOVERPB before = half;
        RecordingNotifier notifier;
        EXPECT_EQ(half.Design(&notifier), HalfDesignStatus::OrderRefused)
            << "family " << int(family) << " order " << order;
        ExpectSameHalf(half, before);
        EXPECT_TRUE(notifier.limits.empty());
    }
}

TEST(CrossoverOrders, UnknownFamilyAndUnusableFrequencyAreRefused) {
    TXOVERPB half = Designed(kButterworthLowPass, 2, 1000);
    half.Family = 9;
    TXOVERPB before = half;
    EXPECT_EQ(half.Design(), HalfDesignStatus::UnknownFamily);
    ExpectSameHalf(half, before);

    for (double hz : {0.0, -100.0, 24000.0, 30000.0, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
        for (std::uint8_t f : {kButterworthLowPass, kLinkwitzRileyHighPass, kBesselLowPass}) {
            half = Designed(kButterworthLowPass, 2, 1000);
            half.Family = f;
            half.Frequency = hz;
            before = half;
            EXPECT_EQ(half.Design(), HalfDesignStatus::FrequencyOutOfRange) << hz;
            ExpectSameHalf(half, before);
        }
    }
    // A bypass does not use its frequency.
    half.Family = kXoverBypass;
    half.Frequency = 0.0;
    EXPECT_EQ(half.Design(), HalfDesignStatus::Ok);
}

TEST(BesselHalf, FourthOrderLowPassAt1000HzMatchesTheTable) {
    const TXOVERPB half = Designed(kBesselLowPass, 4, 1000);
    EXPECT_EQ(half.SectionCount, 2);
    // 1000 / sqrt(0.4889) = 1430.18 and 1000 / sqrt(0.3890) = 1603.34, quoted to
    // one decimal as 1430.1 and 1603.3.
    EXPECT_GE(half.Sections[0].Frequency, 1430.1);
    EXPECT_LT(half.Sections[0].Frequency, 1430.2);
    EXPECT_NEAR(half.Sections[0].Q, 0.5219, 5e-5);
    EXPECT_GE(half.Sections[1].Frequency, 1603.3);
    EXPECT_LT(half.Sections[1].Frequency, 1603.4);
    EXPECT_NEAR(half.Sections[1].Q, 0.8055, 5e-5);
    EXPECT_EQ(half.Sections[0].SectionType, kLowPassQ);
    EXPECT_EQ(half.Frequency, 1000.0);
}

TEST(BesselHalf, OddOrderStartsWithTheRealPoleSection) {
    const TXOVERPB low = Designed(kBesselLowPass, 3, 1000);
    EXPECT_EQ(low.SectionCount, 2);
    EXPECT_EQ(low.Sections[0].SectionType, kFirstOrder);
    EXPECT_NEAR(low.Sections[0].Frequency, 1323.0, 1e-3);
    EXPECT_NEAR(low.Sections[1].Frequency, 1000 / std::sqrt(0.4772), 0.01);
    EXPECT_NEAR(low.Sections[1].Q, std::sqrt(0.4772) / 0.9996, 1e-5);

    const TXOVERPB high = Designed(kBesselHighPass, 5, 1000);
    EXPECT_EQ(high.SectionCount, 3);
    EXPECT_NEAR(high.Sections[0].Frequency, 1000 / 1.502, 1e-3);
    EXPECT_EQ(Designed(kBesselLowPass, 1, 1000).Sections[0].Frequency, 1000.0);
}

TEST(BesselHalf, IsAboutThreeDbDownAtItsFrequency) {
    // The factors are normalised to -3 dB; the bilinear warping moves it slightly.
    for (std::uint8_t family : {kBesselLowPass, kBesselHighPass}) {
        for (int order = 1; order <= 6; ++order) {
            EXPECT_NEAR(CascadeDb(Designed(family, order, 1000), 1000), kMinus3dB, 0.1)
                << "family " << int(family) << " order " << order;
        }
    }
}

TEST(BesselHalf, LowPassAboveItsLimitIsHeldThereAndReported) {
    TXOVERPB half = MakeHalf(kBesselLowPass, 2, 19000);
    RecordingNotifier notifier;
    ASSERT_EQ(half.Design(&notifier), HalfDesignStatus::Ok);
    ASSERT_EQ(notifier.limits.size(), 1u);
    EXPECT_EQ(notifier.limits[0].first, 18800.0);
    EXPECT_EQ(notifier.limits[0].second, 2);
    EXPECT_EQ(BesselCutoffMessage(notifier.limits[0].first, notifier.limits[0].second),
              "Maximum Bessel Cutoff = 18800 for LowPass of order 2");
    EXPECT_EQ(half.Frequency, 18800.0);
    EXPECT_EQ(half.Sections[1].Frequency, 18800.0); // not in use, but moved too
    EXPECT_EQ(half.Sections[2].Frequency, 18800.0);
    EXPECT_NEAR(half.Sections[0].Frequency, 18800 / std::sqrt(0.618), 0.01);
    // Exactly the design asked for at the limit.
    ExpectSameHalf(half, Designed(kBesselLowPass, 2, 18800));
}

TEST(BesselHalf, EveryOrderIsHeldToItsOwnLimit) {
    const double limits[] = {0, 20000, 18800, 16500, 14900, 13650, 12550};
    for (int order = 1; order <= 6; ++order) {
        EXPECT_EQ(BesselCutoffLimit(order), limits[order]);
        TXOVERPB half = MakeHalf(kBesselLowPass, order, limits[order] + 1);
        RecordingNotifier notifier;
        ASSERT_EQ(half.Design(&notifier), HalfDesignStatus::Ok);
        EXPECT_EQ(half.Frequency, limits[order]);
        ASSERT_EQ(notifier.limits.size(), 1u);
        EXPECT_EQ(notifier.limits[0].second, order);
        for (int i = 0; i < half.SectionCount; ++i) {
            EXPECT_LT(half.Sections[i].Frequency, SampleRate / 2);
        }
    }
    EXPECT_EQ(BesselCutoffLimit(7), 11650.0);
    EXPECT_EQ(BesselCutoffLimit(8), 10900.0);
    EXPECT_EQ(BesselCutoffLimit(0), 0.0);
    EXPECT_EQ(BesselCutoffLimit(9), 0.0);
}
