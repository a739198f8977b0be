// The final response window (magnitude and phase) and the measurement import dialog: a
// three-output system crossed at 90 Hz with a measured speaker on every channel.
// Before any Qt header: the import result has a member named like Qt's `slots` keyword.
#include "measure/MeasurementImportController.h"

#include "Shots.h"

#include "ui/FinalResponseWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/MeasurementImportWindow.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <filesystem>

namespace veld23::shots {
namespace {

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

} // namespace

void ShootFinalResponse(ShotFolder& shots) {
    OfflineProgram p;
    EditorProgram& program = *p.program;
    program.Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    CrossAt90Hz(program.Editors().crossover);

    MeasurementImportSettings& import = program.Configuration().MeasurementImport;
    import.MeasurementFiles = {SampleFile("speaker-out1.frd"), SampleFile("speaker-out2.frd"),
                               SampleFile("speaker-sub.frd")};
    import.ImportFileType = import_layout::FrdText;
    ImportMeasurements(import, program.Speakers(), p.dialogs);
    for (const std::string& problem : p.dialogs.Logged("measurement:")) {
        std::fprintf(stderr, "%s\n", problem.c_str());
    }

    QTest::mouseClick(program.Main().CommandBar().finalResponseButton, Qt::LeftButton);
    FinalResponseWindow& window = program.FinalResponse();
    window.resize(960, 600);
    shots.Save(Grab(window), "final-response-magnitude");
    QTest::mouseClick(window.findChild<QRadioButton*>("phaseView"), Qt::LeftButton);
    shots.Save(Grab(window), "final-response-phase");

    QTest::mouseClick(window.findChild<QPushButton*>("importButton"), Qt::LeftButton);
    shots.Save(Grab(window.ImportWindow()), "measurement-import");
}

} // namespace veld23::shots
