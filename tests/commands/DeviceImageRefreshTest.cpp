#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "device/DeviceImageTestSupport.h"
#include "device/Encodings.h"
#include "dsp/LoudnessSection.h"
#include "dsp/PeqRules.h"
#include "editors/EditorSet.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// Reading a processor memory with the real editors doing the update steps, as the
// application wires them.

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using testing::SetBand;
using testing::SetHalf;

// What the other side of the link wrote: a configuration edited without windows.
void MakeSource(ProcessorConfiguration& c) {
    RecordingRealTimeSender quiet;
    quiet.mode = false;
    ApplyThreeOutputs(c, quiet);
    c.SystemInformation.SystemName.Assign("Club");
    SetBand(c.Peq[1].Band(3), kParametricQAdap, 250.0, -6.0, 2.0);
    PeqBand& typed = c.Peq[0].Band(7);
    typed.SectionType = kIirCoeff;
    typed.b0 = QuantiseEnteredCoefficient(0.75);
    typed.a1 = QuantiseEnteredCoefficient(0.2);
    SetHalf(c.Crossovers[0].LowPass, kLinkwitzRileyLowPass, 2, 1800.0);
    SetHalf(c.Crossovers[0].HighPass, kLinkwitzRileyHighPass, 2, 90.0);
    SetHalf(c.Crossovers[2].LowPass, kButterworthLowPass, 2, 900.0);
    c.Loudness[0].GainDb = 6.0;
    c.Loudness[0].Frequency = 50.0;
    DesignLoudness(c.Loudness[0]);
    c.Levels[0].LevelPosition = 81;
    c.Levels[0].OutputMuted = true;
    c.Levels[0].RestoreFromPosition();
    c.Delays[1].ApplyPosition(100, OutputDelay::Layout(2, false));
    c.Delays[2].AlignmentDelay = 96;
    // Thresholds on the sliders: the start-up -5 dBFS of record 2 lies above its slider
    // and is written as the slider's top.
    c.Dynamics[0].Umbral = -15.0f;
    c.Dynamics[1].Umbral = -12.0f;
    c.Dynamics[0].SetLookAhead(1.0); // the memory keeps whole milliseconds
    for (TDYNAMIC& d : c.Dynamics) {
        d.Design();
        d.BuildTable();
    }
    c.Routing.SelectRoute(1);
}

// In Real Time mode, as a security read leaves it.
TEST(DeviceImageRefresh, TheEditorsShowWhatWasReadSendItOnAndGiveTheImageBackUnchanged) {
    ProcessorConfiguration source;
    MakeSource(source);
    const DeviceImage written = BuildDeviceImage(source);

    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    sender.mode = false;
    EditorSet editors(config, sender);
    sender.mode = true;
    ASSERT_TRUE(ApplyDeviceImage(config, written, sender, editors.steps));

    EXPECT_EQ(config.Peq[0].UsedBands, 7);
    EXPECT_EQ(config.Peq[1].UsedBands, 7);
    EXPECT_EQ(editors.equaliser.CurrentEqualiser(), 1);
    EXPECT_EQ(editors.equaliser.CurrentBand(), 1);
    EXPECT_EQ(editors.crossover.CurrentOutput(), 3);
    EXPECT_TRUE(editors.levels.MuteLit(1));
    EXPECT_TRUE(editors.levels.MainMuteShown(1));
    EXPECT_EQ(editors.levels.LevelText(1), "-2.0");
    EXPECT_EQ(editors.delays.DelayWord(2), 64);
    EXPECT_EQ(editors.delays.DistanceText(3), "69.3");
    EXPECT_EQ(editors.dynamics.CurrentRecord(), 1);
    EXPECT_EQ(editors.loudness.GainText(), "6.0");
    EXPECT_EQ(config.Routing.RouteState, 1);

    EXPECT_EQ(BuildDeviceImage(config), written);

    // The last five-value message to each coefficient slot holds the words the image
    // holds there, the Linkwitz-Riley products of output 1 included.
    std::map<std::uint16_t, std::array<double, 5>> lastFive;
    for (const auto& call : sender.calls) {
        if (call.kind == RecordingRealTimeSender::Kind::Five) {
            lastFive[call.parameter] = call.values;
        }
    }
    for (std::uint16_t slot : {0, 30, 45, 70, 75, 90, 95, 100}) {
        ASSERT_TRUE(lastFive.count(slot)) << slot;
        for (std::size_t k = 0; k < 5; ++k) {
            const std::size_t at = kProcessorBlock1Offset + 3 * (slot + k);
            EXPECT_EQ(EncodeCoef22(lastFive[slot][k]),
                      (Coef22Bytes{written[at], written[at + 1], written[at + 2]}))
                << "word " << slot + k;
        }
    }
}

} // namespace
} // namespace veld23
