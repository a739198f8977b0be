#include "editors/EqualiserEditor.h"

#include "EqualiserTestSupport.h"
#include "config/FieldNumber.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using testing::EqualiserFixture;

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
    t.editor.SetQPosition(195);
    EXPECT_EQ(t.Band(1, 1).Q, 1.7);
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
              FieldNumber::Text(static_cast<double>(designed.b0), 6));
    t.editor.CoefficientsLeave();
    EXPECT_EQ(t.Band(1, 1).b0, designed.b0);
    EXPECT_EQ(t.Band(1, 1).a1, designed.a1);
    EXPECT_EQ(t.Band(1, 1).a2, designed.a2);
}

} // namespace
} // namespace veld23
