#include "dsp/DynamicsValues.h"
#include "dsp/Coef22Range.h"
#include "dsp/Dynamics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace veld23 {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void Redesign(TDYNAMIC& d) {
    d.Design();
    d.BuildTable();
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
