#include "EditorTestSupport.h"
#include "config/FieldNumber.h"
#include "dsp/PeqRules.h"

#include <cmath>
#include <limits>
#include <tuple>

// The slider laws, the type rules (floors, caps, coefficient words) and what counts as a
// number are tested where they live; here the fields, sliders and band keep together.

namespace veld23 {
namespace {

struct EqualiserControls : testing::EqualiserFixture, ::testing::Test {};

TEST_F(EqualiserControls, BandsInUseAndTheBandEachEqualiserRemembers) {
    editor.SelectBand(5);
    editor.SelectBand(1); // never lowers the bands in use
    editor.SelectBand(0);
    editor.SelectBand(8);
    EXPECT_EQ(editor.CurrentBand(), 1);
    EXPECT_EQ(editor.UsedBands(1), 5);
    EXPECT_EQ(editor.UsedBands(2), 2);

    // Choosing an equaliser selects the band above its remembered one first.
    editor.ChooseEqualiser(2);
    editor.SelectBand(3);
    editor.ChooseEqualiser(1);
    config.Peq[1].UsedBands = 2; // as a memory read could leave it
    editor.ChooseEqualiser(2);
    EXPECT_EQ(editor.CurrentBand(), 3);
    EXPECT_EQ(editor.UsedBands(2), 4);
    EXPECT_EQ(editor.Plot().Title(), "OUT 2 Equalization");
    // Band 7 has no band above it: band 6 is selected first.
    editor.SelectBand(7);
    editor.ChooseEqualiser(1);
    editor.ChooseEqualiser(2);
    EXPECT_EQ(editor.CurrentBand(), 7);
    editor.ChooseEqualiser(3);
    EXPECT_EQ(editor.CurrentEqualiser(), 2);
    // A band that is none of the seven shows nothing, in either equaliser.
    for (const auto& [peq, band] : {std::pair{1, 0}, std::pair{1, 8}, std::pair{3, 1}}) {
        editor.ShowBand(peq, band);
        EXPECT_EQ(editor.CurrentEqualiser(), 2);
        EXPECT_EQ(editor.CurrentBand(), 7);
    }
}

TEST_F(EqualiserControls, TextThatIsNotANumberChangesNothing) {
    editor.ChooseType(1);
    editor.SetGainPosition(93); // 3.0 dB
    const PeqBand before = Band(1, 1);
    const std::size_t refreshes = finalResponses.size();
    editor.SetFrequencyText("1e3");
    editor.FrequencyEnter();
    editor.SetGainText("abc");
    editor.GainEnter();
    EXPECT_EQ(editor.FrequencyField().text, "1000"); // the band's values shown again
    EXPECT_EQ(editor.GainField().text, "3.0");
    editor.SetGainText("-");
    editor.GainUp();
    EXPECT_EQ(editor.GainField().text, "3.0");
    // The Q field takes two characters, so "1.2.3" would arrive as "1.", a number.
    editor.SetQText(".");
    EXPECT_EQ(editor.QField().text, "."); // typing goes on
    editor.QDown();
    EXPECT_EQ(editor.QField().text, "0.7");
    EXPECT_EQ(Band(1, 1).Q, before.Q);
    EXPECT_EQ(finalResponses.size(), refreshes);
    EXPECT_EQ(sender.calls.size(), 2u); // the type and the slider, nothing since
}

TEST_F(EqualiserControls, GainSliderFieldKeysAndButtons) {
    editor.ChooseType(1); // Parametric Q Adap uses the gain
    editor.SetGainPosition(0);
    EXPECT_EQ(editor.GainField().text, "12.0"); // the law gives 12.3
    EXPECT_EQ(Band(1, 1).GainDb, 12.0);
    editor.SetGainText("3.3");
    editor.GainEnter();
    EXPECT_EQ(editor.GainPosition(), 90);
    editor.GainUp();
    editor.GainUp();
    editor.GainDown();
    EXPECT_EQ(editor.GainField().text, "3.4");
    EXPECT_EQ(editor.GainPosition(), 89);
    EXPECT_EQ(Band(1, 1).GainDb, 3.4);
    editor.SetGainText("40");
    editor.GainEnter();
    editor.GainUp();
    EXPECT_EQ(editor.GainField().text, "12.0");
    EXPECT_EQ(Band(1, 1).GainDb, 12.0);
}

TEST_F(EqualiserControls, QSliderTypingAndKeys) {
    editor.ChooseType(1);
    editor.SetQPosition(200);
    EXPECT_EQ(editor.QField().text, "0.5"); // the law gives 0.0
    EXPECT_EQ(Band(1, 1).Q, 0.5);

    // Typing takes the number at once; the slider waits for Enter.
    editor.SetQText("5");
    EXPECT_EQ(Band(1, 1).Q, 5.0);
    EXPECT_EQ(editor.QPosition(), 200);
    editor.SetQText("0");
    EXPECT_EQ(editor.QField().text, "0");
    EXPECT_EQ(Band(1, 1).Q, 0.5); // never a Q of 0 for the design
    editor.SetQText("12.5");      // the field takes two characters
    EXPECT_EQ(editor.QField().text, "12");
    EXPECT_EQ(Band(1, 1).Q, 12.0);
    editor.QEnter();
    EXPECT_EQ(editor.QField().text, "12.0");
    EXPECT_EQ(editor.QPosition(), 80);
    editor.QUp();
    EXPECT_EQ(Band(1, 1).Q, 12.1);

    // Q 20 needs a position below the slider's end: 19.8 is what comes back.
    editor.SetQText("20");
    EXPECT_EQ(Band(1, 1).Q, 20.0);
    editor.QEnter();
    EXPECT_EQ(editor.QPosition(), 2);
    EXPECT_EQ(Band(1, 1).Q, 19.8);
}

// Dragging a shelf shows the cap on the slider's path, which typing and keys take too.
TEST_F(EqualiserControls, ShelvingTypesCapTheGainAtSix) {
    editor.ChooseType(1);
    editor.SetGainText("10");
    editor.GainEnter();
    editor.ChooseType(3); // "Shelv Low 6dB"
    EXPECT_EQ(editor.GainField().text, "6.0");
    EXPECT_EQ(Band(1, 1).GainDb, 6.0);
    editor.GainUp();
    EXPECT_EQ(editor.GainField().text, "6.0");
    EXPECT_EQ(Band(1, 1).GainDb, 6.0);
}

TEST_F(EqualiserControls, BandPassAndStopBandKeepTheirQFloors) {
    editor.ChooseType(1);
    editor.SetQText("1");
    editor.ChooseType(7); // "BandPass"
    EXPECT_EQ(editor.QField().text, "1.7");
    EXPECT_EQ(Band(1, 1).Q, 1.7);
    editor.SetQPosition(195); // 0.5 on the slider: the field shows the floor it gives
    EXPECT_EQ(Band(1, 1).Q, 1.7);
    EXPECT_EQ(editor.QField().text, "1.7");
    editor.QDown();
    EXPECT_EQ(Band(1, 1).Q, 1.7);

    editor.ChooseType(8);     // "StopBand"
    editor.SetQPosition(191); // 0.9
    EXPECT_EQ(editor.QField().text, "1.0");
    EXPECT_EQ(Band(1, 1).Q, 1.0);
}

TEST_F(EqualiserControls, ParametricQConstFieldShowsTheQTheBandIsDesignedWith) {
    editor.ChooseType(2);
    editor.SetQPosition(195);
    EXPECT_EQ(Band(1, 1).Q, 0.5);
    editor.SetFrequencyText("9000");
    editor.FrequencyEnter();
    EXPECT_EQ(Band(1, 1).Q, 1.0);
    EXPECT_EQ(editor.QField().text, "1.0");
}

// Band 1 is a bypass: frequency only.
TEST_F(EqualiserControls, DisabledControlsDoNothingAndTypesThatIgnoreTheGain) {
    editor.SetGainPosition(0);
    editor.SetQPosition(200);
    editor.SetCoefficientText(0, "0.5");
    editor.CoefficientEnter(0);
    EXPECT_EQ(std::tuple(editor.GainPosition(), editor.QPosition()), std::tuple(123, 193));
    EXPECT_EQ(std::tuple(Band(1, 1).GainDb, Band(1, 1).b0), std::tuple(0.0, 1.0L));
    EXPECT_TRUE(sender.calls.empty());

    editor.ChooseType(1);
    editor.SetGainText("5");
    editor.GainEnter();
    editor.ChooseType(8); // "StopBand" ignores the gain but keeps it
    editor.SelectBand(2);
    editor.SelectBand(1);
    EXPECT_EQ(Band(1, 1).GainDb, 5.0);
    EXPECT_EQ(editor.TypeIndex(), 8);
    editor.ChooseType(11); // "LowPass Q": the gain field shows 0.0 and the band holds it
    EXPECT_EQ(editor.GainField().text, "0.0");
    EXPECT_EQ(Band(1, 1).GainDb, 0.0);

    editor.ChooseType(13);
    editor.SetFrequencyPosition(100);
    EXPECT_EQ(Band(1, 1).Frequency, 1000.0);
    editor.ChooseType(14);
    editor.ChooseType(-1);
    EXPECT_EQ(editor.TypeIndex(), 13);
}

TEST_F(EqualiserControls, EnteredCoefficientsAreDeviceWordSteps) {
    editor.ChooseType(13); // "IIR Coeff"
    editor.SetCoefficientText(0, "0.1234567");
    editor.CoefficientEnter(0);
    EXPECT_EQ(editor.CoefficientField(0).text, "0.123457");
    EXPECT_EQ(Band(1, 1).b0, 129454.0L / 1048576.0L);

    // Leaving the panel takes every field; +2 would wrap in the device word.
    editor.SetCoefficientText(1, "2.5");
    editor.SetCoefficientText(3, "x");
    editor.SetCoefficientText(4, "0.5");
    editor.SetCoefficientText(5, "0.7"); // there are five fields
    editor.CoefficientsLeave();
    EXPECT_EQ(Band(1, 1).b1, 2.0L - 1.0L / 1048576.0L);
    EXPECT_EQ(editor.CoefficientField(1).text, "1.999999");
    EXPECT_EQ(Band(1, 1).a1, 0.0L);
    EXPECT_EQ(editor.CoefficientField(3).text, "0.000000"); // not a number: shown again
    EXPECT_EQ(Band(1, 1).a2, 0.5L);

    // Another band and back: the entered coefficients stay, the design leaves them.
    editor.SelectBand(2);
    EXPECT_EQ(editor.CoefficientField(0).text, "1.000000");
    editor.SelectBand(1);
    EXPECT_EQ(editor.TypeIndex(), 13);
    EXPECT_EQ(Band(1, 1).b0, 129454.0L / 1048576.0L);
}

TEST_F(EqualiserControls, SwitchingToIirCoeffKeepsTheDesignedCoefficientsExactly) {
    // The panel was filled when band 1 was selected, still bypass; the gain then changed
    // the band's coefficients.
    editor.ChooseType(1);
    editor.SetGainText("6");
    editor.GainEnter();
    EXPECT_EQ(editor.CoefficientField(0).text, "1.000000");
    const PeqBand designed = Band(1, 1);
    editor.ChooseType(13);
    EXPECT_EQ(editor.CoefficientField(0).text,
              field_number::Text(static_cast<double>(designed.b0), 6));
    editor.CoefficientsLeave();
    const PeqBand& kept = Band(1, 1);
    EXPECT_EQ(std::tuple(kept.b0, kept.b1, kept.b2, kept.a1, kept.a2),
              std::tuple(designed.b0, designed.b1, designed.b2, designed.a1, designed.a2));
}

TEST_F(EqualiserControls, RefreshSelectsEveryBandOfBothEqualisers) {
    editor.ChooseEqualiser(2);
    editor.SelectBand(4);
    PeqBand& odd = Band(1, 4);
    odd.SectionType = 14; // no type list entry
    odd.b0 = 0.3L;
    PeqBand& entered = Band(2, 6);
    entered.SectionType = kIirCoeff;
    entered.b0 = 0.25L;
    entered.b1 = 7.0L; // outside the word
    entered.a1 = std::numeric_limits<long double>::quiet_NaN();
    PeqBand& damaged = Band(2, 2);
    damaged.SectionType = kParametricQAdap;
    damaged.Frequency = std::numeric_limits<double>::quiet_NaN();
    damaged.Q = 0.0;
    damaged.GainDb = 99.0;
    config.Peq[0].UsedBands = 99;
    // Each band stores what the controls give back; the sliders start from its own values.
    PeqBand& first = Band(1, 1);
    first.SectionType = kParametricQAdap;
    first.Frequency = 1234.4;
    first.GainDb = 3.04;

    editor.RefreshFromConfiguration();
    // Band 1 of PEQ1 shown, every band in use; the last chosen equaliser stays PEQ2.
    EXPECT_EQ(std::tuple(editor.CurrentEqualiser(), editor.CurrentBand(), editor.RememberedBand(2),
                         editor.UsedBands(1), editor.UsedBands(2), editor.LastChosenEqualiser()),
              std::tuple(1, 1, 1, 7, 7, 2));
    for (int peq = 1; peq <= 2; ++peq) {
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(Band(peq, k).Q, peq == 2 && k == 2 ? 0.5 : 0.7) << peq << k;
        }
    }
    EXPECT_EQ(odd.SectionType, kBypass);
    EXPECT_EQ(odd.b0, 1.0L);
    EXPECT_EQ(std::tuple(entered.b0, entered.b1, entered.a1),
              std::tuple(0.25L, 2.0L - 1.0L / 1048576.0L, 0.0L));
    EXPECT_EQ(std::tuple(first.Frequency, first.GainDb), std::tuple(1234.0, 3.0));
    // The frequency slider from the band's 1234.4 Hz.
    EXPECT_EQ(std::tuple(editor.TypeIndex(), editor.FrequencyPosition(), editor.GainPosition()),
              std::tuple(1, 12096, 93));
    EXPECT_EQ(std::tuple(damaged.Frequency, damaged.GainDb), std::tuple(10.0, 12.0));
    EXPECT_TRUE(std::isfinite(static_cast<double>(damaged.b0)));

    // Opening the window again relabels the selectors and chooses the last equaliser.
    config.ChannelLabels.Out1.Assign("Left");
    EXPECT_EQ(editor.SelectorLabel(1), "Out1");
    editor.Show();
    EXPECT_EQ(editor.SelectorLabel(1), "Left");
    EXPECT_EQ(editor.CurrentEqualiser(), 2);
    EXPECT_EQ(editor.CurrentBand(), 1);
}

} // namespace
} // namespace veld23
