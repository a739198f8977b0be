// The plot model, what maps its values to pixels (scales, axes, the plot area), the fixed
// configurations with their views, and the pointer readouts they format.
#include "plot/PlotAxis.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotModel.h"
#include "plot/PlotReadout.h"
#include "plot/PlotScale.h"
#include "plot/PlotText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace veld23;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

PlotAxis MakeAxis(double min, double max, bool log, double step = 1.0) {
    PlotAxis a;
    a.Min = min;
    a.Max = max;
    a.LogScale = log;
    a.StepSize = step;
    return a;
}

std::vector<double> TickValues(const PlotAxis& axis, bool labelledOnly = false) {
    std::vector<PlotTick> ticks;
    axis.Ticks(ticks);
    std::vector<double> values;
    for (const PlotTick& t : ticks) {
        if (!labelledOnly || t.labelled) {
            values.push_back(t.value);
        }
    }
    return values;
}

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

struct ReadoutCase {
    PlotPoint pointer;
    std::string unit;
    std::string text;
};

PlotModel& Configured(PlotModel& plot, PlotKind kind, ResponseView view) {
    ConfigurePlot(plot, kind);
    ShowResponseView(plot, kind, view);
    return plot;
}

} // namespace

// A dB axis 400 pixels high (Min at the bottom pixel) and a frequency axis 300 wide on
// which equal ratios are equal distances; beyond the ends the laws simply continue.
TEST(PlotScale, MapsBothWays) {
    const PlotScale db(-20.0, 20.0, false, 400.0, 0.0);
    const PlotScale hz(20.0, 20000.0, true, 0.0, 300.0);
    const struct {
        const PlotScale& scale;
        double value;
        double pixel;
    } cases[] = {{db, -20, 400},   {db, 20, 0},           {db, 0, 200},         {db, 5, 150},
                 {db, -7.5, 275},  {db, 30, -100},        {hz, 20, 0},          {hz, 200, 100},
                 {hz, 20000, 300}, {hz, 632.455532, 150}, {hz, 63.2455532, 50}, {hz, 200000, 400},
                 {hz, 2, -100}};
    for (const auto& c : cases) {
        EXPECT_NEAR(*c.scale.ToPixel(c.value), c.pixel, 1e-6) << c.value;
        EXPECT_NEAR(*c.scale.ToValue(c.pixel), c.value, std::fabs(c.value) * 1e-9 + 1e-12)
            << c.pixel;
    }
}

TEST(PlotScale, ValuesWithoutAPlaceAndValuesFarOutside) {
    const PlotScale freq(20.0, 20000.0, true, 0.0, 300.0);
    EXPECT_FALSE(freq.ToPixel(-5.0));
    EXPECT_FALSE(freq.ToPixel(kNaN));
    EXPECT_FALSE(freq.ToValue(kNaN));
    EXPECT_DOUBLE_EQ(*freq.ToPixel(0.0), -PlotScale::kFarFraction * 300.0);

    const PlotScale db(-20.0, 20.0, false, 400.0, 0.0);
    // A deep stop band keeps its exact pixel; only an infinite level is pinned.
    EXPECT_DOUBLE_EQ(*db.ToPixel(-227.9), 400.0 + 5.1975 * 400.0);
    EXPECT_DOUBLE_EQ(*db.ToPixel(-kInf), 400.0 + PlotScale::kFarFraction * 400.0);
    EXPECT_DOUBLE_EQ(*db.ToPixel(kInf), 400.0 - PlotScale::kFarFraction * 400.0);
}

TEST(PlotScale, UnmappableRangesConvertNothing) {
    const struct {
        double min, max;
        bool log;
        double p0, p1;
    } cases[] = {{5, 5, false, 0, 100},   {10, -10, false, 0, 100}, {0, 100, true, 0, 100},
                 {-1, 100, true, 0, 100}, {kNaN, 1, false, 0, 100}, {0, kInf, false, 0, 100},
                 {0, 1, false, 10, 10},   {0, 1, false, kNaN, 10}};
    for (const auto& c : cases) {
        const PlotScale s(c.min, c.max, c.log, c.p0, c.p1);
        EXPECT_FALSE(s.Valid()) << c.min << ".." << c.max;
        EXPECT_FALSE(s.ToPixel(0.5));
        EXPECT_FALSE(s.ToValue(5.0));
    }
}

TEST(PlotAxis, AxesCrossAtZeroOnlyWhenZeroIsInRange) {
    EXPECT_EQ(MakeAxis(-30, 22, false).CrossingValue(true), 0.0);
    EXPECT_EQ(MakeAxis(20, 20000, true).CrossingValue(true), 20.0);
    EXPECT_EQ(MakeAxis(5, 10, false).CrossingValue(true), 5.0);
    EXPECT_EQ(MakeAxis(-20, 20, false).CrossingValue(false), -20.0);
}

TEST(PlotAxis, LinearTicksAreTheMultiplesOfTheStep) {
    EXPECT_EQ(TickValues(MakeAxis(-20, 15, false, 5)),
              (std::vector<double>{-20, -15, -10, -5, 0, 5, 10, 15}));
    EXPECT_EQ(TickValues(MakeAxis(-30, 22, false, 10)),
              (std::vector<double>{-30, -20, -10, 0, 10, 20}));
    // Rounding in the division must not lose the end ticks.
    const auto tenths = TickValues(MakeAxis(0.0, 0.7, false, 0.1));
    ASSERT_EQ(tenths.size(), 8u);
    EXPECT_NEAR(tenths.back(), 0.7, 1e-12);
    const PlotAxis fromZero = MakeAxis(0.0, 10.0, false, 5.0);
    EXPECT_EQ(TickValues(fromZero), (std::vector<double>{0, 5, 10}));
    EXPECT_EQ(fromZero.Label(TickValues(fromZero)[0]), "0"); // without a sign
    // With auto stepping a 1-2-5 step of its own.
    PlotAxis a = MakeAxis(-30, 22, false, 0.001);
    a.AutoStepping = true;
    EXPECT_EQ(TickValues(a), (std::vector<double>{-30, -20, -10, 0, 10, 20}));
    a.Min = -180;
    a.Max = 180;
    EXPECT_EQ(TickValues(a), (std::vector<double>{-150, -100, -50, 0, 50, 100, 150}));
}

TEST(PlotAxis, LogTicksLabelOneTwoAndFive) {
    const PlotAxis freq = MakeAxis(20, 20000, true);
    EXPECT_EQ(TickValues(freq, true),
              (std::vector<double>{20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000}));
    const auto all = TickValues(freq);
    EXPECT_EQ(all.size(), 28u);
    EXPECT_EQ(all[1], 30.0);
    EXPECT_EQ(all.back(), 20000.0);
}

TEST(PlotAxis, StepsThatCannotRuleTheAxisGiveNoTicks) {
    std::vector<PlotTick> ticks(3);
    for (double step : {0.0, -5.0, kNaN, kInf, 1e-12}) {
        MakeAxis(-20, 20, false, step).Ticks(ticks);
        EXPECT_TRUE(ticks.empty()) << step;
    }
    MakeAxis(20, 20, false, 5).Ticks(ticks);
    EXPECT_TRUE(ticks.empty());
    MakeAxis(1e-300, 1e300, true).Ticks(ticks);
    EXPECT_TRUE(ticks.empty());
}

// A 600 x 400 widget with margins top 20, bottom 30, left 50, right 10.
TEST(PlotGeometry, AreaIsTheWidgetLessItsMargins) {
    const PlotGeometry g(MakeAxis(20, 20000, true), MakeAxis(-20, 20, false), 600, 400,
                         PlotMargins{20, 30, 50, 10});
    ASSERT_TRUE(g.Valid());
    EXPECT_EQ(std::vector<double>({g.Left(), g.Right(), g.Top(), g.Bottom()}),
              std::vector<double>({50, 590, 20, 370}));
    const struct {
        PixelPoint pixel;
        PlotPoint value;
    } cases[] = {{{50, 370}, {20, -20}}, {{590, 20}, {20000, 20}}, {{410, 107.5}, {2000, 10}}};
    for (const auto& c : cases) {
        const auto v = g.ToValue(c.pixel);
        ASSERT_TRUE(v);
        EXPECT_NEAR(v->x, c.value.x, c.value.x * 1e-9);
        EXPECT_NEAR(v->y, c.value.y, 1e-9);
        const auto p = g.ToPixel(c.value);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->x, c.pixel.x, 1e-6);
        EXPECT_NEAR(p->y, c.pixel.y, 1e-6);
    }
    // The area includes its edges and nothing beyond them.
    for (const PixelPoint inside : {PixelPoint{50, 20}, PixelPoint{590, 370}}) {
        EXPECT_TRUE(g.InArea(inside)) << inside.x << ", " << inside.y;
    }
    for (const PixelPoint outside :
         {PixelPoint{49, 100}, PixelPoint{591, 100}, PixelPoint{100, 19}, PixelPoint{100, 371}}) {
        EXPECT_FALSE(g.InArea(outside)) << outside.x << ", " << outside.y;
    }
}

TEST(PlotGeometry, NothingMapsOnAWidgetSmallerThanItsMargins) {
    const PlotMargins margins{20, 30, 50, 10};
    for (const auto& [w, h] : {std::pair{60.0, 400.0}, std::pair{40.0, 400.0},
                               std::pair{600.0, 50.0}, std::pair{0.0, 0.0}}) {
        const PlotGeometry g(MakeAxis(20, 20000, true), MakeAxis(-20, 20, false), w, h, margins);
        EXPECT_FALSE(g.Valid()) << w << "x" << h;
        EXPECT_FALSE(g.ToValue({55, 25}));
        EXPECT_FALSE(g.ToPixel({1000, 0}));
        EXPECT_FALSE(g.InArea({55, 25}));
    }
}

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

TEST(PlotReadout, EqualiserShowsFiveSignificantDigits) {
    PlotModel plot;
    Configured(plot, PlotKind::Equaliser, ResponseView::Magnitude);
    const ReadoutCase cases[] = {
        {{999.97, 3.456}, " dBs ", "999.97 Hz , 3.46 dBs "},
        {{1234.567, -12.346}, " dBs", "1234.6 Hz , -12.35 dBs"},
        {{19999.96, 20.0}, " dBs", "20000 Hz , 20.00 dBs"},
        {{20.5, -20.0}, " dBs", "20.5 Hz , -20.00 dBs"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualiserReadout(plot, c.pointer, c.unit), c.text);
    }
    ShowResponseView(plot, PlotKind::Equaliser, ResponseView::Phase);
    EXPECT_EQ(EqualiserReadout(plot, PlotPoint{100.0, -179.5}, kReadoutUnitDegreeBlank),
              "100 Hz , -179.50\xBA ");
}

TEST(PlotReadout, CrossoverAndFinalShowWholeHertz) {
    PlotModel crossover;
    Configured(crossover, PlotKind::Crossover, ResponseView::Magnitude);
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{1234.4, -3.014}, " dBs"),
              "1234 Hz , -3.01 dBs");
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{1234.6, 15.0}, " dBs"), "1235 Hz , 15.00 dBs");
    ShowResponseView(crossover, PlotKind::Crossover, ResponseView::Phase);
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{50.2, 100.0}, kReadoutUnitDegree),
              "50 Hz , 100.00\xBA");

    PlotModel final;
    Configured(final, PlotKind::FinalResponse, ResponseView::Magnitude);
    const ReadoutCase cases[] = {
        {{999.97, 0.5}, " dBs", "1000 Hz , 0.50 dBs"},
        {{12345.6, -1.0}, " dBs", "12346 Hz , -1.00 dBs"},
        {{1234.5, 2.0}, " dBs", "1234 Hz , 2.00 dBs"}, // halves go to even
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FinalResponseReadout(final, c.pointer, c.unit), c.text);
    }
}

TEST(PlotReadout, DynamicsShowsBothLevelsInDbu) {
    PlotModel plot;
    ConfigurePlot(plot, PlotKind::Dynamics);
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{-12.46, -10.0}), "-12.5 dBu in , -10.0 dBu out");
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{22.0, -30.0}), "22.0 dBu in , -30.0 dBu out");
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{-31.0, 0.0}), "");
}

TEST(PlotReadout, NumbersKeepAtLeastOneSignificantDigit) {
    EXPECT_EQ(FormatGeneral(1234.5, 0), "1e+03");
    EXPECT_EQ(FormatGeneral(1234.5, 5), "1234.5");
}

TEST(PlotReadout, EmptyOutsideEitherRangeOrWithoutAValue) {
    PlotModel plot;
    Configured(plot, PlotKind::Equaliser, ResponseView::Magnitude);
    for (const PlotPoint p : {PlotPoint{19.9, 0.0}, PlotPoint{20001.0, 0.0},
                              PlotPoint{1000.0, 20.01}, PlotPoint{1000.0, -20.01}}) {
        EXPECT_EQ(EqualiserReadout(plot, p, " dBs"), "") << p.x << ", " << p.y;
        EXPECT_EQ(CrossoverReadout(plot, p, " dBs"), "");
        EXPECT_EQ(FinalResponseReadout(plot, p, " dBs"), "");
    }
    EXPECT_EQ(EqualiserReadout(plot, std::nullopt, " dBs"), "");
    plot.SetAxisRange(PlotAxisId::Y, 5.0, 5.0);
    EXPECT_EQ(EqualiserReadout(plot, PlotPoint{1000.0, 5.0}, " dBs"), "");
}

// The frequency plots switch their y axis between magnitude and phase and back to their
// own magnitude range; the dynamics plot has no views and keeps its axes.
TEST(PlotConfigurations, ViewsSwitchTheYAxisAndTheReadoutUnitOfFrequencyPlotsOnly) {
    const std::pair<PlotKind, double> magnitudeMax[] = {
        {PlotKind::Equaliser, 20.0}, {PlotKind::Crossover, 15.0}, {PlotKind::FinalResponse, 20.0}};
    for (const auto& [kind, maxDb] : magnitudeMax) {
        SCOPED_TRACE(static_cast<int>(kind));
        PlotModel plot;
        Configured(plot, kind, ResponseView::Phase);
        EXPECT_EQ(plot.YAxis().Title, "Phase");
        EXPECT_EQ(plot.YAxis().Min, -180.0);
        EXPECT_EQ(plot.YAxis().Max, 180.0);
        EXPECT_EQ(plot.XAxis().Title, "Frequency"); // only y changes
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Phase).substr(0, 1), "\xBA");
        ShowResponseView(plot, kind, ResponseView::Magnitude);
        EXPECT_EQ(plot.YAxis().Title, "dB");
        EXPECT_EQ(plot.YAxis().Min, -20.0);
        EXPECT_EQ(plot.YAxis().Max, maxDb);
        EXPECT_FALSE(plot.YAxis().AutoSizing);
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Magnitude), " dBs");
        // Each curve its own colour.
        EXPECT_NE(plot.Series(1).Colour().Rgb(), plot.Series(2).Colour().Rgb());
    }
    PlotModel dynamics;
    Configured(dynamics, PlotKind::Dynamics, ResponseView::Phase);
    EXPECT_EQ(dynamics.YAxis().Title, "output dBu");
    EXPECT_EQ(dynamics.YAxis().Max, 22.0);
}

TEST(PlotConfigurations, ReconfiguringKeepsTheCurvesAnEditorFilled) {
    PlotModel plot;
    ConfigurePlot(plot, PlotKind::Equaliser);
    PlotSeries& peq2 = plot.Series(2);
    peq2.AddPoint(20.0, 3.0);
    ConfigurePlot(plot, PlotKind::Equaliser);
    EXPECT_EQ(&plot.Series(2), &peq2);
    EXPECT_EQ(peq2.Points().size(), 1u);
    EXPECT_EQ(plot.SeriesCount(), 2u);
}
