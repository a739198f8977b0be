#include "config/FieldNumber.h"
#include "config/OutputDelay.h"
#include "config/OutputLevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veld23 {
namespace {

constexpr bool kTwo = true;
constexpr bool kThree = false;

TEST(FieldNumber, ShowsFixedDecimalsWithoutNegativeZero) {
    EXPECT_EQ(field_number::Text(118.3154, 1), "118.3");
    EXPECT_EQ(field_number::Text(3.416666, 2), "3.42");
    EXPECT_EQ(field_number::Text(-6.0, 1), "-6.0");
    EXPECT_EQ(field_number::Text(-0.004, 2), "0.00");
    EXPECT_EQ(field_number::Text(std::numeric_limits<double>::quiet_NaN(), 1), "0.0");
    EXPECT_DOUBLE_EQ(field_number::Shown(0.707, 1), 0.7);
}

TEST(FieldNumber, ParsesOnlyPlainNumbers) {
    double value = 99.0;
    for (const auto& [text, number] : {std::pair{" -6.04 ", -6.04}, {"+2.5", 2.5}, {".5", 0.5}}) {
        EXPECT_TRUE(field_number::Parse(text, value)) << text;
        EXPECT_DOUBLE_EQ(value, number);
    }
    for (const char* bad : {"", "  ", "abc", "inf", "-nan", "--1", "+-1", "1e3", "1.5 dB", "-"}) {
        value = 99.0;
        EXPECT_FALSE(field_number::Parse(bad, value)) << bad;
        EXPECT_EQ(value, 99.0) << bad;
    }
}

TEST(OutputLevel, PositionAndLevelLaws) {
    EXPECT_DOUBLE_EQ(OutputLevel::LevelDbFromPosition(61), 0.0);
    EXPECT_DOUBLE_EQ(OutputLevel::LevelDbFromPosition(361), -30.0);
    EXPECT_DOUBLE_EQ(OutputLevel::LevelDbFromPosition(0), 6.0);
    EXPECT_DOUBLE_EQ(OutputLevel::LevelDbFromPosition(500), -30.0);
    EXPECT_EQ(OutputLevel::PositionFromLevelDb(0.3), 58);
    EXPECT_EQ(OutputLevel::PositionFromLevelDb(40.0), 1);
    EXPECT_EQ(OutputLevel::PositionFromLevelDb(-99.0), 361);
    EXPECT_EQ(OutputLevel::PositionFromLevelDb(std::nan("")), 61);
    // Every position's level leads back to that position (0 and 1 share +6.0 dB).
    for (std::int32_t p = 1; p <= 361; ++p) {
        EXPECT_EQ(OutputLevel::PositionFromLevelDb(OutputLevel::LevelDbFromPosition(p)), p);
    }
}

TEST(OutputLevel, GainAndValueHandedOn) {
    OutputLevel level;
    EXPECT_EQ(level.LevelPosition, 61);
    EXPECT_DOUBLE_EQ(level.DeviceValue(), 1.0);

    level.ApplyPosition(361);
    EXPECT_NEAR(level.OutputGain, 0.0316228, 1e-7);
    level.ApplyPosition(0);
    EXPECT_EQ(level.LevelPosition, 0);
    EXPECT_NEAR(level.OutputGain, 1.99526, 1e-5);
    EXPECT_LT(level.DeviceValue(), 2.0);

    level.OutputInverted = true;
    level.RestoreFromPosition();
    level.ApplyPosition(121);
    EXPECT_NEAR(level.OutputGain, -0.501187, 1e-6);
    EXPECT_NEAR(level.DeviceValue(), -0.501187, 1e-6);
    level.OutputMuted = true;
    level.ApplyPosition(121);
    EXPECT_EQ(level.OutputOnFactor, 0.0);
    EXPECT_EQ(level.DeviceValue(), 0.0);
}

TEST(OutputLevel, RestoringAStoredGain) {
    OutputLevel level;
    level.OutputGain = -0.5; // -6.02 dB, saved with an inverted output
    level.OutputInverted = true;
    level.OutputMuted = true;
    level.RestoreFromGain();
    EXPECT_EQ(level.LevelPosition, 121);
    EXPECT_EQ(level.OutputPolarity, -1.0f);
    EXPECT_EQ(level.DeviceValue(), 0.0); // muted

    // The switch decides the sign, whatever sign the file carried.
    level = OutputLevel{};
    level.OutputGain = -1.0;
    level.RestoreFromGain();
    EXPECT_DOUBLE_EQ(level.OutputGain, 1.0);

    // Damaged gains still give a level the slider can show.
    const struct {
        double stored;
        std::int32_t position;
    } cases[] = {
        {0.0, 361}, {1e300, 1}, {std::numeric_limits<double>::quiet_NaN(), 61}, {1e-300, 361}};
    for (const auto& c : cases) {
        level = OutputLevel{};
        level.OutputGain = c.stored;
        level.RestoreFromGain();
        EXPECT_EQ(level.LevelPosition, c.position) << c.stored;
        EXPECT_TRUE(std::isfinite(level.OutputGain)) << c.stored;
        EXPECT_LT(std::fabs(level.DeviceValue()), 2.0) << c.stored;
    }
}

// A position shows the samples from the slider's zero end; the word adds the output's
// fixed part (21 for the SUB, 1 for OUT 1 with two outputs). Positions beyond the slider
// are held to it.
TEST(OutputDelay, PositionsShownSamplesAndWords) {
    const struct {
        int output;
        bool twoOutputs;
        std::int32_t applied;
        std::int32_t position;
        std::int32_t shown;
        std::int32_t word;
    } cases[] = {{3, kThree, 143, 143, 0, 21}, {3, kThree, 0, 0, 143, 164},
                 {3, kThree, 160, 143, 0, 21}, {1, kTwo, 162, 162, 0, 1},
                 {1, kTwo, 0, 0, 162, 163},    {2, kThree, 0, 0, 164, 164},
                 {2, kThree, -7, 0, 164, 164}};
    for (const auto& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << k.output << (k.twoOutputs ? " of two" : "") << " at " << k.applied);
        const DelayLayout layout = OutputDelay::Layout(k.output, k.twoOutputs);
        OutputDelay delay;
        delay.ApplyPosition(k.applied, layout);
        EXPECT_EQ(delay.DelayPosition, k.position);
        EXPECT_EQ(delay.DisplaySamples(layout), k.shown);
        EXPECT_EQ(delay.DelayWord, k.word);
    }
}

TEST(OutputDelay, SliderFarEndSendsNoDelayInsteadOfMinusOne) {
    const struct {
        int output;
        bool twoOutputs;
    } ends[] = {{1, kThree}, {1, kTwo}, {2, kThree}, {2, kTwo}, {3, kTwo}};
    for (const auto& end : ends) {
        const DelayLayout layout = OutputDelay::Layout(end.output, end.twoOutputs);
        OutputDelay delay;
        delay.DelayWord = 77;
        delay.ApplyPosition(layout.sliderMaximum, layout);
        EXPECT_EQ(layout.sliderMaximum, layout.zeroPosition + 1) << end.output;
        EXPECT_EQ(delay.Samples(layout), -1) << end.output;
        EXPECT_EQ(delay.DelayWord, 0) << end.output << " " << end.twoOutputs;
        EXPECT_EQ(delay.DisplaySamples(layout), 0) << end.output;
    }
}

TEST(OutputDelay, StoredWordsLeadBackToTheirPositions) {
    // The same word sits one position lower for OUT 1 in the two-output topology.
    EXPECT_EQ(OutputDelay::PositionForWord(30, 1, kTwo), 133);
    EXPECT_EQ(OutputDelay::PositionForWord(30, 1, kThree), 134);
    EXPECT_EQ(OutputDelay::PositionForWord(21, 3, kThree), 143);
    EXPECT_EQ(OutputDelay::PositionForWord(0, 3, kThree), 143);
    EXPECT_EQ(OutputDelay::PositionForWord(-5000, 2, kThree), 165);
    EXPECT_EQ(OutputDelay::PositionForWord(std::numeric_limits<std::int32_t>::min(), 2, kTwo), 165);
    EXPECT_EQ(OutputDelay::PositionForWord(std::numeric_limits<std::int32_t>::max(), 1, kTwo), 0);
}

TEST(OutputDelay, ResetAndLoadedValuesHeldToTheEditor) {
    std::array<OutputDelay, 3> delays{};
    std::int32_t temperature = 3;
    delays[0].AlignmentDelay = 9;
    ResetDelays(delays, temperature, kThree);
    EXPECT_EQ(temperature, 25);
    EXPECT_EQ(delays[0].DelayPosition, 164);
    EXPECT_EQ(delays[1].DelayPosition, 164);
    EXPECT_EQ(delays[2].DelayPosition, 143);
    EXPECT_EQ(delays[2].DelayWord, 21);
    EXPECT_EQ(delays[0].AlignmentDelay, 0);

    temperature = -40;
    delays[0].AlignmentDelay = 255;
    delays[1].AlignmentDelay = -3;
    delays[2].AlignmentDelay = 200;
    delays[2].DelayPosition = 9999;
    HoldDelaysToEditorRanges(delays, temperature, kThree);
    EXPECT_EQ(temperature, 0);
    EXPECT_EQ(delays[0].AlignmentDelay, 164);
    EXPECT_EQ(delays[1].AlignmentDelay, 0);
    EXPECT_EQ(delays[2].AlignmentDelay, 141);
    EXPECT_EQ(delays[2].DelayPosition, 143);
    EXPECT_EQ(delays[2].DelayWord, 21);
}

TEST(OutputDelay, SpeedOfSoundAndDistances) {
    EXPECT_NEAR(SpeedOfSound(25), 346.3, 0.05);
    EXPECT_NEAR(SpeedOfSound(0), 331.4, 0.05);
    EXPECT_EQ(field_number::Text(AlignmentDistanceCm(48, 25), 1), "34.6");
    EXPECT_EQ(AlignmentDistanceCm(0, 25), 0.0);
}

} // namespace
} // namespace veld23
