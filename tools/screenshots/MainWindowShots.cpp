// The connection window, the main window in both topologies, and the transfer window
// failed and in the middle of a write to the simulated processor.
#include "Shots.h"

#include "support/Subprocess.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/TransferProgressWindow.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace veld23::shots {
namespace {

// Whether the write could be caught midway.
bool ShootWrite(ShotFolder& shots) {
    // At the processor's own speed the write lasts long enough to be caught midway.
    testing::Subprocess sim({VELD23_SIM_PATH, "--baud", "19200"});
    const std::string pty = sim.ReadLine();
    if (pty.empty()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return false;
    }
    testing::ScriptedDialogs dialogs;
    EditorProgram program(dialogs, {{{link::ComPortNumber::pnCOM1, pty}}, {}});
    program.SetEndHandler([] {});
    program.Start();
    QTest::mouseClick(program.ConnectWindow().Selector(link::LinkIndicator::Com1), Qt::LeftButton);
    if (!QTest::qWaitForWindowExposed(&program.Main())) {
        return false;
    }

    bool saved = false;
    QTimer probe;
    probe.setInterval(400);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!saved && program.Progress().isVisible() && program.Progress().GaugePosition() > 0) {
            saved = true;
            shots.Save(program.Progress().grab(), "transfer-window-writing");
            shots.Save(program.Main().grab(), "main-window-during-write");
        }
    });
    probe.start();
    dialogs.answers.push_back(commands::DialogAnswer::Yes);
    QTest::mouseClick(program.Main().CommandBar().writeButton, Qt::LeftButton);
    probe.stop();
    return saved;
}

} // namespace

void ShootMainWindows(ShotFolder& shots) {
    testing::ScriptedDialogs dialogs;
    EditorProgram program(dialogs, {});
    program.SetEndHandler([] {});
    program.Start();
    shots.Save(Grab(program.ConnectWindow()), "connection-window");

    QTest::mouseClick(program.ConnectWindow().Selector(link::LinkIndicator::Offline),
                      Qt::LeftButton);
    shots.Save(Grab(program.Main()), "main-window-two-outputs");
    program.Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    shots.Save(Grab(program.Main()), "main-window-three-outputs");

    // A transfer that failed: its text stays, with the button that dismisses it.
    TransferProgressWindow& progress = program.Progress();
    progress.SetPortLabel("Comunication Port : COM1");
    progress.ShowProgress();
    progress.SetInfo("  \u00a1\u00a1ERROR!! COMMAND NO VALID ");
    progress.TransferFailed();
    shots.Save(Grab(progress), "transfer-window-failed");
    progress.hide();
    program.Main().hide();
    if (!ShootWrite(shots)) {
        shots.Missing("transfer-window-writing");
    }
}

} // namespace veld23::shots
