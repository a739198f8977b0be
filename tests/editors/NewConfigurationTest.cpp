#include "config/NewConfigurationSteps.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "editors/DelayController.h"
#include "editors/LevelController.h"
#include "editors/SpeakerSettingsController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

// The wiring the application does: the gains and delay editors' own reset steps,
// Real Time switched off on the sender every editor uses.
class EditorSteps : public NewConfigurationSteps {
  public:
    EditorSteps(LevelController& levels, DelayController& delays, RecordingRealTimeSender& sender)
        : levels_(levels), delays_(delays), sender_(sender) {}

    void CloseWindows() override {}
    void SwitchRealTimeOff() override { sender_.mode = false; }
    void ResetGainsEditor(ProcessorConfiguration&) override { levels_.ResetToNew(); }
    void ResetCrossoverEditor(ProcessorConfiguration&) override {}
    void ResetPeqEditor(ProcessorConfiguration&) override {}
    void ResetDynamicsEditor(ProcessorConfiguration&) override {}
    void ResetDelayEditor(ProcessorConfiguration&) override { delays_.ResetToNew(); }
    void ResetLoudnessEditor(ProcessorConfiguration&) override {}
    void ConfirmMeasurementImport(ProcessorConfiguration&) override {}

  private:
    LevelController& levels_;
    DelayController& delays_;
    RecordingRealTimeSender& sender_;
};

TEST(NewConfiguration, EditorsAndModelEndAsAtStartAndNothingIsSent) {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    sender.mode = false;
    LevelController levels(config, sender);
    DelayController delays(config, sender);
    SpeakerSettingsController speaker(config);
    ApplyThreeOutputs(config, sender);

    levels.SetLevelPosition(3, 200);
    levels.ToggleMute(1);
    for (int i = 0; i < 48; ++i) {
        delays.DistanceUp(2);
    }
    delays.SetDelayPosition(1, 100);
    speaker.ChooseOutput(3);
    speaker.ToggleBalanced();
    config.Routing.RouteCommand(sender);

    sender.mode = true; // Real Time on until New switches it off
    EditorSteps steps(levels, delays, sender);
    config.ResetToNew(steps);
    ApplyTwoOutputs(config, sender);

    EXPECT_FALSE(sender.mode);
    EXPECT_TRUE(sender.calls.empty());
    EXPECT_EQ(levels.LevelPosition(3), 61);
    EXPECT_FALSE(levels.MuteLit(1));
    EXPECT_EQ(config.Levels[0].OutputOnFactor, 1.0);
    EXPECT_EQ(delays.AlignmentDelay(2), 0);
    EXPECT_EQ(delays.DistanceCm(2), 0.0);
    EXPECT_EQ(config.DelayTemperature, 25);
    EXPECT_TRUE(config.Dynamics[1].Balanceado);
    EXPECT_EQ(config.Routing.RouteState, 2);
    EXPECT_EQ(config.Routing.RouteD, 1.0);
    EXPECT_EQ(config.DynamicsCaption(2), "Dynamic OUT 2");

    // The speaker editor shows the restored record when it is next activated.
    speaker.Activate();
    EXPECT_TRUE(speaker.BalancedLit());
    EXPECT_EQ(speaker.Heading(), "OUTPUT 2");
}

} // namespace
} // namespace veld23
