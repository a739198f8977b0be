#include "ui/ResponsePlotWidget.h"

#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "ui/WidgetImage.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace veld23;
using veld23::testing::CountPixels;
using veld23::testing::Near;
using veld23::testing::Render;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kAxes(0x80, 0xFF, 0xFF);

// Records what the plot hands its editor, and answers moves the way an editor does: with a
// readout and, near a chosen spot, the hand pointer.
class Editor : public PlotMouseListener {
  public:
    struct Event {
        char kind;
        PlotPointer pointer;
    };
    explicit Editor(PlotModel& plot) : plot_(plot) { plot.SetMouseListener(this); }
    std::vector<Event> events;
    std::string readout;
    bool hand = false;

    void PlotMouseDown(const PlotPointer& p) override { events.push_back({'d', p}); }
    void PlotMouseMove(const PlotPointer& p) override {
        events.push_back({'m', p});
        plot_.SetReadout(readout);
        plot_.SetHandPointer(hand);
    }
    void PlotMouseUp(const PlotPointer& p) override { events.push_back({'u', p}); }

  private:
    PlotModel& plot_;
};

// Plot area 10..210 across and 10..110 down in a 220 x 120 widget.
void LinearAxes(PlotModel& plot) {
    plot.SetColours(plot_colours::kFrequencyPlot);
    plot.SetMargins({10, 10, 10, 10});
    plot.SetAxisRange(PlotAxisId::X, 0.0, 100.0);
    plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    plot.SetAxisStepSize(PlotAxisId::Y, 5.0);
    plot.SetAxisStepSize(PlotAxisId::X, 10.0);
}

// Plot area 10..310 across (three decades, 100 pixels each) and 10..90 down in 320 x 120.
void FrequencyAxes(PlotModel& plot) {
    plot.SetColours(plot_colours::kFrequencyPlot);
    plot.SetMargins({10, 30, 10, 10});
    plot.SetAxisLogScale(PlotAxisId::X, true);
    plot.SetAxisRange(PlotAxisId::X, 20.0, 20000.0);
    plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    plot.SetAxisStepSize(PlotAxisId::Y, 5.0);
}

struct Fixture {
    PlotModel plot;
    Editor editor{plot};
    ResponsePlotWidget widget;
    explicit Fixture(QSize size) {
        widget.SetModel(&plot);
        widget.resize(size);
    }
};

int RedPixels(const QImage& image, QRect area) {
    return CountPixels(image, area, [](QColor c) { return c.red() > 150 && c.green() < 90; });
}

} // namespace

TEST(ResponsePlotWidget, PressAndReleaseReachTheEditorWithTheValueUnderThePointer) {
    // Linear axes: 0..100 across 10..210, -20..20 up 110..10; three decades of frequency
    // 100 pixels each across 10..310, -20..20 up 90..10.
    const struct {
        bool logarithmic;
        QPoint pixel;
        double x;
        double y;
    } cases[] = {{false, {110, 60}, 50.0, 0.0},
                 {false, {60, 35}, 25.0, 10.0},
                 {true, {110, 50}, 200.0, 0.0},
                 {true, {210, 30}, 2000.0, 10.0}};
    for (const auto& c : cases) {
        Fixture f(c.logarithmic ? QSize(320, 120) : QSize(220, 120));
        c.logarithmic ? FrequencyAxes(f.plot) : LinearAxes(f.plot);
        QTest::mousePress(&f.widget, Qt::LeftButton, Qt::NoModifier, c.pixel);
        QTest::mouseRelease(&f.widget, Qt::LeftButton, Qt::ShiftModifier, c.pixel);
        ASSERT_EQ(f.editor.events.size(), 2u);
        for (const Editor::Event& event : f.editor.events) {
            ASSERT_TRUE(event.pointer.value.has_value());
            EXPECT_NEAR(event.pointer.value->x, c.x, 1e-9);
            EXPECT_NEAR(event.pointer.value->y, c.y, 1e-9);
            EXPECT_EQ(event.pointer.pixel, (PixelPoint{double(c.pixel.x()), double(c.pixel.y())}));
        }
        EXPECT_EQ(f.editor.events[0].kind, 'd');
        EXPECT_FALSE(f.editor.events[0].pointer.shift);
        EXPECT_EQ(f.editor.events[1].kind, 'u');
        EXPECT_TRUE(f.editor.events[1].pointer.shift);
    }
}

TEST(ResponsePlotWidget, DrawsVisibleCurvesAndMarksWhereTheAxesPutThem) {
    Fixture f({220, 120});
    LinearAxes(f.plot);
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plot_colours::kRed);
    curve.AddPoint(0.0, 10.0); // y = 10 lies a quarter down: pixel row 35
    curve.AddPoint(100.0, 10.0);
    curve.AddMark(50.0, -10.0, "8", plot_colours::kWhite); // centred on (110, 85)

    QImage image = Render(f.widget);
    EXPECT_GT(RedPixels(image, QRect(20, 33, 180, 4)), 150); // the whole width, near row 35
    EXPECT_EQ(RedPixels(image, QRect(20, 40, 180, 60)), 0);
    EXPECT_GT(CountPixels(image, QRect(100, 75, 20, 20), Near(kWhite)), 5);
    EXPECT_EQ(CountPixels(image, QRect(20, 20, 60, 50), Near(kWhite)), 0);

    curve.SetVisible(false);
    image = Render(f.widget);
    EXPECT_EQ(RedPixels(image, QRect(10, 10, 200, 100)), 0);
    EXPECT_EQ(CountPixels(image, QRect(100, 75, 20, 20), Near(kWhite)), 0);
}

TEST(ResponsePlotWidget, APointWithoutAPlaceBreaksTheCurve) {
    Fixture f({220, 120});
    LinearAxes(f.plot);
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plot_colours::kRed);
    curve.AddPoint(0.0, 0.0);
    curve.AddPoint(50.0, std::numeric_limits<double>::quiet_NaN());
    curve.AddPoint(100.0, 0.0);
    QImage image = Render(f.widget);
    EXPECT_EQ(RedPixels(image, QRect(30, 55, 160, 10)), 0);

    // Plunging to minus infinity still draws: the point is pinned far below and clipped.
    // The dive and the climb back are all but vertical, at x = 60 and 160.
    curve.Clear();
    for (double x : {0.0, 25.0}) {
        curve.AddPoint(x, 0.0);
    }
    curve.AddPoint(50.0, -std::numeric_limits<double>::infinity());
    for (double x : {75.0, 100.0}) {
        curve.AddPoint(x, 0.0);
    }
    image = Render(f.widget);
    EXPECT_GT(RedPixels(image, QRect(20, 55, 30, 10)), 20);
    EXPECT_GT(RedPixels(image, QRect(58, 70, 5, 35)), 30);
    EXPECT_GT(RedPixels(image, QRect(158, 70, 5, 35)), 30);
    EXPECT_EQ(RedPixels(image, QRect(70, 70, 80, 35)), 0);
}

TEST(ResponsePlotWidget, InconsistentAxisShowsTheCaptionInsteadOfAxesAndCurves) {
    Fixture f({220, 120});
    LinearAxes(f.plot);
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plot_colours::kRed);
    curve.AddPoint(0.0, 0.0);
    curve.AddPoint(100.0, 0.0);
    const QRect centre(20, 45, 180, 30);
    QImage image = Render(f.widget);
    ASSERT_GT(RedPixels(image, centre), 100);
    EXPECT_EQ(CountPixels(image, centre, Near(kAqua, 10)), 0);

    f.plot.SetAxisRange(PlotAxisId::Y, 5.0, 5.0);
    image = Render(f.widget);
    EXPECT_EQ(RedPixels(image, QRect(0, 0, 220, 120)), 0);
    EXPECT_GT(CountPixels(image, centre, Near(kAqua, 10)), 30); // the caption's letters
    EXPECT_EQ(CountPixels(image, QRect(0, 0, 220, 120), Near(kAxes, 10)), 0);

    // No values either: the editor is told the pointer has none.
    QTest::mouseClick(&f.widget, Qt::LeftButton, Qt::NoModifier, QPoint(110, 60));
    ASSERT_FALSE(f.editor.events.empty());
    EXPECT_FALSE(f.editor.events.back().pointer.value.has_value());

    // A logarithmic axis reaching down to zero cannot be drawn either.
    f.plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    f.plot.SetAxisLogScale(PlotAxisId::X, true);
    image = Render(f.widget);
    EXPECT_EQ(RedPixels(image, QRect(0, 0, 220, 120)), 0);
    EXPECT_GT(CountPixels(image, centre, Near(kAqua, 10)), 30);
}

TEST(ResponsePlotWidget, PaintsAndMapsNothingWhenSmallerThanItsMargins) {
    Fixture f({220, 120});
    ConfigurePlot(f.plot, PlotKind::Equaliser);
    for (int i = 0; i <= 400; ++i) {
        f.plot.Series(1).AddPoint(20.0 * std::pow(1000.0, i / 400.0), std::sin(i / 10.0) * 30.0);
    }
    for (QSize size : {QSize(1, 1), QSize(71, 65), QSize(90, 40)}) {
        f.widget.resize(size);
        EXPECT_EQ(Render(f.widget).size(), size);
    }
    // At exactly the margins' size there is no plot area to map into.
    f.widget.resize(70, 64);
    QTest::mouseClick(&f.widget, Qt::LeftButton, Qt::NoModifier, QPoint(60, 30));
    ASSERT_EQ(f.editor.events.size(), 2u);
    EXPECT_FALSE(f.editor.events[0].pointer.value.has_value());
}

TEST(ResponsePlotWidget, ABurstOfChangesCostsOnePaintAndNoneWhilePlottingIsOff) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    Fixture f({220, 120});
    LinearAxes(f.plot);
    f.widget.installEventFilter(&counter);
    f.widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.widget));
    QApplication::processEvents();
    counter.paints = 0;

    PlotSeries& curve = f.plot.Series(1);
    for (int i = 0; i < 200; ++i) {
        curve.AddPoint(i / 2.0, i / 20.0);
    }
    f.plot.SetTitle("OUT 1 Equalization");
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);

    f.plot.SetPlotting(false);
    curve.Clear();
    for (int i = 0; i < 200; ++i) {
        curve.AddPoint(i / 2.0, -i / 20.0);
    }
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    f.plot.SetPlotting(true);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);

    // Once detached, the model no longer reaches the widget.
    f.widget.SetModel(nullptr);
    QApplication::processEvents();
    const int before = counter.paints;
    curve.AddPoint(1.0, 1.0);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, before);
}
