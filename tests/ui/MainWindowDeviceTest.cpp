// The main window against the processor simulator on a pseudo terminal, reached the
// way the user reaches it: the port typed beside COM 1, the COM 1 selector, the buttons.
#include "ui/RunningProgram.h"

#include "commands/CommandTexts.h"
#include "support/Subprocess.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/TransferProgressWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <optional>
#include <vector>

using namespace veld23;
using commands::DialogAnswer;

namespace {

class MainWindowDeviceTest : public veld23::testing::RunningProgram {
  protected:
    // The simulator; its terminal's path.
    std::string StartSimulator(std::vector<std::string> simArguments) {
        simArguments.insert(simArguments.begin(), {VELD23_SIM_PATH, "--log"});
        sim = std::make_unique<veld23::testing::Subprocess>(simArguments);
        const std::string pty = sim->ReadLine();
        EXPECT_FALSE(pty.empty()) << sim->Stderr();
        return pty;
    }
    // The simulator's report lines up to the one that starts with `prefix`.
    bool SimReports(const std::string& prefix) {
        for (std::string line = sim->ReadLine(std::chrono::seconds(5)); !line.empty();
             line = sim->ReadLine(std::chrono::seconds(5))) {
            if (line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }
    MainWindowCommandBar& Bar() { return Main().CommandBar(); }

    std::unique_ptr<veld23::testing::Subprocess> sim;
};

} // namespace

TEST_F(MainWindowDeviceTest, ConnectWriteAndReadWithNothingElseRunningMeanwhile) {
    // At the processor's own speed a write lasts about a second.
    const std::string pty = StartSimulator({"--baud", "19200"});
    const QTemporaryDir dir;
    const std::string settings = dir.filePath("veld23.ini").toStdString();
    Start({{}, settings});
    QComboBox* com1 = program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1);
    com1->lineEdit()->selectAll();
    QTest::keyClicks(com1->lineEdit(), QString::fromStdString(pty));
    QTest::keyClick(com1->lineEdit(), Qt::Key_Return);
    ChooseLink(link::LinkIndicator::Com1);
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Connected at COM1");

    Main().NameField()->clear();
    QTest::keyClicks(Main().NameField(), "Written");
    Bar().memorySelector->setValue(3);
    // While the write runs: every other command refused, even when asked directly. What
    // the probe saw: the five buttons enabled, then New and Read run.
    std::optional<std::vector<bool>> seen;
    QTimer probe;
    probe.setInterval(200);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (seen || !program->Progress().isVisible()) {
            return;
        }
        seen = std::vector<bool>{Bar().newButton->isEnabled(),
                                 Bar().openButton->isEnabled(),
                                 Bar().saveButton->isEnabled(),
                                 Bar().connectButton->isEnabled(),
                                 Bar().readButton->isEnabled(),
                                 program->Commands().New(),
                                 program->Commands().Devices().Read() !=
                                     commands::CommandOutcome::Refused};
        program->RequestClose();
    });
    probe.start();
    dialogs.answers = {DialogAnswer::Yes};
    QTest::mouseClick(Bar().writeButton, Qt::LeftButton);
    probe.stop();
    EXPECT_EQ(seen, std::vector<bool>(7, false));
    EXPECT_FALSE(ended);
    EXPECT_EQ(dialogs.Logged("information:"),
              std::vector<std::string>{commands::texts::kBusyClosing});
    EXPECT_TRUE(SimReports("done command=7 program=3"));
    EXPECT_EQ(Main().StatusLine()->text(), "Memory 3 written and verified");

    Main().NameField()->clear();
    dialogs.answers = {DialogAnswer::No};
    QTest::mouseClick(Bar().readButton, Qt::LeftButton);
    EXPECT_TRUE(SimReports("sent memory=3"));
    EXPECT_TRUE(Main().NameField()->text().startsWith("Written"));
    EXPECT_TRUE(dialogs.Logged("error:").empty());

    // The port typed beside COM 1 is offered again at the next start.
    program.reset();
    Start({{}, settings});
    EXPECT_EQ(program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1)->currentText(),
              QString::fromStdString(pty));
}
