#include "plot/PlotModel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace veld23;

namespace {

// A plot with the equaliser's axes, without going through the fixed configurations.
void SetFrequencyAxes(PlotModel& plot) {
    plot.SetAxisLogScale(PlotAxisId::X, true);
    plot.SetAxisRange(PlotAxisId::X, 20.0, 20000.0);
    plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    plot.SetMargins({20, 30, 50, 10});
}

class RecordingListener : public PlotMouseListener {
  public:
    struct Event {
        char kind;
        PlotPointer pointer;
    };
    std::vector<Event> events;
    void PlotMouseDown(const PlotPointer& p) override { events.push_back({'d', p}); }
    void PlotMouseMove(const PlotPointer& p) override { events.push_back({'m', p}); }
    void PlotMouseUp(const PlotPointer& p) override { events.push_back({'u', p}); }
};

} // namespace

TEST(PlotModel, RebuildingACurveReusesItsStorage) {
    PlotModel plot;
    PlotSeries& s = plot.Series(1);
    for (int i = 0; i <= 400; ++i) {
        s.AddPoint(i, -i);
    }
    s.AddMark(1.0, 2.0, "1", {});
    const PlotPoint* storage = s.Points().data();
    const PlotMark* marks = s.Marks().data();
    const std::size_t capacity = s.PointCapacity();
    for (int rebuild = 0; rebuild < 50; ++rebuild) {
        s.Clear();
        for (int i = 0; i <= 400; ++i) {
            s.AddPoint(i, rebuild);
        }
        s.AddMark(1.0, 2.0, "1", {});
    }
    EXPECT_EQ(s.Points().data(), storage);
    EXPECT_EQ(s.Marks().data(), marks);
    EXPECT_EQ(s.PointCapacity(), capacity);
    EXPECT_EQ(s.Points().size(), 401u);
    ASSERT_EQ(s.Marks().size(), 1u);
    EXPECT_EQ(s.Marks()[0].text, "1");
}

TEST(PlotModel, PlottingOffHoldsRedrawsUntilOneOnSwitchingOn) {
    PlotModel plot;
    int redraws = 0;
    plot.SetRedrawHandler([&] { ++redraws; });

    plot.SetPlotting(false);
    PlotSeries& s = plot.Series(1);
    s.Clear();
    for (int i = 0; i <= 400; ++i) {
        s.AddPoint(i, i);
    }
    s.AddMark(3.0, 4.0, "2", {});
    plot.SetAxisRange(PlotAxisId::Y, -180.0, 180.0);
    plot.SetTitle("OUT 2 Equalization");
    EXPECT_EQ(redraws, 0);
    plot.SetPlotting(true);
    EXPECT_EQ(redraws, 1);

    // While plotting, any change asks for a redraw.
    s.SetVisible(false);
    EXPECT_EQ(redraws, 2);
    EXPECT_FALSE(plot.Series(1).Visible());
}

TEST(PlotModel, AxisWithMinNotBelowMaxShowsTheInconsistentCaption) {
    PlotModel plot;
    SetFrequencyAxes(plot);
    EXPECT_EQ(plot.Caption(), "");
    EXPECT_TRUE(plot.PixelToValue({320, 195}, 600, 400));

    plot.SetAxisMin(PlotAxisId::Y, 20.0); // Min equal to Max
    EXPECT_EQ(plot.Caption(), "MAX/MIN VALUES INCONSISTENT");
    EXPECT_FALSE(plot.AxisDrawn(PlotAxisId::Y));
    EXPECT_TRUE(plot.AxisDrawn(PlotAxisId::X));
    // No range, no place for the pointer: the editor gets no value instead of a division by zero.
    EXPECT_FALSE(plot.PixelToValue({320, 195}, 600, 400));

    plot.SetAxisMax(PlotAxisId::Y, -25.0);
    EXPECT_EQ(plot.Caption(), PlotModel::kInconsistentCaption);
    plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    EXPECT_EQ(plot.Caption(), "");

    plot.SetAxisMin(PlotAxisId::X, 0.0); // a logarithmic axis cannot reach zero
    EXPECT_FALSE(plot.AxisDrawn(PlotAxisId::X));
    EXPECT_EQ(plot.Caption(), PlotModel::kInconsistentCaption);
    plot.SetAxisLogScale(PlotAxisId::X, false);
    EXPECT_EQ(plot.Caption(), "");
}

TEST(PlotModel, BringToFrontDrawsTheSeriesLast) {
    PlotModel plot;
    plot.Series(1);
    plot.Series(2);
    plot.Series(3);
    plot.BringToFront(1);
    EXPECT_EQ(plot.SeriesInDrawOrder(0).Number(), 2);
    EXPECT_EQ(plot.SeriesInDrawOrder(1).Number(), 3);
    EXPECT_EQ(plot.SeriesInDrawOrder(2).Number(), 1);
    plot.BringToFront(1); // already in front
    EXPECT_EQ(plot.SeriesInDrawOrder(2).Number(), 1);
    plot.BringToFront(9); // a new series starts in front
    EXPECT_EQ(plot.SeriesCount(), 4u);
    EXPECT_EQ(plot.SeriesInDrawOrder(3).Number(), 9);
}

TEST(PlotModel, MouseEventsReachTheOwnerWithTheValuesUnderThePointer) {
    PlotModel plot;
    SetFrequencyAxes(plot);
    plot.MouseMove({320, 195}, 600, 400, false); // nobody listening yet: nothing happens

    RecordingListener owner;
    plot.SetMouseListener(&owner);
    plot.MouseDown({410, 107.5}, 600, 400, true);
    plot.MouseMove({50, 370}, 600, 400, false);
    plot.MouseUp({5, 5}, 600, 400, false);
    ASSERT_EQ(owner.events.size(), 3u);

    const auto& down = owner.events[0];
    EXPECT_EQ(down.kind, 'd');
    EXPECT_TRUE(down.pointer.shift);
    ASSERT_TRUE(down.pointer.value);
    EXPECT_NEAR(down.pointer.value->x, 2000.0, 1e-9);
    EXPECT_NEAR(down.pointer.value->y, 10.0, 1e-9);

    EXPECT_EQ(owner.events[1].kind, 'm');

    // Outside the plot area the values lie outside the ranges; the editor decides.
    const auto& up = owner.events[2];
    EXPECT_EQ(up.kind, 'u');
    EXPECT_EQ(up.pointer.pixel, (PixelPoint{5, 5}));
    ASSERT_TRUE(up.pointer.value);
    EXPECT_LT(up.pointer.value->x, 20.0);
    EXPECT_GT(up.pointer.value->y, 20.0);

    plot.SetAxisRange(PlotAxisId::X, 500.0, 500.0);
    plot.MouseMove({320, 195}, 600, 400, false);
    EXPECT_FALSE(owner.events.back().pointer.value);
}
