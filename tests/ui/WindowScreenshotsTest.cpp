// Pictures of the small windows and the plot for looking at them, written only when
// VELD23_SCREENSHOT_DIR names a folder (the screenshots target sets it).
#include "editors/PlotConfigurations.h"
#include "editors/PlotModel.h"
#include "ui/ResponsePlotWidget.h"

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace veld23;

namespace {

QString ScreenshotDir() {
    const char* dir = std::getenv("VELD23_SCREENSHOT_DIR");
    return dir == nullptr ? QString() : QString::fromLocal8Bit(dir);
}

void Save(QWidget& widget, const QString& name) {
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const QPixmap picture = widget.grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    ASSERT_TRUE(QDir().mkpath(ScreenshotDir()));
    EXPECT_TRUE(picture.save(QDir(ScreenshotDir()).filePath(name + ".png"))) << name.toStdString();
    widget.hide();
}

class Screenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ScreenshotDir().isEmpty()) {
            GTEST_SKIP() << "VELD23_SCREENSHOT_DIR not set";
        }
    }
};

} // namespace

TEST_F(Screenshots, ResponsePlots) {
    PlotModel eq;
    ConfigurePlot(eq, PlotKind::Equaliser);
    for (int i = 0; i <= 400; ++i) {
        const double hz = 20.0 * std::pow(1000.0, i / 400.0);
        const double octaves = std::log2(hz / 1000.0);
        eq.Series(1).AddPoint(hz, 6.0 * std::exp(-octaves * octaves));
        eq.Series(2).AddPoint(hz, -4.0 / (1.0 + std::pow(hz / 150.0, -2.0)));
    }
    eq.Series(1).AddMark(1000.0, 7.0, "3", plotcolours::kWhite);
    ResponsePlotWidget eqWidget;
    eqWidget.SetModel(&eq);
    eqWidget.resize(640, 340);
    Save(eqWidget, "plot-equaliser");

    PlotModel dynamics;
    ConfigurePlot(dynamics, PlotKind::Dynamics);
    dynamics.SetTitle("Dynamic OUT 1");
    for (int i = -30; i <= 22; ++i) {
        dynamics.Series(1).AddPoint(i, i < 10 ? i : 10.0 + (i - 10) / 4.0);
    }
    ResponsePlotWidget dynamicsWidget;
    dynamicsWidget.SetModel(&dynamics);
    dynamicsWidget.resize(360, 340);
    Save(dynamicsWidget, "plot-dynamics");

    dynamics.SetAxisRange(PlotAxisId::X, 22.0, 22.0);
    Save(dynamicsWidget, "plot-inconsistent");
}
