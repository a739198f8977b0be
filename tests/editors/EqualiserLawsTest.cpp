#include "editors/EqualiserLaws.h"

#include "dsp/PeqRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veld23::equaliser {
namespace {

TEST(EqualiserLaws, FrequencySliderIsACubeLaw) {
    EXPECT_EQ(PositionForFrequency(1000.0), 12632);
    EXPECT_NEAR(FrequencyFromPosition(12632), 999.97435, 1e-5);
    EXPECT_EQ(ShownFrequency(FrequencyFromPosition(12632)), 1000.0);
    EXPECT_EQ(PositionForFrequency(100.0), 16580);
    EXPECT_NEAR(FrequencyFromPosition(16580), 100.0042, 1e-4);
    // The slider ends: position 10 is the highest frequency it reaches, 19970 Hz; the
    // lowest field value, 10 Hz, sits at 18413.
    EXPECT_NEAR(FrequencyFromPosition(10), 19970.015, 1e-3);
    EXPECT_EQ(PositionForFrequency(10.0), 18413);
    EXPECT_EQ(ShownFrequency(FrequencyFromPosition(18413)), 10.0);
    // Position 20000 gives 0 Hz, which the field holds to 10.
    EXPECT_EQ(FrequencyFromPosition(20000), 0.0);
    EXPECT_EQ(ShownFrequency(FrequencyFromPosition(20000)), 10.0);
}

TEST(EqualiserLaws, FrequencyPositionsAreHeldToTheSlider) {
    // 20000 Hz would need position 0, below the slider's end: it lands on 10 (19970 Hz).
    EXPECT_EQ(PositionForFrequency(20000.0), 10);
    EXPECT_EQ(PositionForFrequency(19990.0), 10);
    EXPECT_EQ(PositionForFrequency(1e9), 10);
    EXPECT_EQ(PositionForFrequency(-5.0), 18413);
    EXPECT_EQ(PositionForFrequency(std::numeric_limits<double>::quiet_NaN()), 18413);
    EXPECT_EQ(FrequencyFromPosition(-7), FrequencyFromPosition(10));
    EXPECT_EQ(FrequencyFromPosition(25000), FrequencyFromPosition(20000));
}

TEST(EqualiserLaws, GainSliderRunsFromTwelvePointThreeDownToMinusFifteenPointOne) {
    EXPECT_NEAR(GainFromPosition(0), 12.3, 1e-12);
    EXPECT_EQ(ShownGain(GainFromPosition(0)), 12.0);
    EXPECT_EQ(GainFromPosition(123), 0.0);
    EXPECT_NEAR(GainFromPosition(274), -15.1, 1e-12);
    EXPECT_EQ(ShownGain(GainFromPosition(274)), -15.0);
    EXPECT_EQ(PositionForGain(0.0), 123);
    EXPECT_EQ(PositionForGain(1.5), 108);
    EXPECT_EQ(PositionForGain(12.0), 3);
    EXPECT_EQ(PositionForGain(-15.0), 273);
    EXPECT_EQ(PositionForGain(40.0), 3);
    EXPECT_EQ(PositionForGain(-40.0), 273);
    // Every position gives back a tenth of a dB that maps onto the same position.
    for (int position = 3; position <= 273; ++position) {
        EXPECT_EQ(PositionForGain(ShownGain(GainFromPosition(position))), position) << position;
    }
}

TEST(EqualiserLaws, QSliderFallsFromNineteenPointEightToZero) {
    EXPECT_EQ(QFromPosition(200), 0.0);
    EXPECT_EQ(ShownQ(QFromPosition(200)), 0.5);
    EXPECT_NEAR(QFromPosition(2), 19.8, 1e-12);
    EXPECT_NEAR(QFromPosition(193), 0.7, 1e-12);
    EXPECT_EQ(PositionForQ(0.707), 193);
    EXPECT_EQ(PositionForQ(0.75), 192); // 192.5, half to even
    EXPECT_EQ(PositionForQ(0.5), 195);
    // Q 20 would need position 0: the slider stops at 2, which gives 19.8.
    EXPECT_EQ(PositionForQ(20.0), 2);
    EXPECT_EQ(PositionForQ(0.0), 195);
    EXPECT_EQ(QFromPosition(500), 0.0);
    EXPECT_EQ(QFromPosition(-1), QFromPosition(2));
}

TEST(EqualiserLaws, FieldsHoldToTheirRangeAndDecimals) {
    EXPECT_EQ(ShownQ(0.707), 0.7);
    EXPECT_EQ(ShownQ(0.0), 0.5);
    EXPECT_EQ(ShownQ(25.0), 20.0);
    EXPECT_EQ(ShownGain(12.3), 12.0);
    EXPECT_EQ(ShownGain(0.04), 0.0);
    EXPECT_EQ(ShownGain(-0.04), 0.0);
    EXPECT_EQ(ShownFrequency(999.5), 1000.0); // halves to even
    EXPECT_EQ(ShownFrequency(998.5), 998.0);
    EXPECT_EQ(ShownFrequency(3.0), 10.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(HoldToRange(nan, -15.0, 12.0), -15.0);
    EXPECT_EQ(ShownQ(nan), 0.5);
    EXPECT_EQ(ShownFrequency(std::numeric_limits<double>::infinity()), 20000.0);
}

TEST(EqualiserLaws, ControlsFollowWhatEachTypeUses) {
    struct Row {
        int listIndex;
        EqualiserControls controls;
    };
    // frequency, gain, Q, coefficient panel, captions
    const Row rows[] = {
        {0, {true, false, false, false, true}},   // Bypass: frequency shown only
        {1, {true, true, true, false, true}},     // Parametric Q Adap
        {2, {true, true, true, false, true}},     // Parametric Q Const
        {3, {true, true, false, false, true}},    // Shelv Low 6dB
        {4, {true, true, false, false, true}},    // Shelv High 6dB
        {5, {true, false, false, false, true}},   // LowPass Buttw
        {6, {true, false, false, false, true}},   // HiPass Buttw
        {7, {true, true, true, false, true}},     // BandPass
        {8, {true, false, true, false, true}},    // StopBand
        {9, {true, false, false, false, true}},   // AllPass 1
        {10, {true, false, true, false, true}},   // AllPass 2
        {11, {true, false, true, false, true}},   // LowPass Q
        {12, {true, false, true, false, true}},   // HiPass Q
        {13, {false, false, false, true, false}}, // IIR Coeff
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ControlsForType(row.listIndex), row.controls) << row.listIndex;
    }
    EXPECT_EQ(ControlsForType(-1), rows[0].controls);
    EXPECT_EQ(ControlsForType(14), rows[0].controls);
}

} // namespace
} // namespace veld23::equaliser
