#include "EqualiserTestSupport.h"
#include "config/FieldNumber.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"
#include "editors/EqualiserEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace veld23 {
namespace {

using testing::At;
using testing::EqualiserFixture;
using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

// Band 1 of PEQ1 as a "Parametric Q Adap" at 1000 Hz, 0 dB, Q 0.7.
struct PeakingBand : EqualiserFixture {
    PeakingBand() {
        editor.ChooseType(1);
        sender.calls.clear();
    }
};

double MaxY(const PlotSeries& series) {
    double top = -1e9;
    for (const PlotPoint& p : series.Points()) {
        top = std::max(top, p.y);
    }
    return top;
}

TEST(EqualiserPlot, OnlyUsedBandsAreEvaluated) {
    PeakingBand t;
    PeqBand& band3 = t.Band(1, 3);
    band3.SectionType = kParametricQAdap;
    band3.GainDb = 6.0;
    RedesignBand(band3);
    t.editor.SetFrequencyPosition(16580); // an edit of band 1 at 0 dB
    EXPECT_EQ(MaxY(t.editor.Plot().Series(1)), 0.0);
    t.editor.SelectBand(3);
    EXPECT_EQ(t.editor.UsedBands(1), 3);
    EXPECT_NEAR(MaxY(t.editor.Plot().Series(1)), 6.0, 0.02);
    EXPECT_EQ(t.editor.Plot().Series(1).Marks()[0].text, "3");
}

TEST(EqualiserPlot, BandEditsRedrawTheCurrentEqualiserAndViewsRedrawBoth) {
    PeakingBand t;
    PeqBand& other = t.Band(2, 1);
    other.SectionType = kParametricQAdap;
    other.GainDb = -6.0;
    RedesignBand(other);
    t.editor.SetGainPosition(100);
    EXPECT_EQ(MaxY(t.editor.Plot().Series(2)), 0.0); // PEQ2 still as last drawn
    t.editor.ShowMagnitude();
    EXPECT_NEAR(*std::min_element(t.editor.Curve(2).magnitudeDb.begin(),
                                  t.editor.Curve(2).magnitudeDb.begin() + 401),
                -6.0, 0.02);
    EXPECT_EQ(t.editor.Plot().Series(2).Marks()[0].at, (PlotPoint{1000.0, -5.0}));
    EXPECT_EQ(t.sender.calls.size(), 1u); // the gain; views send nothing
}

TEST(EqualiserPlot, PhaseViewWrapsAnAllPassThroughPlusMinus180) {
    PeakingBand t;
    t.editor.ChooseType(10); // "AllPass 2" at 1000 Hz
    t.editor.ShowPhase();
    const auto points = t.editor.Plot().Series(1).Points();
    ASSERT_EQ(points.size(), 401u);
    int jumps = 0;
    double jumpHz = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_GE(points[i].y, -180.0);
        EXPECT_LE(points[i].y, 180.0);
        if (i > 0 && points[i - 1].y < -150.0 && points[i].y > 150.0) {
            ++jumps;
            jumpHz = points[i].x;
        }
    }
    EXPECT_EQ(jumps, 1);
    EXPECT_GT(jumpHz, 950.0);
    EXPECT_LT(jumpHz, 1050.0);
    // Away from its frequency the all-pass turns the phase only a little.
    EXPECT_NEAR(points[0].y, 0.0, 5.0);
}

TEST(EqualiserPlot, ShowSwitchesHideACurveAndRedesignTheCurrentBand) {
    PeakingBand t;
    const std::size_t refreshes = t.finalResponses.size();
    t.editor.ToggleShow(2);
    EXPECT_FALSE(t.editor.CurveShown(2));
    EXPECT_FALSE(t.editor.Plot().Series(2).Visible());
    EXPECT_TRUE(t.editor.CurveShown(1));
    EXPECT_EQ(t.finalResponses.size(), refreshes + 1);
    ASSERT_EQ(t.sender.calls.size(), 1u);
    EXPECT_EQ(t.sender.calls[0].parameter, 0); // PEQ1 band 1, the band being edited
    t.editor.ToggleShow(2);
    EXPECT_TRUE(t.editor.CurveShown(2));
    t.editor.ToggleShow(0);
    EXPECT_EQ(t.sender.calls.size(), 2u);
}

TEST(EqualiserPlot, FinalResponseSeesTheCurveOfTheEdit) {
    PeakingBand t;
    t.editor.SetGainText("6");
    t.editor.GainEnter();
    ASSERT_FALSE(t.finalResponses.empty());
    EXPECT_NEAR(t.finalResponses.back(), 6.0, 0.05);
}

TEST(EqualiserPlot, ReadoutAndHandPointer) {
    PeakingBand t;
    PlotModel& plot = t.editor.Plot();
    t.editor.PlotMouseMove(At(1000.0, 3.456));
    EXPECT_EQ(plot.Readout(), "1000 Hz , 3.46 dBs ");
    EXPECT_FALSE(plot.HandPointer()); // 3.456 dB is more than 2 dB from the band's 0.0
    t.editor.PlotMouseMove(At(1100.0, 1.9));
    EXPECT_TRUE(plot.HandPointer());
    // The band's point is reached up to 2 dB away, and no further.
    t.editor.PlotMouseMove(At(1000.0, -2.0));
    EXPECT_TRUE(plot.HandPointer());
    t.editor.PlotMouseMove(At(1000.0, 2.0 + 1e-9));
    EXPECT_FALSE(plot.HandPointer());
    t.editor.PlotMouseMove(At(1100.0, 1.9));
    EXPECT_EQ(plot.Readout(), "1100 Hz , 1.90 dBs ");
    t.editor.PlotMouseMove(At(12.0, 0.0)); // left of the axis
    EXPECT_EQ(plot.Readout(), "");
    EXPECT_FALSE(plot.HandPointer());
    t.editor.PlotMouseMove(PlotPointer{});
    EXPECT_EQ(plot.Readout(), "");

    t.editor.ShowPhase();
    t.editor.PlotMouseMove(At(1000.0, -45.0));
    EXPECT_EQ(plot.Readout(), "1000 Hz , -45.00\xBA ");
    t.editor.PlotMouseMove(At(1000.0, 1.0));
    EXPECT_FALSE(plot.HandPointer()); // no drag to offer in this view
    t.editor.PlotMouseUp(At(1000.0, 1.0));
    EXPECT_EQ(plot.Readout(), "");
}

TEST(EqualiserPlot, PressStartsADragOnlyNearTheBandsPoint) {
    PeakingBand t;
    t.editor.PlotMouseDown(At(1000.0 * std::pow(10.0, 0.1), 0.0));
    EXPECT_FALSE(t.editor.Dragging());
    t.editor.PlotMouseDown(At(1000.0, 2.5));
    EXPECT_FALSE(t.editor.Dragging());
    t.editor.PlotMouseDown(At(1000.0 * std::pow(10.0, 0.05), 1.5, true)); // Shift held
    EXPECT_FALSE(t.editor.Dragging());
    t.editor.PlotMouseDown(PlotPointer{});
    EXPECT_FALSE(t.editor.Dragging());
    EXPECT_EQ(t.Band(1, 1).Frequency, 1000.0);
    EXPECT_TRUE(t.sender.calls.empty());

    t.editor.PlotMouseDown(At(1000.0 * std::pow(10.0, 0.05), 1.5));
    EXPECT_TRUE(t.editor.Dragging());
    EXPECT_EQ(t.Band(1, 1).Frequency, 1122.0);
    EXPECT_EQ(t.Band(1, 1).GainDb, 1.5);
    EXPECT_EQ(t.editor.FrequencyField().text, "1122");
    EXPECT_EQ(t.editor.FrequencyPosition(), 12344);
    EXPECT_EQ(t.editor.GainPosition(), 108);
    EXPECT_EQ(t.sender.calls.size(), 1u);
}

TEST(EqualiserPlot, DraggingThroughThePlotModel) {
    PeakingBand t;
    PlotModel& plot = t.editor.Plot();
    constexpr double w = 640.0;
    constexpr double h = 400.0;
    const PlotGeometry geometry = plot.Geometry(w, h);
    const auto press = geometry.ToPixel({1000.0 * std::pow(10.0, 0.05), 1.5});
    ASSERT_TRUE(press);
    plot.MouseDown(*press, w, h, false);
    ASSERT_TRUE(t.editor.Dragging());
    EXPECT_EQ(t.Band(1, 1).Frequency, 1122.0);

    plot.MouseMove(*geometry.ToPixel({2000.0, 4.04}), w, h, false);
    EXPECT_EQ(t.Band(1, 1).Frequency, 2000.0);
    EXPECT_EQ(t.Band(1, 1).GainDb, 4.0);
    EXPECT_EQ(t.editor.GainField().text, "4.0");
    EXPECT_EQ(plot.Series(1).Marks()[0].at, (PlotPoint{2000.0, 5.0}));
    EXPECT_EQ(plot.Readout(), ""); // dragging shows no readout

    // Beyond the axes the fields hold the values to their ranges.
    plot.MouseMove(*geometry.ToPixel({40000.0, 30.0}), w, h, false);
    EXPECT_EQ(t.Band(1, 1).Frequency, 19970.0);
    EXPECT_EQ(t.Band(1, 1).GainDb, 12.0);

    plot.MouseUp(*geometry.ToPixel({40000.0, 30.0}), w, h, false);
    EXPECT_FALSE(t.editor.Dragging());
    plot.MouseMove(*geometry.ToPixel({500.0, 0.0}), w, h, false);
    EXPECT_EQ(t.Band(1, 1).Frequency, 19970.0); // only a readout now
    EXPECT_EQ(plot.Readout().substr(0, 7), "500 Hz ");
    EXPECT_EQ(t.sender.calls.size(), 3u);
}

TEST(EqualiserPlot, DraggingALowPassQKeepsItsGainAtZero) {
    PeakingBand t;
    t.editor.ChooseType(11); // "LowPass Q"
    t.editor.PlotMouseDown(At(1000.0, 1.5));
    ASSERT_TRUE(t.editor.Dragging());
    EXPECT_EQ(t.Band(1, 1).GainDb, 0.0);
    t.editor.PlotMouseMove(At(3000.0, 5.0));
    EXPECT_EQ(t.Band(1, 1).Frequency, 3000.0);
    EXPECT_EQ(t.Band(1, 1).GainDb, 0.0);
    EXPECT_EQ(t.editor.GainField().text, "0.0");
    t.editor.PlotMouseMove(PlotPointer{}); // a pointer with no value moves nothing
    EXPECT_EQ(t.Band(1, 1).Frequency, 3000.0);
    t.editor.PlotMouseUp(At(3000.0, 5.0));
}

TEST(EqualiserPlot, DraggingAShelfKeepsItsCap) {
    PeakingBand t;
    t.editor.ChooseType(3);
    t.editor.PlotMouseDown(At(1000.0, 0.5));
    t.editor.PlotMouseMove(At(250.0, 10.0));
    EXPECT_EQ(t.Band(1, 1).Frequency, 250.0);
    EXPECT_EQ(t.Band(1, 1).GainDb, 6.0);
    EXPECT_EQ(t.editor.GainField().text, "6.0");
    t.editor.PlotMouseMove(At(250.0, -9.0));
    EXPECT_EQ(t.Band(1, 1).GainDb, -9.0);
}

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
              field_number::Text(t.Band(1, 4).GetCoefficient(1), 6));
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
