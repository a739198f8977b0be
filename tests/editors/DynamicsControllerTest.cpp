#include "editors/DynamicsController.h"
#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/DynamicsValues.h"
#include "editors/SpeakerSettingsController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;
using Field = DynamicsTimeField;

// The configuration starts in ThreeOutputs, where record 1's level offset is 6 dB.
struct DynamicsEditor : ::testing::Test {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    DynamicsController editor{config, sender};
    int finalRedraws = 0;

    DynamicsEditor() {
        editor.SetRedrawFinalResponse([this] { ++finalRedraws; });
    }

    TDYNAMIC& Record(int record) { return config.Dynamics[static_cast<std::size_t>(record - 1)]; }

    void ExpectTableSent(int record, std::size_t from) const {
        const TDYNAMIC& d = config.Dynamics[static_cast<std::size_t>(record - 1)];
        const int first = record == 1 ? 110 : 145;
        ASSERT_EQ(sender.calls.size(), from + 9);
        for (std::size_t k = 0; k < 3; ++k) {
            const RecordingRealTimeSender::Call& call = sender.calls[from + k];
            EXPECT_EQ(call.kind, Kind::Value);
            EXPECT_EQ(call.parameter, first + static_cast<int>(k));
            EXPECT_EQ(call.messageKind, 2);
            EXPECT_EQ(call.values[0], static_cast<double>(d.Tabla[k]));
        }
        for (std::size_t block = 0; block < 6; ++block) {
            const RecordingRealTimeSender::Call& call = sender.calls[from + 3 + block];
            const std::size_t offset = 3 + 5 * block;
            EXPECT_EQ(call.kind, Kind::Five);
            EXPECT_EQ(call.parameter, first + static_cast<int>(offset));
            for (std::size_t j = 0; j < 5; ++j) {
                EXPECT_EQ(call.values[j], static_cast<double>(d.Tabla[offset + j]));
            }
        }
    }
};

TEST_F(DynamicsEditor, ThresholdSliderFollowsRecordAndTopology) {
    editor.SetThresholdPosition(0);
    EXPECT_EQ(Record(1).Umbral, -5.5f);
    EXPECT_EQ(editor.ThresholdText(), "18.0");
    editor.SetThresholdPosition(101);
    EXPECT_EQ(Record(1).Umbral, -56.0f);
    EXPECT_EQ(editor.ThresholdText(), "-32.5");
    editor.SetThresholdPosition(140);
    EXPECT_EQ(editor.ThresholdPosition(), 101);
    EXPECT_EQ(Record(1).Umbral, -56.0f);

    editor.SelectRecord(2);
    editor.SetThresholdPosition(101);
    EXPECT_EQ(Record(2).Umbral, -56.0f);

    config.Topology = OutputTopology::TwoOutputs;
    editor.SelectRecord(1);
    editor.SetThresholdPosition(0);
    EXPECT_EQ(Record(1).Umbral, -11.5f);
    EXPECT_EQ(editor.ThresholdText(), "18.0");
    // Record 2 keeps its offset whatever the topology.
    editor.SelectRecord(2);
    EXPECT_EQ(editor.ThresholdPosition(), 101);
    EXPECT_EQ(editor.ThresholdText(), "-32.5");
}

TEST_F(DynamicsEditor, KneeAndRatioLaws) {
    editor.SetKneePosition(12);
    EXPECT_EQ(Record(1).Knee, 4.0f);
    editor.SetKneePosition(21);
    EXPECT_EQ(Record(1).Knee, -0.5f);
    EXPECT_EQ(editor.KneeText(), "-0.5");
    editor.SetKneePosition(12);

    // The limiter has no ratio: its slider is disabled and ignores moves.
    const std::size_t sent = sender.calls.size();
    editor.SetRatioPosition(0);
    EXPECT_EQ(Record(1).Ratio, 2.0f);
    EXPECT_EQ(sender.calls.size(), sent);

    editor.ChooseCompressor();
    EXPECT_EQ(editor.ThresholdCaption(), "Threshold");
    EXPECT_TRUE(editor.RatioEnabled());
    const auto& t = Record(1).Tabla;
    EXPECT_NEAR(static_cast<double>(t[32]), 0.7079, 5e-5); // 2:1 above -6 dBFS: -3 dB out

    editor.SetRatioPosition(0);
    EXPECT_EQ(Record(1).Ratio, 10.0f);
    EXPECT_EQ(editor.RatioText(), "10: 1");
    // Past the slider's end the ratio stays at 1:1: the table is unity (the gate
    // still closes the lowest point) instead of a ratio of 0.
    editor.SetRatioPosition(10);
    EXPECT_EQ(editor.RatioPosition(), 9);
    EXPECT_EQ(Record(1).Ratio, 1.0f);
    EXPECT_EQ(editor.RatioText(), "1: 1");
    EXPECT_EQ(t[0], 0.0L);
    for (std::size_t k = 1; k < t.size(); ++k) {
        EXPECT_NEAR(static_cast<double>(t[k]), 1.0, 1e-6) << k;
    }

    editor.ChooseLimiter();
    EXPECT_EQ(editor.ThresholdCaption(), "     Limit");
    EXPECT_FALSE(editor.RatioEnabled());
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
    editor.SetBypass(false);
    sender.mode = true;
    sender.busy = true;
    editor.SelectGateItem(7);
    EXPECT_EQ(sender.calls.size(), 18u);
    EXPECT_EQ(Record(2).GateIndex, 16.0f);
    EXPECT_EQ(Record(2).Tabla[11], 0.0L); // the gate now closes up to -63 dBFS
    EXPECT_EQ(Record(2).Tabla[12], 0.25L);
}

TEST_F(DynamicsEditor, BypassDisablesTheCurveControlsAndReturnsToTheSameTable) {
    const auto neverBypassed = Record(1).Tabla;
    editor.SetBypass(true);
    EXPECT_FALSE(editor.ThresholdEnabled());
    EXPECT_FALSE(editor.KneeEnabled());
    EXPECT_FALSE(editor.TimeFieldEnabled(DynamicsTimeField::Attack));
    EXPECT_FALSE(editor.TimeFieldEnabled(DynamicsTimeField::Release));
    EXPECT_TRUE(editor.TimeFieldEnabled(DynamicsTimeField::Hold));
    EXPECT_EQ(Record(1).Tabla[0], 0.0L);
    for (std::size_t k = 1; k < 33; ++k) {
        EXPECT_EQ(Record(1).Tabla[k], 1.0L) << k;
    }

    // Disabled controls change nothing and send nothing.
    const std::size_t sent = sender.calls.size();
    editor.SetThresholdPosition(50);
    editor.SetKneePosition(0);
    editor.ChooseCompressor();
    editor.SetTimeText(DynamicsTimeField::Attack, "200");
    editor.TakeTime(DynamicsTimeField::Attack);
    EXPECT_EQ(Record(1).Umbral, -6.0f);
    EXPECT_EQ(Record(1).Knee, 4.0f);
    EXPECT_TRUE(editor.LimiterLit());
    EXPECT_EQ(editor.TimeText(DynamicsTimeField::Attack), "140");
    EXPECT_EQ(sender.calls.size(), sent);

    editor.SetBypass(false);
    EXPECT_EQ(Record(1).Tabla, neverBypassed);
    EXPECT_TRUE(editor.ThresholdEnabled());
    EXPECT_FALSE(editor.RatioEnabled()); // still a limiter
}

TEST_F(DynamicsEditor, TransferCurveInRisingInputLevel) {
    const PlotModel& plot = editor.Plot();
    EXPECT_EQ(plot.Title(), "Dynamic OUT 1-2");
    EXPECT_TRUE(plot.Plotting());
    const auto reference = plot.FindSeries(1)->Points();
    ASSERT_EQ(reference.size(), 2u);
    EXPECT_EQ(reference[0], (PlotPoint{-50.0, -50.0}));
    EXPECT_EQ(reference[1], (PlotPoint{20.0, 20.0}));

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
    // Unbalanced, the start-up threshold quarters the 7097 W.
    Record(1).Balanceado = false;
    editor.SetThresholdPosition(1);
    EXPECT_EQ(editor.LastPowerCheck().powerCaption, "1774 W");
}

TEST_F(DynamicsEditor, RefreshAfterLoadingHoldsAndDesignsBothRecords) {
    TDYNAMIC& first = Record(1);
    first.Umbral = -200.0f;
    first.Ratio = 0.0f;
    first.Tipo = 7;
    first.GateIndex = 40.0f;
    first.Pendiente = 0.0f;
    first.Knee = 2.5f;
    first.Tabla.fill(5.0L);
    TDYNAMIC& second = Record(2);
    second.Umbral = -20.0f;
    second.Knee = 30.0f;
    second.Tabla.fill(5.0L);

    editor.SelectRecord(2);
    editor.RefreshRecords();
    EXPECT_EQ(editor.CurrentRecord(), 1);
    EXPECT_EQ(first.Ratio, 1.0f);
    EXPECT_EQ(first.Tipo, dynamics::kCompressor);
    EXPECT_EQ(first.GateIndex, 33.0f);
    EXPECT_EQ(first.Pendiente, 1.0f);
    EXPECT_EQ(editor.ThresholdPosition(), 101);
    EXPECT_EQ(editor.RatioPosition(), 9);
    EXPECT_EQ(editor.KneePosition(), 15); // 2.5 dB in half-dB steps below 10
    EXPECT_EQ(editor.GateItem(), std::nullopt);
    // Both tables designed from the held values: the first a 1:1 compressor gated to its
    // last point, the second a limiter holding full scale at its -20 dBFS.
    EXPECT_EQ(first.Tabla[31], 0.0L);
    EXPECT_EQ(first.Tabla[32], 1.0L);
    EXPECT_EQ(second.Knee, 10.0f);
    EXPECT_NEAR(static_cast<double>(second.Tabla[32]), 0.1, 1e-6);
}

TEST_F(DynamicsEditor, TopologyAndNewConfigurationReReadTheRecords) {
    editor.SetThresholdPosition(24); // -17.5 dBFS
    config.Topology = OutputTopology::TwoOutputs;
    editor.TopologyChanged();
    EXPECT_EQ(Record(1).Umbral, -17.5f);
    EXPECT_EQ(editor.ThresholdPosition(), 12);
    EXPECT_EQ(editor.ThresholdText(), "12.0");
    EXPECT_EQ(editor.SelectorCaption(1), "Dynamic OUT 1");
    EXPECT_EQ(editor.SelectorCaption(2), "Dynamic OUT 2");
    EXPECT_EQ(editor.Plot().Title(), "Dynamic OUT 1");

    editor.SelectRecord(2);
    editor.SetRampText("2");
    editor.ApplyGateFields();
    editor.SetTimeText(DynamicsTimeField::Hold, "12");
    editor.TakeTime(DynamicsTimeField::Hold);
    editor.SetTimeText(DynamicsTimeField::LookAhead, "1");
    editor.TakeTime(DynamicsTimeField::LookAhead);
    config.ResetDynamics();
    editor.ResetToNew();
    EXPECT_EQ(editor.CurrentRecord(), 1);
    EXPECT_EQ(editor.RampText(), "4");
    EXPECT_EQ(editor.TimeText(DynamicsTimeField::Hold), "40.0");
    EXPECT_EQ(Record(1).LookAheadSamples, 0);
    EXPECT_EQ(editor.Plot().Title(), "Dynamic OUT 1");
}

struct DynamicsFields : ::testing::Test {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    DynamicsController editor{config, sender};
    int lookAheadChanges = 0;

    DynamicsFields() {
        editor.SetLookAheadChanged([this] { ++lookAheadChanges; });
    }

    TDYNAMIC& Record(int record) { return config.Dynamics[static_cast<std::size_t>(record - 1)]; }

    void Type(Field field, std::string_view text) {
        editor.SetTimeText(field, text);
        editor.TakeTime(field);
    }

    void ExpectLastInteger(std::uint16_t parameter, double value) const {
        ASSERT_FALSE(sender.calls.empty());
        const RecordingRealTimeSender::Call& call = sender.calls.back();
        EXPECT_EQ(call.kind, Kind::Integer);
        EXPECT_EQ(call.parameter, parameter);
        EXPECT_EQ(call.values[0], value);
    }
};

TEST_F(DynamicsFields, AttackSendsTheRmsCoefficientAsKindOne) {
    Type(Field::Attack, "200");
    EXPECT_EQ(Record(1).RmsCoef, RmsCoefFromAttack(200.0));
    ASSERT_EQ(sender.calls.size(), 1u);
    EXPECT_EQ(sender.calls[0].kind, Kind::Value);
    EXPECT_EQ(sender.calls[0].parameter, 143);
    EXPECT_EQ(sender.calls[0].messageKind, 1);
    EXPECT_EQ(sender.calls[0].values[0], static_cast<double>(RmsCoefFromAttack(200.0)));

    // Out-of-range typing lands on the nearer limit; text that is no number leaves the
    // value the field held and shows it again.
    Type(Field::Attack, "300");
    EXPECT_EQ(editor.TimeText(Field::Attack), "250");
    Type(Field::Attack, "2");
    EXPECT_EQ(editor.TimeText(Field::Attack), "5");
    for (const std::string_view junk : {"", "-", "abc"}) {
        Type(Field::Attack, junk);
        EXPECT_EQ(editor.TimeText(Field::Attack), "5");
        EXPECT_EQ(Record(1).RmsCoef, RmsCoefFromAttack(5.0));
    }

    editor.SelectRecord(2);
    editor.StepTime(Field::Attack, DynamicsTimeStep::Arrow, -1);
    EXPECT_EQ(editor.TimeText(Field::Attack), "139");
    EXPECT_EQ(sender.calls.back().parameter, 178);
    EXPECT_EQ(Record(2).RmsCoef, RmsCoefFromAttack(139.0));
    EXPECT_EQ(Record(1).RmsCoef, RmsCoefFromAttack(5.0));
}

TEST_F(DynamicsFields, HoldStepsByTenthsWithArrowsAndWholeMillisecondsWithButtons) {
    editor.StepTime(Field::Hold, DynamicsTimeStep::Arrow, +1);
    EXPECT_EQ(editor.TimeText(Field::Hold), "40.1");
    EXPECT_EQ(Record(1).HoldSamples, 1925); // 1924.8
    ExpectLastInteger(191, 1925);
    editor.StepTime(Field::Hold, DynamicsTimeStep::Button, +1);
    EXPECT_EQ(editor.TimeText(Field::Hold), "41.1");
    EXPECT_EQ(Record(1).HoldSamples, 1973);
    // Arrows step from what is typed.
    editor.SetTimeText(Field::Hold, "10");
    editor.StepTime(Field::Hold, DynamicsTimeStep::Button, -1);
    EXPECT_EQ(editor.TimeText(Field::Hold), "9.0");
    EXPECT_EQ(Record(1).HoldSamples, 432);
    Type(Field::Hold, "95");
    EXPECT_EQ(editor.TimeText(Field::Hold), "80.0");
    EXPECT_EQ(Record(1).HoldSamples, 3840);

    editor.SelectRecord(2);
    editor.SetTimeText(Field::Hold, "0");
    editor.StepTime(Field::Hold, DynamicsTimeStep::Arrow, -1);
    EXPECT_EQ(editor.TimeText(Field::Hold), "0.0");
    ExpectLastInteger(192, 0);
}

TEST_F(DynamicsFields, ReleaseCodeAndItsReadBack) {
    Type(Field::Release, "80");
    EXPECT_EQ(Record(1).DecayCode, 584);
    ExpectLastInteger(193, 584);
    Type(Field::Release, "0.4");
    EXPECT_EQ(editor.TimeText(Field::Release), "1");
    EXPECT_EQ(Record(1).DecayCode, 7);

    editor.SelectRecord(2);
    Type(Field::Release, "80");
    ExpectLastInteger(194, 584);
    editor.SelectRecord(1);
    editor.SelectRecord(2);
    EXPECT_EQ(editor.TimeText(Field::Release), "80"); // 584 x 0.137 = 80.008
}

TEST_F(DynamicsFields, LookAheadAlwaysBelongsToRecordOne) {
    editor.SelectRecord(2);
    editor.StepTime(Field::LookAhead, DynamicsTimeStep::Arrow, +1);
    EXPECT_EQ(editor.TimeText(Field::LookAhead), "0.04");
    EXPECT_EQ(Record(1).LookAheadSamples, 2);
    EXPECT_EQ(Record(2).LookAheadSamples, 0);
    ExpectLastInteger(181, 2);
    EXPECT_EQ(lookAheadChanges, 1);

    Type(Field::LookAhead, "5");
    EXPECT_EQ(editor.TimeText(Field::LookAhead), "2.00");
    EXPECT_EQ(Record(1).LookAheadSamples, 96);
    EXPECT_EQ(lookAheadChanges, 2);

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

TEST_F(DynamicsFields, GateListTakesTheRampField) {
    editor.SelectGateItem(1);
    EXPECT_EQ(Record(1).GateIndex, 10.0f);
    EXPECT_EQ(Record(1).Pendiente, 4.0f);
    const auto& t = Record(1).Tabla;
    EXPECT_EQ(t[5], 0.0L); // designed with it: closed up to -81 dBFS
    EXPECT_EQ(t[6], 0.25L);
    EXPECT_EQ(editor.GateIndexText(), "10");

    editor.SelectGateItem(7);
    EXPECT_EQ(Record(1).GateIndex, 16.0f);
    editor.SelectGateItem(0);
    EXPECT_EQ(Record(1).GateIndex, 1.0f);
    EXPECT_EQ(editor.GateItem(), 0);
    // No list item, no change.
    editor.SelectGateItem(8);
    editor.SelectGateItem(-1);
    EXPECT_EQ(Record(1).GateIndex, 1.0f);

    editor.SetRampText("2");
    editor.SetGateIndexText("10");
    editor.ApplyGateFields();
    EXPECT_EQ(Record(1).Pendiente, 2.0f);
    EXPECT_EQ(editor.GateItem(), 1);
    EXPECT_EQ(t[8], 0.5L); // a ramp of two

    editor.SelectGateItem(3);
    EXPECT_EQ(Record(1).GateIndex, 12.0f);
    EXPECT_EQ(Record(1).Pendiente, 2.0f);
}

TEST_F(DynamicsFields, HiddenGateFieldsHoldTheirRanges) {
    editor.SetGateIndexText("40");
    editor.SetRampText("0");
    editor.ApplyGateFields();
    EXPECT_EQ(Record(1).GateIndex, 33.0f);
    EXPECT_EQ(Record(1).Pendiente, 1.0f);
    EXPECT_EQ(editor.GateIndexText(), "33");
    EXPECT_EQ(editor.RampText(), "1");
    EXPECT_EQ(editor.GateItem(), std::nullopt);

    editor.SetGateIndexText("abc");
    editor.SetRampText("-");
    editor.ApplyGateFields();
    EXPECT_EQ(Record(1).GateIndex, 33.0f);
    EXPECT_EQ(Record(1).Pendiente, 1.0f);
    EXPECT_EQ(editor.GateIndexText(), "33");
}

} // namespace
} // namespace veld23
