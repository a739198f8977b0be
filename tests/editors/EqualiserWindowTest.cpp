#include "editors/EqualiserEditor.h"

#include "EqualiserTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace veld23 {
namespace {

using testing::EqualiserFixture;

TEST(EqualiserWindow, RefreshSelectsEveryBandOfBothEqualisers) {
    EqualiserFixture t;
    t.editor.ChooseEqualiser(2);
    t.editor.SelectBand(4);
    PeqBand& odd = t.Band(1, 4);
    odd.SectionType = 14; // no type list entry
    odd.b0 = 0.3L;
    PeqBand& entered = t.Band(2, 6);
    entered.SectionType = kIirCoeff;
    entered.b0 = 0.25L;
    entered.b1 = 7.0L; // outside the word
    entered.a1 = std::numeric_limits<long double>::quiet_NaN();
    PeqBand& damaged = t.Band(2, 2);
    damaged.SectionType = kParametricQAdap;
    damaged.Frequency = std::numeric_limits<double>::quiet_NaN();
    damaged.Q = 0.0;
    damaged.GainDb = 99.0;
    t.config.Peq[0].UsedBands = 99;

    t.editor.RefreshFromConfiguration();
    EXPECT_EQ(t.editor.CurrentEqualiser(), 1);
    EXPECT_EQ(t.editor.CurrentBand(), 1);
    EXPECT_EQ(t.editor.RememberedBand(2), 1);
    EXPECT_EQ(t.editor.UsedBands(1), 7);
    EXPECT_EQ(t.editor.UsedBands(2), 7);
    EXPECT_EQ(t.editor.LastChosenEqualiser(), 2); // refreshing chooses nothing
    EXPECT_EQ(t.editor.Plot().Title(), "OUT 1 Equalization");
    for (int peq = 1; peq <= 2; ++peq) {
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(t.Band(peq, k).Q, peq == 2 && k == 2 ? 0.5 : 0.7) << peq << k;
        }
    }
    EXPECT_EQ(odd.SectionType, kBypass);
    EXPECT_EQ(odd.b0, 1.0L);
    EXPECT_EQ(entered.b0, 0.25L);
    EXPECT_EQ(entered.b1, 2.0L - 1.0L / 1048576.0L);
    EXPECT_EQ(entered.a1, 0.0L);
    EXPECT_EQ(damaged.Frequency, 10.0);
    EXPECT_EQ(damaged.GainDb, 12.0);
    EXPECT_TRUE(std::isfinite(static_cast<double>(damaged.b0)));

    t.editor.Show();
    EXPECT_EQ(t.editor.CurrentEqualiser(), 2);
}

TEST(EqualiserWindow, ShowRelabelsAndChoosesTheLastEqualiserAgain) {
    EqualiserFixture t;
    t.editor.ChooseEqualiser(2);
    t.editor.SelectBand(3);
    t.config.ChannelLabels.Out1.Assign("Left");
    t.config.ChannelLabels.Out2.Assign("Right");
    EXPECT_EQ(t.editor.SelectorLabel(1), "Out1");
    t.editor.Show();
    EXPECT_EQ(t.editor.SelectorLabel(1), "Left");
    EXPECT_EQ(t.editor.SelectorLabel(2), "Right");
    EXPECT_EQ(t.editor.CurrentEqualiser(), 2);
    EXPECT_EQ(t.editor.CurrentBand(), 3);
}

} // namespace
} // namespace veld23
