// The plot widget paints its model and hands the mouse back to it; where a value lands
// in pixels is the plot geometry's, so here the paint is checked by where colours appear.
#include "ui/ResponsePlotWidget.h"

#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

using namespace veld23;

namespace {

// Records what the plot hands its editor.
class Editor : public PlotMouseListener {
  public:
    explicit Editor(PlotModel& plot) { plot.SetMouseListener(this); }
    std::vector<std::pair<char, PlotPointer>> events;
    void PlotMouseDown(const PlotPointer& p) override { events.push_back({'d', p}); }
    void PlotMouseMove(const PlotPointer& p) override { events.push_back({'m', p}); }
    void PlotMouseUp(const PlotPointer& p) override { events.push_back({'u', p}); }
};

// Plot area 10..210 across (0..100) and 10..110 down (20..-20) in a 220 x 120 widget; with
// a logarithmic x, 20 Hz..20 kHz, three decades of 100 pixels each across 10..310 in 320 x 120
// and 10..90 down.
void Axes(PlotModel& plot, bool logarithmic) {
    plot.SetColours(plotcolours::kFrequencyPlot);
    plot.SetMargins({10.0, logarithmic ? 30.0 : 10.0, 10.0, 10.0});
    plot.SetAxisLogScale(PlotAxisId::X, logarithmic);
    plot.SetAxisRange(PlotAxisId::X, logarithmic ? 20.0 : 0.0, logarithmic ? 20000.0 : 100.0);
    plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    plot.SetAxisStepSize(PlotAxisId::Y, 5.0);
    if (!logarithmic) {
        plot.SetAxisStepSize(PlotAxisId::X, 10.0);
    }
}

struct Fixture {
    PlotModel plot;
    Editor editor{plot};
    ResponsePlotWidget widget;
    explicit Fixture(bool logarithmic = false) {
        widget.SetModel(&plot);
        widget.resize(logarithmic ? 320 : 220, 120);
        Axes(plot, logarithmic);
    }
    QImage Render() {
        QImage image(widget.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        widget.render(&image);
        return image;
    }
};

// Pixels inside `area` that satisfy `match`.
int Count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            count += match(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool IsRed(QColor c) {
    return c.red() > 150 && c.green() < 90;
}
bool IsWhite(QColor c) {
    return c.red() > 215 && c.green() > 215 && c.blue() > 215;
}
bool IsAqua(QColor c) { // the caption of an axis that cannot be drawn
    return c.red() < 10 && c.green() > 245 && c.blue() > 245;
}
bool IsAxes(QColor c) {
    return std::abs(c.red() - 0x80) <= 10 && c.green() > 245 && c.blue() > 245;
}

} // namespace

TEST(ResponsePlotWidget, PressAndReleaseReachTheEditorWithTheValueUnderThePointer) {
    const struct {
        bool logarithmic;
        QPoint pixel;
        double x;
        double y;
    } cases[] = {{false, {60, 35}, 25.0, 10.0}, {true, {210, 30}, 2000.0, 10.0}};
    for (const auto& c : cases) {
        Fixture f(c.logarithmic);
        QTest::mousePress(&f.widget, Qt::LeftButton, Qt::NoModifier, c.pixel);
        QTest::mouseRelease(&f.widget, Qt::LeftButton, Qt::ShiftModifier, c.pixel);
        ASSERT_EQ(f.editor.events.size(), 2u);
        for (const auto& [kind, pointer] : f.editor.events) {
            ASSERT_TRUE(pointer.value.has_value());
            EXPECT_NEAR(pointer.value->x, c.x, 1e-9);
            EXPECT_NEAR(pointer.value->y, c.y, 1e-9);
            EXPECT_EQ(pointer.pixel, (PixelPoint{double(c.pixel.x()), double(c.pixel.y())}));
            EXPECT_EQ(pointer.shift, kind == 'u');
        }
        EXPECT_EQ(f.editor.events[0].first, 'd');
        EXPECT_EQ(f.editor.events[1].first, 'u');
    }
}

TEST(ResponsePlotWidget, DrawsVisibleCurvesAndMarksWhereTheAxesPutThem) {
    Fixture f;
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plotcolours::kRed);
    curve.AddPoint(0.0, 10.0); // y = 10 lies a quarter down: pixel row 35
    curve.AddPoint(100.0, 10.0);
    curve.AddMark(50.0, -10.0, "8", plotcolours::kWhite); // centred on (110, 85)
    QImage image = f.Render();
    EXPECT_GT(Count(image, QRect(20, 33, 180, 4), IsRed), 150); // the whole width, near row 35
    EXPECT_EQ(Count(image, QRect(20, 40, 180, 60), IsRed), 0);
    EXPECT_GT(Count(image, QRect(100, 75, 20, 20), IsWhite), 5);
    EXPECT_EQ(Count(image, QRect(20, 20, 60, 50), IsWhite), 0);

    curve.SetVisible(false);
    image = f.Render();
    EXPECT_EQ(Count(image, QRect(10, 10, 200, 100), IsRed), 0);
    EXPECT_EQ(Count(image, QRect(100, 75, 20, 20), IsWhite), 0);

    // A point without a place breaks the curve; minus infinity is pinned far below and
    // clipped, so the dive and the climb back are all but vertical, at x = 60 and 160.
    curve.SetVisible(true);
    curve.Clear();
    curve.AddPoint(0.0, 0.0);
    curve.AddPoint(50.0, std::numeric_limits<double>::quiet_NaN());
    curve.AddPoint(100.0, 0.0);
    EXPECT_EQ(Count(f.Render(), QRect(30, 55, 160, 10), IsRed), 0);
    curve.Clear();
    for (const double x : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        curve.AddPoint(x, x == 50.0 ? -std::numeric_limits<double>::infinity() : 0.0);
    }
    image = f.Render();
    EXPECT_GT(Count(image, QRect(20, 55, 30, 10), IsRed), 20);
    EXPECT_GT(Count(image, QRect(58, 70, 5, 35), IsRed), 30);
    EXPECT_GT(Count(image, QRect(158, 70, 5, 35), IsRed), 30);
    EXPECT_EQ(Count(image, QRect(70, 70, 80, 35), IsRed), 0);
}

TEST(ResponsePlotWidget, InconsistentAxisShowsTheCaptionInsteadOfAxesAndCurves) {
    Fixture f;
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plotcolours::kRed);
    curve.AddPoint(0.0, 0.0);
    curve.AddPoint(100.0, 0.0);
    const QRect centre(20, 45, 180, 30);
    ASSERT_GT(Count(f.Render(), centre, IsRed), 100);
    EXPECT_EQ(Count(f.Render(), centre, IsAqua), 0);

    f.plot.SetAxisRange(PlotAxisId::Y, 5.0, 5.0);
    QImage image = f.Render();
    EXPECT_EQ(Count(image, image.rect(), IsRed), 0);
    EXPECT_GT(Count(image, centre, IsAqua), 30); // the caption's letters
    EXPECT_EQ(Count(image, image.rect(), IsAxes), 0);
    // No values either: the editor is told the pointer has none.
    QTest::mouseClick(&f.widget, Qt::LeftButton, Qt::NoModifier, QPoint(110, 60));
    ASSERT_FALSE(f.editor.events.empty());
    EXPECT_FALSE(f.editor.events.back().second.value.has_value());

    // A logarithmic axis reaching down to zero cannot be drawn either.
    f.plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
    f.plot.SetAxisLogScale(PlotAxisId::X, true);
    image = f.Render();
    EXPECT_EQ(Count(image, image.rect(), IsRed), 0);
    EXPECT_GT(Count(image, centre, IsAqua), 30);
}

TEST(ResponsePlotWidget, PaintsAndMapsNothingWhenSmallerThanItsMargins) {
    Fixture f;
    ConfigurePlot(f.plot, PlotKind::Equaliser);
    for (int i = 0; i <= 400; ++i) {
        f.plot.Series(1).AddPoint(20.0 * std::pow(1000.0, i / 400.0), std::sin(i / 10.0) * 30.0);
    }
    for (const QSize size : {QSize(1, 1), QSize(71, 65), QSize(90, 40)}) {
        f.widget.resize(size);
        EXPECT_EQ(f.Render().size(), size);
    }
    // At exactly the margins' size there is no plot area to map into.
    f.widget.resize(70, 64);
    QTest::mouseClick(&f.widget, Qt::LeftButton, Qt::NoModifier, QPoint(60, 30));
    ASSERT_EQ(f.editor.events.size(), 2u);
    EXPECT_FALSE(f.editor.events[0].second.value.has_value());
}

TEST(ResponsePlotWidget, ABurstOfChangesCostsOnePaintAndNoneWhilePlottingIsOff) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    Fixture f;
    f.widget.installEventFilter(&counter);
    f.widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.widget));
    QApplication::processEvents();
    counter.paints = 0;
    PlotSeries& curve = f.plot.Series(1);
    const auto burst = [&curve] {
        for (int i = 0; i < 200; ++i) {
            curve.AddPoint(i / 2.0, i / 20.0);
        }
        QApplication::processEvents();
    };
    burst();
    EXPECT_EQ(counter.paints, 1);
    f.plot.SetPlotting(false);
    burst();
    EXPECT_EQ(counter.paints, 1);
    f.plot.SetPlotting(true);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);

    // Once detached, the model no longer reaches the widget.
    f.widget.SetModel(nullptr);
    QApplication::processEvents();
    const int detached = counter.paints;
    burst();
    EXPECT_EQ(counter.paints, detached);
}
