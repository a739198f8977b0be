// The main window against the processor simulator on a pseudo terminal, reached the
// way the user reaches it: the port typed beside COM 1, the COM 1 selector, the buttons.
#include "support/Subprocess.h"
#include "ui/ScriptedDialogs.h"

#include "commands/CommandTexts.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/EditorProgram.h"
#include "ui/IndicatorLamp.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/TransferProgressWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace veld23;
using commands::DialogAnswer;

namespace {

class MainWindowDeviceTest : public ::testing::Test {
  protected:
    // The simulator; its terminal's path.
    std::string StartSimulator(std::vector<std::string> simArguments) {
        simArguments.insert(simArguments.begin(), {VELD23_SIM_PATH, "--log"});
        sim = std::make_unique<veld23::testing::Subprocess>(simArguments);
        const std::string pty = sim->ReadLine();
        EXPECT_FALSE(pty.empty()) << sim->Stderr();
        return pty;
    }
    void StartEditor(EditorProgram::Options options) {
        program = std::make_unique<EditorProgram>(dialogs, std::move(options));
        program->SetEndHandler([this] { ended = true; });
        program->Start();
    }
    void ChooseCom1() {
        QTest::mouseClick(program->ConnectWindow().Selector(link::LinkIndicator::Com1),
                          Qt::LeftButton);
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
    MainWindow& Main() { return program->Main(); }
    MainWindowCommandBar& Bar() { return Main().CommandBar(); }

    std::unique_ptr<veld23::testing::Subprocess> sim;
    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
    bool ended = false;
};

} // namespace

TEST_F(MainWindowDeviceTest, ConnectWriteAndReadWithNothingElseRunningMeanwhile) {
    // At the processor's own speed a write lasts about a second.
    const std::string pty = StartSimulator({"--baud", "19200"});
    const QTemporaryDir dir;
    const std::string settings = dir.filePath("veld23.ini").toStdString();
    StartEditor({{}, settings});
    QComboBox* com1 = program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1);
    com1->lineEdit()->selectAll();
    QTest::keyClicks(com1->lineEdit(), QString::fromStdString(pty));
    QTest::keyClick(com1->lineEdit(), Qt::Key_Return);
    ChooseCom1();
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Connected at COM1");

    Main().NameField()->clear();
    QTest::keyClicks(Main().NameField(), "Written");
    Bar().memorySelector->setValue(3);
    // While the write runs: every other command refused, even when asked directly.
    struct Seen {
        bool checked = false;
        bool anyEnabled = true;
        bool newRan = true;
        bool readRan = true;
    } seen;
    QTimer probe;
    probe.setInterval(200);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (seen.checked || !program->Progress().isVisible()) {
            return;
        }
        seen.checked = true;
        seen.anyEnabled = Bar().newButton->isEnabled() || Bar().openButton->isEnabled() ||
                          Bar().saveButton->isEnabled() || Bar().connectButton->isEnabled() ||
                          Bar().readButton->isEnabled();
        seen.newRan = program->Commands().New();
        seen.readRan = program->Commands().Devices().Read() != commands::CommandOutcome::Refused;
        program->RequestClose();
    });
    probe.start();
    dialogs.answers = {DialogAnswer::Yes};
    QTest::mouseClick(Bar().writeButton, Qt::LeftButton);
    probe.stop();
    ASSERT_TRUE(seen.checked);
    EXPECT_FALSE(seen.anyEnabled);
    EXPECT_FALSE(seen.newRan);
    EXPECT_FALSE(seen.readRan);
    EXPECT_FALSE(ended);
    EXPECT_EQ(dialogs.Logged("information:"),
              std::vector<std::string>{commands::texts::kBusyClosing});
    EXPECT_TRUE(SimReports("done command=7 program=3"));
    EXPECT_EQ(Main().StatusLine()->text(), "Memory 3 written and verified");

    Main().NameField()->clear();
    QTest::keyClicks(Main().NameField(), "Edited since");
    dialogs.answers = {DialogAnswer::No};
    QTest::mouseClick(Bar().readButton, Qt::LeftButton);
    EXPECT_TRUE(SimReports("sent memory=3"));
    // A memory keeps the name in a fixed field of blanks, and gives it back so.
    EXPECT_EQ(Main().NameField()->text(), QString("Written").leftJustified(40, ' '));
    EXPECT_TRUE(dialogs.Logged("error:").empty());

    // The port typed beside COM 1 is offered again at the next start.
    program.reset();
    StartEditor({{}, settings});
    EXPECT_EQ(program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1)->currentText(),
              QString::fromStdString(pty));
}

TEST_F(MainWindowDeviceTest, AWrongAnswerIsShownOnceAndItsWindowCanBeDismissed) {
    StartEditor({{{link::ComPortNumber::pnCOM1, StartSimulator({"--wrong", "command"})}}, {}});
    ChooseCom1();
    // Lamp, status line and commands agree: COM 1 is selected and answered wrongly.
    EXPECT_EQ(Main().StatusLine()->text(), "Status : COM1 answered wrongly");
    EXPECT_TRUE(Bar().newButton->isEnabled());
    // The transfer window keeps its text, offers Close and goes with Escape or Close.
    TransferProgressWindow& progress = program->Progress();
    ASSERT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.InfoText(), QString::fromUtf8("  ¡¡ERROR!! COMMAND NO VALID "));
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_FALSE(progress.isVisible());
    progress.ShowProgress();
    progress.TransferFailed();
    QTest::mouseClick(progress.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(progress.isVisible());
    // Connect is never blocked by it.
    progress.ShowProgress();
    progress.TransferFailed();
    QTest::mouseClick(Bar().connectButton, Qt::LeftButton);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(program->ConnectWindow().isVisible());
}
