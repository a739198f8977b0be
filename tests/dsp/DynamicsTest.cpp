#include "dsp/Dynamics.h"
#include "dsp/Coef22Range.h"
#include "dsp/DynamicsValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veld23 {
namespace {

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

// ---------------------------------------------------------------- level grid

TEST(DynamicsLevelGrid, TablePointsSitAtFixedLevelsAfterTheFineGrid) {
    TDYNAMIC d;
    const int n = 93;
    d.BuildLevelGrid(n, 1.0L, std::pow(10.0L, -10.0L / 20.0L));
    for (int j = 0; j < 33; ++j) {
        EXPECT_EQ(d.XdB[n - 33 + j], static_cast<float>(-96 + 3 * j)) << j;
    }
    EXPECT_EQ(d.XdB[n - 1], 0.0f);
    EXPECT_EQ(d.Xlin[n - 1], 1.0f);
    EXPECT_NEAR(d.XdB[1], -10.0, 1e-5);
    EXPECT_LT(d.Xlin[n - 34], 1.0f); // the fine grid stays below full scale
}

// ---------------------------------------------------------------- design

TEST(DynamicsDesign, StartUpLimiterTable) {
    const TDYNAMIC d(1);
    EXPECT_EQ(d.Tabla[0], 0.0L); // the gate-off ramp still closes -96 dBFS
    for (int k = 1; k <= 28; ++k) {
        EXPECT_EQ(d.Tabla[k], 1.0L) << (-96 + 3 * k) << " dBFS";
    }
    EXPECT_EQ(Round4(d.Tabla[Entry(-9)]), 0.9928);
    EXPECT_EQ(Round4(d.Tabla[Entry(-6)]), 0.8913);
    EXPECT_EQ(Round4(d.Tabla[Entry(-3)]), 0.7029);
    EXPECT_EQ(Round4(d.Tabla[Entry(0)]), 0.5012);
    // 0 dBFS lies above the knee: output exactly at the threshold.
    EXPECT_NEAR(d.YdB[d.Npuntos - 1], -6.0, 1e-5);
}

TEST(DynamicsDesign, StartUpRecordAsCompressor) {
    TDYNAMIC d(1);
    d.Tipo = dynamics::kCompressor;
    Redesign(d);
    for (int k = 1; k <= 28; ++k) {
        EXPECT_EQ(d.Tabla[k], 1.0L) << k;
    }
    EXPECT_EQ(Round4(d.Tabla[Entry(-9)]), 0.9964);
    EXPECT_EQ(Round4(d.Tabla[Entry(-6)]), 0.9441);
    EXPECT_EQ(Round4(d.Tabla[Entry(-3)]), 0.8384);
    EXPECT_EQ(Round4(d.Tabla[Entry(0)]), 0.7079);
    EXPECT_NEAR(d.YdB[d.Npuntos - 1], -3.0, 1e-5); // -3 dBFS out at full scale
}

TEST(DynamicsDesign, RatioOneIsUnityTimesMakeUpGain) {
    for (float gainDb : {0.0f, 3.0f, -6.0f}) {
        TDYNAMIC d;
        d.Tipo = dynamics::kCompressor;
        d.Ratio = 1.0f;
        d.Gain = gainDb;
        Redesign(d);
        const double expected = std::pow(10.0, gainDb / 20.0);
        // No point may fall back to plain unity: the table is flat at the make-up gain.
        for (int k = 1; k < 33; ++k) {
            EXPECT_NEAR(static_cast<double>(d.Tabla[k]), expected, 1e-6) << gainDb << " dB, " << k;
        }
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
    TDYNAMIC d;
    d.Knee = -0.5f;
    Redesign(d);
    EXPECT_NEAR(d.XdB[1], -5.5, 1e-5); // grid starts at T - k = T + 0.5
    // -6 dBFS is inside the +-0.2 dB knee: y = x - (0.2)^2 / (4 * 0.2) = -6.05.
    EXPECT_NEAR(d.YdB[d.Npuntos - 33 + Entry(-6)], -6.05, 1e-5);
    EXPECT_EQ(Round4(d.Tabla[Entry(-6)]), 0.9943);
    EXPECT_EQ(Round4(d.Tabla[Entry(-3)]), 0.7079);
    EXPECT_EQ(Round4(d.Tabla[Entry(0)]), 0.5012);
    EXPECT_EQ(d.Tabla[Entry(-9)], 1.0L);

    TDYNAMIC half; // 0.5 dB is still "small"
    half.Knee = 0.5f;
    Redesign(half);
    EXPECT_NEAR(half.YdB[half.Npuntos - 33 + Entry(-6)], -6.05, 1e-5);
    EXPECT_NEAR(half.XdB[1], -6.5, 1e-5);
}

TEST(DynamicsDesign, ZeroThresholdMovesJustBelowFullScale) {
    TDYNAMIC d;
    d.Umbral = 0.0f;
    d.Design();
    EXPECT_EQ(d.Umbral, -0.001f);
}

// ---------------------------------------------------------------- noise gate

TEST(DynamicsGate, ClosesTheLowestPointsThenRampsToUnity) {
    // Table entries from the first that is closed, in 3 dB steps: zeros, then the ramp.
    const struct {
        float gateIndex;
        float ramp;
        std::vector<long double> table;
    } cases[] = {
        {dynamics::GateIndexFromItem(1), 4.0f, {0, 0, 0, 0, 0, 0, 0.25, 0.5, 0.75, 1, 1}},
        {dynamics::GateIndexFromItem(7),
         4.0f,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25, 0.5, 0.75, 1}},
        {3.0f, 4.0f, {0, 0.25, 0.5, 1}}, // g - p < 1: the closed part shrinks to one point
        {10.5f, 2.5f, {0, 0, 0, 0, 0, 0, 0, 0, 0.5, 1}}, // halves to even: 10 and 2
        {200.0f,
         4.0f,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0,   0,    0, 0,
          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25, 0.5, 0.75, 1}}, // beyond the table: its last
                                                                    // point
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.gateIndex << " / " << c.ramp);
        TDYNAMIC d;
        d.GateIndex = c.gateIndex;
        d.Pendiente = c.ramp;
        Redesign(d);
        for (std::size_t k = 0; k < c.table.size(); ++k) {
            EXPECT_EQ(d.Tabla[k], c.table[k]) << k;
        }
    }
}

TEST(DynamicsGate, ListItemsAndIndices) {
    EXPECT_EQ(dynamics::kGateListItems[0], "Bypass");
    EXPECT_EQ(dynamics::kGateListItems[1], "1 (Low Noise)");
    EXPECT_EQ(dynamics::kGateListItems[7], "7 (High Noise)");
    EXPECT_EQ(dynamics::GateIndexFromItem(0), 1.0f);
    EXPECT_EQ(dynamics::GateIndexFromItem(7), 16.0f);
    EXPECT_EQ(dynamics::GateIndexFromItem(8), 1.0f);
    EXPECT_EQ(dynamics::GateItemFromIndex(1.0f), 0);
    EXPECT_EQ(dynamics::GateItemFromIndex(10.0f), 1);
    EXPECT_EQ(dynamics::GateItemFromIndex(13.0f), 4); // old images and files
    EXPECT_EQ(dynamics::GateItemFromIndex(16.0f), 7);
    EXPECT_EQ(dynamics::GateItemFromIndex(20.0f), std::nullopt);
    EXPECT_EQ(dynamics::GateItemFromIndex(5.0f), std::nullopt);
    EXPECT_EQ(dynamics::GateItemFromIndex(0.0f), 0); // held to the gate-off index
}

// ---------------------------------------------------------------- bypass

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

// ---------------------------------------------------------------- device word range

TEST(DynamicsCoef22Hold, MakeUpGainAboveTheWordIsHeldAtItsTop) {
    TDYNAMIC d;
    d.Tipo = dynamics::kCompressor;
    d.Ratio = 1.0f;
    d.Gain = 12.0f; // 3.98 linear
    Redesign(d);
    const long double top = 2.0L - std::ldexp(1.0L, -20);
    EXPECT_EQ(kCoef22Max, top);
    for (int k = 1; k < 33; ++k) {
        EXPECT_EQ(d.Tabla[k], top) << k;
    }
    EXPECT_EQ(d.Tabla[0], 0.0L);
}

TEST(DynamicsCoef22Hold, GainJustBelowTwoIsKept) {
    TDYNAMIC d;
    d.Tipo = dynamics::kCompressor;
    d.Ratio = 1.0f;
    d.Gain = 6.0f; // 1.9953
    Redesign(d);
    EXPECT_EQ(Round4(d.Tabla[Entry(0)]), 1.9953);
    d.Gain = 6.03f; // 2.0003, would wrap to -2
    Redesign(d);
    EXPECT_EQ(d.Tabla[Entry(0)], kCoef22Max);
}

TEST(DynamicsCoef22Hold, HelperHoldsBothEndsAndNaN) {
    EXPECT_EQ(HoldToCoef22Range(2.0L), kCoef22Max);
    EXPECT_EQ(HoldToCoef22Range(1e300L), kCoef22Max);
    EXPECT_EQ(HoldToCoef22Range(-2.0L), -2.0L);
    EXPECT_EQ(HoldToCoef22Range(-2.5L), -2.0L);
    EXPECT_EQ(HoldToCoef22Range(1.5L), 1.5L);
    EXPECT_EQ(HoldToCoef22Range(std::nanl("")), 0.0L);
}

} // namespace
} // namespace veld23
