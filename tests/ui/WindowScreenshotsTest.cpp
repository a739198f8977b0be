// Pictures of the small windows and the plot for looking at them, written only when
// VELD23_SCREENSHOT_DIR names a folder (the screenshots target sets it).
#include "commands/PasswordKeypad.h"
#include "config/ProcessorConfiguration.h"
#include "config/SystemInformation.h"
#include "device/DeviceImage.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "ui/AboutWindow.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/DarkTheme.h"
#include "ui/DeviceImageWindow.h"
#include "ui/LoadingFileWindow.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/SystemInfoWindow.h"
#include "ui/TopologyChooserWindow.h"
#include "ui/TransferProgressWindow.h"

#include <QApplication>
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
        ApplyDarkTheme(*qApp);
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
        eq.Series(3).AddPoint(hz, -10.0 * std::log10(1.0 + std::pow(hz / 2000.0, 16.0)));
    }
    eq.Series(3).SetColour(plotcolours::kYellow);
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

TEST_F(Screenshots, SmallWindows) {
    TransferProgressWindow progress;
    progress.SetPortLabel("Comunication Port : COM1");
    progress.SetGaugeMax(2048);
    progress.SetGaugePosition(1280);
    progress.SetInfo("Sending DATA... to Memory 3");
    Save(progress, "transfer-progress");
    progress.SetInfo("  \u00A1\u00A1ERROR!! HEADER NO VALID(129)");
    Save(progress, "transfer-progress-failed");

    commands::PasswordKeypad keypad;
    keypad.Open();
    keypad.Press(commands::PasswordKey::Push);
    keypad.Press(commands::PasswordKey::Left);
    keypad.ToggleActive();
    PasswordKeypadWindow keypadWindow;
    keypadWindow.Bind(&keypad);
    Save(keypadWindow, "password-keypad");

    CoefficientViewerWindow coefficients([](int k) {
        static const char* texts[] = {"0.998203", "-1.992771", "0.994649", "1.992771", "-0.992852"};
        return std::string(texts[k]);
    });
    Save(coefficients, "coefficient-viewer");

    ProcessorConfiguration config;
    DeviceImageWindow image([&config] { return BuildDeviceImage(config); });
    Save(image, "device-image");

    TopologyChooserWindow chooser([](OutputTopology) {});
    Save(chooser, "topology-chooser");

    SystemInformationTexts info;
    info.ProjectName.Assign("Auditorio");
    info.Comments.Assign("Two boxes a side.\r\nSUB on the floor.");
    SystemInfoWindow systemInfo(info);
    Save(systemInfo, "system-info");

    AboutWindow about;
    about.Fill(QString::fromUtf8("VELD23  -  24-Bit Digital Signal Processing System.\n\n"
                                 "VELD23 provides comprehensive, professional quality processing "
                                 "of all audio input signals.\n\nAll Parameters for each "
                                 "Functional Block are fully configurable by the system designer, "
                                 "permitting great flexibility and highly optimised processing "
                                 "specific to the system\u2019s application."),
               "www.example.com", "info@example.com");
    Save(about, "about");

    LoadingFileWindow loading;
    Save(loading, "loading-file");
}
