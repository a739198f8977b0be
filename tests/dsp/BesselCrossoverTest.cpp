// Bessel crossover halves: the factor table, the real pole of odd orders and the
// low-pass cutoff limit with its message.

#include "dsp/CrossoverTestSupport.h"

#include "dsp/CrossoverHalf.h"
#include "dsp/DesignNotifier.h"
#include "dsp/SampleRate.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veld23;
using namespace veld23::testing;

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
