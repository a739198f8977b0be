// The final response window and its measurement import dialog, driven through their real
// widgets offscreen from the main window's button, with the file dialogs scripted.
#include "ui/RunningProgram.h"

#include "measure/FinalResponseView.h"
#include "ui/FinalResponseWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/MeasurementImportWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>

using namespace veld23;
using FinalResponseWindowScenario = veld23::testing::OfflineProgram;

namespace {

template <typename T> T* Child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QAction* Action(QWidget& widget, const QString& text) {
    for (QAction* action : widget.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

} // namespace

TEST_F(FinalResponseWindowScenario, ImportsSwitchesAndExports) {
    QPushButton* open = Main().CommandBar().finalResponseButton;
    ASSERT_TRUE(open->isEnabled());
    Click(open);
    FinalResponseWindow& window = program->FinalResponse();
    ASSERT_TRUE(window.isVisible());
    const FinalResponseCurves& curves = window.View().Curves();
    constexpr int j = 200; // about 500 Hz
    EXPECT_EQ(curves.magnitudeDb[1][j], 0.0f);

    QTemporaryDir dir;
    const auto file = [&dir](const char* name, const char* text) {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path) << text;
        return path;
    };
    const std::string woofer = file("woofer.frd", "* 93 dB SPL\n20 93 0\n24000 93 0\n");
    const std::string mid = file("mid.frd", "* 84 dB SPL\n20 84 0\n24000 84 0\n");
    const std::string damaged = file("damaged.frd", "20 84 0\n2000 83 0\n1000 82 0\n");

    Click(Child<QPushButton>(window, "importButton"));
    MeasurementImportWindow& import = window.ImportWindow();
    ASSERT_TRUE(import.isVisible());
    QComboBox* layout = Child<QComboBox>(import, "layoutSelector");
    QTest::keyClick(layout, Qt::Key_End);
    ASSERT_EQ(layout->currentText(), "FRD / text");
    const auto importInto = [&](int slot, const std::string& path) {
        dialogs.openPaths.push_back(path);
        Click(Child<QPushButton>(import, QString("browseButton%1").arg(slot).toLatin1()));
        Click(Child<QPushButton>(import, QString("importButton%1").arg(slot).toLatin1()));
    };
    importInto(1, woofer);
    EXPECT_EQ(curves.magnitudeDb[0][j], 3.0f); // 93 dB SPL over the 90 dB reference
    importInto(2, mid);
    EXPECT_EQ(curves.magnitudeDb[1][j], -6.0f);
    EXPECT_TRUE(dialogs.Logged("measurement:").empty());

    // A damaged file: its one message, its channel flat, channel 1 as it was.
    importInto(2, damaged);
    ASSERT_EQ(dialogs.Logged("measurement:").size(), 1u);
    EXPECT_EQ(curves.magnitudeDb[1][j], 0.0f);
    EXPECT_EQ(curves.magnitudeDb[0][j], 3.0f);

    // SPEAKERS DATA off: channel 1 loses its measurement and the sum changes with it.
    const float sumBefore = curves.magnitudeDb[FinalResponseCurves::kSum][j];
    Click(Child<QCheckBox>(window, "switch1"));
    EXPECT_FALSE(Config().FinalResponse.SpkData);
    EXPECT_EQ(curves.magnitudeDb[0][j], 0.0f);
    EXPECT_NE(curves.magnitudeDb[FinalResponseCurves::kSum][j], sumBefore);
    Click(Child<QRadioButton>(window, "phaseView"));
    EXPECT_EQ(window.View().View(), ResponseView::Phase);
    EXPECT_EQ(Child<QCheckBox>(window, "curve3")->text(), "Out2"); // two outputs

    // Export: the FRD files into a chosen folder, the plot as pictures.
    dialogs.folders.push_back(dir.path().toStdString());
    QMenu* exports = Child<QPushButton>(window, "exportButton")->menu();
    ASSERT_NE(exports, nullptr);
    Action(*exports, "Final response as &FRD files…")->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath("sum.frd")));
    ResponsePlotWidget& plot = window.Plot();
    dialogs.savePaths.push_back(dir.filePath("plot.png").toStdString());
    Action(plot, "Save picture at double size…")->trigger();
    const QImage picture(dir.filePath("plot.png"));
    EXPECT_EQ(picture.size(), plot.size() * 2);
    dialogs.savePaths.push_back(dir.filePath("plot.svg").toStdString());
    Action(plot, "Save picture…")->trigger();
    QFile svg(dir.filePath("plot.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<title>Final Frequency Response</title>"));
    EXPECT_TRUE(dialogs.Logged("error:").empty());
}
