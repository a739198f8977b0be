#include "editors/CrossoverController.h"

#include "editors/CrossoverEditorFixture.h"
#include "editors/CrossoverSlots.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using testing::CrossoverEditor;
using testing::kColumnH;
using testing::kColumnL;

TEST(CrossoverSolo, SoloLHoldsTheLowPassHalfAndGivesItsFamilyBack) {
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
    EXPECT_EQ(t.Crossover(1).HighPass.Family, kLinkwitzRileyHighPass);

    t.controller.ToggleSolo(kColumnL);
    EXPECT_FALSE(t.controller.SoloLit(kColumnL));
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kButterworthLowPass);
    EXPECT_EQ(t.controller.Column(kColumnH).FamilyIndex(), 1);
    EXPECT_TRUE(t.controller.Column(kColumnH).Enabled());
    EXPECT_NE(t.Crossover(1).LowPass.Sections[0].b0, 1.0L);
}

TEST(CrossoverSolo, RemembersFamiliesPerOutputAndForgetsThemWithALoad) {
    CrossoverEditor t;
    t.controller.ChooseOutput(1);
    t.controller.ChooseFamily(kColumnH, 1);
    t.controller.ToggleSolo(kColumnL);
    t.controller.ChooseOutput(2);
    t.controller.ChooseFamily(kColumnH, 3);
    t.controller.ToggleSolo(kColumnL);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(2).LowPass.Family, kBesselLowPass);
    t.controller.ChooseOutput(1);
    EXPECT_TRUE(t.controller.SoloLit(kColumnL));
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kButterworthLowPass);

    // A loaded configuration with solo L on has its low-pass half at "ByPass"; the
    // family remembered from before the load must not come back.
    t.controller.ChooseFamily(kColumnH, 2);
    t.controller.ToggleSolo(kColumnL);
    t.controller.RefreshOutputs();
    t.controller.ChooseOutput(1);
    t.controller.ToggleSolo(kColumnL);
    EXPECT_EQ(t.Crossover(1).LowPass.Family, kXoverBypass);
}

TEST(CrossoverSolo, HalfAtOrderFourFillsBothSlots) {
    CrossoverEditor t;
    t.controller.ChooseOutput(3);
    t.controller.ToggleSolo(kColumnL);
    t.controller.ChooseFamily(kColumnL, 1);
    t.sender.calls.clear();
    t.controller.OrderUp(kColumnL);

    const TXOVERPB& highPass = t.Crossover(3).HighPass;
    ASSERT_EQ(highPass.SectionCount, 2);
    EXPECT_NEAR(highPass.Sections[0].Q, 1.3066, 0.0001);
    EXPECT_NEAR(highPass.Sections[1].Q, 0.5412, 0.0001);
    EXPECT_EQ(t.SentParameters(), (std::vector<std::uint16_t>{95, 90}));
    testing::ExpectSentSection(t.sender.calls[0], highPass.Sections[0]);
    testing::ExpectSentSection(t.sender.calls[1], highPass.Sections[1]);

    // A Linkwitz-Riley of order 2 used alone sends its product in its own slot; the
    // held half's slot is flat.
    t.controller.OrderDown(kColumnL);
    t.controller.ChooseFamily(kColumnL, 2);
    const CrossoverSlotSections slots = SlotSections(t.Crossover(3));
    EXPECT_EQ(slots[0].CoefIndex, 90);
    EXPECT_EQ(slots[0].b0, 1.0L);
    EXPECT_EQ(slots[0].b1, 0.0L);
    EXPECT_EQ(slots[1].CoefIndex, 95);
    EXPECT_NE(slots[1].b2, 0.0L);
}

} // namespace
} // namespace veld23
