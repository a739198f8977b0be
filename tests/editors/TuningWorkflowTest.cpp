#include "editors/TuningWorkflow.h"
#include "EditorTestSupport.h"
#include "editors/EditorSet.h"

#include <cmath>
#include <functional>
#include <set>

// Undo, redo, A/B and copy over the real editors, as the windows drive them. The window
// layer closes a step at each gesture boundary; the tests call CloseStep where a press,
// a focus change or Enter would.

namespace veld23 {
namespace {

using testing::At;
using testing::RecordingRealTimeSender;

// The editor as the program starts it (two outputs, Real Time off), then the workflow.
struct Workbench {
    RecordingRealTimeSender sender;
    ProcessorConfiguration config;
    EditorSet editors{config, sender};
    bool started = Start();
    TuningWorkflow workflow{config, editors, sender};

    bool Start() {
        sender.mode = false;
        editors.ChooseTopology(OutputTopology::TwoOutputs);
        return true;
    }
    EqualiserEditor& Eq() { return editors.equaliser; }
    PeqBand& Band(int peq, int k) { return config.Peq[static_cast<std::size_t>(peq - 1)].Band(k); }
    void Step(const std::function<void()>& gesture) {
        gesture();
        workflow.CloseStep();
    }
};
struct Tuning : Workbench, ::testing::Test {};

constexpr int kPeakingType = 1; // "Parametric Q Adap"
constexpr int kLowPassType = 4;

TEST_F(Tuning, ADragOfThreeHundredMovesUndoesInOneStepCurveIncluded) {
    Step([&] { Eq().ChooseType(kPeakingType); });
    const ConfigurationSnapshot peaking = TakeSnapshot(config);
    const ResponseCurve curve = Eq().Curve(1);

    Eq().PlotMouseDown(At(1000.0, 0.0));
    for (int i = 1; i <= 300; ++i) {
        Eq().PlotMouseMove(At(1000.0 * std::pow(1.004, i), 0.03 * i));
    }
    Eq().PlotMouseUp(At(1000.0 * std::pow(1.004, 300), 9.0));
    ASSERT_NE(TakeSnapshot(config), peaking);

    // Ctrl+Z is itself a boundary: the drag becomes one step and is undone whole.
    ASSERT_TRUE(workflow.Undo());
    EXPECT_EQ(TakeSnapshot(config), peaking);
    EXPECT_EQ(Eq().Curve(1).magnitudeDb, curve.magnitudeDb);
    EXPECT_EQ(workflow.UndoText(), "Undo PEQ 1 band 1 type");
    EXPECT_EQ(workflow.RedoText(), "Redo PEQ 1 band 1 frequency and gain");
    // A new edit after an undo leaves nothing to redo.
    Step([&] { Eq().SetGainPosition(40); });
    EXPECT_FALSE(workflow.Redo());
    EXPECT_EQ(workflow.RedoText(), "Redo");
}

// In Real Time mode an undo sends the blocks it changes as their edits send them, and
// nothing else.
TEST_F(Tuning, UndoInRealTimeModeSendsTheChangedBlocksOnly) {
    sender.mode = true;
    EditorSet& e = editors;
    const struct {
        std::function<void()> gesture;
        std::set<std::uint16_t> sent;
    } cases[] = {
        // PEQ 1 band 1: its five coefficients, from parameter 0.
        {[&] { Eq().ChooseType(kLowPassType); }, {0}},
        {[&] { e.levels.SetLevelPosition(1, 121); }, {258, 259, 260}},
        {[&] { e.delays.SetDelayPosition(1, 100); }, {182, 183, 184}},
        // Record 1: its table from 110, attack 143, look-ahead 181, hold 191, release 193.
        {[&] { e.dynamics.SetThresholdPosition(40); }, {110, 143, 181, 191, 193}},
    };
    for (const auto& c : cases) {
        Step(c.gesture);
        sender.calls.clear();
        ASSERT_TRUE(workflow.Undo());
        std::set<std::uint16_t> sent;
        for (const RecordingRealTimeSender::Call& call : sender.calls) {
            sent.insert(call.parameter);
        }
        if (c.sent.count(0) != 0) {
            // The restored band's coefficients, not the undone ones.
            EXPECT_EQ(sender.calls.back().values[0], static_cast<double>(Band(1, 1).b0));
        }
        if (c.sent.count(110) != 0) {
            // The table's own parameters lie between its first one and the attack.
            std::erase_if(sent, [](std::uint16_t p) { return p > 110 && p < 143; });
        }
        EXPECT_EQ(sent, c.sent);
    }
}

// Every block and field the windows change, each one step with the name the Edit menu
// shows; undoing all and redoing all passes through exactly the same records.
TEST_F(Tuning, UndoAndRedoPassThroughTheSameRecordsInEveryBlock) {
    EditorSet& e = editors;
    const struct {
        std::function<void()> gesture;
        std::string name;
    } steps[] = {
        {[&] { Eq().ChooseType(kPeakingType); }, "PEQ 1 band 1 type"},
        {[&] { Eq().SetGainPosition(40); }, "PEQ 1 band 1 gain"},
        {[&] { e.crossover.ChooseFamily(XoverSide::LowPass, 2); },
         "crossover OUT 2 low-pass family"},
        {[&] { e.levels.SetLevelPosition(1, 121); }, "level OUT 1"},
        {[&] { e.levels.ToggleMute(3); }, "mute OUT 2"},
        {[&] { e.delays.SetDelayPosition(1, 100); }, "delay OUT 1"},
        {[&] { e.dynamics.SetThresholdPosition(40); }, "dynamics OUT 1 threshold"},
        {[&] { e.speaker.AmpPowerUp(); }, "dynamics OUT 1 speaker settings"},
        {[&] { e.ChooseTopology(OutputTopology::ThreeOutputs); }, "topology"},
        {[&] { e.loudness.SetGainPosition(10); }, "SUB Reinforcement gain"},
        {[&] { config.Routing.RouteCommand(sender); }, "route"},
        {[&] { config.SystemInformation.SystemName.Assign("Hall"); }, "preset name"},
    };
    std::vector<ConfigurationSnapshot> records{TakeSnapshot(config)};
    for (const auto& step : steps) {
        Step(step.gesture);
        EXPECT_EQ(workflow.UndoText(), "Undo " + step.name);
        records.push_back(TakeSnapshot(config));
        ASSERT_NE(records.back(), records[records.size() - 2]) << step.name;
    }
    for (std::size_t i = records.size() - 1; i > 0; --i) {
        ASSERT_TRUE(workflow.Undo());
        EXPECT_TRUE(TakeSnapshot(config) == records[i - 1]) << steps[i - 1].name;
    }
    EXPECT_FALSE(workflow.Undo());
    for (std::size_t i = 1; i < records.size(); ++i) {
        ASSERT_TRUE(workflow.Redo());
        EXPECT_TRUE(TakeSnapshot(config) == records[i]) << steps[i - 1].name;
    }
    EXPECT_FALSE(workflow.Redo());
}

TEST_F(Tuning, OnlyChangesAreStepsAndNewStartsTheHistoryAgain) {
    // Choosing a band brings it into use, which is no edit; neither is a boundary alone.
    Step([&] { Eq().SelectBand(5); });
    workflow.CloseStep();
    EXPECT_FALSE(workflow.CanUndo());
    EXPECT_EQ(workflow.UndoText(), "Undo");

    Step([&] { editors.levels.SetLevelPosition(2, 200); });
    // A declined command changes nothing and keeps the history.
    EXPECT_FALSE(workflow.RunReplacing("New", [] { return false; }));
    EXPECT_TRUE(workflow.CanUndo());
    EXPECT_TRUE(workflow.RunReplacing("New", [&] {
        editors.NewConfiguration(OutputTopology::TwoOutputs);
        return true;
    }));
    EXPECT_FALSE(workflow.CanUndo());
    EXPECT_EQ(workflow.UndoText(), "Undo (history cleared by New)");
    EXPECT_EQ(workflow.RedoText(), "Redo (history cleared by New)");
}

// The speaker settings store every field they show with each edit: after an undo they
// show the restored record, so the next edit cannot bring the undone value back.
TEST(TuningSpeakerSettings, FollowAnUndo) {
    // OUT 1's button edits record 1, the last button (OUT 2 with two outputs) record 2.
    for (const auto& [button, record] : {std::pair{1, 0}, std::pair{3, 1}}) {
        Workbench t;
        t.editors.speaker.ChooseOutput(button);
        const float ampPower = t.config.Dynamics[record].PowerAmpMax;
        t.Step([&] { t.editors.speaker.AmpPowerUp(); });
        ASSERT_NE(t.config.Dynamics[record].PowerAmpMax, ampPower);
        ASSERT_TRUE(t.workflow.Undo());
        t.Step([&] { t.editors.speaker.AmpGainUp(); });
        EXPECT_EQ(t.config.Dynamics[record].PowerAmpMax, ampPower) << button;
    }
}

TEST_F(Tuning, TwoHundredStepsAreKeptInUnderOneMegabyte) {
    for (int i = 0; i < 250; ++i) {
        Step([&] { editors.levels.SetLevelPosition(1, 100 + i % 2); });
    }
    EXPECT_EQ(workflow.History().UndoSteps(), EditHistory::kDepth);
    // Consecutive steps share the snapshot between them: 201 records of 2228 bytes.
    EXPECT_EQ(workflow.History().SnapshotBytes(), 201u * 2228u);
    for (int i = 0; i < 100; ++i) {
        workflow.Undo();
    }
    EXPECT_EQ(workflow.History().SnapshotBytes(), 201u * 2228u);
}

TEST_F(Tuning, SwitchingSlotsTwiceIsTheIdentity) {
    EXPECT_FALSE(workflow.CanSwitch());
    EXPECT_FALSE(workflow.Switch()); // nothing stored to switch to
    Step([&] { Eq().ChooseType(kPeakingType); });
    workflow.Store(ComparisonSlot::A);
    const ConfigurationSnapshot a = TakeSnapshot(config);
    Step([&] { editors.levels.SetLevelPosition(1, 150); });
    workflow.Store(ComparisonSlot::B);
    // Edits after storing belong to the active slot.
    Step([&] { editors.crossover.ChooseFamily(XoverSide::HighPass, 1); });
    const ConfigurationSnapshot edited = TakeSnapshot(config);
    EXPECT_EQ(TitleWithSlot("VELD23", workflow.Active()), "VELD23  [B]");

    EXPECT_EQ(workflow.SwitchText(), "Switch to A");
    ASSERT_TRUE(workflow.Switch());
    EXPECT_EQ(TakeSnapshot(config), a);
    EXPECT_EQ(workflow.Active(), ComparisonSlot::A);
    ASSERT_TRUE(workflow.Switch());
    EXPECT_EQ(TakeSnapshot(config), edited);
    EXPECT_EQ(workflow.Active(), ComparisonSlot::B);

    // A switch is a step, and undoing it gives the slot back too.
    EXPECT_EQ(workflow.UndoText(), "Undo switch to B");
    ASSERT_TRUE(workflow.Undo());
    EXPECT_EQ(TakeSnapshot(config), a);
    EXPECT_EQ(workflow.Active(), ComparisonSlot::A);
}

TEST_F(Tuning, CopyingPeq1ToPeq2GivesEqualBandsAndCoefficients) {
    Step([&] {
        Eq().ChooseType(kPeakingType);
        Eq().SetGainPosition(40);
        Eq().SelectBand(2);
        Eq().ChooseType(kLowPassType);
        Eq().SelectBand(3);
        Eq().ChooseType(13); // "IIR Coeff", coefficients typed
        Eq().SetCoefficientText(1, "-0.5");
        Eq().CoefficientEnter(1);
    });
    const ConfigurationSnapshot before = TakeSnapshot(config);
    ASSERT_TRUE(workflow.Copy(CopyBlock::Peq, 1, 2));
    const ConfigurationFileContent copied = CaptureConfiguration(config);
    for (int k = 1; k <= PeqSet::kBands; ++k) {
        EXPECT_TRUE(copied.Peq[1].bands[k - 1] == copied.Peq[0].bands[k - 1]) << k;
        EXPECT_EQ(Band(2, k).CoefIndex, PeqSet::kPeq2CoefIndex + 5 * (k - 1));
    }
    EXPECT_EQ(Band(2, 3).b1, -0.5L);
    // The window keeps showing what it showed.
    EXPECT_EQ(Eq().CurrentEqualiser(), 1);
    EXPECT_EQ(Eq().CurrentBand(), 3);
    EXPECT_EQ(workflow.UndoText(), "Undo copy PEQ 1 \u2192 PEQ 2");
    // Undone; PEQ 2's third band, chosen on the way, stays drawn.
    ASSERT_TRUE(workflow.Undo());
    EXPECT_FALSE(
        CompareConfigurations(DecodeConfigurationRecord(before), CaptureConfiguration(config))
            .Any());
    EXPECT_FALSE(CopyChannel(config, editors, CopyBlock::Peq, 2, 2));
    EXPECT_FALSE(CopyChannel(config, editors, CopyBlock::Dynamics, 1, 3));
}

// The output blocks copy what their window shows, whatever the two channels' offsets.
TEST_F(Tuning, CopiedOutputBlocksShowTheSourceValuesOnTheTarget) {
    EditorSet& e = editors;
    e.crossover.ChooseOutput(1);
    e.crossover.ChooseFamily(XoverSide::HighPass, 1);
    e.levels.SetLevelPosition(1, 121);
    e.levels.TogglePolarity(1);
    e.levels.ToggleMute(1);
    e.delays.SetDelayPosition(1, 120);
    e.dynamics.SelectRecord(1);
    e.dynamics.SetThresholdPosition(30);
    e.dynamics.ChooseCompressor();
    workflow.CloseStep();
    ASSERT_EQ(WindowCopyPair(CopyBlock::Crossover, config.Topology)->second, 3); // OUT 2

    for (CopyBlock block :
         {CopyBlock::Crossover, CopyBlock::Levels, CopyBlock::Delay, CopyBlock::Dynamics}) {
        const auto pair = *WindowCopyPair(block, config.Topology);
        ASSERT_TRUE(workflow.Copy(block, pair.first, pair.second));
    }
    EXPECT_EQ(config.Crossovers[2].HighPass.Family, config.Crossovers[0].HighPass.Family);
    EXPECT_EQ(e.crossover.OutputResponse(3).magnitudeDb, e.crossover.OutputResponse(1).magnitudeDb);
    EXPECT_EQ(e.levels.LevelText(3), e.levels.LevelText(1));
    EXPECT_TRUE(e.levels.PolarityLit(3));
    EXPECT_TRUE(e.levels.MainMuteShown(3)); // the main window's indication follows
    EXPECT_EQ(e.delays.DelayMsText(3), e.delays.DelayMsText(1));
    EXPECT_EQ(e.dynamics.CurrentRecord(), 2);
    const std::string threshold = e.dynamics.ThresholdText();
    EXPECT_TRUE(e.dynamics.CompressorLit());
    e.dynamics.SelectRecord(1);
    EXPECT_EQ(e.dynamics.ThresholdText(), threshold);
    EXPECT_EQ(workflow.History().UndoSteps(), 5u); // the settings, then a step per copy
    EXPECT_EQ(workflow.UndoText(), "Undo copy dynamics OUT 1 \u2192 OUT 2");
    EXPECT_EQ(WindowCopyPair(CopyBlock::Dynamics, OutputTopology::ThreeOutputs), std::nullopt);
}

} // namespace
} // namespace veld23
