// The main window against the processor simulator on a pseudo terminal, reached the
// way the user reaches it: `--com1 PATH`, the COM 1 selector, then the buttons.
#include "support/Subprocess.h"
#include "ui/ScriptedDialogs.h"

#include "commands/CommandTexts.h"
#include "link/LinkTexts.h"
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
    // The simulator, and the editor started with COM 1 on its terminal.
    void StartWith(std::vector<std::string> simArguments) {
        const std::string pty = StartSimulator(std::move(simArguments));
        StartEditor({{{link::ComPortNumber::pnCOM1, pty}}, {}});
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
    void TypeName(const QString& name) {
        Main().NameField()->clear();
        QTest::keyClicks(Main().NameField(), name);
    }
    MainWindow& Main() { return program->Main(); }
    MainWindowCommandBar& Bar() { return Main().CommandBar(); }

    std::unique_ptr<veld23::testing::Subprocess> sim;
    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
    bool ended = false;
};

} // namespace

TEST_F(MainWindowDeviceTest, ConnectsAtCom1ThenWritesAndReadsFromTheButtons) {
    StartWith({});
    ChooseCom1();
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Connected at COM1");
    EXPECT_TRUE(Main().isVisible());
    EXPECT_FALSE(program->ConnectWindow().isVisible());
    EXPECT_TRUE(program->ConnectWindow().Lamp(link::LinkIndicator::Com1)->Lit());
    EXPECT_FALSE(program->ConnectWindow().Lamp(link::LinkIndicator::Offline)->Lit());
    EXPECT_TRUE(SimReports("done command=0"));
    for (QWidget* control : std::initializer_list<QWidget*>{
             Bar().readButton, Bar().writeButton, Bar().changeButton, Bar().memorySelector,
             Bar().blockButton, Bar().unblockButton, Bar().passwordButton}) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }

    TypeName("Written");
    Bar().memorySelector->setValue(3);
    EXPECT_EQ(program->Configuration().ProgramNumber, 3);
    dialogs.answers = {DialogAnswer::Yes};
    QTest::mouseClick(Bar().writeButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.Logged("question:"),
              std::vector<std::string>{commands::texts::WriteQuestion(3)});
    EXPECT_TRUE(SimReports("done command=3 program=3 length=2048"));
    EXPECT_TRUE(SimReports("done command=7 program=3"));
    EXPECT_EQ(Main().StatusLine()->text(), "Memory 3 written and verified");
    EXPECT_TRUE(Bar().writeButton->isEnabled());
    EXPECT_TRUE(Bar().newButton->isEnabled());
    EXPECT_FALSE(program->Progress().isVisible());

    TypeName("Edited since");
    dialogs.answers = {DialogAnswer::No};
    QTest::mouseClick(Bar().readButton, Qt::LeftButton);
    EXPECT_TRUE(SimReports("sent memory=3"));
    // A memory keeps the name in a fixed field of blanks, and gives it back so.
    EXPECT_EQ(Main().NameField()->text(), QString("Written").leftJustified(40, ' '));
    EXPECT_EQ(Bar().memorySelector->value(), 3);
    EXPECT_TRUE(Bar().readButton->isEnabled());
    EXPECT_TRUE(dialogs.Logged("error:").empty());
}

// The adapter's device is typed (or picked) beside COM 1, used, and offered again the
// next time the program starts.
TEST_F(MainWindowDeviceTest, APortChosenInTheDialogIsUsedAndRemembered) {
    const QTemporaryDir dir;
    const std::string settings = dir.filePath("veld23.ini").toStdString();
    const std::string pty = StartSimulator({});
    StartEditor({{}, settings});
    QComboBox* com1 = program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1);
    EXPECT_EQ(com1->currentText(), "/dev/ttyS0");
    com1->lineEdit()->selectAll();
    QTest::keyClicks(com1->lineEdit(), QString::fromStdString(pty));
    QTest::keyClick(com1->lineEdit(), Qt::Key_Return);
    ChooseCom1();
    EXPECT_EQ(Main().StatusLine()->text(), "Status : Connected at COM1");

    program.reset();
    StartEditor({{}, settings});
    EXPECT_EQ(program->ConnectWindow().PortField(link::ComPortNumber::pnCOM1)->currentText(),
              QString::fromStdString(pty));
    EXPECT_EQ(program->ConnectWindow().PortField(link::ComPortNumber::pnCOM2)->currentText(),
              "/dev/ttyS1");
}

TEST_F(MainWindowDeviceTest, AWrongAnswerIsShownOnceAndItsWindowCanBeDismissed) {
    StartWith({"--wrong", "command"});
    ChooseCom1();
    ConnectDialogWindow& connect = program->ConnectWindow();
    // Lamp, status line and commands agree: COM 1 is selected and answered wrongly.
    EXPECT_EQ(Main().StatusLine()->text(), "Status : COM1 answered wrongly");
    EXPECT_TRUE(connect.Lamp(link::LinkIndicator::Com1)->Lit());
    EXPECT_FALSE(connect.Lamp(link::LinkIndicator::Offline)->Lit());
    EXPECT_FALSE(Bar().writeButton->isEnabled());
    EXPECT_FALSE(Bar().readButton->isEnabled());
    EXPECT_TRUE(Bar().newButton->isEnabled());
    // The transfer window keeps its text, offers Close and goes with Escape.
    TransferProgressWindow& progress = program->Progress();
    ASSERT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.InfoText(), QString::fromUtf8("  ¡¡ERROR!! COMMAND NO VALID "));
    EXPECT_TRUE(progress.CloseButton()->isVisible());
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_FALSE(progress.isVisible());
    const auto failAgain = [&progress] {
        progress.ShowProgress();
        progress.TransferFailed();
    };
    failAgain();
    QTest::mouseClick(progress.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(progress.isVisible());
    // Connect is never blocked by it.
    failAgain();
    EXPECT_TRUE(Bar().connectButton->isEnabled());
    QTest::mouseClick(Bar().connectButton, Qt::LeftButton);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(connect.isVisible());
}

TEST_F(MainWindowDeviceTest, NothingElseRunsWhileATransferIsUnderWay) {
    // At the processor's own speed a write lasts about a second.
    StartWith({"--baud", "19200"});
    ChooseCom1();
    ASSERT_EQ(Main().StatusLine()->text(), "Status : Connected at COM1");

    struct Seen {
        bool checked = false;
        bool newEnabled = true;
        bool openEnabled = true;
        bool saveEnabled = true;
        bool connectEnabled = true;
        bool readEnabled = true;
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
        seen.newEnabled = Bar().newButton->isEnabled();
        seen.openEnabled = Bar().openButton->isEnabled();
        seen.saveEnabled = Bar().saveButton->isEnabled();
        seen.connectEnabled = Bar().connectButton->isEnabled();
        seen.readEnabled = Bar().readButton->isEnabled();
        // Even when asked directly, nothing starts and nothing is asked.
        seen.newRan = program->Commands().New();
        seen.readRan = program->Commands().Devices().Read() != commands::CommandOutcome::Refused;
        program->RequestClose();
    });
    probe.start();
    dialogs.answers = {DialogAnswer::Yes};
    QTest::mouseClick(Bar().writeButton, Qt::LeftButton);
    probe.stop();

    ASSERT_TRUE(seen.checked);
    EXPECT_FALSE(seen.newEnabled);
    EXPECT_FALSE(seen.openEnabled);
    EXPECT_FALSE(seen.saveEnabled);
    EXPECT_FALSE(seen.connectEnabled);
    EXPECT_FALSE(seen.readEnabled);
    EXPECT_FALSE(seen.newRan);
    EXPECT_FALSE(seen.readRan);
    EXPECT_FALSE(ended);
    EXPECT_EQ(dialogs.Logged("information:"),
              std::vector<std::string>{commands::texts::kBusyClosing});
    // Only the write's own question was asked.
    EXPECT_EQ(dialogs.Logged("question:").size(), 1u);
    EXPECT_TRUE(SimReports("done command=7 program=1"));
    // Afterwards everything is back.
    EXPECT_TRUE(Bar().newButton->isEnabled());
    EXPECT_TRUE(Bar().writeButton->isEnabled());
}
