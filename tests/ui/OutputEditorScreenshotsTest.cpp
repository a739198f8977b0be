// Pictures of the level, delay, dynamics and speaker windows in both topologies, for
// looking at them. Written only when VELD23_SCREENSHOT_DIR names a folder (the
// screenshots target sets it).
#include "ui/ScriptedDialogs.h"

#include "ui/DarkTheme.h"
#include "ui/DelayWindow.h"
#include "ui/DynamicsWindow.h"
#include "ui/EditorProgram.h"
#include "ui/LevelsWindow.h"
#include "ui/SpeakerWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace veld23;

namespace {

QString ScreenshotDir() {
    const char* dir = std::getenv("VELD23_SCREENSHOT_DIR");
    return dir == nullptr ? QString() : QString::fromLocal8Bit(dir);
}

void Save(QWidget& window, const QString& name) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(30);
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    ASSERT_TRUE(QDir().mkpath(ScreenshotDir()));
    EXPECT_TRUE(picture.save(QDir(ScreenshotDir()).filePath(name + ".png"))) << name.toStdString();
}

class OutputEditorScreenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ScreenshotDir().isEmpty()) {
            GTEST_SKIP() << "VELD23_SCREENSHOT_DIR not set";
        }
        ApplyDarkTheme(*qApp);
        program = std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{});
        program->SetEndHandler([] {});
    }
    void Topology(OutputTopology topology) { program->Commands().ChooseTopology(topology); }
    // The topology's pictures are named plainly for three outputs, with a suffix for two.
    static QString Named(const char* name, OutputTopology topology) {
        return topology == OutputTopology::ThreeOutputs
                   ? QString::fromLatin1(name)
                   : QString::fromLatin1(name) + QStringLiteral("-two-outputs");
    }

    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
};

} // namespace

TEST_F(OutputEditorScreenshots, LevelsAndDelays) {
    EditorSet& editors = program->Editors();
    for (OutputTopology topology : {OutputTopology::ThreeOutputs, OutputTopology::TwoOutputs}) {
        Topology(topology);
        editors.levels.SetLevelPosition(1, 91);
        editors.levels.SetLevelPosition(3, 20);
        editors.levels.ToggleMute(2);
        editors.levels.TogglePolarity(3);
        program->RefreshWindows();
        Save(program->Levels(), Named("output-levels", topology));
        program->Levels().hide();
        editors.levels.ToggleMute(2);
        editors.levels.TogglePolarity(3);

        editors.delays.EnterDistance(1, "34.6");
        editors.delays.EnterDistance(3, "80");
        editors.delays.AutoAlign();
        editors.delays.SetDelayPosition(2, 120);
        program->RefreshWindows();
        Save(program->Delay(), Named("output-delay", topology));
        program->Delay().hide();
    }
}

TEST_F(OutputEditorScreenshots, DynamicsAndSpeaker) {
    DynamicsController& dynamics = program->Editors().dynamics;
    for (OutputTopology topology : {OutputTopology::ThreeOutputs, OutputTopology::TwoOutputs}) {
        Topology(topology);
        dynamics.SelectRecord(1);
        dynamics.ChooseLimiter();
        dynamics.SetThresholdPosition(40);
        dynamics.SetKneePosition(12);
        program->RefreshWindows();
        Save(program->Dynamics(), Named("dynamics-limiter", topology));

        dynamics.ChooseCompressor();
        dynamics.SetThresholdPosition(6);
        dynamics.SetRatioPosition(6);
        dynamics.SelectGateItem(3);
        program->RefreshWindows();
        Save(program->Dynamics(), Named("dynamics-compressor-warning", topology));

        program->Dynamics().AdvancedButton()->click();
        Save(program->Dynamics(), Named("dynamics-advanced", topology));
        program->Dynamics().AdvancedButton()->click();

        program->Speaker().FollowRecord(2);
        Save(program->Speaker(), Named("speaker-amplifier", topology));
        program->Dynamics().hide();
    }
}
