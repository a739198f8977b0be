#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

struct Sent {
    std::uint16_t parameter;
    double value;
};

std::vector<Sent> ValuesSent(const RecordingRealTimeSender& sender) {
    std::vector<Sent> sent;
    for (const auto& call : sender.calls) {
        EXPECT_EQ(call.kind, Kind::Value);
        EXPECT_EQ(call.messageKind, 2);
        sent.push_back({call.parameter, call.values[0]});
    }
    return sent;
}

void ExpectSent(const RecordingRealTimeSender& sender, const std::vector<Sent>& expected) {
    const auto sent = ValuesSent(sender);
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].parameter, expected[i].parameter) << i;
        EXPECT_EQ(sent[i].value, expected[i].value) << i;
    }
}

TEST(OutputTopology, TwoOutputsSetsItsRoutingAndOffset) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.mode = false;
    c.Routing.SelectRoute(1);
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.Topology, OutputTopology::TwoOutputs);
    EXPECT_TRUE(TopologyFlag(c.Topology));
    EXPECT_EQ(c.Routing.RouteA, 0.0);
    EXPECT_EQ(c.Routing.RouteB, 1.0);
    EXPECT_EQ(c.Routing.RouteC, 0.0);
    EXPECT_EQ(c.Routing.RouteD, 1.0);
    EXPECT_EQ(c.Routing.RouteState, 2);
    EXPECT_EQ(c.LevelOffsetOf(1), 0.0);
    EXPECT_EQ(c.LevelOffsetOf(2), 6.0);
    EXPECT_TRUE(sender.calls.empty());
}

TEST(OutputTopology, ThreeOutputsResetsTheMixButKeepsTheRouteState) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.mode = false;
    ApplyTwoOutputs(c, sender);
    c.Routing.SelectRoute(1);
    ApplyThreeOutputs(c, sender);
    EXPECT_EQ(c.Topology, OutputTopology::ThreeOutputs);
    EXPECT_FALSE(TopologyFlag(c.Topology));
    EXPECT_EQ(c.Routing.RouteState, 1);
    EXPECT_EQ(c.Routing.RouteA, 0.0);
    EXPECT_EQ(c.Routing.RouteB, 0.0);
    EXPECT_EQ(c.Routing.RouteC, 0.5);
    EXPECT_EQ(c.Routing.RouteD, 0.5);
    EXPECT_EQ(c.Routing.RouteCaptions()[0], "0.5");
    EXPECT_EQ(c.LevelOffsetOf(1), 6.0);
    // The next press of the route button goes on from the kept state.
    c.Routing.RouteCommand(sender);
    EXPECT_EQ(c.Routing.RouteState, 2);
    EXPECT_EQ(c.Routing.RouteD, 1.0);
}

TEST(OutputTopology, RealTimeSendsRoutingThenChannelTwosLevel) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Levels[1].ApplyPosition(121); // -6.0 dB
    ApplyTwoOutputs(c, sender);
    ExpectSent(sender, {{187, 0.0}, {188, 1.0}, {189, 0.0}, {190, 1.0}, {259, 0.0}});

    sender.calls.clear();
    ApplyThreeOutputs(c, sender);
    ExpectSent(sender,
               {{187, 0.0}, {188, 0.0}, {189, 0.5}, {190, 0.5}, {259, c.Levels[1].OutputGain}});
    EXPECT_NEAR(sender.calls[4].values[0], 0.501187, 1e-6);
}

TEST(OutputTopology, ThreeOutputsKeepsAMutedChannelTwoSilent) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Levels[1].OutputMuted = true;
    c.Levels[1].OutputOnFactor = 0.0;
    ApplyThreeOutputs(c, sender);
    ASSERT_EQ(sender.calls.size(), 5u);
    EXPECT_EQ(sender.calls[4].parameter, 259);
    EXPECT_EQ(sender.calls[4].values[0], 0.0);
}

TEST(OutputTopology, NothingIsSentWhileAMessageIsGoingOut) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.busy = true;
    ApplyThreeOutputs(c, sender);
    ApplyTwoOutputs(c, sender);
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(c.Routing.RouteB, 1.0);
}

// Everything a topology command may change, and a few block values it must not.
struct Snapshot {
    OutputTopology topology;
    InputRouting routing;
    double offset1;
    float umbral1;
    double gain2;
    std::int32_t word3;
    double xoverHz2;
    std::uint8_t peqType;

    explicit Snapshot(const ProcessorConfiguration& c)
        : topology(c.Topology), routing(c.Routing), offset1(c.LevelOffsetOf(1)),
          umbral1(c.Dynamics[0].Umbral), gain2(c.Levels[1].OutputGain),
          word3(c.Delays[2].DelayWord), xoverHz2(c.Crossovers[1].LowPass.Frequency),
          peqType(c.Peq[1].Band(2).SectionType) {}

    bool operator==(const Snapshot& o) const {
        return topology == o.topology && routing.RouteState == o.routing.RouteState &&
               routing.RouteA == o.routing.RouteA && routing.RouteB == o.routing.RouteB &&
               routing.RouteC == o.routing.RouteC && routing.RouteD == o.routing.RouteD &&
               offset1 == o.offset1 && umbral1 == o.umbral1 && gain2 == o.gain2 &&
               word3 == o.word3 && xoverHz2 == o.xoverHz2 && peqType == o.peqType;
    }
};

TEST(OutputTopology, ApplyingTwiceLeavesTheSameStateAsOnce) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Levels[1].ApplyPosition(100);
    c.Dynamics[0].Umbral = -20.0f;
    c.Crossovers[1].LowPass.Frequency = 3000.0;
    c.Peq[1].Band(2).SectionType = kShelvLow6dB;
    const Snapshot before(c);

    ApplyTwoOutputs(c, sender);
    const Snapshot once(c);
    const auto sentOnce = sender.calls.size();
    ApplyTwoOutputs(c, sender);
    EXPECT_TRUE(Snapshot(c) == once);
    EXPECT_EQ(sender.calls.size(), 2 * sentOnce);

    ApplyThreeOutputs(c, sender);
    const Snapshot three(c);
    ApplyThreeOutputs(c, sender);
    EXPECT_TRUE(Snapshot(c) == three);

    // No block record moved through all of it.
    EXPECT_EQ(c.Dynamics[0].Umbral, before.umbral1);
    EXPECT_EQ(c.Levels[1].OutputGain, before.gain2);
    EXPECT_EQ(c.Delays[2].DelayWord, before.word3);
    EXPECT_EQ(c.Crossovers[1].LowPass.Frequency, before.xoverHz2);
    EXPECT_EQ(c.Peq[1].Band(2).SectionType, before.peqType);
}

TEST(OutputTopology, TheSameThresholdLiesTwelveStepsHigherInTwoOutputs) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Dynamics[0].Umbral = -20.0f;
    c.Dynamics[1].Umbral = -20.0f;
    ApplyThreeOutputs(c, sender);
    const int three1 = c.ThresholdPosition(1);
    const int three2 = c.ThresholdPosition(2);
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(three1, 29);
    EXPECT_EQ(c.ThresholdPosition(1), 17);
    // The SUB record's offset does not follow the topology.
    EXPECT_EQ(c.ThresholdPosition(2), three2);
    EXPECT_EQ(three2, 29);
}

TEST(OutputTopology, ThresholdPositionsAndTheirUmbral) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    ApplyThreeOutputs(c, sender);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 0), -5.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 101), -56.0f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(2, 0), -5.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 500), -56.0f);
    // Start-up record 1 (-6 dBFS) is one half-dB step below the top.
    EXPECT_EQ(c.ThresholdPosition(1), 1);
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 0), -11.5f);
    EXPECT_EQ(c.UmbralFromThresholdPosition(1, 101), -62.0f);
    // -6 dBFS is above the slider's top in TwoOutputs: it is held there rather than
    // giving a negative position that a memory byte would turn into 245.
    EXPECT_EQ(c.ThresholdPosition(1), 0);
    c.Dynamics[0].Umbral = -100.0f;
    EXPECT_EQ(c.ThresholdPosition(1), 101);
}

TEST(OutputTopology, CaptionsAndOfferedControls) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    ApplyThreeOutputs(c, sender);
    EXPECT_EQ(c.DynamicsCaption(1), "Dynamic OUT 1-2");
    EXPECT_EQ(c.DynamicsCaption(2), "Dynamic SUB");
    EXPECT_EQ(ThirdCurveName(c.Topology), "SUB");
    EXPECT_EQ(ThirdCurveColour(c.Topology), kYellowCurve);
    EXPECT_TRUE(c.ChannelOffered(2));
    EXPECT_TRUE(SubPathControlsOffered(c.Topology));

    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.DynamicsCaption(1), "Dynamic OUT 1");
    EXPECT_EQ(c.DynamicsCaption(2), "Dynamic OUT 2");
    EXPECT_EQ(ThirdCurveName(c.Topology), "OUT 2");
    EXPECT_EQ(ThirdCurveColour(c.Topology), kRedCurve);
    EXPECT_TRUE(c.ChannelOffered(1));
    EXPECT_FALSE(c.ChannelOffered(2));
    EXPECT_TRUE(c.ChannelOffered(3));
    EXPECT_FALSE(c.ChannelOffered(4));
    EXPECT_FALSE(SubPathControlsOffered(c.Topology));
}

} // namespace
} // namespace veld23
