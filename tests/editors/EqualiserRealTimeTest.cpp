#include "editors/EqualiserEditor.h"

#include "EqualiserTestSupport.h"
#include "config/FieldNumber.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld23 {
namespace {

using testing::At;
using testing::EqualiserFixture;
using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

std::vector<int> Parameters(const RecordingRealTimeSender& sender) {
    std::vector<int> parameters;
    for (const auto& call : sender.calls) {
        EXPECT_EQ(call.kind, Kind::Five);
        parameters.push_back(call.parameter);
    }
    return parameters;
}

void ExpectSentBand(const RecordingRealTimeSender::Call& call, const PeqBand& band) {
    EXPECT_EQ(call.kind, Kind::Five);
    EXPECT_EQ(call.parameter, band.CoefIndex);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(call.values[static_cast<std::size_t>(k)], band.GetCoefficient(k)) << k;
    }
}

TEST(EqualiserRealTime, CreationSendsEachSelectionOnlyInRealTimeMode) {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    {
        EqualiserEditor editor(config, sender);
        // PEQ2 selects bands 2 and 1, then PEQ1 does.
        EXPECT_EQ(Parameters(sender), (std::vector<int>{40, 35, 5, 0}));
        ASSERT_EQ(sender.calls.size(), 4u);
        EXPECT_EQ(sender.calls[1].values, (std::array<double, 5>{1.0, 0.0, 0.0, 0.0, 0.0}));
    }
    sender.calls.clear();
    sender.mode = false; // as at start-up
    EqualiserEditor editor(config, sender);
    EXPECT_TRUE(sender.calls.empty());
}

TEST(EqualiserRealTime, AnEditSendsTheFiveCoefficientsOfItsBand) {
    EqualiserFixture t;
    t.editor.SelectBand(4);
    t.editor.ChooseType(1);
    t.editor.SetGainText("-4.5");
    t.editor.GainEnter();
    // The band selection, the type choice and the gain: one message each, never one per
    // control the selection refilled.
    ASSERT_EQ(t.sender.calls.size(), 3u);
    ExpectSentBand(t.sender.calls.back(), t.Band(1, 4));
    EXPECT_EQ(t.sender.calls.back().parameter, 15);
    EXPECT_NE(t.sender.calls.back().values[0], 1.0);
    EXPECT_EQ(t.editor.CoefficientDisplay()[0], t.Band(1, 4).GetCoefficient(0));
    EXPECT_EQ(t.editor.CoefficientDisplay()[4], t.Band(1, 4).GetCoefficient(4));
    EXPECT_EQ(t.editor.CoefficientDisplayText(1),
              FieldNumber::Text(t.Band(1, 4).GetCoefficient(1), 6));
    EXPECT_EQ(t.editor.CoefficientDisplayText(5), "");
}

TEST(EqualiserRealTime, NothingIsSentWhileAMessageGoesOutOrOutsideRealTimeMode) {
    EqualiserFixture t;
    t.editor.ChooseType(1);
    t.sender.calls.clear();
    t.sender.busy = true;
    t.editor.SetGainPosition(63); // +6.0 dB
    t.sender.busy = false;
    t.sender.mode = false;
    t.editor.SetQPosition(190);
    EXPECT_TRUE(t.sender.calls.empty());
    // The edits are kept, shown and drawn all the same.
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);
    EXPECT_EQ(t.Band(1, 1).Q, 1.0);
    EXPECT_EQ(t.editor.CoefficientDisplay()[0], t.Band(1, 1).GetCoefficient(0));
    EXPECT_EQ(t.finalResponses.size(), 3u);
    t.sender.mode = true;
    t.editor.SetQPosition(180);
    ASSERT_EQ(t.sender.calls.size(), 1u);
    ExpectSentBand(t.sender.calls[0], t.Band(1, 1));
}

TEST(EqualiserRealTime, RefreshSendsEveryBandOnceInItsOrder) {
    EqualiserFixture t;
    t.editor.RefreshFromConfiguration();
    EXPECT_EQ(Parameters(t.sender),
              (std::vector<int>{65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}));
    EXPECT_EQ(t.finalResponses.size(), 14u);
}

TEST(EqualiserRealTime, EnteredCoefficientsAreSentAsStored) {
    EqualiserFixture t;
    t.editor.ChooseType(13);
    t.sender.calls.clear();
    t.editor.SetCoefficientText(3, "0.5");
    t.editor.CoefficientEnter(3);
    ASSERT_EQ(t.sender.calls.size(), 1u);
    EXPECT_EQ(t.sender.calls[0].values, (std::array<double, 5>{1.0, 0.0, 0.0, 0.5, 0.0}));
    t.editor.CoefficientsLeave();
    EXPECT_EQ(t.sender.calls.size(), 2u);
}

} // namespace
} // namespace veld23
