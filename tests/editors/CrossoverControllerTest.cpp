#include "editors/CrossoverController.h"

#include "config/OutputTopology.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/SectionDesign.h"
#include "editors/CrossoverEditorFixture.h"
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
    EXPECT_NEAR(fixed.magnitudeDb[150], -0.558, 0.0005);
    EXPECT_NEAR(fixed.phaseRad[150], -0.939, 0.0005);
    EXPECT_NEAR(fixed.magnitudeDb[200], -7.584, 0.0005);
    EXPECT_NEAR(fixed.phaseRad[200], -2.084, 0.0005);
    EXPECT_NEAR(fixed.magnitudeDb[300], -37.949, 0.0005);
    EXPECT_NEAR(fixed.magnitudeDb[0], -0.0000142, 0.000001);
}

TEST(CrossoverController, HighPassFrequencyNeverExceedsLowPassWithBothHalvesInUse) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.Enter(kColumnL, "6000");
    EXPECT_EQ(t.Crossover(1).HighPass.Frequency, 5000.0);
    EXPECT_EQ(t.Text(kColumnL), "5000");

    // The low-pass column gives way the other way round.
    t.Enter(kColumnL, "300");
    t.Enter(kColumnH, "120");
    EXPECT_EQ(t.Crossover(1).LowPass.Frequency, 300.0);
    EXPECT_EQ(t.Text(kColumnH), "300");
    EXPECT_EQ(t.controller.CurrentSide(), kColumnH);

    // A half used alone is not bound by the other.
    CrossoverEditor solo;
    solo.controller.ChooseOutput(1);
    solo.controller.ToggleSolo(kColumnL);
    solo.Enter(kColumnL, "6000");
    EXPECT_EQ(solo.Crossover(1).HighPass.Frequency, 6000.0);
    EXPECT_EQ(solo.Text(kColumnL), "6000");
}

TEST(CrossoverController, FrequencyFieldTakesWholeHertzHeldToItsRange) {
    CrossoverEditor t;
    t.controller.ChooseOutput(2);
    t.Enter(kColumnL, "10");
    EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 20.0);
    EXPECT_EQ(t.Text(kColumnL), "20");
    t.Enter(kColumnH, "25000");
    EXPECT_EQ(t.Crossover(2).LowPass.Frequency, 20000.0);
    EXPECT_EQ(t.Text(kColumnH), "20000");
    t.Enter(kColumnL, " 1000.6 ");
    EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 1001.0);

    t.controller.FrequencyUp(kColumnL);
    EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 1002.0);
    t.controller.FrequencyDown(kColumnH);
    EXPECT_EQ(t.Crossover(2).LowPass.Frequency, 19999.0);
    // Up on typed text that was never taken starts from the typed value.
    t.controller.SetFrequencyText(kColumnL, "500");
    t.controller.FrequencyUp(kColumnL);
    EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 501.0);
    t.controller.SetFrequencyText(kColumnL, "20");
    t.controller.FrequencyDown(kColumnL);
    EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 20.0);

    // Text that is not a number changes nothing, and the field shows the value again.
    const int sends = static_cast<int>(t.sender.calls.size());
    const int redraws = t.finalRedraws;
    for (const char* text : {"", "-", "abc", "1e999"}) {
        t.Enter(kColumnL, text);
        EXPECT_EQ(t.Crossover(2).HighPass.Frequency, 20.0) << text;
        EXPECT_EQ(t.Text(kColumnL), "20") << text;
    }
    EXPECT_EQ(static_cast<int>(t.sender.calls.size()), sends);
    EXPECT_EQ(t.finalRedraws, redraws);
}

TEST(CrossoverController, OrderRuleKeepsBothHalvesAtTwoUnlessOneIsUsedAlone) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.ChooseFamily(kColumnL, 1);
    t.controller.OrderUp(kColumnL);
    EXPECT_EQ(t.controller.Column(kColumnL).Order(), 2);
    EXPECT_EQ(t.Crossover(1).HighPass.Order, 2);
    EXPECT_EQ(t.Crossover(1).HighPass.SectionCount, 1);

    t.controller.ChooseFamily(kColumnH, 1);
    t.controller.ToggleSolo(kColumnL);
    t.controller.OrderUp(kColumnL);
    EXPECT_EQ(t.controller.Column(kColumnL).Order(), 4);
    EXPECT_EQ(t.Crossover(1).HighPass.Order, 4);
    EXPECT_EQ(t.Crossover(1).HighPass.SectionCount, 2);
    EXPECT_FALSE(t.controller.Column(kColumnH).Enabled());
    EXPECT_EQ(t.controller.Column(kColumnH).FamilyIndex(), 0);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);
    // Six would need more slots than an output has.
    t.controller.OrderUp(kColumnL);
    EXPECT_EQ(t.Crossover(1).HighPass.Order, 4);
    // A disabled column does not take changes.
    t.controller.ChooseFamily(kColumnH, 2);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);

    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(1).HighPass.Order, 2);
    EXPECT_EQ(t.controller.Column(kColumnL).Order(), 2);
    EXPECT_TRUE(t.controller.Column(kColumnH).Enabled());
}

TEST(CrossoverController, LinkwitzRileyOfOrderTwoIsTwoFirstOrderSectionsSentAsTheirProduct) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.Enter(kColumnL, "693");
    t.sender.calls.clear();
    t.controller.ChooseFamily(kColumnL, 2);

    const TXOVERPB& highPass = t.Crossover(1).HighPass;
    EXPECT_EQ(highPass.Family, kLinkwitzRileyHighPass);
    ASSERT_EQ(highPass.SectionCount, 2);
    EXPECT_EQ(highPass.Sections[0].a2, 0.0L);
    EXPECT_EQ(highPass.Sections[0].b0, highPass.Sections[1].b0);
    EXPECT_EQ(highPass.Sections[0].a1, highPass.Sections[1].a1);
    EXPECT_NEAR(t.CurveY(1, kGrid693Hz), kMinus6dB, 0.01);

    // The high-pass slot gets one second-order section with the same response, not
    // section 1 alone (which would be -3 dB there).
    ASSERT_EQ(t.sender.calls.size(), 2u);
    testing::ExpectSentSection(t.sender.calls[0], t.Crossover(1).LowPass.Sections[0]);
    const TSOS product = MultiplyFirstOrderSections(highPass.Sections[0], highPass.Sections[1]);
    EXPECT_EQ(product.CoefIndex, 75);
    testing::ExpectSentSection(t.sender.calls[1], product);
    ResponseCurve sent;
    const std::array<const TSOS*, 1> cascade{&product};
    AccumulateResponse(cascade, 1, sent);
    EXPECT_NEAR(sent.magnitudeDb[kGrid693Hz], kMinus6dB, 0.01);
}

TEST(CrossoverController, SendsTheTwoSlotsOnlyWhenTheSenderMay) {
    CrossoverEditor t;
    t.controller.ChooseOutput(2);
    t.sender.calls.clear();
    const int redraws = t.finalRedraws;
    t.controller.ChooseFamily(kColumnH, 1);
    EXPECT_EQ(t.SentParameters(), (std::vector<std::uint16_t>{80, 85}));
    testing::ExpectSentSection(t.sender.calls[0], t.Crossover(2).LowPass.Sections[0]);
    EXPECT_EQ(t.finalRedraws, redraws + 1);

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
    EXPECT_TRUE(t.notifier.limits.empty());
    t.Enter(kColumnH, "19000");
    ASSERT_EQ(t.notifier.limits.size(), 1u);
    EXPECT_EQ(t.notifier.limits[0], (std::pair<double, int>{18800.0, 2}));
    EXPECT_EQ(t.Crossover(1).LowPass.Frequency, 18800.0);
    EXPECT_EQ(t.Text(kColumnH), "18800");
    // The limit itself is accepted.
    t.Enter(kColumnH, "18800");
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
    t.controller.ToggleCurve(1);
    EXPECT_TRUE(t.controller.CurveShown(1));

    t.controller.ChooseOutput(1);
    ApplyTwoOutputs(t.config, t.sender);
    t.controller.ApplyTopology();
    EXPECT_EQ(t.controller.CurrentOutput(), 3);
    EXPECT_FALSE(t.controller.OutputOffered(2));
    EXPECT_FALSE(t.controller.CurveShown(2));
    EXPECT_EQ(t.controller.Plot().FindSeries(3)->Colour(), plotcolours::kRed);
    EXPECT_EQ(t.controller.SelectorLabel(3), "Out2");
    // The second full-range output has no SUB path.
    EXPECT_EQ(t.CurveY(3, 150), out3.magnitudeDb[150]);
    EXPECT_EQ(t.CurveY(3, 300), out3.magnitudeDb[300]);

    ApplyThreeOutputs(t.config, t.sender);
    t.controller.ApplyTopology();
    EXPECT_TRUE(t.controller.CurveShown(2));
    EXPECT_EQ(t.controller.Plot().FindSeries(3)->Colour(), plotcolours::kYellow);
    EXPECT_EQ(t.controller.SelectorLabel(3), "SUB");
    EXPECT_NEAR(t.CurveY(3, 150), double{out3.magnitudeDb[150]} - 0.558, 0.0005);
}

TEST(CrossoverController, RefreshDesignsBothHalvesAsLoaded) {
    CrossoverEditor t;
    // What opening a file leaves: parameters without designs.
    TXOVER& loaded = t.Crossover(1);
    loaded.HighPass.Family = kButterworthHighPass;
    loaded.HighPass.Frequency = 200.0;
    loaded.LowPass.Family = kButterworthLowPass;
    loaded.LowPass.Frequency = 3000.0;
    t.controller.RefreshOutputs();

    EXPECT_EQ(t.controller.CurrentOutput(), 3);
    EXPECT_EQ(loaded.HighPass.Sections[0].SectionType, kHiPassQ);
    EXPECT_NEAR(loaded.HighPass.Sections[0].Q, 0.7071, 0.0001);
    const int at200 = testing::GridIndexNear(200.0);
    ASSERT_EQ(FrequencyGrid::Shared().GridHz[at200], 200);
    EXPECT_NEAR(t.controller.OutputResponse(1).magnitudeDb[at200], kMinus3dB, 0.02);
    // The processor gets the high-pass half as stored.
    bool sentHighPass = false;
    for (const auto& call : t.sender.calls) {
        if (call.parameter == 75) {
            testing::ExpectSentSection(call, loaded.HighPass.Sections[0]);
            sentHighPass = true;
        }
    }
    EXPECT_TRUE(sentHighPass);
}

TEST(CrossoverController, LoadedValuesAreHeldToTheControlsBeforeAnyDesign) {
    CrossoverEditor t;
    TXOVER& loaded = t.Crossover(2);
    loaded.HighPass.Family = 200;
    loaded.HighPass.Order = 9;
    loaded.HighPass.Frequency = std::nan("");
    loaded.LowPass.Family = kButterworthLowPass;
    loaded.LowPass.Order = -3;
    loaded.LowPass.Frequency = 1e12;
    t.config.CrossoverSolos[1] = {true, true};
    t.controller.RefreshOutputs();

    EXPECT_EQ(loaded.HighPass.Family, kXoverBypass);
    EXPECT_EQ(loaded.HighPass.Frequency, 20.0);
    EXPECT_EQ(loaded.HighPass.Order, 4);
    EXPECT_EQ(loaded.LowPass.Frequency, 20000.0);
    EXPECT_EQ(loaded.LowPass.Order, 2);
    EXPECT_EQ(loaded.LowPass.Family, kXoverBypass); // held by solo L
    EXPECT_TRUE(t.config.CrossoverSolos[1].HighPassAux);
    EXPECT_FALSE(t.config.CrossoverSolos[1].LowPassAux);
    for (const PlotPoint& p : t.controller.Plot().FindSeries(2)->Points()) {
        ASSERT_TRUE(std::isfinite(p.y));
    }

    // Each section's own frequency and Q has no list entry; the half keeps it.
    CrossoverEditor own;
    TXOVER& x = own.Crossover(1);
    x.LowPass.Family = kSectionsLowPass;
    x.LowPass.Sections[0].Frequency = 2500.0;
    x.LowPass.Sections[0].Q = 2.0;
    own.controller.RefreshOutputs();
    own.controller.ChooseOutput(1);
    EXPECT_EQ(own.controller.Column(kColumnH).FamilyIndex(), CrossoverColumn::kNoListEntry);
    own.Enter(kColumnH, "4000");
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
