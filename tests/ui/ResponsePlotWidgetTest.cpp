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

// Plot area 10..210 across (0..100) and 10..110 down (20..-20) in a 220 x 120 widget.
struct Fixture {
    PlotModel plot;
    Editor editor{plot};
    ResponsePlotWidget widget;
    Fixture() {
        widget.SetModel(&plot);
        widget.resize(220, 120);
        plot.SetColours(plot_colours::kFrequencyPlot);
        plot.SetMargins({10.0, 10.0, 10.0, 10.0});
        plot.SetAxisLogScale(PlotAxisId::X, false);
        plot.SetAxisRange(PlotAxisId::X, 0.0, 100.0);
        plot.SetAxisRange(PlotAxisId::Y, -20.0, 20.0);
        plot.SetAxisStepSize(PlotAxisId::Y, 5.0);
        plot.SetAxisStepSize(PlotAxisId::X, 10.0);
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

// The mapping is the model's; the widget hands it the pixel, the button and the keys.
TEST(ResponsePlotWidget, PressAndReleaseReachTheEditorWithTheValueUnderThePointer) {
    Fixture f;
    QTest::mousePress(&f.widget, Qt::LeftButton, Qt::NoModifier, QPoint(60, 35));
    QTest::mouseRelease(&f.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 35));
    ASSERT_EQ(f.editor.events.size(), 2u);
    for (const auto& [kind, pointer] : f.editor.events) {
        ASSERT_TRUE(pointer.value.has_value());
        EXPECT_NEAR(pointer.value->x, 25.0, 1e-9);
        EXPECT_NEAR(pointer.value->y, 10.0, 1e-9);
        EXPECT_EQ(pointer.pixel, (PixelPoint{60.0, 35.0}));
        EXPECT_EQ(pointer.shift, kind == 'u');
    }
    EXPECT_EQ(f.editor.events[0].first, 'd');
    EXPECT_EQ(f.editor.events[1].first, 'u');
}

TEST(ResponsePlotWidget, DrawsVisibleCurvesMarksAndAxesOrTheCaptionInstead) {
    Fixture f;
    PlotSeries& curve = f.plot.Series(1);
    curve.SetColour(plot_colours::kRed);
    curve.AddPoint(0.0, 10.0); // y = 10 lies a quarter down: pixel row 35
    curve.AddPoint(100.0, 10.0);
    curve.AddMark(50.0, -10.0, "8", plot_colours::kWhite); // centred on (110, 85)
    QImage image = f.Render();
    EXPECT_GT(Count(image, QRect(20, 33, 180, 4), IsRed), 150); // the whole width, near row 35
    EXPECT_EQ(Count(image, QRect(20, 40, 180, 60), IsRed), 0);
    EXPECT_GT(Count(image, QRect(100, 75, 20, 20), IsWhite), 5);
    EXPECT_EQ(Count(image, QRect(20, 20, 60, 50), IsWhite), 0);
    EXPECT_GT(Count(image, image.rect(), IsAxes), 0);
    const QRect centre(20, 45, 180, 30);
    EXPECT_EQ(Count(image, centre, IsAqua), 0);

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

    // An axis that cannot be drawn: the caption instead of the axes and the curves.
    f.plot.SetAxisRange(PlotAxisId::Y, 5.0, 5.0);
    image = f.Render();
    EXPECT_EQ(Count(image, image.rect(), IsRed), 0);
    EXPECT_GT(Count(image, centre, IsAqua), 30); // the caption's letters
    EXPECT_EQ(Count(image, image.rect(), IsAxes), 0);
}

TEST(ResponsePlotWidget, PaintsWhenSmallerThanItsMargins) {
    Fixture f;
    ConfigurePlot(f.plot, PlotKind::Equaliser);
    for (int i = 0; i <= 400; ++i) {
        f.plot.Series(1).AddPoint(20.0 * std::pow(1000.0, i / 400.0), std::sin(i / 10.0) * 30.0);
    }
    for (const QSize size : {QSize(1, 1), QSize(71, 65), QSize(90, 40)}) {
        f.widget.resize(size);
        EXPECT_EQ(f.Render().size(), size);
    }
}

TEST(ResponsePlotWidget, ABurstOfChangesCostsOnePaint) {
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

    // Once detached, the model no longer reaches the widget.
    f.widget.SetModel(nullptr);
    QApplication::processEvents();
    const int detached = counter.paints;
    burst();
    EXPECT_EQ(counter.paints, detached);
}
