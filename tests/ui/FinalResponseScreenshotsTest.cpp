// Pictures of the final response window (magnitude and phase) and the measurement import
// dialog: a three-output system with a crossover at 90 Hz and a measured speaker on every
// channel (tests/data). Written only when VELD23_SCREENSHOT_DIR names a folder.
#include "ui/ScriptedDialogs.h"

#include "measure/MeasurementImportController.h"

#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/FinalResponseWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/MeasurementImportWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace veld23;

namespace {

QString ScreenshotDir() {
    const char* dir = std::getenv("VELD23_SCREENSHOT_DIR");
    return dir == nullptr ? QString() : QString::fromLocal8Bit(dir);
}

bool Save(QWidget& window, const QString& name) {
    if (!QTest::qWaitForWindowExposed(&window)) {
        return false;
    }
    QTest::qWait(50);
    const QPixmap picture = window.grab();
    return !picture.isNull() && QDir().mkpath(ScreenshotDir()) &&
           picture.save(QDir(ScreenshotDir()).filePath(name + ".png"));
}

std::string SampleFile(const char* name) {
    return (std::filesystem::path(VELD23_TEST_DATA_DIR) / name).string();
}

// Linkwitz-Riley halves at 90 Hz: high-pass on the two full-range outputs, low-pass on SUB.
void CrossAt90Hz(CrossoverController& crossover) {
    for (int output = 1; output <= 3; ++output) {
        const XoverSide side = output == 3 ? XoverSide::LowPass : XoverSide::HighPass;
        crossover.ChooseOutput(output);
        crossover.ChooseFamily(side, 2);
        crossover.SetFrequencyText(side, "90");
        crossover.FrequencyEnter(side);
    }
}

class FinalResponseScreenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ScreenshotDir().isEmpty()) {
            GTEST_SKIP() << "VELD23_SCREENSHOT_DIR not set";
        }
        ApplyDarkTheme(*qApp);
    }
};

} // namespace

TEST_F(FinalResponseScreenshots, FinalResponseAndMeasurementImport) {
    veld23::testing::ScriptedDialogs dialogs;
    EditorProgram program(dialogs, {});
    program.SetEndHandler([] {});
    program.Start();
    QTest::mouseClick(program.ConnectWindow().Selector(link::LinkIndicator::Offline),
                      Qt::LeftButton);
    program.Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    CrossAt90Hz(program.Editors().crossover);

    MeasurementImportSettings& import = program.Configuration().MeasurementImport;
    import.MeasurementFiles = {SampleFile("speaker-out1.frd"), SampleFile("speaker-out2.frd"),
                               SampleFile("speaker-sub.frd")};
    import.ImportFileType = ImportLayoutCode::FrdText;
    ImportMeasurements(import, program.Speakers(), dialogs);
    ASSERT_TRUE(dialogs.Logged("measurement:").empty());

    QTest::mouseClick(program.Main().CommandBar().finalResponseButton, Qt::LeftButton);
    FinalResponseWindow& window = program.FinalResponse();
    window.resize(960, 600);
    EXPECT_TRUE(Save(window, "final-response-magnitude"));
    QTest::mouseClick(window.findChild<QRadioButton*>("phaseView"), Qt::LeftButton);
    EXPECT_TRUE(Save(window, "final-response-phase"));

    QTest::mouseClick(window.findChild<QPushButton*>("importButton"), Qt::LeftButton);
    EXPECT_TRUE(Save(window.ImportWindow(), "measurement-import"));
}
