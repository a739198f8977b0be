// The response plot on its own and the small windows, each filled with typical content.
#include "Shots.h"

#include "commands/PasswordKeypad.h"
#include "config/ProcessorConfiguration.h"
#include "config/SystemInformation.h"
#include "device/DeviceImage.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "ui/AboutWindow.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/DeviceImageWindow.h"
#include "ui/LoadingFileWindow.h"
#include "ui/PasswordKeypadWindow.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/SystemInfoWindow.h"
#include "ui/TopologyChooserWindow.h"
#include "ui/TransferProgressWindow.h"

#include <cmath>

namespace veld23::shots {
namespace {

void ShootPlots(ShotFolder& shots) {
    PlotModel eq;
    ConfigurePlot(eq, PlotKind::Equaliser);
    for (int i = 0; i <= 400; ++i) {
        const double hz = 20.0 * std::pow(1000.0, i / 400.0);
        const double octaves = std::log2(hz / 1000.0);
        eq.Series(1).AddPoint(hz, 6.0 * std::exp(-octaves * octaves));
        eq.Series(2).AddPoint(hz, -4.0 / (1.0 + std::pow(hz / 150.0, -2.0)));
        eq.Series(3).AddPoint(hz, -10.0 * std::log10(1.0 + std::pow(hz / 2000.0, 16.0)));
    }
    eq.Series(3).SetColour(plot_colours::kYellow);
    eq.Series(1).AddMark(1000.0, 7.0, "3", plot_colours::kWhite);
    ResponsePlotWidget eqWidget;
    eqWidget.SetModel(&eq);
    eqWidget.resize(640, 340);
    shots.Save(eqWidget, "plot-equaliser");

    PlotModel dynamics;
    ConfigurePlot(dynamics, PlotKind::Dynamics);
    dynamics.SetTitle("Dynamic OUT 1");
    for (int i = -30; i <= 22; ++i) {
        dynamics.Series(1).AddPoint(i, i < 10 ? i : 10.0 + (i - 10) / 4.0);
    }
    ResponsePlotWidget dynamicsWidget;
    dynamicsWidget.SetModel(&dynamics);
    dynamicsWidget.resize(360, 340);
    shots.Save(dynamicsWidget, "plot-dynamics");
    dynamics.SetAxisRange(PlotAxisId::X, 22.0, 22.0);
    shots.Save(dynamicsWidget, "plot-inconsistent");
}

} // namespace

void ShootSmallWindows(ShotFolder& shots) {
    ShootPlots(shots);

    TransferProgressWindow progress;
    progress.SetPortLabel("Comunication Port : COM1");
    progress.SetGaugeMax(2048);
    progress.SetGaugePosition(1280);
    progress.SetInfo("Sending DATA... to Memory 3");
    shots.Save(progress, "transfer-progress");
    progress.SetInfo("  \u00A1\u00A1ERROR!! HEADER NO VALID(129)");
    shots.Save(progress, "transfer-progress-failed");
    progress.hide();

    commands::PasswordKeypad keypad;
    keypad.Open();
    keypad.Press(commands::PasswordKey::Push);
    keypad.Press(commands::PasswordKey::Left);
    keypad.ToggleActive();
    PasswordKeypadWindow keypadWindow;
    keypadWindow.Bind(&keypad);
    shots.Save(keypadWindow, "password-keypad");
    keypadWindow.hide();

    CoefficientViewerWindow coefficients([](int k) {
        static const char* texts[] = {"0.998203", "-1.992771", "0.994649", "1.992771", "-0.992852"};
        return std::string(texts[k]);
    });
    shots.Save(coefficients, "coefficient-viewer");
    coefficients.hide();

    ProcessorConfiguration config;
    DeviceImageWindow image([&config] { return BuildDeviceImage(config); });
    shots.Save(image, "device-image");
    image.hide();

    TopologyChooserWindow chooser([](OutputTopology) {});
    shots.Save(chooser, "topology-chooser");
    chooser.hide();

    SystemInformationTexts info;
    info.ProjectName.Assign("Auditorio");
    info.Comments.Assign("Two boxes a side.\r\nSUB on the floor.");
    SystemInfoWindow systemInfo(info);
    shots.Save(systemInfo, "system-info");
    systemInfo.hide();

    AboutWindow about;
    about.Fill(QString::fromUtf8("VELD23  -  24-Bit Digital Signal Processing System.\n\n"
                                 "VELD23 provides comprehensive, professional quality processing "
                                 "of all audio input signals.\n\nAll Parameters for each "
                                 "Functional Block are fully configurable by the system designer, "
                                 "permitting great flexibility and highly optimised processing "
                                 "specific to the system\u2019s application."),
               "www.example.com", "info@example.com");
    shots.Save(about, "about");
    about.hide();

    LoadingFileWindow loading;
    shots.Save(loading, "loading-file");
    loading.hide();
}

} // namespace veld23::shots
