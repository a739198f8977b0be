#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

// New through the editors' own steps, as the topology chooser runs it. The defaults of the
// records are the configuration's tests, each editor's own reset its controller's; here
// every editor is reset, the windows close and Real Time goes off before anything is sent.
TEST(NewConfiguration, EditorsEndAsAtStartAndNothingIsSent) {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    sender.mode = false;
    int closed = 0;
    EditorSet e(config, sender, {[&] { ++closed; }, [&] { sender.mode = false; }, {}});
    e.ChooseTopology(OutputTopology::ThreeOutputs);

    e.equaliser.SelectBand(5);
    e.levels.SetLevelPosition(3, 200);
    e.delays.SetDelayPosition(1, 100);
    e.dynamics.SelectRecord(2);
    e.speaker.ChooseOutput(3);
    e.speaker.ToggleBalanced();

    sender.mode = true; // Real Time on until New switches it off
    e.NewConfiguration(OutputTopology::TwoOutputs);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(sender.mode);
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(e.equaliser.CurrentBand(), 1);
    EXPECT_EQ(e.equaliser.UsedBands(1), 2);
    EXPECT_EQ(e.levels.LevelPosition(3), 61);
    EXPECT_EQ(e.delays.DisplaySamples(1), 0);
    EXPECT_EQ(e.dynamics.CurrentRecord(), 1);
    // The speaker editor shows the restored record when it is next activated.
    e.speaker.Activate();
    EXPECT_TRUE(e.speaker.BalancedLit());
    EXPECT_EQ(e.speaker.Heading(), "OUTPUT 2");
}

// Three outputs mix both inputs half each, which is route state 0: left in the state of two
// outputs (IN 2 alone), a saved file would reopen as IN 2 alone.
TEST(NewConfiguration, ThreeOutputsChosenAfterTwoShowTheMixTheyPlay) {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    EditorSet e(config, sender, {[] {}, [] {}, {}});
    e.ChooseTopology(OutputTopology::TwoOutputs);
    e.ChooseTopology(OutputTopology::ThreeOutputs);
    EXPECT_EQ(config.Routing.RouteState, 0);
    EXPECT_EQ(config.Routing.RouteC, 0.5);
    EXPECT_EQ(config.Routing.RouteD, 0.5);
}

} // namespace
} // namespace veld23
