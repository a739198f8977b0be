#include "EqualiserTestSupport.h"
#include "config/FieldNumber.h"
#include "dsp/PeqRules.h"
#include "editors/EqualiserEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veld23 {
namespace {

using testing::EqualiserFixture;

TEST(EqualiserEditor, SelectingABandRaisesUsedBandsButNeverLowersIt) {
    EqualiserFixture t;
    t.editor.SelectBand(5);
    EXPECT_EQ(t.editor.UsedBands(1), 5);
    EXPECT_EQ(t.editor.CurrentBand(), 5);
    t.editor.SelectBand(1);
    EXPECT_EQ(t.editor.UsedBands(1), 5);
    EXPECT_EQ(t.editor.UsedBands(2), 2);
    t.editor.SelectBand(0);
    t.editor.SelectBand(8);
    EXPECT_EQ(t.editor.CurrentBand(), 1);
    EXPECT_EQ(t.editor.UsedBands(1), 5);
}

TEST(EqualiserEditor, SelectingABandStoresWhatTheControlsGiveBack) {
    EqualiserFixture t;
    PeqBand& band = t.Band(1, 3);
    band.SectionType = kParametricQAdap;
    band.Frequency = 1234.4;
    band.GainDb = 3.04;
    band.Q = 0.707;
    t.editor.SelectBand(3);
    EXPECT_EQ(band.Q, 0.7);
    EXPECT_EQ(band.Frequency, 1234.0);
    EXPECT_EQ(band.GainDb, 3.0);
    EXPECT_EQ(t.editor.TypeIndex(), 1);
    EXPECT_EQ(t.editor.QField().text, "0.7");
    EXPECT_EQ(t.editor.FrequencyPosition(), 12096); // from the band's 1234.4 Hz
    EXPECT_EQ(t.editor.GainPosition(), 93);
}

TEST(EqualiserEditor, ChoosingAnEqualiserRestoresItsBandThroughTheBandAbove) {
    EqualiserFixture t;
    t.editor.ChooseEqualiser(2);
    t.editor.SelectBand(3);
    t.editor.ChooseEqualiser(1);
    t.config.Peq[1].UsedBands = 2; // as a memory read could leave it
    t.editor.ChooseEqualiser(2);
    EXPECT_EQ(t.editor.CurrentEqualiser(), 2);
    EXPECT_EQ(t.editor.CurrentBand(), 3);
    EXPECT_EQ(t.editor.UsedBands(2), 4);
    EXPECT_EQ(t.editor.UsedBands(1), 2);
    EXPECT_EQ(t.editor.Plot().Title(), "OUT 2 Equalization");

    // Band 7 has no band above it: band 6 is selected first.
    t.editor.SelectBand(7);
    t.editor.ChooseEqualiser(1);
    t.editor.ChooseEqualiser(2);
    EXPECT_EQ(t.editor.CurrentBand(), 7);
    EXPECT_EQ(t.editor.UsedBands(2), 7);
    t.editor.ChooseEqualiser(3);
    EXPECT_EQ(t.editor.CurrentEqualiser(), 2);
    // A band that is none of the seven shows nothing, in either equaliser.
    for (const auto& [peq, band] : {std::pair{1, 0}, std::pair{1, 8}, std::pair{3, 1}}) {
        t.editor.ShowBand(peq, band);
        EXPECT_EQ(t.editor.CurrentEqualiser(), 2);
        EXPECT_EQ(t.editor.CurrentBand(), 7);
    }
}

// What counts as a number is the fields' own rule; here, what a refused text leaves.
TEST(EqualiserEditor, TextThatIsNotANumberChangesNothing) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.editor.SetGainPosition(93); // 3.0 dB
    const PeqBand before = t.Band(1, 1);
    const std::size_t refreshes = t.finalResponses.size();
    t.editor.SetFrequencyText("1e3");
    t.editor.FrequencyEnter();
    t.editor.SetGainText("abc");
    t.editor.GainEnter();
    EXPECT_EQ(t.editor.FrequencyField().text, "1000"); // the band's values shown again
    EXPECT_EQ(t.editor.GainField().text, "3.0");
    t.editor.SetGainText("-");
    t.editor.GainUp();
    EXPECT_EQ(t.editor.GainField().text, "3.0");
    // The Q field takes two characters, so "1.2.3" would arrive as "1.", a number.
    for (const char* text : {"", "ab", "."}) {
        t.editor.SetQText(text);
        EXPECT_EQ(t.editor.QField().text, text); // typing goes on
        t.editor.QDown();
        EXPECT_EQ(t.editor.QField().text, "0.7");
    }
    EXPECT_EQ(t.Band(1, 1).Q, before.Q);
    EXPECT_EQ(t.Band(1, 1).b0, before.b0);
    EXPECT_EQ(t.finalResponses.size(), refreshes);
    EXPECT_EQ(t.sender.calls.size(), 2u); // the type and the slider, nothing since
}

// The slider laws are tested with the laws; here the field, slider and band keep together.
TEST(EqualiserEditor, GainSliderFieldKeysAndButtons) {
    EqualiserFixture t;
    t.editor.ChooseType(1); // Parametric Q Adap uses the gain
    t.editor.SetGainPosition(0);
    EXPECT_EQ(t.editor.GainField().text, "12.0"); // the law gives 12.3
    EXPECT_EQ(t.Band(1, 1).GainDb, 12.0);
    t.editor.SetGainText("3.3");
    t.editor.GainEnter();
    EXPECT_EQ(t.editor.GainPosition(), 90);
    EXPECT_EQ(t.Band(1, 1).GainDb, 3.3);
    t.editor.GainUp();
    EXPECT_EQ(t.editor.GainField().text, "3.4");
    EXPECT_EQ(t.editor.GainPosition(), 89);
    EXPECT_EQ(t.Band(1, 1).GainDb, 3.4);
    t.editor.SetGainText("40");
    t.editor.GainEnter();
    t.editor.GainUp();
    EXPECT_EQ(t.editor.GainField().text, "12.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, 12.0);
    t.editor.SetGainText("-0.04");
    t.editor.GainEnter();
    EXPECT_EQ(t.editor.GainField().text, "0.0");
}

TEST(EqualiserEditor, QSliderTypingAndKeys) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.editor.SetQPosition(200);
    EXPECT_EQ(t.editor.QField().text, "0.5"); // the law gives 0.0
    EXPECT_EQ(t.Band(1, 1).Q, 0.5);

    // Typing takes the number at once; the slider waits for Enter.
    t.editor.SetQText("5");
    EXPECT_EQ(t.Band(1, 1).Q, 5.0);
    EXPECT_EQ(t.editor.QPosition(), 200);
    t.editor.SetQText("0");
    EXPECT_EQ(t.editor.QField().text, "0");
    EXPECT_EQ(t.Band(1, 1).Q, 0.5); // never a Q of 0 for the design
    EXPECT_TRUE(std::isfinite(static_cast<double>(t.Band(1, 1).b0)));
    t.editor.SetQText("12.5"); // the field takes two characters
    EXPECT_EQ(t.editor.QField().text, "12");
    EXPECT_EQ(t.Band(1, 1).Q, 12.0);
    t.editor.QEnter();
    EXPECT_EQ(t.editor.QField().text, "12.0");
    EXPECT_EQ(t.editor.QPosition(), 80);

    // Q 20 needs a position below the slider's end: 19.8 is what comes back.
    t.editor.SetQText("20");
    EXPECT_EQ(t.Band(1, 1).Q, 20.0);
    t.editor.QEnter();
    EXPECT_EQ(t.editor.QPosition(), 2);
    EXPECT_EQ(t.Band(1, 1).Q, 19.8);
}

TEST(EqualiserTypes, ShelvingTypesCapTheGainAtSix) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.editor.SetGainText("10");
    t.editor.GainEnter();
    t.editor.ChooseType(3); // "Shelv Low 6dB"
    EXPECT_EQ(t.Band(1, 1).SectionType, kShelvLow6dB);
    EXPECT_EQ(t.editor.GainField().text, "6.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);

    t.editor.SetGainPosition(3); // 12.0 on the slider
    EXPECT_EQ(t.editor.GainField().text, "6.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);
    t.editor.SetGainText("9");
    t.editor.GainEnter();
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);
    t.editor.GainUp();
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);
    t.editor.SetGainPosition(100); // cuts are not capped
    EXPECT_EQ(t.Band(1, 1).GainDb, 2.3);
    t.editor.ChooseType(4);
    EXPECT_EQ(t.Band(1, 1).GainDb, 2.3);
}

TEST(EqualiserTypes, BandPassAndStopBandKeepTheirQFloors) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.editor.SetQText("1");
    t.editor.ChooseType(7); // "BandPass"
    EXPECT_EQ(t.editor.QField().text, "1.7");
    EXPECT_EQ(t.Band(1, 1).Q, 1.7);
    t.editor.SetQPosition(195); // 0.5 on the slider: the field shows the floor it gives
    EXPECT_EQ(t.Band(1, 1).Q, 1.7);
    EXPECT_EQ(t.editor.QField().text, "1.7");
    t.editor.QDown();
    EXPECT_EQ(t.Band(1, 1).Q, 1.7);
    t.editor.SetQPosition(182);
    EXPECT_EQ(t.Band(1, 1).Q, 1.8);
    t.editor.ChooseType(1);
    t.editor.ChooseType(7);
    EXPECT_EQ(t.Band(1, 1).Q, 1.8); // 1.8 stays

    t.editor.SetQPosition(195);
    t.editor.ChooseType(8); // "StopBand": 1.7 is above its floor
    EXPECT_EQ(t.Band(1, 1).Q, 1.7);
    t.editor.SetQPosition(191); // 0.9
    EXPECT_EQ(t.editor.QField().text, "1.0");
    EXPECT_EQ(t.Band(1, 1).Q, 1.0);
    t.editor.SetQPosition(189);
    EXPECT_EQ(t.Band(1, 1).Q, 1.1);
}

TEST(EqualiserTypes, ParametricQConstFieldShowsTheQTheBandIsDesignedWith) {
    EqualiserFixture t;
    t.editor.ChooseType(2);
    t.editor.SetQPosition(195);
    EXPECT_EQ(t.Band(1, 1).Q, 0.5);
    t.editor.SetFrequencyText("9000");
    t.editor.FrequencyEnter();
    EXPECT_EQ(t.Band(1, 1).Q, 1.0);
    EXPECT_EQ(t.editor.QField().text, "1.0");
    t.editor.SetFrequencyText("4000");
    t.editor.FrequencyEnter();
    EXPECT_EQ(t.Band(1, 1).Q, 1.0); // a floor raises, it never lowers
}

TEST(EqualiserTypes, ControlsFollowTheTypeAndDisabledControlsDoNothing) {
    EqualiserFixture t;
    EXPECT_FALSE(t.editor.Controls().gain);
    EXPECT_FALSE(t.editor.Controls().q);
    t.editor.SetGainPosition(0);
    t.editor.SetQPosition(200);
    t.editor.SetCoefficientText(0, "0.5");
    t.editor.CoefficientEnter(0);
    EXPECT_EQ(t.editor.GainPosition(), 123);
    EXPECT_EQ(t.editor.QPosition(), 193);
    EXPECT_EQ(t.Band(1, 1).GainDb, 0.0);
    EXPECT_EQ(t.Band(1, 1).b0, 1.0L);
    EXPECT_TRUE(t.sender.calls.empty());

    t.editor.ChooseType(1);
    t.editor.SetGainText("5");
    t.editor.GainEnter();
    t.editor.ChooseType(11); // "LowPass Q": the gain field shows 0.0 and the band holds it
    EXPECT_FALSE(t.editor.Controls().gain);
    EXPECT_TRUE(t.editor.Controls().q);
    EXPECT_EQ(t.editor.GainField().text, "0.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, 0.0);

    t.editor.ChooseType(1);
    t.editor.SetGainText("5");
    t.editor.GainEnter();
    t.editor.ChooseType(8); // "StopBand" ignores the gain but keeps it
    EXPECT_EQ(t.Band(1, 1).GainDb, 5.0);
    t.editor.SelectBand(2);
    t.editor.SelectBand(1);
    EXPECT_EQ(t.Band(1, 1).GainDb, 5.0);
    EXPECT_EQ(t.editor.TypeIndex(), 8);

    t.editor.ChooseType(13);
    EXPECT_FALSE(t.editor.Controls().frequency);
    EXPECT_TRUE(t.editor.Controls().coefficientPanel);
    EXPECT_FALSE(t.editor.Controls().captions);
    t.editor.SetFrequencyPosition(100);
    EXPECT_EQ(t.Band(1, 1).Frequency, 1000.0);
    t.editor.ChooseType(14);
    t.editor.ChooseType(-1);
    EXPECT_EQ(t.editor.TypeIndex(), 13);
}

TEST(EqualiserTypes, EnteredCoefficientsAreDeviceWordSteps) {
    EqualiserFixture t;
    t.editor.ChooseType(13); // "IIR Coeff"
    EXPECT_EQ(t.Band(1, 1).SectionType, kIirCoeff);
    t.editor.SetCoefficientText(0, "0.1234567");
    t.editor.CoefficientEnter(0);
    EXPECT_EQ(t.editor.CoefficientField(0).text, "0.123457");
    EXPECT_EQ(t.Band(1, 1).b0, 129454.0L / 1048576.0L);
    EXPECT_EQ(t.editor.CoefficientDisplay()[0], 129454.0 / 1048576.0);

    // Leaving the panel takes every field; +2 would wrap in the device word.
    t.editor.SetCoefficientText(1, "2.5");
    t.editor.SetCoefficientText(2, "-3");
    t.editor.SetCoefficientText(3, "x");
    t.editor.SetCoefficientText(4, "0.5");
    t.editor.SetCoefficientText(5, "0.7"); // there are five fields
    t.editor.CoefficientsLeave();
    EXPECT_EQ(t.Band(1, 1).b1, 2.0L - 1.0L / 1048576.0L);
    EXPECT_EQ(t.editor.CoefficientField(1).text, "1.999999");
    EXPECT_EQ(t.Band(1, 1).b2, -2.0L);
    EXPECT_EQ(t.editor.CoefficientField(2).text, "-2.000000");
    EXPECT_EQ(t.Band(1, 1).a1, 0.0L);
    EXPECT_EQ(t.editor.CoefficientField(3).text, "0.000000"); // not a number: shown again
    EXPECT_EQ(t.Band(1, 1).a2, 0.5L);
    EXPECT_EQ(t.Band(1, 1).b0, 129454.0L / 1048576.0L);

    // Another band and back: the entered coefficients stay, the design leaves them.
    t.editor.SelectBand(2);
    EXPECT_EQ(t.editor.CoefficientField(0).text, "1.000000");
    t.editor.SelectBand(1);
    EXPECT_EQ(t.editor.TypeIndex(), 13);
    EXPECT_EQ(t.Band(1, 1).b0, 129454.0L / 1048576.0L);
    EXPECT_EQ(t.editor.CoefficientField(3).text, "0.000000");
}

TEST(EqualiserTypes, SwitchingToIirCoeffKeepsTheDesignedCoefficientsExactly) {
    EqualiserFixture t;
    // The panel was filled when band 1 was selected, still bypass; the gain then changed
    // the band's coefficients.
    t.editor.ChooseType(1);
    t.editor.SetGainText("6");
    t.editor.GainEnter();
    EXPECT_EQ(t.editor.CoefficientField(0).text, "1.000000");
    const PeqBand designed = t.Band(1, 1);
    t.editor.ChooseType(13);
    EXPECT_EQ(t.editor.CoefficientField(0).text,
              field_number::Text(static_cast<double>(designed.b0), 6));
    t.editor.CoefficientsLeave();
    EXPECT_EQ(t.Band(1, 1).b0, designed.b0);
    EXPECT_EQ(t.Band(1, 1).a1, designed.a1);
    EXPECT_EQ(t.Band(1, 1).a2, designed.a2);
}

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
