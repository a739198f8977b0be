#include "editors/DynamicsController.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/DynamicsValues.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;
using Field = DynamicsTimeField;

// The configuration starts in ThreeOutputs, where record 1's level offset is 6 dB. The
// designs, the time codes and the ranges a loaded record is held to are the dynamics
// record's own tests; here the controls, their texts and what goes out.
struct DynamicsEditor : ::testing::Test {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    DynamicsController editor{config, sender};
    int finalRedraws = 0;
    int lookAheadChanges = 0;

    DynamicsEditor() {
        editor.SetRedrawFinalResponse([this] { ++finalRedraws; });
        editor.SetLookAheadChanged([this] { ++lookAheadChanges; });
    }

    TDYNAMIC& Record(int record) { return config.Dynamics[static_cast<std::size_t>(record - 1)]; }

    void Type(Field field, std::string_view text) {
        editor.SetTimeText(field, text);
        editor.TakeTime(field);
    }

    // The table goes out as three values of kind 2, then six blocks of five.
    void ExpectTableSent(int record, std::size_t from) const {
        const auto& table = config.Dynamics[static_cast<std::size_t>(record - 1)].Tabla;
        ASSERT_EQ(sender.calls.size(), from + 9);
        for (std::size_t i = 0; i < 9; ++i) {
            const RecordingRealTimeSender::Call& call = sender.calls[from + i];
            const std::size_t offset = i < 3 ? i : 5 * i - 12;
            EXPECT_EQ(call.kind, i < 3 ? Kind::Value : Kind::Five) << i;
            EXPECT_EQ(call.parameter, (record == 1 ? 110 : 145) + static_cast<int>(offset)) << i;
            EXPECT_EQ(call.messageKind, i < 3 ? 2 : 0) << i;
            for (std::size_t j = 0; j < (i < 3 ? 1u : 5u); ++j) {
                EXPECT_EQ(call.values[j], static_cast<double>(table[offset + j])) << i;
            }
        }
    }
};

TEST_F(DynamicsEditor, ThresholdSliderShowsDbuWithTheRecordsOffset) {
    // The threshold is shown in dBu with the shown record's offset: record 1's follows
    // the topology (-5.5 or -11.5 dBFS at the top), record 2's fixed 6 dB does not.
    const struct {
        OutputTopology topology;
        int record;
        int position;
        int held;
        const char* text;
    } rows[] = {{OutputTopology::ThreeOutputs, 1, 0, 0, "18.0"},
                {OutputTopology::ThreeOutputs, 1, 140, 101, "-32.5"},
                {OutputTopology::TwoOutputs, 1, 0, 0, "18.0"},
                {OutputTopology::TwoOutputs, 2, 101, 101, "-32.5"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        config.Topology = row.topology;
        editor.SelectRecord(row.record);
        editor.SetThresholdPosition(row.position);
        EXPECT_EQ(editor.ThresholdPosition(), row.held);
        EXPECT_EQ(editor.ThresholdText(), row.text);
    }
}

TEST_F(DynamicsEditor, KneeRatioAndTypeButtons) {
    editor.SetKneePosition(21);
    EXPECT_EQ(Record(1).Knee, -0.5f);
    EXPECT_EQ(editor.KneeText(), "-0.5");
    editor.SetKneePosition(12);
    EXPECT_EQ(Record(1).Knee, 4.0f);

    // The limiter has no ratio: its slider is disabled and ignores moves.
    EXPECT_EQ(editor.ThresholdCaption(), "     Limit");
    EXPECT_FALSE(editor.RatioEnabled());
    const std::size_t sent = sender.calls.size();
    editor.SetRatioPosition(0);
    EXPECT_EQ(Record(1).Ratio, 2.0f);
    EXPECT_EQ(sender.calls.size(), sent);

    editor.ChooseCompressor();
    EXPECT_EQ(editor.ThresholdCaption(), "Threshold");
    EXPECT_TRUE(editor.RatioEnabled());
    editor.SetRatioPosition(0);
    EXPECT_EQ(Record(1).Ratio, 10.0f);
    EXPECT_EQ(editor.RatioText(), "10: 1");
    // Past the slider's end the ratio stays at 1:1 instead of going below it.
    editor.SetRatioPosition(10);
    EXPECT_EQ(editor.RatioPosition(), 9);
    EXPECT_EQ(Record(1).Ratio, 1.0f);
    EXPECT_EQ(editor.RatioText(), "1: 1");
}

TEST_F(DynamicsEditor, EveryChangeSendsTheCurrentTableWhenRealTimeAllows) {
    editor.SetThresholdPosition(10);
    ExpectTableSent(1, 0);
    editor.SelectRecord(2);
    EXPECT_EQ(sender.calls.size(), 9u);
    editor.SelectGateItem(4);
    ExpectTableSent(2, 9);

    // The edit is kept and designed all the same.
    sender.mode = false;
    editor.SelectGateItem(7);
    EXPECT_EQ(sender.calls.size(), 18u);
    EXPECT_EQ(Record(2).Tabla[12], 0.25L); // the gate now ramps from -60 dBFS
}

TEST_F(DynamicsEditor, BypassDisablesTheCurveControls) {
    editor.SetBypass(true);
    EXPECT_EQ(std::tuple(editor.ThresholdEnabled(), editor.KneeEnabled(),
                         editor.TimeFieldEnabled(Field::Attack),
                         editor.TimeFieldEnabled(Field::Release),
                         editor.TimeFieldEnabled(Field::Hold)),
              std::tuple(false, false, false, false, true));
    EXPECT_EQ(Record(1).Tabla[32], 1.0L);

    // Disabled controls change nothing and send nothing.
    const std::size_t sent = sender.calls.size();
    editor.SetThresholdPosition(50);
    editor.SetKneePosition(0);
    editor.ChooseCompressor();
    Type(Field::Attack, "200");
    EXPECT_EQ(std::tuple(Record(1).Umbral, Record(1).Knee, editor.LimiterLit()),
              std::tuple(-6.0f, 4.0f, true));
    EXPECT_EQ(editor.TimeText(Field::Attack), "140");
    EXPECT_EQ(sender.calls.size(), sent);

    editor.SetBypass(false);
    EXPECT_LT(Record(1).Tabla[32], 1.0L);
    EXPECT_TRUE(editor.ThresholdEnabled());
    EXPECT_FALSE(editor.RatioEnabled()); // still a limiter
}

TEST_F(DynamicsEditor, TransferCurveInRisingInputLevel) {
    const PlotModel& plot = editor.Plot();
    EXPECT_TRUE(plot.Plotting());
    ASSERT_EQ(plot.FindSeries(1)->Points().size(), 2u); // the 1:1 line
    EXPECT_EQ(plot.FindSeries(1)->Points()[1], (PlotPoint{20.0, 20.0}));

    // 59 fine grid points, the -96 dBFS table point and the anchor.
    const auto curve = plot.FindSeries(2)->Points();
    ASSERT_EQ(curve.size(), 61u);
    EXPECT_DOUBLE_EQ(curve[0].x, -72.5);
    EXPECT_EQ(curve[1], (PlotPoint{-50.0, -50.0}));
    // The knee starts at T - k = -10 dBFS on the 1:1 line; the limiter holds the top at
    // T = -6 dBFS, shown as 17.5 dBu.
    EXPECT_NEAR(curve[2].x, 13.5, 1e-4);
    EXPECT_NEAR(curve[2].y, 13.5, 1e-4);
    EXPECT_NEAR(curve.back().y, 17.5, 1e-4);
    EXPECT_GT(curve.back().x, 23.0);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_LT(curve[i - 1].x, curve[i].x) << i;
    }

    const int redraws = finalRedraws;
    Record(1).Gain = 3.0f;
    editor.SetKneePosition(14);
    EXPECT_EQ(plot.FindSeries(2)->Points()[1], (PlotPoint{-50.0, -47.0}));
    EXPECT_EQ(finalRedraws, redraws + 1);

    // Record 2 starts at -5 dBFS with its fixed 6 dB offset.
    editor.SelectRecord(2);
    EXPECT_NEAR(plot.FindSeries(2)->Points().back().y, 18.5, 1e-4);

    editor.PlotMouseMove(PlotPointer{{}, PlotPoint{-12.5, -10.0}, false});
    EXPECT_EQ(plot.Readout(), "-12.5 dBu in , -10.0 dBu out");
    editor.PlotMouseMove(PlotPointer{{}, std::nullopt, false});
    EXPECT_EQ(plot.Readout(), "");
}

TEST_F(DynamicsEditor, ThresholdChangeRunsThePowerCheck) {
    // -35.5 dBFS lets -12 dBu out: 0.195 V, 8 W into the 400 W box.
    editor.SetThresholdPosition(60);
    EXPECT_EQ(editor.LastPowerCheck().powerCaption, "8 W");
    EXPECT_FALSE(editor.LastPowerCheck().boxPowerExceeded);
}

TEST_F(DynamicsEditor, RefreshAfterLoadingHoldsAndDesignsBothRecords) {
    TDYNAMIC& first = Record(1);
    first.Umbral = -200.0f;
    first.Ratio = 0.0f;
    first.Tipo = 7;
    first.GateIndex = 40.0f;
    first.Knee = 2.5f;
    TDYNAMIC& second = Record(2);
    second.Umbral = -20.0f;
    second.Knee = 30.0f;

    editor.SelectRecord(2);
    editor.RefreshRecords();
    // The knee's 2.5 dB in half-dB steps below 10.
    EXPECT_EQ(std::tuple(editor.CurrentRecord(), editor.ThresholdPosition(), editor.RatioPosition(),
                         editor.KneePosition()),
              std::tuple(1, 101, 9, 15));
    EXPECT_EQ(editor.GateItem(), std::nullopt);
    EXPECT_TRUE(editor.CompressorLit());
    // Both tables designed from the held values: the first a 1:1 compressor, the second a
    // limiter holding full scale at its -20 dBFS.
    EXPECT_EQ(first.Tabla[32], 1.0L);
    EXPECT_NEAR(static_cast<double>(second.Tabla[32]), 0.1, 1e-6);
}

TEST_F(DynamicsEditor, TopologyAndNewConfigurationReReadTheRecords) {
    editor.SetThresholdPosition(24); // -17.5 dBFS
    config.Topology = OutputTopology::TwoOutputs;
    editor.TopologyChanged();
    EXPECT_EQ(Record(1).Umbral, -17.5f);
    EXPECT_EQ(editor.ThresholdPosition(), 12);
    EXPECT_EQ(editor.ThresholdText(), "12.0");
    EXPECT_EQ(editor.Plot().Title(), "Dynamic OUT 1");

    editor.SelectRecord(2);
    editor.SetRampText("2");
    editor.ApplyGateFields();
    Type(Field::Hold, "12");
    Type(Field::LookAhead, "1");
    config.ResetDynamics();
    editor.ResetToNew();
    EXPECT_EQ(editor.CurrentRecord(), 1);
    EXPECT_EQ(editor.RampText(), "4");
    EXPECT_EQ(editor.TimeText(Field::Hold), "40.0");
    EXPECT_EQ(Record(1).LookAheadSamples, 0);
}

TEST_F(DynamicsEditor, AttackSendsTheRmsCoefficientAsKindOne) {
    Type(Field::Attack, "200");
    ASSERT_EQ(sender.calls.size(), 1u);
    EXPECT_EQ(sender.calls[0].kind, Kind::Value);
    EXPECT_EQ(sender.calls[0].parameter, 143);
    EXPECT_EQ(sender.calls[0].messageKind, 1);
    EXPECT_EQ(sender.calls[0].values[0], static_cast<double>(RmsCoefFromAttack(200.0)));

    // Out-of-range typing lands on the nearer limit; text that is no number leaves the
    // value the field held and shows it again.
    Type(Field::Attack, "2");
    EXPECT_EQ(editor.TimeText(Field::Attack), "5");
    Type(Field::Attack, "abc");
    EXPECT_EQ(editor.TimeText(Field::Attack), "5");
    EXPECT_EQ(Record(1).RmsCoef, RmsCoefFromAttack(5.0));

    editor.SelectRecord(2);
    editor.StepTime(Field::Attack, DynamicsTimeStep::Arrow, -1);
    EXPECT_EQ(editor.TimeText(Field::Attack), "139");
    EXPECT_EQ(sender.calls.back().parameter, 178);
    EXPECT_EQ(Record(2).RmsCoef, RmsCoefFromAttack(139.0));
    EXPECT_EQ(Record(1).RmsCoef, RmsCoefFromAttack(5.0));
}

// Hold steps by tenths with the arrows and by whole milliseconds with the buttons, from
// what is typed; 48 samples a millisecond. Release is sent as ms / 0.137. The look-ahead
// is always record 1's, whichever record is shown.
TEST_F(DynamicsEditor, TimeFieldsStepHoldAndSendTheirCodes) {
    enum Key { Enter, ArrowUp, ArrowDown, ButtonUp, ButtonDown };
    const struct {
        int record;
        Field field;
        const char* typed;
        Key key;
        const char* shown;
        std::uint16_t parameter;
        int code;
    } rows[] = {{1, Field::Hold, nullptr, ArrowUp, "40.1", 191, 1925},
                {1, Field::Hold, nullptr, ButtonUp, "41.1", 191, 1973},
                {1, Field::Hold, "10", ButtonDown, "9.0", 191, 432},
                {1, Field::Hold, "95", Enter, "80.0", 191, 3840},
                {2, Field::Hold, "0", ArrowDown, "0.0", 192, 0},
                {1, Field::Release, "80", Enter, "80", 193, 584},
                {2, Field::Release, "80", Enter, "80", 194, 584},
                {2, Field::LookAhead, nullptr, ArrowUp, "0.04", 181, 2},
                {1, Field::LookAhead, "5", Enter, "2.00", 181, 96}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        editor.SelectRecord(row.record);
        if (row.typed != nullptr) {
            editor.SetTimeText(row.field, row.typed);
        }
        if (row.key == Enter) {
            editor.TakeTime(row.field);
        } else {
            const bool arrow = row.key == ArrowUp || row.key == ArrowDown;
            editor.StepTime(row.field, arrow ? DynamicsTimeStep::Arrow : DynamicsTimeStep::Button,
                            row.key == ArrowUp || row.key == ButtonUp ? +1 : -1);
        }
        EXPECT_EQ(editor.TimeText(row.field), row.shown);
        ASSERT_FALSE(sender.calls.empty());
        EXPECT_EQ(sender.calls.back().kind, Kind::Integer);
        EXPECT_EQ(sender.calls.back().parameter, row.parameter);
        EXPECT_EQ(sender.calls.back().values[0], row.code);
    }
    EXPECT_EQ(Record(2).LookAheadSamples, 0);
    EXPECT_EQ(lookAheadChanges, 2);
    // 584 x 0.137 = 80.008 reads back as the 80 typed.
    editor.SelectRecord(1);
    editor.SelectRecord(2);
    EXPECT_EQ(editor.TimeText(Field::Release), "80");

    // Outside Real Time mode the value is kept and the delays still follow it.
    sender.mode = false;
    const std::size_t sent = sender.calls.size();
    editor.StepTime(Field::LookAhead, DynamicsTimeStep::Button, -1);
    EXPECT_EQ(Record(1).LookAheadSamples, 94); // 1.96 ms
    EXPECT_EQ(sender.calls.size(), sent);
    EXPECT_EQ(lookAheadChanges, 3);
    editor.SelectRecord(1);
    EXPECT_EQ(editor.TimeText(Field::LookAhead), "1.96");
}

TEST_F(DynamicsEditor, GateListTakesTheRampFieldAndHiddenFieldsHoldTheirRanges) {
    const auto gate = [this] { return std::pair(Record(1).GateIndex, Record(1).Pendiente); };
    editor.SelectGateItem(1);
    EXPECT_EQ(gate(), std::pair(10.0f, 4.0f));
    EXPECT_EQ(editor.GateIndexText(), "10");
    editor.SelectGateItem(8); // no list item, no change
    editor.SelectGateItem(-1);
    EXPECT_EQ(Record(1).GateIndex, 10.0f);

    editor.SetRampText("2");
    editor.SetGateIndexText("13");
    editor.ApplyGateFields();
    EXPECT_EQ(Record(1).Pendiente, 2.0f);
    editor.SelectGateItem(3);
    EXPECT_EQ(gate(), std::pair(12.0f, 2.0f));

    editor.SetGateIndexText("40");
    editor.SetRampText("0");
    editor.ApplyGateFields();
    EXPECT_EQ(gate(), std::pair(33.0f, 1.0f));
    EXPECT_EQ(editor.GateIndexText(), "33");
    EXPECT_EQ(editor.RampText(), "1");
    editor.SetGateIndexText("abc");
    editor.SetRampText("-");
    editor.ApplyGateFields();
    EXPECT_EQ(gate(), std::pair(33.0f, 1.0f));
    EXPECT_EQ(editor.GateIndexText(), "33");
}

} // namespace
} // namespace veld23
