#include "editors/PowerCheck.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace veld23 {
namespace {

// The start-up configuration with three outputs: record 1 limits at -6 dBFS into 8 ohms,
// 41 dB of amplifier gain and a 400 W box.
struct PowerCheck : ::testing::Test {
    ProcessorConfiguration c;
    testing::RecordingRealTimeSender sender;
    PowerCheck() { ApplyThreeOutputs(c, sender); }
    static void Redesign(TDYNAMIC& d) {
        d.Design();
        d.BuildTable();
    }
};

TEST_F(PowerCheck, StartUpRecordExceedsTheBoxAndUnbalancedQuartersThePower) {
    const PowerCheckResult r = CalculaPower(c);
    EXPECT_NEAR(r.maxOutLevelDbu, 17.5, 1e-5);
    EXPECT_NEAR(r.maxOutVoltageVrms, 5.8117, 1e-4);
    EXPECT_NEAR(r.maxOutPowerWatts, 7097.1, 0.1);
    EXPECT_EQ(r.powerLine, "1 - Max RMS Out Power : 7097 Watts");
    EXPECT_EQ(r.voltageLine, "    VELD23 max Out Voltage : 5.81 vrms");
    EXPECT_EQ(r.powerCaption, "7097 W");
    EXPECT_TRUE(r.boxPowerExceeded);
    EXPECT_EQ(r.ExceededCaption(), "The Out Power exceeds your Box Power capacity!");
    EXPECT_EQ(std::tuple(r.meter.maximum, r.meter.secondColourAt, r.meter.thirdColourAt),
              std::tuple(74, 52, 70));

    c.Dynamics[0].Balanceado = false;
    const PowerCheckResult unbalanced = CalculaPower(c);
    EXPECT_EQ(unbalanced.powerLine, "1 - Max RMS Out Power : 1774 Watts");
    EXPECT_EQ(unbalanced.voltageLine, "    VELD23 max Out Voltage : 2.91 vrms");
    EXPECT_TRUE(unbalanced.boxPowerExceeded);
}

TEST_F(PowerCheck, OutputLevelStopsAtEighteenDbu) {
    // Record 1 in two outputs lets 23.5 dBu through at full scale; record 2 (-5 dBFS
    // with its fixed 6 dB offset) 18.5 dBu. Both are held to 18.
    ApplyTwoOutputs(c, sender);
    for (const PowerCheckResult& r : {CalculaPower(c), CalculaPowerSUB(c)}) {
        EXPECT_EQ(r.maxOutLevelDbu, 18.0);
        EXPECT_EQ(r.powerCaption, "7963 W");
        EXPECT_EQ(r.voltageLine, "    VELD23 max Out Voltage : 6.16 vrms");
    }
    EXPECT_EQ(CalculaPowerSUB(c).record, 2);
    EXPECT_EQ(RunPowerCheck(c, 2).record, 2);
    EXPECT_EQ(RunPowerCheck(c, 7).record, 1);
}

TEST_F(PowerCheck, NoWarningWhileTheBoxTakesThePower) {
    c.Dynamics[1].Umbral = -30.0f;
    Redesign(c.Dynamics[1]);
    c.Dynamics[1].PowerMaxLoad = 1000.0f;
    const PowerCheckResult r = CalculaPowerSUB(c);
    // -30 dBFS at the SUB's offset: -6.5 dBu, 0.367 V, 28 W into 8 ohms.
    EXPECT_NEAR(r.maxOutLevelDbu, -6.5, 1e-4);
    EXPECT_EQ(r.powerCaption, "28 W");
    EXPECT_FALSE(r.boxPowerExceeded);
    EXPECT_TRUE(r.ExceededCaption().empty());
}

TEST_F(PowerCheck, MeterFollowsTheThresholdAndTheRatio) {
    for (TDYNAMIC& d : c.Dynamics) {
        d.Umbral = -40.0f; // slider position 69 on both records
        Redesign(d);
    }
    EXPECT_EQ(CalculaPower(c).meter.position, 32);    // 101 - 69
    EXPECT_EQ(CalculaPowerSUB(c).meter.position, 29); // 101 - 69 - 3
    for (TDYNAMIC& d : c.Dynamics) {
        d.Tipo = dynamics::kCompressor;
        d.Ratio = 4.0f;
        Redesign(d);
    }
    EXPECT_EQ(CalculaPower(c).meter.position, 54);    // 97.97 - (69 - 25)
    EXPECT_EQ(CalculaPowerSUB(c).meter.position, 48); // 97.97 - 6 - (69 - 25)
    // Near the top of the slider the meter is full rather than past its end.
    c.Dynamics[0].Umbral = -6.0f;
    EXPECT_EQ(CalculaPower(c).meter.position, 74);
}

TEST_F(PowerCheck, MeterMaximumIsTheBoxCapacityAsAnOutputLevel) {
    TDYNAMIC& d = c.Dynamics[0];
    d.PowerMaxLoad = 1000.0f;
    d.AmpGain = 20.0f;
    PowerMeter m = CalculaPower(c).meter;
    EXPECT_EQ(std::tuple(m.maximum, m.secondColourAt, m.thirdColourAt), std::tuple(94, 66, 89));
    d.PowerMaxLoad = 4000.0f;
    d.Zload = 16.0f;
    d.AmpGain = 5.0f;
    m = CalculaPower(c).meter;
    EXPECT_EQ(m.maximum, 136);
    EXPECT_EQ(m.position, 100);
}

TEST_F(PowerCheck, LargePowersKeepFiveSignificantDigitsWithoutExponent) {
    ApplyTwoOutputs(c, sender);
    c.Dynamics[0].AmpGain = 200.0f;
    c.Dynamics[0].Zload = 2.0f;
    const PowerCheckResult r = CalculaPower(c);
    EXPECT_NEAR(r.maxOutPowerWatts, 757937.5, 0.5);
    EXPECT_EQ(r.powerLine, "1 - Max RMS Out Power : 757940 Watts");
    EXPECT_EQ(r.powerCaption, "757940 W");
}

TEST_F(PowerCheck, LoadedNonsenseStillGivesFiniteFigures) {
    TDYNAMIC& d = c.Dynamics[1];
    d.Zload = 0.0f;
    d.AmpGain = 0.0f;
    d.PowerMaxLoad = std::numeric_limits<float>::quiet_NaN();
    d.Ratio = 0.0f;
    d.Tipo = dynamics::kCompressor;
    d.Npuntos = 9999;
    const PowerCheckResult r = CalculaPowerSUB(c);
    EXPECT_TRUE(std::isfinite(r.maxOutPowerWatts));
    EXPECT_TRUE(std::isfinite(r.maxOutVoltageVrms));
    EXPECT_GT(r.maxOutPowerWatts, 0.0);
    EXPECT_GE(r.meter.position, 0);
}

} // namespace
} // namespace veld23
