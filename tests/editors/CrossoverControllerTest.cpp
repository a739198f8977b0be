#include "EditorTestSupport.h"
#include "config/OutputTopology.h"
#include "dsp/CrossoverSubLowPass.h"
#include "editors/CrossoverSlots.h"

#include <cmath>
#include <tuple>

namespace veld23 {
namespace {

using namespace testing;
constexpr XoverSide kColumnL = XoverSide::HighPass;
constexpr XoverSide kColumnH = XoverSide::LowPass;

// Output 1 chosen, as most tests edit it; what that sent is forgotten.
struct CrossoverEditing : CrossoverEditor, ::testing::Test {
    CrossoverEditing() {
        controller.ChooseOutput(1);
        sender.calls.clear();
    }
};

TEST(CrossoverSubLowPass, IsTheFixed470HzButterworthOnTheGrid) {
    const ResponseCurve& fixed = SubLowPassResponse();
    EXPECT_NEAR(fixed.magnitudeDb[0], -0.0000142, 0.000001);
    EXPECT_NEAR(fixed.phaseRad[0], -0.0602, 5e-4);
    EXPECT_NEAR(fixed.magnitudeDb[100], -0.0172, 5e-4);
    EXPECT_NEAR(fixed.magnitudeDb[150], -0.558, 0.0005);
    EXPECT_NEAR(fixed.phaseRad[150], -0.939, 0.0005);
    EXPECT_NEAR(fixed.magnitudeDb[200], -7.584, 0.0005);
    EXPECT_NEAR(fixed.phaseRad[200], -2.084, 0.0005);
    EXPECT_NEAR(fixed.magnitudeDb[300], -37.949, 0.0005);
}

TEST_F(CrossoverEditing, FrequenciesAreWholeHertzInRangeAndHighPassStaysBelowLowPass) {
    Enter(kColumnL, "6000"); // above the low-pass half's 5000 Hz
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 5000.0);
    EXPECT_EQ(Text(kColumnL), "5000");
    Enter(kColumnL, "300");
    Enter(kColumnH, "120"); // the low-pass column gives way the other way round
    EXPECT_EQ(Crossover(1).LowPass.Frequency, 300.0);
    EXPECT_EQ(Text(kColumnH), "300");
    EXPECT_EQ(controller.CurrentSide(), kColumnH);
    Enter(kColumnH, "25000");
    EXPECT_EQ(Crossover(1).LowPass.Frequency, 20000.0);
    Enter(kColumnL, "10");
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 20.0);
    Enter(kColumnL, " 1000.6 ");
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 1001.0);
    controller.FrequencyUp(kColumnL);
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 1002.0);
    controller.FrequencyDown(kColumnH);
    EXPECT_EQ(Crossover(1).LowPass.Frequency, 19999.0);
    // Up on typed text that was never taken starts from the typed value.
    controller.SetFrequencyText(kColumnL, "500");
    controller.FrequencyUp(kColumnL);
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 501.0);

    // Text that is not a number changes nothing, and the field shows the value again.
    const auto sends = sender.calls.size();
    Enter(kColumnL, "abc");
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 501.0);
    EXPECT_EQ(Text(kColumnL), "501");
    EXPECT_EQ(sender.calls.size(), sends);

    // A half used alone is not bound by the other.
    CrossoverEditor solo;
    solo.controller.ChooseOutput(1);
    solo.controller.ToggleSolo(kColumnL);
    solo.Enter(kColumnL, "6000");
    EXPECT_EQ(solo.Crossover(1).HighPass.Frequency, 6000.0);
}

TEST_F(CrossoverEditing, OrderTwoUnlessAHalfIsUsedAloneThenFourFillingBothSlots) {
    controller.ChooseFamily(kColumnL, 1);
    controller.OrderUp(kColumnL);
    EXPECT_EQ(Crossover(1).HighPass.Order, 2);

    controller.ChooseFamily(kColumnH, 1);
    controller.ToggleSolo(kColumnL);
    sender.calls.clear();
    controller.OrderUp(kColumnL);
    const TXOVERPB& highPass = Crossover(1).HighPass;
    EXPECT_EQ(controller.Column(kColumnL).Order(), 4);
    ASSERT_EQ(highPass.SectionCount, 2);
    EXPECT_EQ(FiveParameters(sender), (std::vector<int>{75, 70}));
    ExpectSentSection(sender.calls[0], highPass.Sections[0]);
    ExpectSentSection(sender.calls[1], highPass.Sections[1]);
    // Six would need more slots than an output has; the held column takes no changes.
    controller.OrderUp(kColumnL);
    EXPECT_EQ(highPass.Order, 4);
    controller.ChooseFamily(kColumnH, 2);
    EXPECT_EQ(Crossover(1).LowPass.Family, kXoverBypass);
    // Only the four list entries are families to choose.
    for (const int index : {-1, 4}) {
        controller.ChooseFamily(kColumnL, index);
        EXPECT_EQ(highPass.Family, kButterworthHighPass) << index;
    }

    controller.ToggleSolo(kColumnL);
    EXPECT_EQ(highPass.Order, 2);
    EXPECT_EQ(controller.Column(kColumnL).Order(), 2);
    EXPECT_TRUE(controller.Column(kColumnH).Enabled());
}

TEST_F(CrossoverEditing, SoloLHoldsTheLowPassHalfAndGivesItsOwnFamilyBack) {
    controller.ChooseFamily(kColumnH, 1);
    controller.ChooseFamily(kColumnL, 2);
    controller.ToggleSolo(kColumnL);
    EXPECT_TRUE(controller.SoloLit(kColumnL));
    EXPECT_TRUE(config.CrossoverSolos[0].HighPassAux);
    EXPECT_EQ(Crossover(1).LowPass.Family, kXoverBypass);
    EXPECT_EQ(Crossover(1).LowPass.Sections[0].b0, 1.0L);
    EXPECT_FALSE(controller.Column(kColumnH).Enabled());
    EXPECT_EQ(controller.Column(kColumnH).FamilyIndex(), 0);

    // Each output remembers its own family.
    controller.ChooseOutput(2);
    controller.ChooseFamily(kColumnH, 3);
    controller.ToggleSolo(kColumnL);
    controller.ToggleSolo(kColumnL);
    EXPECT_EQ(Crossover(2).LowPass.Family, kBesselLowPass);
    controller.ChooseOutput(1);
    controller.ToggleSolo(kColumnL);
    EXPECT_EQ(Crossover(1).LowPass.Family, kButterworthLowPass);
    EXPECT_EQ(controller.Column(kColumnH).FamilyIndex(), 1);
    EXPECT_NE(Crossover(1).LowPass.Sections[0].b0, 1.0L);

    // A loaded configuration with solo L on has its low-pass half at "ByPass"; the
    // family remembered from before the load must not come back.
    controller.ChooseFamily(kColumnH, 2);
    controller.ToggleSolo(kColumnL);
    controller.RefreshOutputs();
    controller.ChooseOutput(1);
    controller.ToggleSolo(kColumnL);
    EXPECT_EQ(Crossover(1).LowPass.Family, kXoverBypass);
}

TEST_F(CrossoverEditing, LinkwitzRileyOfOrderTwoIsSentAsTheProductOfItsSections) {
    Enter(kColumnL, "693");
    sender.calls.clear();
    controller.ChooseFamily(kColumnL, 2);
    const TXOVERPB& highPass = Crossover(1).HighPass;
    EXPECT_EQ(highPass.Family, kLinkwitzRileyHighPass);
    EXPECT_NEAR(CurveY(1, kGrid693Hz), kMinus6dB, 0.01);
    // The high-pass slot gets one second-order section with the same response, not
    // section 1 alone (which would be -3 dB there).
    ASSERT_EQ(sender.calls.size(), 2u);
    ExpectSentSection(sender.calls[1],
                      MultiplyFirstOrderSections(highPass.Sections[0], highPass.Sections[1]));

    // Used alone, it sends its product in its own slot; the held half's slot is flat.
    controller.ChooseOutput(3);
    controller.ToggleSolo(kColumnL);
    controller.ChooseFamily(kColumnL, 2);
    const CrossoverSlotSections slots = SlotSections(Crossover(3));
    EXPECT_EQ(std::tuple(slots[0].CoefIndex, slots[0].b0, slots[0].b1), std::tuple(90, 1.0L, 0.0L));
    EXPECT_EQ(slots[1].CoefIndex, 95);
    EXPECT_NE(slots[1].b2, 0.0L);
}

TEST_F(CrossoverEditing, SendsOnlyWhenTheSenderMayAndRedrawsEveryTime) {
    controller.ChooseOutput(2);
    sender.calls.clear();
    const int redraws = finalRedraws;
    controller.ChooseFamily(kColumnH, 1);
    EXPECT_EQ(FiveParameters(sender), (std::vector<int>{80, 85}));
    sender.calls.clear();
    sender.mode = false;
    Enter(kColumnH, "3000");
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(Crossover(2).LowPass.Frequency, 3000.0);
    EXPECT_EQ(finalRedraws, redraws + 2);
}

TEST_F(CrossoverEditing, BesselLowPassAboveItsLimitIsMovedThereAndReported) {
    controller.ChooseFamily(kColumnH, 3);
    Enter(kColumnH, "19000");
    ASSERT_EQ(notifier.limits.size(), 1u);
    EXPECT_EQ(notifier.limits[0], (std::pair<double, int>{18800.0, 2}));
    EXPECT_EQ(Text(kColumnH), "18800");
    Enter(kColumnH, "18800"); // the limit itself is accepted
    EXPECT_EQ(notifier.limits.size(), 1u);
    // A Bessel high-pass has no limit.
    controller.ToggleSolo(kColumnL);
    controller.ChooseFamily(kColumnL, 3);
    Enter(kColumnL, "19000");
    EXPECT_EQ(notifier.limits.size(), 1u);
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 19000.0);
}

TEST_F(CrossoverEditing, TopologyDecidesTheSecondCurveAndTheSubPath) {
    controller.ChooseOutput(3);
    controller.ChooseFamily(kColumnL, 1);
    const ResponseCurve& out3 = controller.OutputResponse(3);
    EXPECT_NEAR(CurveY(3, 150), double{out3.magnitudeDb[150]} - 0.558, 0.0005);
    controller.ToggleCurve(1);
    EXPECT_FALSE(controller.CurveShown(1));

    ApplyTwoOutputs(config, sender);
    controller.ApplyTopology();
    EXPECT_FALSE(controller.OutputOffered(2));
    EXPECT_FALSE(controller.CurveShown(2));
    EXPECT_EQ(controller.Plot().FindSeries(3)->Colour(), plot_colours::kRed);
    EXPECT_EQ(CurveY(3, 150), out3.magnitudeDb[150]); // no SUB path

    ApplyThreeOutputs(config, sender);
    controller.ApplyTopology();
    EXPECT_TRUE(controller.CurveShown(2));
    EXPECT_EQ(controller.Plot().FindSeries(3)->Colour(), plot_colours::kYellow);
    EXPECT_EQ(controller.SelectorLabel(3), "SUB");
}

TEST_F(CrossoverEditing, RefreshHoldsLoadedValuesToTheControlsThenDesignsAndSends) {
    TXOVER& designed = Crossover(1);
    designed.HighPass.Family = kButterworthHighPass;
    designed.HighPass.Frequency = 200.0;
    TXOVER& damaged = Crossover(2);
    damaged.HighPass.Family = 200;
    damaged.HighPass.Order = 9;
    damaged.HighPass.Frequency = std::nan("");
    damaged.LowPass.Family = kButterworthLowPass;
    damaged.LowPass.Order = -3;
    damaged.LowPass.Frequency = 1e12;
    config.CrossoverSolos[1] = {true, true};
    controller.RefreshOutputs();

    EXPECT_EQ(controller.CurrentOutput(), 3);
    EXPECT_NEAR(controller.OutputResponse(1).magnitudeDb[kGrid200Hz], kMinus3dB, 0.02);

    const auto half = [](const TXOVERPB& h) { return std::tuple(h.Family, h.Frequency, h.Order); };
    EXPECT_EQ(half(damaged.HighPass), std::tuple(kXoverBypass, 20.0, 4));
    EXPECT_EQ(half(damaged.LowPass), std::tuple(kXoverBypass, 20000.0, 2)); // held by solo L
    EXPECT_FALSE(config.CrossoverSolos[1].LowPassAux);
    for (const PlotPoint& p : controller.Plot().FindSeries(2)->Points()) {
        ASSERT_TRUE(std::isfinite(p.y));
    }
}

TEST_F(CrossoverEditing, SectionsOfTheirOwnKeepTheirFrequencyAndQ) {
    TXOVER& x = Crossover(1);
    x.LowPass.Family = kSectionsLowPass;
    x.LowPass.Sections[0].Frequency = 2500.0;
    x.LowPass.Sections[0].Q = 2.0;
    controller.RefreshOutputs();
    controller.ChooseOutput(1);
    EXPECT_EQ(controller.Column(kColumnH).FamilyIndex(), CrossoverColumn::kNoListEntry);
    Enter(kColumnH, "4000");
    EXPECT_EQ(x.LowPass.Family, kSectionsLowPass);
    EXPECT_EQ(x.LowPass.Sections[0].Frequency, 2500.0);
    EXPECT_EQ(x.LowPass.Sections[0].SectionType, kLowPassQ);
}

TEST_F(CrossoverEditing, PendingTypedFrequencyIsStoredBeforeClosing) {
    controller.SetFrequencyText(kColumnL, "250");
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 100.0);
    controller.StorePendingParameters();
    EXPECT_EQ(Crossover(1).HighPass.Frequency, 250.0);
    const auto sends = sender.calls.size();
    controller.StorePendingParameters(); // nothing pending any more
    EXPECT_EQ(sender.calls.size(), sends);
}

} // namespace
} // namespace veld23
