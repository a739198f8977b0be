#include "config/ProcessorConfiguration.h"
#include "config/ConfigurationJson.h"
#include "config/ConfigurationSamples.h"
#include "config/OutputTopology.h"
#include "config/RecordingSteps.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <tuple>
#include <vector>

namespace veld23 {
namespace {

using Json = nlohmann::json;
using testing::FillDistinctValues;
using testing::RecordingNewSteps;
using testing::RecordingRealTimeSender;
using testing::Sent;
using testing::SentValues;

TEST(RouteCommand, CyclesThroughTheThreeMixesSendingBothAmounts) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    // A damaged state shows, and restarts the cycle, as the even mix.
    c.Routing.RouteState = 3;
    EXPECT_EQ(c.Routing.ShownRouteState(), 0);
    const struct {
        int state;
        double c;
        double d;
        const char* captionC;
        const char* captionD;
    } expected[] = {{1, 1.0, 0.0, "1", "0"}, {2, 0.0, 1.0, "0", "1"}, {0, 0.5, 0.5, "0.5", "0.5"}};
    for (const auto& e : expected) {
        sender.calls.clear();
        c.Routing.RouteCommand(sender);
        EXPECT_EQ(c.Routing.RouteState, e.state);
        EXPECT_EQ(SentValues(sender), (Sent{{189, e.c}, {190, e.d}}));
        const auto captions = c.Routing.RouteCaptions();
        EXPECT_EQ(captions[0], e.captionC);
        EXPECT_EQ(captions[1], e.captionD);
    }
    // While a message is going out nothing is sent, but the edit stays.
    sender.calls.clear();
    sender.busy = true;
    c.Routing.RouteCommand(sender);
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(c.Routing.RouteState, 1);
    c.Routing.SelectRoute(-3);
    EXPECT_EQ(c.Routing.RouteState, 0);
    EXPECT_EQ(c.Routing.RouteC, 0.5);
}

TEST(ResetToNew, RestoresEveryDefaultEachBeforeItsEditorsStep) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    RecordingRealTimeSender sender;
    ApplyTwoOutputs(c, sender);
    c.SelectProgram(4);
    // What no editor produces, and what a file does not store.
    c.SampleRate = 44100;
    c.FinalResponse.DelayBox = false;
    c.ShadowPeq[0].Band(1).b0 = 0.5L;
    ASSERT_EQ(c.Crossovers[1].HighPass.Design(), HalfDesignStatus::Ok);
    c.Dynamics[1].Design();
    c.Dynamics[1].BuildTable();
    RecordingNewSteps steps;
    c.ResetToNew(steps);

    // Every stored field is back at its default, the routing at the even mix until the
    // caller applies the topology again; the topology, the memory selector and the DELAY
    // selection of the final response are the caller's, left as they were.
    ProcessorConfiguration expected;
    expected.Topology = OutputTopology::TwoOutputs;
    // No delay, with two outputs: word 1 for OUT 1, 0 for the third, a full-range output.
    expected.Delays[0].DelayWord = 1;
    expected.Delays[2].DelayWord = 0;
    expected.FinalResponse.DelayBox = false;
    EXPECT_EQ(ConfigurationToJson(c), ConfigurationToJson(expected));
    EXPECT_EQ(c.ProgramNumber, 4);
    const ProcessorConfiguration fresh;
    EXPECT_EQ(c.ShadowPeq[0].Band(1).b0, 1.0L);
    EXPECT_EQ(c.Peq[0].Band(3).b1, 0.0L);
    EXPECT_EQ(c.Peq[0].Band(3).CoefIndex, 10);
    for (int s = 0; s < kSectionsPerHalf; ++s) {
        const TSOS& section = c.Crossovers[1].HighPass.Sections[s];
        const TSOS& start = fresh.Crossovers[1].HighPass.Sections[s];
        EXPECT_EQ(std::tie(section.b0, section.a1), std::tie(start.b0, start.a1)) << s;
    }
    EXPECT_EQ(c.Dynamics[1].Tabla, fresh.Dynamics[1].Tabla);

    // The steps run in their order, each once its own group is restored.
    const std::vector<std::string> order = {
        "CloseWindows", "SwitchRealTimeOff", "Levels",           "Crossovers", "Peq", "Dynamics",
        "Delays",       "Loudness",          "MeasurementImport"};
    ASSERT_EQ(steps.calls.size(), order.size());
    const Json restored = Json::parse(ConfigurationToJson(c));
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto& [group, json] = steps.calls[i];
        EXPECT_EQ(group, order[i]);
        if (!json.empty()) {
            EXPECT_EQ(Json::parse(json)[group], restored[group]) << group;
        }
    }
}

} // namespace
} // namespace veld23
