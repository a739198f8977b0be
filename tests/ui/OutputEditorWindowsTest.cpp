// The level, delay, dynamics and speaker windows opened from the running editor's main
// window and driven through their own widgets offscreen: every widget reaches its editor
// (whose arithmetic is tested with it) and the windows show what came back.
#include "ui/RunningProgram.h"

#include "editors/DynamicsCurve.h"
#include "ui/DelayWindow.h"
#include "ui/DynamicsPowerPanel.h"
#include "ui/DynamicsWindow.h"
#include "ui/LevelsWindow.h"
#include "ui/LitButton.h"
#include "ui/PositionSlider.h"
#include "ui/SpeakerWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

using namespace veld23;
using commands::EditorWindow;

namespace {

class OutputEditorWindows : public veld23::testing::OfflineProgram {
  protected:
    void SetUp() override {
        OfflineProgram::SetUp();
        program->Commands().ChooseTopology(OutputTopology::ThreeOutputs);
    }
    // The handle dragged to an editor position.
    static void MoveTo(PositionSlider* slider, int position) {
        slider->setValue(slider->ValueAt(position));
    }
};

} // namespace

TEST_F(OutputEditorWindows, LevelsReachTheOutputGainAndMuteShowsOnTheMainWindow) {
    LevelsWindow& levels = program->Levels();
    Open(EditorWindow::Gains, 1);
    ASSERT_TRUE(levels.isVisible());

    // Three Page Down steps on the slider: 3 dB down.
    levels.LevelSlider(1)->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(levels.LevelSlider(1), Qt::Key_PageDown);
    }
    EXPECT_EQ(Text(levels.LevelField(1)), "-3.0");
    EXPECT_NEAR(Config().Levels[0].OutputGain, 0.70795, 1e-5); // 10^(-3/20)
    Type(levels.LevelField(1), "-30");
    EXPECT_EQ(levels.LevelSlider(1)->Position(), 361);

    // Mute lights its switch and the main window's indication; the label field locks.
    QTest::mouseClick(levels.MuteSwitch(1), Qt::LeftButton);
    EXPECT_TRUE(levels.MuteSwitch(1)->Lit());
    EXPECT_TRUE(Main().findChild<QWidget*>("muteMarker1")->isVisibleTo(&Main()));
    EXPECT_FALSE(Main().SignalChain().LabelField(3)->isEnabled());
    QTest::mouseClick(levels.PolaritySwitch(1), Qt::LeftButton);
    EXPECT_TRUE(levels.PolaritySwitch(1)->Lit());
    EXPECT_TRUE(Config().Levels[0].OutputInverted);

    // Two outputs: channel 2 is out of use.
    EXPECT_TRUE(levels.OutputShown(2));
    program->Commands().ChooseTopology(OutputTopology::TwoOutputs);
    EXPECT_FALSE(levels.OutputShown(2));
}

TEST_F(OutputEditorWindows, DelaySliderShowsItsDelayAndAutoAlignFollowsTypedDistances) {
    DelayWindow& delay = program->Delay();
    Open(EditorWindow::Delay, 2);
    ASSERT_TRUE(delay.isVisible());

    // OUT 2 at the far top: 164 samples, 3.42 ms, 118.3 cm of travel at 25 degrees C.
    MoveTo(delay.DelaySlider(2), 0);
    EXPECT_EQ(Text(delay.SamplesField(2)), "164");
    EXPECT_EQ(Text(delay.MsField(2)), "3.42");
    EXPECT_EQ(Text(delay.CmField(2)), "118.3");
    EXPECT_EQ(Config().Delays[1].DelayWord, 164);
    Type(delay.FahrenheitField(), "32");
    EXPECT_EQ(Text(delay.CelsiusField()), "0");
    EXPECT_EQ(Text(delay.CmField(2)), "113.2"); // 164 / 48000 s at 331.44 m/s

    // OUT 2 stands 33.2 cm farther away (48 samples at 0 degrees C): Auto Align delays it.
    Type(delay.DistanceField(2), "33.2");
    QTest::mouseClick(delay.AutoAlignButton(), Qt::LeftButton);
    EXPECT_EQ(Text(delay.SamplesField(2)), "48");
    EXPECT_EQ(Text(delay.MsField(1)), "0.00");
}

TEST_F(OutputEditorWindows, DynamicsCurveFollowsTheSlidersAndThePowerCheckWarns) {
    DynamicsWindow& dynamics = program->Dynamics();
    Open(EditorWindow::Dynamics, 3);
    ASSERT_TRUE(dynamics.isVisible());
    EXPECT_TRUE(dynamics.Selector(2)->Lit());
    Open(EditorWindow::Dynamics, 1);
    EXPECT_TRUE(dynamics.Selector(1)->Lit());

    // The start-up limiter into the start-up speaker gives more than the 400 W box takes.
    const DynamicsPowerPanel& power = *dynamics.PowerPanel();
    EXPECT_EQ(power.PowerCaption()->text(), "2000 W");
    EXPECT_TRUE(power.WarningLit());
    EXPECT_EQ(power.ExceededCaption()->text(), "The Out Power exceeds your Box Power capacity!");

    // A lower threshold redraws the curve lower, and the power drops below the box's.
    const PlotSeries& curve =
        program->Editors().dynamics.Plot().Series(dynamics_curve::kTransferCurve);
    const double topBefore = curve.Points().back().y;
    MoveTo(dynamics.Threshold().slider, 60);
    EXPECT_EQ(dynamics.Threshold().value->text(), "-12.0");
    EXPECT_LT(curve.Points().back().y, topBefore - 20.0);
    EXPECT_FALSE(power.WarningLit());

    // The ratio belongs to the compressor.
    EXPECT_FALSE(dynamics.Ratio().slider->isEnabled());
    QTest::mouseClick(dynamics.CompressorButton(), Qt::LeftButton);
    ASSERT_TRUE(dynamics.Ratio().slider->isEnabled());
    MoveTo(dynamics.Ratio().slider, dynamics.Ratio().slider->LastPosition());
    EXPECT_EQ(dynamics.Ratio().value->text(), "1: 1");

    // A typed time, the gate list and the advanced fields reach the record.
    Type(dynamics.TimeField(DynamicsTimeField::Attack), "250");
    EXPECT_NEAR(Config().Dynamics[0].AttackRate(), 250.0, 1e-9);
    dynamics.GateList()->setFocus();
    QTest::keyClick(dynamics.GateList(), Qt::Key_End);
    EXPECT_EQ(Config().Dynamics[0].GateIndex, 16.0f);
    EXPECT_FALSE(dynamics.AdvancedPanel()->isVisible());
    QTest::mouseClick(dynamics.AdvancedButton(), Qt::LeftButton);
    ASSERT_TRUE(dynamics.AdvancedPanel()->isVisible());
    Type(dynamics.GateIndexField(), "2");
    EXPECT_EQ(Config().Dynamics[0].GateIndex, 2.0f);
    QTest::mouseClick(dynamics.BypassButton(), Qt::LeftButton);
    EXPECT_FALSE(dynamics.Threshold().slider->isEnabled());
}

TEST_F(OutputEditorWindows, SpeakerSettingsChangeTheDynamicsPowerWarning) {
    DynamicsWindow& dynamics = program->Dynamics();
    SpeakerWindow& speaker = program->Speaker();
    Open(EditorWindow::Dynamics, 1);
    ASSERT_TRUE(dynamics.PowerPanel()->WarningLit());

    QTest::mouseClick(dynamics.PowerPanel()->SpeakerButton(), Qt::LeftButton);
    ASSERT_TRUE(speaker.isVisible());
    EXPECT_TRUE(speaker.OutputButton(1)->Lit());
    EXPECT_EQ(Text(speaker.BoxPowerField()), "400");
    QTest::mouseClick(speaker.BoxPowerField()->UpButton(), Qt::LeftButton);
    EXPECT_EQ(Config().Dynamics[0].PowerMaxLoad, Text(speaker.BoxPowerField()).toFloat());
    EXPECT_GT(Config().Dynamics[0].PowerMaxLoad, 400.0f);

    // The lowest gain takes the warning away: 2000 W x (5 / 41)^2 is about 30 W.
    Type(speaker.AmpGainField(), "5");
    EXPECT_EQ(Text(speaker.AmpGainField()), "5");
    EXPECT_FALSE(dynamics.PowerPanel()->WarningLit());

    // The SUB's settings are record 2's, shown in the dynamics window too; the speaker
    // window goes when the dynamics window does.
    QTest::mouseClick(speaker.OutputButton(3), Qt::LeftButton);
    EXPECT_TRUE(dynamics.Selector(2)->Lit());
    EXPECT_EQ(Text(speaker.AmpGainField()), "41");
    QTest::keyClick(&dynamics, Qt::Key_Escape);
    EXPECT_FALSE(speaker.isVisible());
}
