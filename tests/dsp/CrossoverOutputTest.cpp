// An output's crossover: coefficient slots, the evaluation list, the editor's
// family list, and the single section that carries a first-order pair.

#include "dsp/DspTestSupport.h"

#include "dsp/Crossover.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/Response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace veld23;
using namespace veld23::testing;

namespace {

// Phases are sums of principal values, so equal responses may differ by 2 pi.
double PhaseDistance(double a, double b) {
    const double d = std::remainder(a - b, 2 * std::numbers::pi);
    return std::fabs(d);
}

} // namespace

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
