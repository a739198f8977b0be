// Crossover half designs (Butterworth, Linkwitz-Riley, Bessel, sections given directly,
// bypass, the orders a three-section half refuses) and an output's crossover: coefficient
// slots, the evaluation list, the editor's family list, and the single section that
// carries a first-order pair.
#include "dsp/Crossover.h"
#include "dsp/CrossoverHalf.h"
#include "dsp/DesignNotifier.h"
#include "dsp/DspTestSupport.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/Response.h"
#include "dsp/SectionDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

using namespace veld23;
using namespace veld23::testing;

namespace {

constexpr double kAnyQ = std::numeric_limits<double>::quiet_NaN(); // first order: no real Q

void ExpectBypassed(const TSOS& s) {
    EXPECT_EQ(s.GetCoefficient(0), 1.0);
    for (int k = 1; k < 5; ++k) {
        EXPECT_EQ(s.GetCoefficient(k), 0.0) << k;
    }
}

// Phases are sums of principal values, so equal responses may differ by 2 pi.
double PhaseDistance(double a, double b) {
    const double d = std::remainder(a - b, 2 * std::numbers::pi);
    return std::fabs(d);
}

} // namespace

TEST(CrossoverHalf, BypassResetsEverySectionAfterADesign) {
    TXOVERPB half = Designed(kButterworthLowPass, 6, 2000);
    half.Family = kXoverBypass;
    ASSERT_EQ(half.Design(), HalfDesignStatus::Ok);
    EXPECT_EQ(half.SectionCount, 1);
    for (const TSOS& s : half.Sections) {
        ExpectBypassed(s);
    }
}

// The sections each design gives: type, corner and Q (to the four decimals of the
// tables); a first-order section has a zero second tap, unused sections stay bypassed.
TEST(CrossoverHalf, DesignsGiveTheirSections) {
    struct Section {
        std::uint8_t type;
        double hz;
        double q;
    };
    constexpr std::uint8_t low1 = kFirstOrder, high1 = kFirstOrderHighPassButtw;
    const struct {
        std::uint8_t family;
        int order;
        std::vector<Section> sections; // at 1000 Hz
    } cases[] = {
        {kButterworthLowPass, 4, {{kLowPassQ, 1000, 1.3066}, {kLowPassQ, 1000, 0.5412}}},
        {kButterworthHighPass, 4, {{kHiPassQ, 1000, 1.3066}, {kHiPassQ, 1000, 0.5412}}},
        {kButterworthLowPass, 3, {{low1, 1000, kAnyQ}, {kLowPassQ, 1000, 1.0}}},
        {kButterworthHighPass, 3, {{high1, 1000, kAnyQ}, {kHiPassQ, 1000, 1.0}}},
        {kLinkwitzRileyLowPass, 2, {{low1, 1000, kAnyQ}, {low1, 1000, kAnyQ}}},
        {kLinkwitzRileyHighPass, 2, {{high1, 1000, kAnyQ}, {high1, 1000, kAnyQ}}},
        // Bessel corners are 1000 Hz over the square root of each factor's b, Q = sqrt(b) / a:
        // 1000 / sqrt(0.4889), 1000 / sqrt(0.3890); for order 3 b = 0.4772, a = 0.9996.
        {kBesselLowPass, 4, {{kLowPassQ, 1430.18, 0.5219}, {kLowPassQ, 1603.34, 0.8055}}},
        {kBesselLowPass, 3, {{low1, 1323.0, kAnyQ}, {kLowPassQ, 1447.61, 0.6911}}},
        {kBesselLowPass, 1, {{low1, 1000, kAnyQ}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "family " << int(c.family) << " order " << c.order);
        const TXOVERPB half = Designed(c.family, c.order, 1000);
        ASSERT_EQ(half.SectionCount, static_cast<int>(c.sections.size()));
        EXPECT_EQ(half.Frequency, 1000.0);
        for (std::size_t i = 0; i < c.sections.size(); ++i) {
            const TSOS& s = half.Sections[i];
            EXPECT_EQ(s.SectionType, c.sections[i].type) << i;
            EXPECT_NEAR(s.Frequency, c.sections[i].hz, 0.01) << i;
            if (!std::isnan(c.sections[i].q)) {
                EXPECT_NEAR(s.Q, c.sections[i].q, 5e-5) << i;
            }
            if (s.SectionType == kFirstOrder || s.SectionType == kFirstOrderHighPassButtw) {
                EXPECT_EQ(s.b2, 0.0L);
                EXPECT_EQ(s.a2, 0.0L);
                EXPECT_EQ(s.b1, s.SectionType == kFirstOrder ? s.b0 : -s.b0);
            }
        }
        for (std::size_t i = c.sections.size(); i < half.Sections.size(); ++i) {
            ExpectBypassed(half.Sections[i]);
        }
    }
    const TXOVERPB high = Designed(kBesselHighPass, 5, 1000);
    EXPECT_EQ(high.SectionCount, 3);
    EXPECT_NEAR(high.Sections[0].Frequency, 1000 / 1.502, 1e-3);
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

// At a quarter of the rate the Q-from-coefficients rule divides by zero: the first-order
// section gets the finite stand-in instead, shown as 0, never -0.
TEST(ButterworthHalf, FirstOrderSectionAtAQuarterOfTheRateHasAFiniteQ) {
    for (std::uint8_t family : {kButterworthLowPass, kButterworthHighPass}) {
        for (int order : {1, 3, 5}) {
            const TSOS first = Designed(family, order, 12000).Sections[0];
            EXPECT_EQ(first.Q, kQuarterRateFirstOrderQ);
            EXPECT_NEAR(first.GetCoefficient(0), 0.5, 1e-15); // a plain half-band filter
            EXPECT_NEAR(first.GetCoefficient(3), 0.0, 1e-15);
            EXPECT_FALSE(first.GetCoefficient(3) == 0.0 && std::signbit(first.GetCoefficient(3)));
        }
        // Whole hertz either side still have their (large) formula value.
        for (double hz : {11999.0, 12001.0}) {
            const double q = Designed(family, 1, hz).Sections[0].Q;
            EXPECT_TRUE(std::isfinite(q) && std::fabs(q) > 1000.0) << q;
        }
    }
    for (std::uint8_t family : {kLinkwitzRileyLowPass, kLinkwitzRileyHighPass}) {
        const TXOVERPB half = Designed(family, 2, 12000);
        EXPECT_EQ(half.Sections[0].Q, kQuarterRateFirstOrderQ);
        EXPECT_EQ(half.Sections[1].Q, kQuarterRateFirstOrderQ);
    }
    TSOS degenerate; // the low-pass rule divides by zero, the high-pass one gives 0/0
    degenerate.b0 = degenerate.b1 = 0.5L;
    EXPECT_EQ(QFromCoefficients(degenerate, true), kQuarterRateFirstOrderQ);
    degenerate.b0 = 0.0L;
    EXPECT_EQ(QFromCoefficients(degenerate, false), kQuarterRateFirstOrderQ);
}

TEST(LinkwitzRileyHalf, OddOrderIsRaisedAndSixDbDownAtItsFrequency) {
    for (std::uint8_t family : {kLinkwitzRileyLowPass, kLinkwitzRileyHighPass}) {
        // Raised to the even order above, its order field included.
        ExpectSameHalf(Designed(family, 3, 1000), Designed(family, 4, 1000));
        ExpectSameHalf(Designed(family, 1, 1000), Designed(family, 2, 1000));
        for (int order : {2, 4}) {
            EXPECT_NEAR(CascadeDb(Designed(family, order, 1000), 1000), kMinus6dB, 1e-9);
            EXPECT_NEAR(GridDb(Designed(family, order, 693), kGrid693Hz), kMinus6dB, 1e-4);
        }
    }
}

// Every family accepts orders 1 to its highest; one beyond either end is refused and
// changes nothing.
TEST(CrossoverOrders, AcceptedRangesPerFamily) {
    const std::pair<std::uint8_t, int> highest[] = {
        {kXoverBypass, 8},      {kButterworthLowPass, 6},   {kButterworthHighPass, 6},
        {kBesselLowPass, 6},    {kBesselHighPass, 6},       {kSectionsLowPass, 6},
        {kSectionsHighPass, 6}, {kLinkwitzRileyLowPass, 4}, {kLinkwitzRileyHighPass, 4}};
    for (const auto& [family, order] : highest) {
        EXPECT_EQ(AcceptedOrders(family).lowest, 1) << int(family);
        EXPECT_EQ(AcceptedOrders(family).highest, order) << int(family);
        for (int refused : {0, order + 1}) {
            // Start from a designed half so that "unchanged" is not just "default".
            TXOVERPB half = Designed(kButterworthHighPass, 3, 440);
            half.Family = family;
            half.Order = refused;
            half.Frequency = 20000; // would also trip the Bessel limit
            const TXOVERPB before = half;
            RecordingNotifier notifier;
            EXPECT_EQ(half.Design(&notifier), HalfDesignStatus::OrderRefused)
                << "family " << int(family) << " order " << refused;
            ExpectSameHalf(half, before);
            EXPECT_TRUE(notifier.limits.empty());
        }
    }
    EXPECT_FALSE(IsOrderAccepted(9, 2));
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

TEST(BesselHalf, IsAboutThreeDbDownAtItsFrequency) {
    // The factors are normalised to -3 dB; the bilinear warping moves it slightly.
    for (std::uint8_t family : {kBesselLowPass, kBesselHighPass}) {
        for (int order = 1; order <= 6; ++order) {
            EXPECT_NEAR(CascadeDb(Designed(family, order, 1000), 1000), kMinus3dB, 0.1)
                << "family " << int(family) << " order " << order;
        }
    }
}

// Above its order's limit a Bessel low-pass is designed at the limit, and the limit told.
TEST(BesselHalf, LowPassAboveItsLimitIsHeldThereAndReported) {
    const double limits[] = {0, 20000, 18800, 16500, 14900, 13650, 12550, 11650, 10900, 0};
    for (int order = 0; order <= 9; ++order) {
        EXPECT_EQ(BesselCutoffLimit(order), limits[order]);
    }
    for (int order = 1; order <= 6; ++order) {
        TXOVERPB half = MakeHalf(kBesselLowPass, order, limits[order] + 1);
        RecordingNotifier notifier;
        ASSERT_EQ(half.Design(&notifier), HalfDesignStatus::Ok);
        EXPECT_EQ(notifier.limits, (std::vector{std::pair(limits[order], order)}));
        // Every section moved there too, the unused ones included.
        ExpectSameHalf(half, Designed(kBesselLowPass, order, limits[order]));
    }
    EXPECT_EQ(BesselCutoffMessage(18800.0, 2),
              "Maximum Bessel Cutoff = 18800 for LowPass of order 2");
}

// Per output two slots from 60 + 10 * output: the low-pass half fills them from the first,
// the high-pass half from the second; section 3 and the crossover's own sections have none.
TEST(CrossoverSlots, FollowTheTablePerOutput) {
    for (int output = 1; output <= 3; ++output) {
        const int low = 60 + 10 * output;
        const auto slots = [output](XoverSide side) {
            return std::tuple(CrossoverCoefIndex(output, side, 1),
                              CrossoverCoefIndex(output, side, 2),
                              CrossoverCoefIndex(output, side, 3));
        };
        const auto assigned = [](const TXOVERPB& half) {
            return std::tuple(half.Sections[0].CoefIndex, half.Sections[1].CoefIndex,
                              half.Sections[2].CoefIndex);
        };
        TXOVER crossover;
        AssignCoefIndexes(crossover, output);
        for (const auto& got : {slots(XoverSide::LowPass), assigned(crossover.LowPass)}) {
            EXPECT_EQ(got, std::tuple(low, low + 5, kNoCoefSlot)) << output;
        }
        for (const auto& got : {slots(XoverSide::HighPass), assigned(crossover.HighPass)}) {
            EXPECT_EQ(got, std::tuple(low + 5, low, kNoCoefSlot)) << output;
        }
        EXPECT_EQ(assigned(crossover), std::tuple(kNoCoefSlot, kNoCoefSlot, kNoCoefSlot));
    }
    EXPECT_EQ(CrossoverCoefIndex(0, XoverSide::LowPass, 1), kNoCoefSlot);
    EXPECT_EQ(CrossoverCoefIndex(4, XoverSide::HighPass, 1), kNoCoefSlot);
    EXPECT_EQ(CrossoverCoefIndex(1, XoverSide::LowPass, 0), kNoCoefSlot);
}

TEST(Crossover, StartsWithBothHalvesBypassedAtOrderTwo) {
    TXOVER crossover;
    SetInitialCrossover(crossover, 1);
    const auto half = [](const TXOVERPB& h) { return std::tuple(h.Order, h.Frequency, h.Family); };
    EXPECT_EQ(half(crossover.HighPass), std::tuple(2, 100.0, kXoverBypass));
    EXPECT_EQ(half(crossover.LowPass), std::tuple(2, 5000.0, kXoverBypass));
    EXPECT_EQ(crossover.LowPass.Sections[0].CoefIndex, 70);
    ResponseCurve curve;
    EvaluateCrossover(crossover, curve);
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        ASSERT_EQ(curve.magnitudeDb[i], 0.0f);
        ASSERT_EQ(curve.phaseRad[i], 0.0f);
    }
}

// The low-pass half's sections, then the high-pass half's, three at most: a loaded
// section count is held to them.
TEST(CrossoverEvaluationList, IsLowPassSectionsThenHighPassSections) {
    TXOVER crossover;
    crossover.LowPass = Designed(kButterworthLowPass, 4, 5000);
    crossover.HighPass = Designed(kButterworthHighPass, 2, 100);
    XoverEvaluationList list = BuildEvaluationList(crossover);
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.sections[0], &crossover.LowPass.Sections[0]);
    EXPECT_EQ(list.sections[1], &crossover.LowPass.Sections[1]);
    EXPECT_EQ(list.sections[2], &crossover.HighPass.Sections[0]);
    EXPECT_EQ(list.sections[3], nullptr);
    crossover.LowPass.SectionCount = 7;
    crossover.HighPass.SectionCount = -1;
    list = BuildEvaluationList(crossover);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.sections[2], &crossover.LowPass.Sections[2]);
}

TEST(CrossoverFamilyList, MapsEntriesToFamiliesPerSide) {
    const struct {
        int entry;
        std::uint8_t low, high;
    } cases[] = {{0, kXoverBypass, kXoverBypass},
                 {1, kButterworthLowPass, kButterworthHighPass},
                 {2, kLinkwitzRileyLowPass, kLinkwitzRileyHighPass},
                 {3, kBesselLowPass, kBesselHighPass},
                 {4, kXoverBypass, kXoverBypass},
                 {-1, kXoverBypass, kXoverBypass}};
    for (const auto& c : cases) {
        EXPECT_EQ(FamilyFromListIndex(c.entry, XoverSide::LowPass), c.low) << c.entry;
        EXPECT_EQ(FamilyFromListIndex(c.entry, XoverSide::HighPass), c.high) << c.entry;
    }
}

TEST(FirstOrderPair, ProductRespondsLikeTheCascade) {
    for (std::uint8_t family : {kLinkwitzRileyLowPass, kLinkwitzRileyHighPass}) {
        for (double hz : {40.0, 12000.0}) {
            TXOVERPB half = Designed(family, 2, hz);
            half.Sections[0].CoefIndex = 75;
            ASSERT_TRUE(HoldsFirstOrderPair(half));
            const TSOS product = FirstSlotSection(half);
            EXPECT_EQ(product.CoefIndex, 75);
            EXPECT_EQ(product.SectionType, family == kLinkwitzRileyLowPass ? kLowPassQ : kHiPassQ);
            EXPECT_NEAR(product.Q, 0.5, 1e-9);
            ResponseCurve cascade, single;
            EvaluateHalf(half, cascade);
            const TSOS* one[] = {&product};
            AccumulateResponse(one, 1, single);
            for (int i = 0; i <= FrequencyGrid::N; ++i) {
                ASSERT_NEAR(single.magnitudeDb[i], cascade.magnitudeDb[i],
                            1e-4 + 1e-6 * std::fabs(cascade.magnitudeDb[i]))
                    << "at " << FrequencyGrid::Shared().GridHz[i] << " Hz";
                ASSERT_LT(PhaseDistance(single.phaseRad[i], cascade.phaseRad[i]), 1e-4);
            }
        }
    }
}

TEST(FirstOrderPair, OnlyAFirstOrderPairIsCombined) {
    EXPECT_TRUE(HoldsFirstOrderPair(Designed(kLinkwitzRileyHighPass, 1, 500))); // raised to 2
    for (const TXOVERPB& half :
         {Designed(kLinkwitzRileyLowPass, 4, 500), Designed(kButterworthLowPass, 1, 500),
          Designed(kButterworthHighPass, 2, 500), Designed(kButterworthLowPass, 3, 500),
          Designed(kXoverBypass, 2, 500)}) {
        EXPECT_FALSE(HoldsFirstOrderPair(half));
        EXPECT_EQ(Fields(FirstSlotSection(half)), Fields(half.Sections[0]));
    }
}
