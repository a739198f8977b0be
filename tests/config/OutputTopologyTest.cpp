#include "config/OutputTopology.h"
#include "config/ConfigurationJson.h"
#include "config/ConfigurationSamples.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace veld23 {
namespace {

using Json = nlohmann::json;
using testing::FillDistinctValues;
using testing::RecordingRealTimeSender;
using testing::Sent;
using testing::SentValues;

// Each topology sets its route state and level offsets, and sends the routing, then
// channel 2's level as the gains editor would send it.
TEST(OutputTopology, EachTopologySetsAndSendsItsRoutingAndOffsets) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Levels[1].ApplyPosition(121); // -6.0 dB
    c.Routing.SelectRoute(1);
    ApplyTwoOutputs(c, sender);
    EXPECT_TRUE(TopologyFlag(c.Topology));
    EXPECT_EQ(c.Routing.RouteState, 2);
    EXPECT_EQ(c.LevelOffsetOf(1), 0.0);
    EXPECT_EQ(c.LevelOffsetOf(2), 6.0);
    EXPECT_EQ(SentValues(sender),
              (Sent{{187, 0.0}, {188, 1.0}, {189, 0.0}, {190, 1.0}, {259, 0.0}}));

    // Three outputs resets the mix but keeps the route state.
    sender.calls.clear();
    c.Routing.SelectRoute(1);
    ApplyThreeOutputs(c, sender);
    EXPECT_FALSE(TopologyFlag(c.Topology));
    EXPECT_EQ(c.Routing.RouteState, 1);
    EXPECT_EQ(c.LevelOffsetOf(1), 6.0);
    EXPECT_EQ(
        SentValues(sender),
        (Sent{{187, 0.0}, {188, 0.0}, {189, 0.5}, {190, 0.5}, {259, c.Levels[1].OutputGain}}));
    EXPECT_NEAR(sender.calls[4].values[0], 0.501187, 1e-6);
    // The next press of the route button goes on from the kept state.
    c.Routing.RouteCommand(sender);
    EXPECT_EQ(c.Routing.RouteState, 2);

    // A muted channel 2 stays silent.
    sender.calls.clear();
    c.Levels[1].OutputMuted = true;
    c.Levels[1].OutputOnFactor = 0.0;
    ApplyThreeOutputs(c, sender);
    ASSERT_EQ(sender.calls.size(), 5u);
    EXPECT_EQ(sender.calls[4].values[0], 0.0);

    // Nothing is sent while a message is going out.
    sender.calls.clear();
    sender.busy = true;
    ApplyTwoOutputs(c, sender);
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(c.Routing.RouteB, 1.0);
}

// Applying a topology moves nothing but the routing (thresholds within both sliders
// stay), and applying it again changes nothing.
TEST(OutputTopology, ApplyingMovesOnlyTheRoutingAndTwiceIsOnce) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    c.Dynamics[0].Umbral = -20.0f;
    RecordingRealTimeSender sender;
    const auto withoutRouting = [](const ProcessorConfiguration& config) {
        Json j = Json::parse(ConfigurationToJson(config));
        j.erase("Routing");
        j.erase("Topology");
        return j;
    };
    const Json others = withoutRouting(c);
    for (const auto apply : {&ApplyTwoOutputs, &ApplyThreeOutputs}) {
        apply(c, sender);
        const std::string once = ConfigurationToJson(c);
        apply(c, sender);
        EXPECT_EQ(ConfigurationToJson(c), once);
        EXPECT_EQ(withoutRouting(c), others);
    }
}

TEST(OutputTopology, ThresholdPositionsAndTheirUmbral) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    ApplyThreeOutputs(c, sender);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 0), -5.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 101), -56.0f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(2, 0), -5.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 500), -56.0f);
    // Start-up record 1 (-6 dBFS) is one half-dB step below the top; record 2's -5 dBFS
    // lies above it and is held to it.
    EXPECT_EQ(c.ThresholdPosition(1), 1);
    EXPECT_EQ(c.Dynamics[1].Umbral, -5.5f);
    const auto table = c.Dynamics[0].Tabla;
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 0), -11.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 101), -62.0f);
    // -6 dBFS is above the slider's top in TwoOutputs: the record moves there, and
    // its table with it, so a memory written now reads back the same.
    EXPECT_EQ(c.Dynamics[0].Umbral, -11.5f);
    EXPECT_NE(c.Dynamics[0].Tabla, table);
    EXPECT_EQ(c.ThresholdPosition(1), 0);
    c.Dynamics[0].Umbral = -100.0f;
    EXPECT_EQ(c.ThresholdPosition(1), 101);

    // The same threshold lies twelve steps higher in two outputs; the SUB record's
    // offset does not follow the topology.
    c.Dynamics[0].Umbral = -20.0f;
    c.Dynamics[1].Umbral = -20.0f;
    EXPECT_EQ(c.ThresholdPosition(1), 17);
    EXPECT_EQ(c.ThresholdPosition(2), 29);
    ApplyThreeOutputs(c, sender);
    EXPECT_EQ(c.ThresholdPosition(1), 29);
    EXPECT_EQ(c.ThresholdPosition(2), 29);
}

TEST(OutputTopology, CaptionsLabelsAndOfferedControls) {
    for (const bool two : {false, true}) {
        SCOPED_TRACE(two ? "two outputs" : "three outputs");
        ProcessorConfiguration c;
        c.Topology = two ? OutputTopology::TwoOutputs : OutputTopology::ThreeOutputs;
        c.ChannelLabels.Out2.Assign("Mid");
        c.ChannelLabels.Sub.Assign("Bass");
        EXPECT_EQ(c.OutputChannelLabel(1), "Out1");
        EXPECT_EQ(c.OutputChannelLabel(2), "Mid");
        EXPECT_EQ(c.OutputChannelLabel(3), two ? "Mid" : "Bass");
        EXPECT_EQ(c.DynamicsCaption(1), two ? "Dynamic OUT 1" : "Dynamic OUT 1-2");
        EXPECT_EQ(c.DynamicsCaption(2), two ? "Dynamic OUT 2" : "Dynamic SUB");
        EXPECT_EQ(ThirdCurveName(c.Topology), two ? "OUT 2" : "SUB");
        EXPECT_EQ(ThirdCurveColour(c.Topology), two ? 0xFF0000u : 0xFFFF00u); // red, yellow
        // Only channel 2 is ever hidden; there is no channel 4.
        EXPECT_EQ(c.ChannelOffered(2), !two);
        EXPECT_TRUE(c.ChannelOffered(1) && c.ChannelOffered(3));
        EXPECT_FALSE(c.ChannelOffered(4));
        EXPECT_EQ(SubPathControlsOffered(c.Topology), !two);
    }
}

} // namespace
} // namespace veld23
