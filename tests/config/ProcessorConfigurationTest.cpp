#include "config/ProcessorConfiguration.h"
#include "config/ConfigurationJson.h"
#include "config/NewConfigurationSteps.h"
#include "config/OutputTopology.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

// Records which step ran when, and what the model looked like at that moment.
class RecordingSteps : public NewConfigurationSteps {
  public:
    std::vector<std::string> calls;
    bool levelsRestoredBeforeGainsStep = false;
    bool crossoverRestoredBeforeItsStep = false;
    bool peqRestoredBeforeItsStep = false;
    bool dynamicsRestoredBeforeItsStep = false;
    bool delaysRestoredBeforeItsStep = false;
    bool loudnessRestoredBeforeItsStep = false;
    bool importEmptiedBeforeConfirmation = false;

    void CloseWindows() override { calls.push_back("close"); }
    void SwitchRealTimeOff() override { calls.push_back("realtime off"); }
    void ResetGainsEditor(ProcessorConfiguration& c) override {
        calls.push_back("gains");
        levelsRestoredBeforeGainsStep = c.Levels[2].LevelPosition == 61;
    }
    void ResetCrossoverEditor(ProcessorConfiguration& c) override {
        calls.push_back("crossover");
        crossoverRestoredBeforeItsStep = c.Crossovers[0].HighPass.Frequency == 100.0;
    }
    void ResetPeqEditor(ProcessorConfiguration& c) override {
        calls.push_back("peq");
        peqRestoredBeforeItsStep = c.Peq[1].Band(4).SectionType == kBypass;
    }
    void ResetDynamicsEditor(ProcessorConfiguration& c) override {
        calls.push_back("dynamics");
        dynamicsRestoredBeforeItsStep = c.Dynamics[0].Umbral == -6.0f;
    }
    void ResetDelayEditor(ProcessorConfiguration& c) override {
        calls.push_back("delay");
        delaysRestoredBeforeItsStep = c.DelayTemperature == 25;
    }
    void ResetLoudnessEditor(ProcessorConfiguration& c) override {
        calls.push_back("loudness");
        loudnessRestoredBeforeItsStep = c.Loudness[0].GainDb == 0.0;
    }
    void ConfirmMeasurementImport(ProcessorConfiguration& c) override {
        calls.push_back("import");
        importEmptiedBeforeConfirmation = c.MeasurementImport.MeasurementFiles[1].empty();
    }
};

TEST(RouteCommand, CyclesThroughTheThreeMixesAndBack) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.mode = false;
    struct Expected {
        int state;
        double c;
        double d;
        const char* captionC;
        const char* captionD;
    };
    const Expected expected[] = {
        {1, 1.0, 0.0, "1", "0"}, {2, 0.0, 1.0, "0", "1"}, {0, 0.5, 0.5, "0.5", "0.5"}};
    for (const Expected& e : expected) {
        c.Routing.RouteCommand(sender);
        EXPECT_EQ(c.Routing.RouteState, e.state);
        EXPECT_EQ(c.Routing.RouteC, e.c);
        EXPECT_EQ(c.Routing.RouteD, e.d);
        const auto captions = c.Routing.RouteCaptions();
        EXPECT_EQ(captions[0], e.captionC);
        EXPECT_EQ(captions[1], e.captionD);
    }
    EXPECT_TRUE(sender.calls.empty());
}

TEST(RouteCommand, SendsBothAmountsInRealTimeModeUnlessBusy) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.Routing.RouteCommand(sender);
    ASSERT_EQ(sender.calls.size(), 2u);
    EXPECT_EQ(sender.calls[0].parameter, 189);
    EXPECT_EQ(sender.calls[0].messageKind, 2);
    EXPECT_EQ(sender.calls[0].values[0], 1.0);
    EXPECT_EQ(sender.calls[1].parameter, 190);
    EXPECT_EQ(sender.calls[1].values[0], 0.0);

    sender.busy = true;
    c.Routing.RouteCommand(sender);
    EXPECT_EQ(sender.calls.size(), 2u);
    EXPECT_EQ(c.Routing.RouteState, 2); // the edit stays even when nothing is sent
}

TEST(RouteCommand, ADamagedStateRestartsTheCycleFromTheEvenMix) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    sender.mode = false;
    c.Routing.RouteState = 7;
    EXPECT_EQ(c.Routing.ShownRouteState(), 0);
    c.Routing.RouteCommand(sender);
    EXPECT_EQ(c.Routing.RouteState, 1);
    c.Routing.SelectRoute(-3);
    EXPECT_EQ(c.Routing.RouteState, 0);
    EXPECT_EQ(c.Routing.RouteC, 0.5);
}

TEST(ProcessorConfiguration, ChannelLabelOfAnOutputFollowsTheTopology) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    c.ChannelLabels.Out2.Assign("Mid");
    c.ChannelLabels.Sub.Assign("Bass");
    EXPECT_EQ(c.OutputChannelLabel(1), "Out1");
    EXPECT_EQ(c.OutputChannelLabel(2), "Mid");
    EXPECT_EQ(c.OutputChannelLabel(3), "Bass");
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.OutputChannelLabel(3), "Mid");
}

// Puts a value different from its default into every group ResetToNew restores.
void EditEverything(ProcessorConfiguration& c) {
    c.SystemInformation.SystemName.Assign("Hall A");
    c.SystemInformation.ProjectName.Assign("Tour");
    c.SystemInformation.Engineer.Assign("Ana");
    c.SystemInformation.Comments.Assign("line 1\r\nline 2");
    c.ChannelLabels.In1.Assign("Left");
    c.ChannelLabels.Sub.Assign("Bass");
    c.SampleRate = 44100;
    c.Routing.SelectRoute(1);
    c.Peq[0].Band(3).SectionType = kParametricQAdap;
    c.Peq[0].Band(3).GainDb = 6.0;
    c.Peq[0].Band(3).b1 = 0.25L;
    c.Peq[1].UsedBands = 7;
    c.ShadowPeq[0].Band(1).b0 = 0.5L;
    c.Crossovers[1].HighPass.Family = kButterworthHighPass;
    c.Crossovers[1].HighPass.Frequency = 250.0;
    ASSERT_EQ(c.Crossovers[1].HighPass.Design(), HalfDesignStatus::Ok);
    c.CrossoverSolos[0].LowPassAux = true;
    c.Loudness[0].GainDb = 9.0;
    c.Loudness[0].SectionType = kHiPassQ;
    c.Levels[2].ApplyPosition(200);
    c.Levels[0].OutputMuted = true;
    c.Delays[1].AlignmentDelay = 48;
    c.Delays[0].ApplyPosition(10, OutputDelay::Layout(1, false));
    c.DelayTemperature = 3;
    c.Dynamics[0].Umbral = -30.0f;
    c.Dynamics[1].Tipo = dynamics::kCompressor;
    c.Dynamics[1].Zload = 4.0f;
    c.Dynamics[1].Design();
    c.Dynamics[1].BuildTable();
    c.MeasurementImport.MeasurementFiles[1] = "/data/out2.txt";
    c.MeasurementImport.ReferenceLevel = 80.0;
    c.FinalResponse.SpkData = false;
    c.FinalResponse.XOVERBox = false;
    c.FinalResponse.DelayBox = false;
}

TEST(ResetToNew, RestoresEveryDefaultWithoutReplacingAnyObject) {
    ProcessorConfiguration c;
    const ProcessorConfiguration fresh;
    const void* band = &c.Peq[0].Band(3);
    const void* shadow = &c.ShadowPeq[0].Band(1);
    const void* half = &c.Crossovers[1].HighPass;
    const void* loudness = &c.Loudness[0];
    const void* level = &c.Levels[2];
    const void* delay = &c.Delays[1];
    const void* dynamicsTable = c.Dynamics[1].Tabla.data();
    const void* import = &c.MeasurementImport;
    EditEverything(c);
    RecordingSteps steps;
    c.ResetToNew(steps);

    EXPECT_EQ(&c.Peq[0].Band(3), band);
    EXPECT_EQ(&c.ShadowPeq[0].Band(1), shadow);
    EXPECT_EQ(&c.Crossovers[1].HighPass, half);
    EXPECT_EQ(&c.Loudness[0], loudness);
    EXPECT_EQ(&c.Levels[2], level);
    EXPECT_EQ(&c.Delays[1], delay);
    EXPECT_EQ(c.Dynamics[1].Tabla.data(), dynamicsTable);
    EXPECT_EQ(&c.MeasurementImport, import);

    // Every stored field is back at its default; the DELAY selection of the final
    // response is the one New leaves as it was.
    ProcessorConfiguration expected;
    expected.FinalResponse.DelayBox = false;
    EXPECT_EQ(ConfigurationToJson(c), ConfigurationToJson(expected));
    // And the fields a file does not store.
    EXPECT_EQ(c.ShadowPeq[0].Band(1).b0, 1.0L);
    EXPECT_EQ(c.Peq[0].Band(3).b1, 0.0L);
    EXPECT_EQ(c.Peq[0].Band(3).CoefIndex, 10);
    EXPECT_EQ(c.Loudness[0].CoefIndex, 100);
    for (int s = 0; s < kSectionsPerHalf; ++s) {
        EXPECT_EQ(c.Crossovers[1].HighPass.Sections[s].b0,
                  fresh.Crossovers[1].HighPass.Sections[s].b0);
        EXPECT_EQ(c.Crossovers[1].HighPass.Sections[s].a1,
                  fresh.Crossovers[1].HighPass.Sections[s].a1);
    }
    EXPECT_EQ(c.Dynamics[1].Tabla, fresh.Dynamics[1].Tabla);
}

TEST(ResetToNew, RunsTheStepsInTheirOrderAfterEachRecordIsRestored) {
    ProcessorConfiguration c;
    EditEverything(c);
    RecordingSteps steps;
    c.ResetToNew(steps);
    const std::vector<std::string> order = {"close",     "realtime off", "gains",
                                            "crossover", "peq",          "dynamics",
                                            "delay",     "loudness",     "import"};
    EXPECT_EQ(steps.calls, order);
    EXPECT_TRUE(steps.levelsRestoredBeforeGainsStep);
    EXPECT_TRUE(steps.crossoverRestoredBeforeItsStep);
    EXPECT_TRUE(steps.peqRestoredBeforeItsStep);
    EXPECT_TRUE(steps.dynamicsRestoredBeforeItsStep);
    EXPECT_TRUE(steps.delaysRestoredBeforeItsStep);
    EXPECT_TRUE(steps.loudnessRestoredBeforeItsStep);
    EXPECT_TRUE(steps.importEmptiedBeforeConfirmation);
}

TEST(ResetToNew, LeavesTopologyAndMemorySelectorToTheCaller) {
    ProcessorConfiguration c;
    RecordingRealTimeSender sender;
    ApplyTwoOutputs(c, sender);
    c.SelectProgram(4);
    RecordingSteps steps;
    c.ResetToNew(steps);
    EXPECT_EQ(c.Topology, OutputTopology::TwoOutputs);
    EXPECT_EQ(c.ProgramNumber, 4);
    // The routing is the even mix until the caller applies the topology again.
    EXPECT_EQ(c.Routing.RouteC, 0.5);
    ApplyTwoOutputs(c, sender);
    EXPECT_EQ(c.Routing.RouteD, 1.0);
}

} // namespace
} // namespace veld23
