#include "editors/DynamicsController.h"

#include "config/ProcessorConfiguration.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;
using Field = DynamicsTimeField;

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
    for (std::size_t k = 0; k <= 5; ++k) {
        EXPECT_EQ(t[k], 0.0L) << k;
    }
    EXPECT_EQ(t[6], 0.25L);
    EXPECT_EQ(t[7], 0.5L);
    EXPECT_EQ(t[8], 0.75L);
    EXPECT_EQ(t[9], 1.0L);
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
    EXPECT_EQ(t[7], 0.0L);
    EXPECT_EQ(t[8], 0.5L);
    EXPECT_EQ(t[9], 1.0L);
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
