#include "editors/CrossoverController.h"

#include "config/OutputTopology.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/SectionDesign.h"
#include "editors/CrossoverEditorFixture.h"
#include "editors/CrossoverSlots.h"
#include "plot/PlotConfigurations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veld23 {
namespace {

using testing::CrossoverEditor;
using testing::kColumnH;
using testing::kColumnL;
using testing::kGrid693Hz;
using testing::kMinus3dB;
using testing::kMinus6dB;

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

TEST(CrossoverController, FrequenciesAreWholeHertzInRangeAndHighPassStaysBelowLowPass) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.Enter(kColumnL, "6000"); // above the low-pass half's 5000 Hz
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 5000.0);
    EXPECT_EQ(t.Text(kColumnL), "5000");
    t.Enter(kColumnL, "300");
    t.Enter(kColumnH, "120"); // the low-pass column gives way the other way round
    EXPECT_EQ(t.Crossover(1).LowPass.Frequency, 300.0);
    EXPECT_EQ(t.Text(kColumnH), "300");
    EXPECT_EQ(t.controller.CurrentSide(), kColumnH);
    t.Enter(kColumnH, "25000");
    EXPECT_EQ(t.Crossover(1).LowPass.Frequency, 20000.0);
    t.Enter(kColumnL, "10");
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 20.0);
    t.Enter(kColumnL, " 1000.6 ");
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 1001.0);
    t.controller.FrequencyUp(kColumnL);
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 1002.0);
    t.controller.FrequencyDown(kColumnH);
    EXPECT_EQ(t.Crossover(1).LowPass.Frequency, 19999.0);
    // Up on typed text that was never taken starts from the typed value.
    t.controller.SetFrequencyText(kColumnL, "500");
    t.controller.FrequencyUp(kColumnL);
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 501.0);

    // Text that is not a number changes nothing, and the field shows the value again.
    const auto sends = t.sender.calls.size();
    const int redraws = t.finalRedraws;
    for (const char* text : {"", "-", "abc", "1e999"}) {
        t.Enter(kColumnL, text);
        EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 501.0) << text;
        EXPECT_EQ(t.Text(kColumnL), "501") << text;
    }
    EXPECT_EQ(t.sender.calls.size(), sends);
    EXPECT_EQ(t.finalRedraws, redraws);

    // A half used alone is not bound by the other.
    CrossoverEditor solo;
    solo.controller.ChooseOutput(1);
    solo.controller.ToggleSolo(kColumnL);
    solo.Enter(kColumnL, "6000");
    EXPECT_EQ(solo.Crossover(1).HighPass.Frequency, 6000.0);
}

TEST(CrossoverController, OrderTwoUnlessAHalfIsUsedAloneThenFourFillingBothSlots) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.ChooseFamily(kColumnL, 1);
    t.controller.OrderUp(kColumnL);
    EXPECT_EQ(t.Crossover(1).HighPass.Order, 2);

    t.controller.ChooseFamily(kColumnH, 1);
    t.controller.ToggleSolo(kColumnL);
    t.sender.calls.clear();
    t.controller.OrderUp(kColumnL);
    const TXOVERPB& highPass = t.Crossover(1).HighPass;
    EXPECT_EQ(t.controller.Column(kColumnL).Order(), 4);
    ASSERT_EQ(highPass.SectionCount, 2);
    EXPECT_NEAR(highPass.Sections[0].Q, 1.3066, 0.0001);
    EXPECT_EQ(t.SentParameters(), (std::vector<std::uint16_t>{75, 70}));
    testing::ExpectSentSection(t.sender.calls[0], highPass.Sections[0]);
    testing::ExpectSentSection(t.sender.calls[1], highPass.Sections[1]);
    // Six would need more slots than an output has; the held column takes no changes.
    t.controller.OrderUp(kColumnL);
    EXPECT_EQ(highPass.Order, 4);
    t.controller.ChooseFamily(kColumnH, 2);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);

    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(highPass.Order, 2);
    EXPECT_EQ(t.controller.Column(kColumnL).Order(), 2);
    EXPECT_TRUE(t.controller.Column(kColumnH).Enabled());
}

TEST(CrossoverController, SoloLHoldsTheLowPassHalfAndGivesItsOwnFamilyBack) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.ChooseFamily(kColumnH, 1);
    t.controller.ChooseFamily(kColumnL, 2);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_TRUE(t.controller.SoloLit(kColumnL));
    EXPECT_TRUE(t.config.CrossoverSolos[0].HighPassAux);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);
    EXPECT_EQ(t.Crossover(1).LowPass.Sections[0].b0, 1.0L);
    EXPECT_FALSE(t.controller.Column(kColumnH).Enabled());
    EXPECT_EQ(t.controller.Column(kColumnH).FamilyIndex(), 0);

    // Each output remembers its own family.
    t.controller.ChooseOutput(2);
    t.controller.ChooseFamily(kColumnH, 3);
    t.controller.ToggleSolo(kColumnL);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(2).LowPass.Family, kBesselLowPass);
    t.controller.ChooseOutput(1);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kButterworthLowPass);
    EXPECT_EQ(t.controller.Column(kColumnH).FamilyIndex(), 1);
    EXPECT_NE(t.Crossover(1).LowPass.Sections[0].b0, 1.0L);

    // A loaded configuration with solo L on has its low-pass half at "ByPass"; the
    // family remembered from before the load must not come back.
    t.controller.ChooseFamily(kColumnH, 2);
    t.controller.ToggleSolo(kColumnL);
    t.controller.RefreshOutputs();
    t.controller.ChooseOutput(1);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);
}

TEST(CrossoverController, LinkwitzRileyOfOrderTwoIsSentAsTheProductOfItsSections) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.Enter(kColumnL, "693");
    t.sender.calls.clear();
    t.controller.ChooseFamily(kColumnL, 2);
    const TXOVERPB& highPass = t.Crossover(1).HighPass;
    EXPECT_EQ(highPass.Family, kLinkwitzRileyHighPass);
    EXPECT_NEAR(t.CurveY(1, kGrid693Hz), kMinus6dB, 0.01);
    // The high-pass slot gets one second-order section with the same response, not
    // section 1 alone (which would be -3 dB there).
    ASSERT_EQ(t.sender.calls.size(), 2u);
    const TSOS product = MultiplyFirstOrderSections(highPass.Sections[0], highPass.Sections[1]);
    EXPECT_EQ(product.CoefIndex, 75);
    testing::ExpectSentSection(t.sender.calls[1], product);
    ResponseCurve sent;
    const std::array<const TSOS*, 1> cascade{&product};
    AccumulateResponse(cascade, 1, sent);
    EXPECT_NEAR(sent.magnitudeDb[kGrid693Hz], kMinus6dB, 0.01);

    // Used alone, it sends its product in its own slot; the held half's slot is flat.
    t.controller.ChooseOutput(3);
    t.controller.ToggleSolo(kColumnL);
    t.controller.ChooseFamily(kColumnL, 2);
    const CrossoverSlotSections slots = SlotSections(t.Crossover(3));
    EXPECT_EQ(slots[0].CoefIndex, 90);
    EXPECT_EQ(slots[0].b0, 1.0L);
    EXPECT_EQ(slots[0].b1, 0.0L);
    EXPECT_EQ(slots[1].CoefIndex, 95);
    EXPECT_NE(slots[1].b2, 0.0L);
}

TEST(CrossoverController, SendsOnlyWhenTheSenderMayAndRedrawsEveryTime) {
    CrossoverEditor t;
    t.controller.ChooseOutput(2);
    t.sender.calls.clear();
    const int redraws = t.finalRedraws;
    t.controller.ChooseFamily(kColumnH, 1);
    EXPECT_EQ(t.SentParameters(), (std::vector<std::uint16_t>{80, 85}));
    t.sender.calls.clear();
    t.sender.mode = false;
    t.Enter(kColumnH, "4000");
    t.sender.mode = true;
    t.sender.busy = true;
    t.Enter(kColumnH, "3000");
    EXPECT_TRUE(t.sender.calls.empty());
    EXPECT_EQ(t.Crossover(2).LowPass.Frequency, 3000.0);
    EXPECT_EQ(t.finalRedraws, redraws + 3);
}

TEST(CrossoverController, BesselLowPassAboveItsLimitIsMovedThereAndReported) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.ChooseFamily(kColumnH, 3);
    t.Enter(kColumnH, "19000");
    ASSERT_EQ(t.notifier.limits.size(), 1u);
    EXPECT_EQ(t.notifier.limits[0], (std::pair<double, int>{18800.0, 2}));
    EXPECT_EQ(t.Text(kColumnH), "18800");
    t.Enter(kColumnH, "18800"); // the limit itself is accepted
    EXPECT_EQ(t.notifier.limits.size(), 1u);
    // A Bessel high-pass has no limit.
    t.controller.ToggleSolo(kColumnL);
    t.controller.ChooseFamily(kColumnL, 3);
    t.Enter(kColumnL, "19000");
    EXPECT_EQ(t.notifier.limits.size(), 1u);
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 19000.0);
}

TEST(CrossoverController, TopologyDecidesTheSecondCurveAndTheSubPath) {
    CrossoverEditor t;
    t.controller.ChooseOutput(3);
    t.controller.ChooseFamily(kColumnL, 1);
    const ResponseCurve& out3 = t.controller.OutputResponse(3);
    EXPECT_NEAR(t.CurveY(3, 150), double{out3.magnitudeDb[150]} - 0.558, 0.0005);
    t.controller.ToggleCurve(1);
    EXPECT_FALSE(t.controller.CurveShown(1));

    ApplyTwoOutputs(t.config, t.sender);
    t.controller.ApplyTopology();
    EXPECT_FALSE(t.controller.OutputOffered(2));
    EXPECT_FALSE(t.controller.CurveShown(2));
    EXPECT_EQ(t.controller.Plot().FindSeries(3)->Colour(), plot_colours::kRed);
    EXPECT_EQ(t.controller.SelectorLabel(3), "Out2");
    EXPECT_EQ(t.CurveY(3, 150), out3.magnitudeDb[150]); // no SUB path

    ApplyThreeOutputs(t.config, t.sender);
    t.controller.ApplyTopology();
    EXPECT_TRUE(t.controller.CurveShown(2));
    EXPECT_EQ(t.controller.Plot().FindSeries(3)->Colour(), plot_colours::kYellow);
    EXPECT_EQ(t.controller.SelectorLabel(3), "SUB");
}

TEST(CrossoverController, RefreshHoldsLoadedValuesToTheControlsThenDesignsAndSends) {
    CrossoverEditor t;
    TXOVER& designed = t.Crossover(1);
    designed.HighPass.Family = kButterworthHighPass;
    designed.HighPass.Frequency = 200.0;
    TXOVER& damaged = t.Crossover(2);
    damaged.HighPass.Family = 200;
    damaged.HighPass.Order = 9;
    damaged.HighPass.Frequency = std::nan("");
    damaged.LowPass.Family = kButterworthLowPass;
    damaged.LowPass.Order = -3;
    damaged.LowPass.Frequency = 1e12;
    t.config.CrossoverSolos[1] = {true, true};
    t.controller.RefreshOutputs();

    EXPECT_EQ(t.controller.CurrentOutput(), 3);
    EXPECT_EQ(designed.HighPass.Sections[0].SectionType, kHiPassQ);
    const int at200 = testing::GridIndexNear(200.0);
    ASSERT_EQ(FrequencyGrid::Shared().GridHz[at200], 200);
    EXPECT_NEAR(t.controller.OutputResponse(1).magnitudeDb[at200], kMinus3dB, 0.02);
    bool sentHighPass = false;
    for (const auto& call : t.sender.calls) {
        if (call.parameter == 75) {
            testing::ExpectSentSection(call, designed.HighPass.Sections[0]);
            sentHighPass = true;
        }
    }
    EXPECT_TRUE(sentHighPass);

    EXPECT_EQ(damaged.HighPass.Family, kXoverBypass);
    EXPECT_EQ(damaged.HighPass.Frequency, 20.0);
    EXPECT_EQ(damaged.HighPass.Order, 4);
    EXPECT_EQ(damaged.LowPass.Frequency, 20000.0);
    EXPECT_EQ(damaged.LowPass.Order, 2);
    EXPECT_EQ(damaged.LowPass.Family, kXoverBypass); // held by solo L
    EXPECT_FALSE(t.config.CrossoverSolos[1].LowPassAux);
    for (const PlotPoint& p : t.controller.Plot().FindSeries(2)->Points()) {
        ASSERT_TRUE(std::isfinite(p.y));
    }
}

TEST(CrossoverController, SectionsOfTheirOwnKeepTheirFrequencyAndQ) {
    CrossoverEditor t;
    TXOVER& x = t.Crossover(1);
    x.LowPass.Family = kSectionsLowPass;
    x.LowPass.Sections[0].Frequency = 2500.0;
    x.LowPass.Sections[0].Q = 2.0;
    t.controller.RefreshOutputs();
    t.controller.ChooseOutput(1);
    EXPECT_EQ(t.controller.Column(kColumnH).FamilyIndex(), CrossoverColumn::kNoListEntry);
    t.Enter(kColumnH, "4000");
    EXPECT_EQ(x.LowPass.Family, kSectionsLowPass);
    EXPECT_EQ(x.LowPass.Sections[0].Frequency, 2500.0);
    EXPECT_EQ(x.LowPass.Sections[0].SectionType, kLowPassQ);
}

TEST(CrossoverController, PendingTypedFrequencyIsStoredBeforeClosing) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.SetFrequencyText(kColumnL, "250");
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 100.0);
    t.controller.StorePendingParameters();
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 250.0);
    const auto sends = t.sender.calls.size();
    t.controller.StorePendingParameters(); // nothing pending any more
    EXPECT_EQ(t.sender.calls.size(), sends);
}

} // namespace
} // namespace veld23
