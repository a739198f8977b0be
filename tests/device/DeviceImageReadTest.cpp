#include "DeviceImageTestSupport.h"

#include "dsp/LoudnessSection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using namespace testing;

constexpr std::size_t P = kPanelBlockOffset;

// A configuration that uses every block, with values the controls can produce.
void MakeRich(ProcessorConfiguration& c, OutputTopology topology) {
    MakeNew(c, topology);
    c.SystemInformation.SystemName.Assign("Caf\xE9 hall");
    c.ChannelLabels.Out1.Assign("Left");
    SetBand(c.Peq[0].Band(1), kParametricQAdap, 63.0, -4.5, 1.4);
    SetBand(c.Peq[0].Band(4), kShelvHigh6dB, 8000.0, 3.0, 0.7);
    SetBand(c.Peq[1].Band(2), kBandPass, 2500.0, 2.0, 3.3);
    SetBand(c.Peq[1].Band(7), kAllPass2, 150.0, 0.0, 0.9);
    PeqBand& typed = c.Peq[0].Band(6);
    typed.SectionType = kIirCoeff;
    const double entered[5] = {0.98765, -1.87654321, 0.9, 1.9, -0.93};
    for (int k = 0; k < 5; ++k) {
        typed.SetCoefficient(k, QuantiseEnteredCoefficient(entered[k]));
    }
    SetHalf(c.Crossovers[0].LowPass, kLinkwitzRileyLowPass, 2, 2200.0);
    SetHalf(c.Crossovers[0].HighPass, kButterworthHighPass, 2, 80.0);
    c.CrossoverSolos[1].HighPassAux = true;
    SetHalf(c.Crossovers[1].HighPass, kBesselHighPass, 4, 120.0);
    SetHalf(c.Crossovers[2].LowPass, kBesselLowPass, 2, 95.0);
    c.Loudness[0].SectionType = kHiPassQ;
    c.Loudness[0].Frequency = 42.0;
    c.Loudness[0].GainDb = 4.5;
    DesignLoudness(c.Loudness[0]);
    c.Levels[0].LevelPosition = 101;
    c.Levels[2].LevelPosition = 5;
    c.Levels[2].OutputInverted = true;
    c.Levels[1].OutputMuted = true;
    for (OutputLevel& l : c.Levels) {
        l.RestoreFromPosition();
    }
    const bool two = topology == OutputTopology::TwoOutputs;
    c.Delays[0].ApplyPosition(120, OutputDelay::Layout(1, two));
    c.Delays[2].ApplyPosition(17, OutputDelay::Layout(3, two));
    c.Delays[1].AlignmentDelay = 48;
    c.DelayTemperature = 12;
    TDYNAMIC& d1 = c.Dynamics[0];
    d1.Umbral = -20.0f;
    d1.Ratio = 4.0f;
    d1.Knee = 2.5f;
    d1.Tipo = dynamics::kCompressor;
    d1.GateIndex = 12.0f;
    d1.Pendiente = 3.0f;
    d1.SetAttack(60);
    d1.SetHold(12);
    d1.SetRelease(20);
    d1.SetLookAhead(1.0);
    d1.Zload = 4.0f;
    d1.AmpGain = 26.0f;
    d1.Balanceado = false;
    TDYNAMIC& d2 = c.Dynamics[1];
    d2.Umbral = -30.5f;
    d2.Bypass = true;
    d2.PowerAmpMax = 1200.0f;
    for (TDYNAMIC& d : c.Dynamics) {
        d.Design();
        d.BuildTable();
    }
    if (!two) {
        c.Routing.SelectRoute(1);
    }
}

TEST(ApplyDeviceImage, RefusesAnImageShorterThanWhatItReadsAndChangesNothing) {
    ProcessorConfiguration source;
    MakeNew(source, OutputTopology::ThreeOutputs);
    ProcessorConfiguration config;
    MakeNew(config);
    const DeviceImage before = BuildDeviceImage(config);
    const DeviceImage image = BuildDeviceImage(source);
    RecordingRealTimeSender sender;
    RecordingLoadedSteps steps;
    for (std::size_t length : {std::size_t{0}, std::size_t{874}, std::size_t{1824}}) {
        EXPECT_EQ(ApplyDeviceImage(config, std::span(image).first(length), sender, steps).Message(),
                  "The memory read from the processor is incomplete: " + std::to_string(length) +
                      " bytes arrived, but a memory holds at least 1825. The configuration has "
                      "not been changed.");
    }
    EXPECT_EQ(BuildDeviceImage(config), before);
    EXPECT_TRUE(steps.calls.empty());
    EXPECT_TRUE(sender.calls.empty());

    // The end of the first panel copy is enough.
    EXPECT_TRUE(ApplyDeviceImage(config, std::span(image).first(1825), sender, steps));
    EXPECT_EQ(config.Topology, OutputTopology::ThreeOutputs);
}

TEST(ApplyDeviceImage, RunsTheUpdateStepsInTheirOrder) {
    ProcessorConfiguration source;
    MakeRich(source, OutputTopology::TwoOutputs);
    ProcessorConfiguration config;
    MakeNew(config, OutputTopology::ThreeOutputs);
    RecordingRealTimeSender sender; // Real Time mode on
    RecordingLoadedSteps steps;
    std::vector<std::size_t> sentBefore;
    steps.during = [&](const std::string& step, ProcessorConfiguration& c) {
        sentBefore.push_back(sender.calls.size());
        if (step == "LookAheadChanged") {
            EXPECT_EQ(c.Dynamics[0].LookAheadSamples, 48);
        }
        if (step == "RefreshGainsFromPositions") {
            EXPECT_EQ(c.Levels[2].OutputPolarity, -1.0f);
            EXPECT_EQ(c.Levels[2].LevelPosition, 5);
        }
        if (step == "RefreshDelays") {
            EXPECT_EQ(c.Routing.RouteState, 2);
        }
        if (step == "RefreshDynamics2") {
            // Both tables are already those of the codes just read.
            EXPECT_EQ(c.Dynamics[0].Tabla, source.Dynamics[0].Tabla);
        }
    };
    ASSERT_TRUE(ApplyDeviceImage(config, BuildDeviceImage(source), sender, steps));

    const std::vector<std::string> expected = {
        "TopologyApplied",   "LookAheadChanged",  "RefreshEqualiser2", "RefreshEqualiser1",
        "RefreshCrossover1", "RefreshCrossover2", "RefreshCrossover3", "RefreshGainsFromPositions",
        "RefreshLoudness",   "RefreshDelays",     "RefreshDistances",  "RefreshDynamics2",
        "RefreshDynamics1"};
    EXPECT_EQ(steps.calls, expected);
    // The topology command sends its five values first; the route button, pressed after
    // the loudness refresh, sends its two.
    EXPECT_EQ(sender.calls.size(), 7u);
    EXPECT_EQ(sentBefore[0], 5u);
    EXPECT_EQ(sentBefore[8], 5u); // at the loudness refresh
    EXPECT_EQ(sentBefore[9], 7u); // at the delay refresh
}

// A band comes back at the codes' resolution and designed from them (the round trip
// below covers typed coefficients); an image written before the gate fields existed
// gets the default gate.
TEST(ApplyDeviceImage, BandsAtTheCodesResolutionAndTheGateOfOldImages) {
    ProcessorConfiguration source;
    MakeNew(source);
    SetBand(source.Peq[1].Band(5), kParametricQAdap, 1234.4, 3.14, 2.345);
    source.Dynamics[0].Pendiente = 3.0f;
    DeviceImage image = BuildDeviceImage(source);
    image[kImageVersionOffset] = 103;
    ProcessorConfiguration config;
    MakeNew(config);
    ASSERT_TRUE(Apply(config, image));
    const PeqBand& band = config.Peq[1].Band(5);
    EXPECT_EQ(band.SectionType, kParametricQAdap);
    EXPECT_EQ(band.Frequency, 1234.0);
    EXPECT_EQ(band.GainDb, 3.1);
    EXPECT_EQ(band.Q, 2.3);
    TSOS reference;
    SetBand(reference, kParametricQAdap, 1234.0, 3.1, 2.3);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(band.GetCoefficient(k), reference.GetCoefficient(k)) << k;
    }
    for (const TDYNAMIC& d : config.Dynamics) {
        EXPECT_EQ(d.GateIndex, 13.0f);
        EXPECT_EQ(d.Pendiente, 4.0f);
    }
}

// The topology byte (any non-zero byte means two outputs) decides where the delay words'
// positions lie and which route state the memory's state byte gives.
TEST(ApplyDeviceImage, DelaysAndRouteStateFollowTheTopology) {
    ProcessorConfiguration source;
    MakeNew(source, OutputTopology::ThreeOutputs);
    DeviceImage image = BuildDeviceImage(source);
    image[648] = 10; // low bytes of the three delay words
    image[651] = 20;
    image[654] = 30;
    image[P + 129] = 99; // the panel's delay codes are not read
    image[P + 169] = 1;  // route state
    image[P + 170] = 44; // alignment delays: the low byte is all there is
    for (const bool two : {false, true}) {
        image[kImageTopologyOffset] = two ? 7 : 0;
        ProcessorConfiguration config;
        MakeNew(config);
        ASSERT_TRUE(Apply(config, image));
        EXPECT_EQ(config.Topology, two ? OutputTopology::TwoOutputs : OutputTopology::ThreeOutputs);
        EXPECT_EQ(config.Delays[0].DelayPosition, two ? 153 : 154);
        EXPECT_EQ(config.Delays[1].DelayPosition, 144);
        EXPECT_EQ(config.Delays[2].DelayPosition, 134);
        // Every word comes back as it was written.
        EXPECT_EQ(config.Delays[0].DelayWord, 10);
        EXPECT_EQ(config.Delays[1].DelayWord, 20);
        EXPECT_EQ(config.Delays[2].DelayWord, 30);
        // The alignment delays' holds belong to the delay records.
        EXPECT_EQ(config.Delays[0].AlignmentDelay, 44);
        // With two outputs the third channel takes IN 2 alone, whatever state the memory
        // keeps: the state a saved file opens with.
        EXPECT_EQ(config.Routing.RouteState, two ? 2 : 1);
        EXPECT_EQ(config.Routing.RouteD, two ? 1.0 : 0.0);
    }
}

TEST(ApplyDeviceImage, WriteReadWriteGivesTheSameImage) {
    for (const OutputTopology topology :
         {OutputTopology::TwoOutputs, OutputTopology::ThreeOutputs}) {
        ProcessorConfiguration source;
        MakeRich(source, topology);
        const DeviceImage written = BuildDeviceImage(source);
        std::vector<std::uint8_t> received(written.begin(), written.end());
        // What is not read cannot matter: processor block 2, panel copy 2, filler, extra.
        for (std::size_t at = kProcessorBlock2Offset; at < kPanelBlockOffset; ++at) {
            received[at] = static_cast<std::uint8_t>(at * 7);
        }
        for (std::size_t at = kPanelCopy2Offset; at < received.size(); ++at) {
            received[at] = 0xA5;
        }
        received.resize(2300, 0x5A);

        // Read into a new configuration of the other topology: every field must come
        // from the image.
        ProcessorConfiguration config;
        MakeNew(config, topology == OutputTopology::TwoOutputs ? OutputTopology::ThreeOutputs
                                                               : OutputTopology::TwoOutputs);
        ASSERT_TRUE(Apply(config, received));
        // Texts come back with the blanks that fill their fields, bytes as they were.
        EXPECT_EQ(config.SystemInformation.SystemName.View(),
                  "Caf\xE9 hall" + std::string(31, ' '));
        EXPECT_EQ(config.ChannelLabels.Out1.View(), "Left  ");
        const DeviceImage again = BuildDeviceImage(config);
        for (std::size_t at = 0; at < kDeviceImageSize; ++at) {
            EXPECT_EQ(again[at], written[at]) << "offset " << at;
        }
        ExpectWithinEditorRanges(config);
    }
}

} // namespace
} // namespace veld23
