#include "dsp/Dynamics.h"
#include "dsp/Coef22Range.h"
#include "dsp/DynamicsValues.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace veld23 {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Table entry of an input level in dBFS (-96, -93, ..., 0).
int Entry(int dbfs) {
    return (dbfs + 96) / 3;
}

// The stated four-decimal values are compared exactly at that resolution.
double Round4(long double v) {
    return std::round(static_cast<double>(v) * 1e4) / 1e4;
}

void Redesign(TDYNAMIC& d) {
    d.Design();
    d.BuildTable();
}

TEST(DynamicsLevelGrid, TablePointsSitAtFixedLevelsAfterTheFineGrid) {
    TDYNAMIC d;
    const int n = 93;
    d.BuildLevelGrid(n, 1.0L, std::pow(10.0L, -10.0L / 20.0L));
    for (int j = 0; j < 33; ++j) {
        EXPECT_EQ(d.XdB[n - 33 + j], static_cast<float>(-96 + 3 * j)) << j;
    }
    EXPECT_EQ(d.Xlin[n - 1], 1.0f);
    EXPECT_NEAR(d.XdB[1], -10.0, 1e-5);
    EXPECT_LT(d.Xlin[n - 34], 1.0f); // the fine grid stays below full scale
}

// The start-up record (threshold -6 dBFS, ratio 2, knee 4 dB) as limiter and compressor:
// flat up to -12 dBFS, then the knee, then the law; 0 dBFS comes out at -6 and -3 dBFS.
TEST(DynamicsDesign, StartUpTableAsLimiterAndAsCompressor) {
    const struct {
        std::uint8_t tipo;
        std::array<double, 4> top; // Tabla at -9, -6, -3 and 0 dBFS
        double fullScaleOutDb;
    } cases[] = {{dynamics::kLimiter, {0.9928, 0.8913, 0.7029, 0.5012}, -6.0},
                 {dynamics::kCompressor, {0.9964, 0.9441, 0.8384, 0.7079}, -3.0}};
    for (const auto& c : cases) {
        TDYNAMIC d(1);
        d.Tipo = c.tipo;
        Redesign(d);
        EXPECT_EQ(d.Tabla[0], 0.0L); // the gate-off ramp still closes -96 dBFS
        for (int k = 1; k <= 28; ++k) {
            EXPECT_EQ(d.Tabla[k], 1.0L) << (-96 + 3 * k) << " dBFS";
        }
        EXPECT_EQ((std::array{Round4(d.Tabla[29]), Round4(d.Tabla[30]), Round4(d.Tabla[31]),
                              Round4(d.Tabla[32])}),
                  c.top);
        EXPECT_NEAR(d.YdB[d.Npuntos - 1], c.fullScaleOutDb, 1e-5);
    }
}

// At 1:1 the table is flat at the make-up gain, held below 2 where the coefficient word
// ends; a ratio of 0 (a damaged file) designs as 1:1 and is kept as stored.
TEST(DynamicsDesign, OneToOneTableIsTheMakeUpGainHeldBelowTwo) {
    const struct {
        float ratio;
        float gainDb;
        long double gain;
    } cases[] = {{1, 0, 1.0L},          {1, 3, 1.4125375446L},  {1, -6, 0.5011872336L},
                 {1, 6, 1.9952623150L}, {1, 6.03f, kCoef22Max}, {1, 12, kCoef22Max},
                 {0, 0, 1.0L}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ratio << ":1, " << c.gainDb << " dB");
        TDYNAMIC d;
        d.Tipo = dynamics::kCompressor;
        d.Ratio = c.ratio;
        d.Gain = c.gainDb;
        Redesign(d);
        EXPECT_EQ(d.Tabla[0], 0.0L);
        for (int k = 1; k < 33; ++k) {
            EXPECT_NEAR(static_cast<double>(d.Tabla[k]), static_cast<double>(c.gain), 1e-6) << k;
            EXPECT_LE(d.Tabla[k], kCoef22Max);
        }
        EXPECT_EQ(d.Ratio, c.ratio);
    }
}

TEST(DynamicsDesign, LimiterHoldsEveryPointAboveTheKneeAtThreshold) {
    for (float gainDb : {0.0f, 4.0f}) {
        TDYNAMIC d;
        d.Umbral = -20.0f;
        d.Knee = 2.0f;
        d.Gain = gainDb;
        d.Design();
        const int n = d.Npuntos;
        int above = 0;
        for (int i = 1; i <= n - 1; ++i) {
            if (d.XdB[i] > -20.0f + 2.0f + 1e-3f) {
                EXPECT_EQ(d.YdB[i], d.YdB[n - 1]) << i;
                ++above;
            }
        }
        EXPECT_GT(above, 60);
        EXPECT_NEAR(d.YdB[n - 1], gainDb - 20.0, 1e-5);
    }
}

TEST(DynamicsDesign, SmallKneeUsesFifthOfADecibelAndStartsGridAboveThreshold) {
    for (float knee : {-0.5f, 0.5f}) { // 0.5 dB is still "small"
        TDYNAMIC d;
        d.Knee = knee;
        Redesign(d);
        EXPECT_NEAR(d.XdB[1], -6.0 - knee, 1e-5); // the grid starts at T - k
        // -6 dBFS is inside the +-0.2 dB knee: y = x - (0.2)^2 / (4 * 0.2) = -6.05.
        EXPECT_NEAR(d.YdB[d.Npuntos - 33 + Entry(-6)], -6.05, 1e-5);
        EXPECT_EQ(Round4(d.Tabla[Entry(-6)]), 0.9943);
        EXPECT_EQ(Round4(d.Tabla[Entry(-3)]), 0.7079);
        EXPECT_EQ(d.Tabla[Entry(-9)], 1.0L);
    }
}

TEST(DynamicsDesign, ZeroThresholdMovesJustBelowFullScale) {
    TDYNAMIC d;
    d.Umbral = 0.0f;
    d.Design();
    EXPECT_EQ(d.Umbral, -0.001f);
}

// From the first closed table entry: zeros, then the ramp in steps of 1/p, then open.
TEST(DynamicsGate, ClosesTheLowestPointsThenRampsToUnity) {
    const struct {
        float gateIndex;
        float ramp;
        std::size_t closed;
        std::vector<long double> rampSteps;
    } cases[] = {
        {dynamics::GateIndexFromItem(1), 4.0f, 6, {0.25, 0.5, 0.75}},
        {dynamics::GateIndexFromItem(7), 4.0f, 12, {0.25, 0.5, 0.75}},
        {3.0f, 4.0f, 1, {0.25, 0.5}},          // g - p < 1: the closed part shrinks to one point
        {10.5f, 2.5f, 8, {0.5}},               // halves to even: 10 and 2
        {200.0f, 4.0f, 29, {0.25, 0.5, 0.75}}, // beyond the table: its last point
        {10.0f, 0.0f, 9, {}},                  // no ramp: held to a one-point ramp
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.gateIndex << " / " << c.ramp);
        TDYNAMIC d;
        d.GateIndex = c.gateIndex;
        d.Pendiente = c.ramp;
        Redesign(d);
        std::vector<long double> expected(c.closed, 0.0L);
        expected.insert(expected.end(), c.rampSteps.begin(), c.rampSteps.end());
        expected.push_back(1.0L);
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(d.Tabla[k], expected[k]) << k;
        }
    }
}

TEST(DynamicsGate, ListItemsAndIndices) {
    EXPECT_EQ(dynamics::GateIndexFromItem(0), 1.0f);
    EXPECT_EQ(dynamics::GateIndexFromItem(7), 16.0f);
    EXPECT_EQ(dynamics::GateIndexFromItem(8), 1.0f);
    // 13 comes from old images and files; 0 is held to the gate off.
    const std::pair<float, std::optional<int>> items[] = {
        {1.0f, 0}, {10.0f, 1}, {13.0f, 4}, {16.0f, 7}, {20.0f, {}}, {5.0f, {}}, {0.0f, 0}};
    for (const auto& [index, item] : items) {
        EXPECT_EQ(dynamics::GateItemFromIndex(index), item) << index;
    }
}

TEST(DynamicsBypass, BypassOnThenOffGivesTheNeverBypassedTable) {
    for (std::uint8_t tipo : {dynamics::kLimiter, dynamics::kCompressor}) {
        TDYNAMIC never;
        never.Tipo = tipo;
        Redesign(never);

        TDYNAMIC d;
        d.Tipo = tipo;
        d.Bypass = true;
        Redesign(d);
        ASSERT_EQ(d.Tabla[32], 1.0L);
        d.Bypass = false;
        Redesign(d);
        EXPECT_EQ(d.Ganancia, never.Ganancia);
        EXPECT_EQ(d.Tabla, never.Tabla);
        EXPECT_LT(d.Tabla[32], 0.75L); // still limiting at full scale
    }
}

TEST(DynamicsCoef22Hold, HelperHoldsBothEndsAndNaN) {
    EXPECT_EQ(HoldToCoef22Range(2.0L), 2.0L - std::ldexp(1.0L, -20)); // the word's top
    EXPECT_EQ(HoldToCoef22Range(1e300L), kCoef22Max);
    EXPECT_EQ(HoldToCoef22Range(-2.0L), -2.0L);
    EXPECT_EQ(HoldToCoef22Range(-2.5L), -2.0L);
    EXPECT_EQ(HoldToCoef22Range(1.5L), 1.5L);
    EXPECT_EQ(HoldToCoef22Range(std::nanl("")), 0.0L);
}

// Every value that leaves the record or feeds the curve display and the power check.
void ExpectUsable(const TDYNAMIC& d) {
    for (int k = 0; k < 33; ++k) {
        EXPECT_TRUE(std::isfinite(d.Tabla[k])) << k;
        EXPECT_GE(d.Tabla[k], 0.0L) << k;
        EXPECT_LE(d.Tabla[k], kCoef22Max) << k;
    }
    for (int i = 1; i < TDYNAMIC::kCurveSize; ++i) {
        EXPECT_TRUE(std::isfinite(d.XdB[i]) && std::isfinite(d.YdB[i]) &&
                    std::isfinite(d.Ganancia[i]) && std::isfinite(d.Ylin[i]))
            << i;
    }
    EXPECT_TRUE(std::isfinite(d.AttackRate()));
}

// Times in samples at 48 kHz, the release in steps of 0.137 dB/s, the attack as the RMS
// coefficient; each setter holds its input to the field's range, NaN takes the start-up value.
TEST(DynamicsTimeValues, SettersStoreTheDeviceValueHeldToTheFieldRange) {
    TDYNAMIC d;
    d.SetAttack(140);
    EXPECT_NEAR(static_cast<double>(d.RmsCoef), 0.000671362, 5e-10);
    for (const auto& [set, shown] :
         {std::pair{5.0, 5.0}, {250.0, 250.0}, {0.0, 5.0}, {1e9, 250.0}, {std::nan(""), 140.0}}) {
        d.SetAttack(set);
        EXPECT_NEAR(d.AttackRate(), shown, 1e-9) << set;
    }
    // A coefficient stored in single precision by a file still reads back as its rate.
    d.RmsCoef = static_cast<float>(RmsCoefFromAttack(140));
    EXPECT_EQ(std::nearbyint(d.AttackRate()), 140.0);
    d.SetHold(40);
    EXPECT_EQ(d.HoldSamples, 1920);
    EXPECT_DOUBLE_EQ(d.HoldMs(), 40.0);
    d.SetHold(0.1);
    EXPECT_EQ(d.HoldSamples, 5); // 4.8 samples
    d.SetHold(-3);
    EXPECT_EQ(d.HoldSamples, 0);
    d.SetHold(1000);
    EXPECT_EQ(d.HoldSamples, 3840);
    d.SetRelease(5);
    EXPECT_EQ(d.DecayCode, 36); // 36.5
    EXPECT_NEAR(d.ReleaseRate(), 4.932, 1e-12);
    d.SetRelease(80);
    EXPECT_EQ(d.DecayCode, 584);
    d.SetRelease(0);
    EXPECT_EQ(d.DecayCode, 7);
    d.SetRelease(std::numeric_limits<double>::infinity());
    EXPECT_EQ(d.DecayCode, 584);
    d.SetLookAhead(2);
    EXPECT_EQ(d.LookAheadSamples, 96);
    EXPECT_DOUBLE_EQ(d.LookAheadMs(), 2.0);
    d.SetLookAhead(0.04);
    EXPECT_EQ(d.LookAheadSamples, 2); // 1.92
    d.SetLookAhead(50);
    EXPECT_EQ(d.LookAheadSamples, 96);
    d.SetLookAhead(std::nan(""));
    EXPECT_EQ(d.LookAheadSamples, 0);
}

// Values a device image's bytes turn into (Ratio = 10 - byte, Knee = (20 - byte) / 2,
// threshold -byte / 2 - 11.5) and the garbage a damaged file can carry.
TEST(DynamicsLoadedValues, OutOfRangeFieldsAreHeld) {
    TDYNAMIC d;
    d.Umbral = -139.0f;
    d.Ratio = 0.0f;
    d.Gain = 300.0f;
    d.GateIndex = 200.0f;
    d.Pendiente = 0.0f;
    d.Knee = -117.5f;
    d.Tipo = 7;
    d.Zload = 0.0f;
    d.PowerMaxLoad = 0.0f;
    d.AmpGain = 0.0f;
    d.PowerAmpMax = 1e9f;
    d.NumberSpeakers = -4;
    d.Npuntos = 100000;
    d.OutGain = 5.0L;
    d.RmsCoef = 1.0L;
    d.HoldSamples = -1;
    d.DecayCode = 100000;
    d.LookAheadSamples = 255 * 48;
    d.HoldToEditorRanges();
    EXPECT_EQ(std::tuple(d.Umbral, d.Ratio, d.Gain, d.GateIndex, d.Pendiente, d.Knee, d.Tipo),
              std::tuple(-62.0f, 1.0f, 24.0f, 33.0f, 1.0f, -0.5f, dynamics::kCompressor));
    EXPECT_EQ(std::tuple(d.Zload, d.PowerMaxLoad, d.AmpGain, d.PowerAmpMax, d.NumberSpeakers),
              std::tuple(2.0f, 5.0f, 5.0f, 4000.0f, 0));
    EXPECT_EQ(std::tuple(d.Npuntos, d.OutGain, d.HoldSamples, d.DecayCode, d.LookAheadSamples),
              std::tuple(255, kCoef22Max, 0, 584, 96));
    EXPECT_NEAR(d.AttackRate(), 250.0, 1e-9);

    d.Ratio = -245.0f; // byte 255
    d.Umbral = 4.0f;
    d.Zload = 3.0f; // nearest choice 2.67
    d.HoldToEditorRanges();
    EXPECT_EQ(std::tuple(d.Ratio, d.Umbral, d.Zload), std::tuple(1.0f, -5.0f, 2.67f));
    d.Zload = (2.0f + 2.67f) / 2.0f; // halfway: the lower choice
    d.HoldToEditorRanges();
    EXPECT_EQ(d.Zload, 2.0f);
}

TEST(DynamicsLoadedValues, NotANumberTakesTheDefault) {
    TDYNAMIC d;
    d.Umbral = kNaN;
    d.Ratio = kNaN;
    d.Gain = kNaN;
    d.GateIndex = kNaN;
    d.Pendiente = kNaN;
    d.Knee = kNaN;
    d.Zload = kNaN;
    d.AmpGain = kNaN;
    d.xdBmaxLimit = kInf;
    d.OutGain = std::nanl("");
    d.RmsCoef = std::nanl("");
    d.HoldToEditorRanges();
    EXPECT_EQ(std::tuple(d.Umbral, d.Ratio, d.Gain, d.GateIndex, d.Pendiente, d.Knee),
              std::tuple(-6.0f, 2.0f, 0.0f, 1.0f, 4.0f, 4.0f));
    EXPECT_EQ(std::tuple(d.Zload, d.AmpGain, d.xdBmaxLimit, d.OutGain),
              std::tuple(8.0f, 41.0f, 12.5f, 1.0L));
    EXPECT_NEAR(d.AttackRate(), 140.0, 1e-9);
}

// Whatever a file holds, the design of it is finite and equals the design of the
// fields held to the editor's ranges.
TEST(DynamicsLoadedValues, WildFieldsDesignAsTheirHeldValues) {
    TDYNAMIC wild;
    wild.Umbral = -139.0f;
    wild.Ratio = -245.0f;
    wild.Knee = -117.5f;
    wild.Gain = 1e30f;
    wild.Tipo = 255;
    wild.GateIndex = -7.0f;
    wild.Pendiente = 1e9f;
    wild.Npuntos = -5;
    Redesign(wild);
    ExpectUsable(wild);
    TDYNAMIC held = wild;
    held.HoldToEditorRanges();
    Redesign(held);
    EXPECT_EQ(wild.Tabla, held.Tabla);
    EXPECT_EQ(wild.YdB, held.YdB);

    for (float v : {kNaN, kInf, -kInf}) {
        TDYNAMIC d;
        d.Umbral = d.Ratio = d.Knee = d.Gain = v;
        d.Tipo = dynamics::kCompressor;
        Redesign(d);
        ExpectUsable(d);
    }
    for (float ramp : {0.4f, -3.0f, kNaN, kInf}) { // no division by a zero ramp
        TDYNAMIC d;
        d.GateIndex = 10.0f;
        d.Pendiente = ramp;
        Redesign(d);
        ExpectUsable(d);
    }
    for (std::int32_t n : {0, 33, 34, 255, 256, 100000}) {
        TDYNAMIC d;
        d.Npuntos = n;
        Redesign(d);
        ExpectUsable(d);
    }
}

TEST(DynamicsLevelDisplay, OffsetOfEachRecordAndTopology) {
    using namespace dynamics;
    EXPECT_EQ(DbfsToDisplayDbu(0.0, kLevelOffsetThreeOutputs), 23.5);
    EXPECT_EQ(DbfsToDisplayDbu(0.0, kLevelOffsetTwoOutputs), 29.5);
    EXPECT_EQ(DisplayDbuToDbfs(18.0, kLevelOffsetThreeOutputs), -5.5);
    EXPECT_EQ(LevelOffsetOf(2, kLevelOffsetTwoOutputs), 6.0);
    EXPECT_EQ(LevelOffsetOf(1, kLevelOffsetTwoOutputs), 0.0);
    EXPECT_EQ(LevelOffsetOf(1, kLevelOffsetThreeOutputs), 6.0);
}

} // namespace
} // namespace veld23
