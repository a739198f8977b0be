#include "editors/EqualiserEditor.h"

#include "EqualiserTestSupport.h"
#include "dsp/PeqRules.h"

#include <gtest/gtest.h>

#include <cmath>

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
}

TEST(EqualiserEditor, TextThatIsNotANumberChangesNothing) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.editor.SetGainPosition(93); // 3.0 dB
    const PeqBand before = t.Band(1, 1);
    const std::size_t refreshes = t.finalResponses.size();
    for (const char* text : {"", "-", "abc", "1.2.3", "inf", "nan", "--1", "1e3", "0x10"}) {
        t.editor.SetFrequencyText(text);
        t.editor.FrequencyEnter();
        t.editor.SetGainText(text);
        t.editor.GainEnter();
        // The fields show the band's values again.
        EXPECT_EQ(t.editor.FrequencyField().text, "1000");
        EXPECT_EQ(t.editor.GainField().text, "3.0");
        t.editor.SetGainText(text);
        t.editor.GainUp();
        EXPECT_EQ(t.editor.GainField().text, "3.0");
    }
    // The Q field takes two characters, so "1.2.3" would arrive as "1.", a number.
    for (const char* text : {"", "-", "+-", "ab", ".", "in", "na"}) {
        t.editor.SetQText(text);
        EXPECT_EQ(t.editor.QField().text, text); // typing goes on
        t.editor.QDown();
        EXPECT_EQ(t.editor.QField().text, "0.7");
    }
    const PeqBand& after = t.Band(1, 1);
    EXPECT_EQ(after.Frequency, before.Frequency);
    EXPECT_EQ(after.GainDb, before.GainDb);
    EXPECT_EQ(after.Q, before.Q);
    EXPECT_EQ(after.b0, before.b0);
    EXPECT_EQ(t.finalResponses.size(), refreshes);
    EXPECT_EQ(t.sender.calls.size(), 2u); // the type and the slider, nothing since
    EXPECT_EQ(t.editor.GainPosition(), 93);
}

TEST(EqualiserEditor, GainSliderFieldKeysAndButtons) {
    EqualiserFixture t;
    t.editor.ChooseType(1); // Parametric Q Adap uses the gain
    t.editor.SetGainPosition(0);
    EXPECT_EQ(t.editor.GainField().text, "12.0"); // the law gives 12.3
    EXPECT_EQ(t.Band(1, 1).GainDb, 12.0);
    t.editor.SetGainPosition(274);
    EXPECT_EQ(t.editor.GainField().text, "-15.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, -15.0);

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
    EXPECT_EQ(t.editor.GainField().text, "12.0");
    EXPECT_EQ(t.editor.GainPosition(), 3);
    t.editor.GainUp();
    EXPECT_EQ(t.Band(1, 1).GainDb, 12.0);
    t.editor.SetGainText("-0.04");
    t.editor.GainEnter();
    EXPECT_EQ(t.editor.GainField().text, "0.0");
    EXPECT_EQ(t.Band(1, 1).GainDb, 0.0);
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

} // namespace
} // namespace veld23
