#include "EditorTestSupport.h"
#include "config/FieldNumber.h"
#include "dsp/PeqRules.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace veld23 {
namespace {

using namespace testing;

// Band 1 of PEQ1 as a "Parametric Q Adap" at 1000 Hz, 0 dB, Q 0.7.
struct PeakingBand : EqualiserFixture {
    PeakingBand() {
        editor.ChooseType(1);
        sender.calls.clear();
    }
};
struct EqualiserPlot : PeakingBand, ::testing::Test {};
struct EqualiserRealTime : EqualiserFixture, ::testing::Test {};

TEST_F(EqualiserPlot, OnlyUsedBandsAreEvaluated) {
    PeqBand& band3 = Band(1, 3);
    band3.SectionType = kParametricQAdap;
    band3.GainDb = 6.0;
    RedesignBand(band3);
    editor.SetFrequencyPosition(16580); // an edit of band 1 at 0 dB
    EXPECT_EQ(std::ranges::max(editor.Curve(1).magnitudeDb), 0.0f);
    editor.SelectBand(3);
    EXPECT_EQ(editor.UsedBands(1), 3);
    EXPECT_NEAR(std::ranges::max(editor.Curve(1).magnitudeDb), 6.0, 0.02);
    EXPECT_EQ(editor.Plot().Series(1).Marks()[0].text, "3");
}

TEST_F(EqualiserPlot, BandEditsRedrawTheCurrentEqualiserAndViewsRedrawBoth) {
    PeqBand& other = Band(2, 1);
    other.SectionType = kParametricQAdap;
    other.GainDb = -6.0;
    RedesignBand(other);
    editor.SetGainPosition(100);
    EXPECT_EQ(std::ranges::min(editor.Curve(2).magnitudeDb), 0.0f); // PEQ2 as last drawn
    editor.ShowMagnitude();
    EXPECT_NEAR(std::ranges::min(editor.Curve(2).magnitudeDb), -6.0, 0.02);
    EXPECT_EQ(editor.Plot().Series(2).Marks()[0].at, (PlotPoint{1000.0, -5.0}));
    EXPECT_EQ(sender.calls.size(), 1u); // the gain; views send nothing
}

TEST_F(EqualiserPlot, PhaseViewWrapsAnAllPassOnceAtItsFrequency) {
    editor.ChooseType(10); // "AllPass 2" at 1000 Hz
    editor.ShowPhase();
    // In degrees, half a turn at its frequency; unwrapped it would end near -360.
    const auto points = editor.Plot().Series(1).Points();
    EXPECT_NEAR(points[0].y, 0.0, 5.0);
    EXPECT_NEAR(points[kGrid1kHz - 1].y, -180.0, 5.0);
    EXPECT_NEAR(points[kGrid1kHz + 1].y, 180.0, 5.0);
    EXPECT_NEAR(points.back().y, 0.0, 30.0);
}

TEST_F(EqualiserPlot, ShowSwitchesHideACurveAndRedesignTheCurrentBand) {
    const std::size_t refreshes = finalResponses.size();
    editor.ToggleShow(2);
    EXPECT_FALSE(editor.CurveShown(2));
    EXPECT_FALSE(editor.Plot().Series(2).Visible());
    EXPECT_TRUE(editor.CurveShown(1));
    EXPECT_EQ(finalResponses.size(), refreshes + 1);
    ASSERT_EQ(sender.calls.size(), 1u);
    EXPECT_EQ(sender.calls[0].parameter, 0); // PEQ1 band 1, the band being edited
    editor.ToggleShow(2);
    EXPECT_TRUE(editor.CurveShown(2));
    editor.ToggleShow(0);
    EXPECT_EQ(sender.calls.size(), 2u);
}

TEST_F(EqualiserPlot, FinalResponseSeesTheCurveOfTheEdit) {
    editor.SetGainText("6");
    editor.GainEnter();
    ASSERT_FALSE(finalResponses.empty());
    EXPECT_NEAR(finalResponses.back(), 6.0, 0.05);
}

TEST_F(EqualiserPlot, ReadoutAndHandPointer) {
    PlotModel& plot = editor.Plot();
    editor.PlotMouseMove(At(1000.0, 3.456));
    EXPECT_EQ(plot.Readout(), "1000 Hz , 3.46 dBs ");
    EXPECT_FALSE(plot.HandPointer()); // 3.456 dB is more than 2 dB from the band's 0.0
    // The band's point is reached up to 2 dB away, and no further.
    editor.PlotMouseMove(At(1000.0, -2.0));
    EXPECT_TRUE(plot.HandPointer());
    editor.PlotMouseMove(At(1000.0, 2.0 + 1e-9));
    EXPECT_FALSE(plot.HandPointer());
    editor.PlotMouseMove(PlotPointer{});
    EXPECT_FALSE(plot.HandPointer());

    editor.ShowPhase();
    editor.PlotMouseMove(At(1000.0, -45.0));
    EXPECT_EQ(plot.Readout(), "1000 Hz , -45.00\xBA ");
    editor.PlotMouseMove(At(1000.0, 1.0));
    EXPECT_FALSE(plot.HandPointer()); // no drag to offer in this view
    editor.PlotMouseUp(At(1000.0, 1.0));
    EXPECT_EQ(plot.Readout(), "");
}

TEST_F(EqualiserPlot, PressStartsADragOnlyNearTheBandsPoint) {
    // A tenth of a decade off, 2.5 dB off, Shift held, no value, no frequency.
    const double near = 1000.0 * std::pow(10.0, 0.05);
    for (const PlotPointer& press : {At(1000.0 * std::pow(10.0, 0.1), 0.0), At(1000.0, 2.5),
                                     At(near, 1.5, true), PlotPointer{}, At(0.0, 0.0)}) {
        editor.PlotMouseDown(press);
        EXPECT_FALSE(editor.Dragging());
    }
    EXPECT_EQ(Band(1, 1).Frequency, 1000.0);
    EXPECT_TRUE(sender.calls.empty());

    editor.PlotMouseDown(At(near, 1.5));
    EXPECT_TRUE(editor.Dragging());
    EXPECT_EQ(std::tuple(Band(1, 1).Frequency, Band(1, 1).GainDb), std::tuple(1122.0, 1.5));
    EXPECT_EQ(editor.FrequencyField().text, "1122");
    EXPECT_EQ(std::tuple(editor.FrequencyPosition(), editor.GainPosition()),
              std::tuple(12344, 108));
    EXPECT_EQ(sender.calls.size(), 1u);
}

TEST_F(EqualiserPlot, ThePlotHandsItsPointerToTheEditor) {
    PlotModel& plot = editor.Plot();
    const PlotGeometry geometry = plot.Geometry(640.0, 400.0);
    const auto at = [&geometry](double hz, double db) { return *geometry.ToPixel({hz, db}); };
    plot.MouseDown(at(1000.0, 1.5), 640.0, 400.0, false);
    ASSERT_TRUE(editor.Dragging());
    plot.MouseMove(at(2000.0, 4.04), 640.0, 400.0, false);
    EXPECT_EQ(Band(1, 1).Frequency, 2000.0);
    EXPECT_EQ(plot.Readout(), ""); // dragging shows no readout
    plot.MouseUp(at(2000.0, 4.0), 640.0, 400.0, false);
    EXPECT_FALSE(editor.Dragging());
}

TEST(EqualiserDrag, GoesThroughTheFieldsAndTheTypesGainRules) {
    // Whole hertz and tenths of a dB held to the fields' ranges beyond the axes; a low-pass
    // Q ignores the gain and keeps 0.0 from the press on; a shelf caps boosts only.
    const struct {
        int type;
        PlotPoint to;
        double hz;
        double gainDb;
    } rows[] = {{1, {2000.0, 4.04}, 2000.0, 4.0},
                {1, {40000.0, 30.0}, 19970.0, 12.0},
                {11, {3000.0, 5.0}, 3000.0, 0.0},
                {3, {250.0, 10.0}, 250.0, 6.0},
                {3, {250.0, -9.0}, 250.0, -9.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        PeakingBand t;
        t.editor.ChooseType(row.type);
        t.editor.PlotMouseDown(At(1000.0, 1.5));
        ASSERT_TRUE(t.editor.Dragging());
        t.editor.PlotMouseMove(At(row.to.x, row.to.y));
        t.editor.PlotMouseMove(PlotPointer{}); // a pointer with no value moves nothing
        EXPECT_EQ(t.Band(1, 1).Frequency, row.hz);
        EXPECT_EQ(t.Band(1, 1).GainDb, row.gainDb);
        EXPECT_EQ(t.editor.GainField().value, row.gainDb);
        EXPECT_EQ(t.sender.calls.size(), 3u); // the type, the press and the move
    }
}

TEST(EqualiserCreation, SendsEachSelectionOnlyInRealTimeMode) {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    {
        EqualiserEditor editor(config, sender);
        // PEQ2 selects bands 2 and 1, then PEQ1 does.
        EXPECT_EQ(FiveParameters(sender), (std::vector<int>{40, 35, 5, 0}));
        ASSERT_EQ(sender.calls.size(), 4u);
        EXPECT_EQ(sender.calls[1].values, (std::array<double, 5>{1.0, 0.0, 0.0, 0.0, 0.0}));
    }
    sender.calls.clear();
    sender.mode = false; // as at start-up
    EqualiserEditor editor(config, sender);
    EXPECT_TRUE(sender.calls.empty());
}

TEST_F(EqualiserRealTime, AnEditSendsTheFiveCoefficientsOfItsBand) {
    editor.SelectBand(4);
    editor.ChooseType(1);
    editor.SetGainText("-4.5");
    editor.GainEnter();
    // The band selection, the type choice and the gain: one message each, never one per
    // control the selection refilled.
    ASSERT_EQ(sender.calls.size(), 3u);
    ExpectSentSection(sender.calls.back(), Band(1, 4));
    EXPECT_EQ(sender.calls.back().parameter, 15);
    EXPECT_NE(sender.calls.back().values[0], 1.0);
    EXPECT_EQ(editor.CoefficientDisplay(), sender.calls.back().values);
    EXPECT_EQ(editor.CoefficientDisplayText(1),
              field_number::Text(Band(1, 4).GetCoefficient(1), 6));
    EXPECT_EQ(editor.CoefficientDisplayText(5), "");
}

TEST_F(EqualiserRealTime, NothingIsSentOutsideRealTimeMode) {
    editor.ChooseType(1);
    sender.calls.clear();
    sender.mode = false;
    editor.SetGainPosition(63); // +6.0 dB
    editor.SetQPosition(190);
    EXPECT_TRUE(sender.calls.empty());
    // The edits are kept, shown and drawn all the same.
    EXPECT_EQ(Band(1, 1).GainDb, 6.0);
    EXPECT_EQ(Band(1, 1).Q, 1.0);
    EXPECT_EQ(editor.CoefficientDisplay()[0], Band(1, 1).GetCoefficient(0));
    EXPECT_EQ(finalResponses.size(), 3u);
    sender.mode = true;
    editor.SetQPosition(180);
    ASSERT_EQ(sender.calls.size(), 1u);
    ExpectSentSection(sender.calls[0], Band(1, 1));
}

TEST_F(EqualiserRealTime, RefreshSendsEveryBandOnceInItsOrder) {
    editor.RefreshFromConfiguration();
    EXPECT_EQ(FiveParameters(sender),
              (std::vector<int>{65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}));
    EXPECT_EQ(finalResponses.size(), 14u);
}

} // namespace
} // namespace veld23
