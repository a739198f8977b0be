// Pictures of the connection window, the main window in both topologies and the
// transfer window in the middle of a write, for looking at them. Written only when
// VELD23_SCREENSHOT_DIR names a folder (the screenshots target sets it).
#include "support/Subprocess.h"
#include "ui/ScriptedDialogs.h"

#include "ui/ConnectDialogWindow.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/TransferProgressWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace veld23;

namespace {

QString ScreenshotDir() {
    const char* dir = std::getenv("VELD23_SCREENSHOT_DIR");
    return dir == nullptr ? QString() : QString::fromLocal8Bit(dir);
}

bool Save(QWidget& window, const QString& name) {
    const QPixmap picture = window.grab();
    return !picture.isNull() && QDir().mkpath(ScreenshotDir()) &&
           picture.save(QDir(ScreenshotDir()).filePath(name + ".png"));
}

class MainWindowScreenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ScreenshotDir().isEmpty()) {
            GTEST_SKIP() << "VELD23_SCREENSHOT_DIR not set";
        }
        ApplyDarkTheme(*qApp);
    }
};

} // namespace

TEST_F(MainWindowScreenshots, ConnectionAndMainWindows) {
    veld23::testing::ScriptedDialogs dialogs;
    EditorProgram program(dialogs, {});
    program.SetEndHandler([] {});
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.ConnectWindow()));
    EXPECT_TRUE(Save(program.ConnectWindow(), "connection-window"));

    QTest::mouseClick(program.ConnectWindow().Selector(link::LinkIndicator::Offline),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.Main()));
    QTest::qWait(50);
    EXPECT_TRUE(Save(program.Main(), "main-window-two-outputs"));

    program.Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    QTest::qWait(50);
    EXPECT_TRUE(Save(program.Main(), "main-window-three-outputs"));

    // A transfer that failed: its text stays, with the button that dismisses it.
    TransferProgressWindow& progress = program.Progress();
    progress.SetPortLabel("Comunication Port : COM1");
    progress.ShowProgress();
    progress.SetInfo("  \u00a1\u00a1ERROR!! COMMAND NO VALID ");
    progress.TransferFailed();
    QTest::qWait(50);
    EXPECT_TRUE(Save(progress, "transfer-window-failed"));
}

TEST_F(MainWindowScreenshots, TransferWindowDuringWrite) {
    // At the processor's own speed the write lasts long enough to be caught midway.
    veld23::testing::Subprocess sim({VELD23_SIM_PATH, "--baud", "19200"});
    const std::string pty = sim.ReadLine();
    ASSERT_FALSE(pty.empty());
    veld23::testing::ScriptedDialogs dialogs;
    EditorProgram program(dialogs, {{{link::ComPortNumber::pnCOM1, pty}}, {}});
    program.SetEndHandler([] {});
    program.Start();
    QTest::mouseClick(program.ConnectWindow().Selector(link::LinkIndicator::Com1), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.Main()));

    bool saved = false;
    QTimer probe;
    probe.setInterval(400);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!saved && program.Progress().isVisible() && program.Progress().GaugePosition() > 0) {
            saved = Save(program.Progress(), "transfer-window-writing");
            Save(program.Main(), "main-window-during-write");
        }
    });
    probe.start();
    dialogs.answers.push_back(commands::DialogAnswer::Yes);
    QTest::mouseClick(program.Main().CommandBar().writeButton, Qt::LeftButton);
    probe.stop();
    EXPECT_TRUE(saved);
}
