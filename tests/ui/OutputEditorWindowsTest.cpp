// The level, delay, dynamics and speaker windows as the user meets them: opened from
// the main window of the running editor and driven through their own widgets offscreen.
#include "ui/ScriptedDialogs.h"

#include "editors/DynamicsCurve.h"
#include "ui/ConnectDialogWindow.h"
#include "ui/DelayWindow.h"
#include "ui/DynamicsPowerPanel.h"
#include "ui/DynamicsWindow.h"
#include "ui/EditorProgram.h"
#include "ui/LevelsWindow.h"
#include "ui/LitButton.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/PositionSlider.h"
#include "ui/SpeakerWindow.h"
#include "ui/StepField.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace veld23;
using commands::EditorWindow;

namespace {

class OutputEditorWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        program = std::make_unique<EditorProgram>(dialogs, EditorProgram::Options{});
        program->SetEndHandler([] {});
        program->Start();
        QTest::mouseClick(program->ConnectWindow().Selector(link::LinkIndicator::Offline),
                          Qt::LeftButton);
    }

    ProcessorConfiguration& Config() { return program->Configuration(); }
    void ThreeOutputs() { program->Commands().ChooseTopology(OutputTopology::ThreeOutputs); }
    // The main window's editor button of that window in that row.
    void ClickEditorButton(EditorWindow window, int output) {
        for (const auto& editor : program->Main().SignalChain().EditorButtons()) {
            if (editor.window == window && editor.output == output) {
                ASSERT_TRUE(editor.button->isEnabled());
                QTest::mouseClick(editor.button, Qt::LeftButton);
                return;
            }
        }
        FAIL() << "no such editor button";
    }
    static void Type(StepField* field, const QString& text) {
        field->Edit()->selectAll();
        QTest::keyClicks(field->Edit(), text);
        QTest::keyClick(field->Edit(), Qt::Key_Return);
    }
    static QString Text(StepField* field) { return field->Edit()->text(); }
    // The handle dragged to an editor position.
    static void MoveTo(PositionSlider* slider, int position) {
        slider->setValue(slider->ValueAt(position));
    }
    bool MainShows(const QString& name) {
        auto* widget = program->Main().findChild<QWidget*>(name);
        return widget != nullptr && widget->isVisibleTo(&program->Main());
    }

    veld23::testing::ScriptedDialogs dialogs;
    std::unique_ptr<EditorProgram> program;
};

} // namespace

TEST_F(OutputEditorWindows, LevelsReachTheOutputGainAndMuteShowsOnTheMainWindow) {
    LevelsWindow& levels = program->Levels();
    ClickEditorButton(EditorWindow::Gains, 1);
    ASSERT_TRUE(levels.isVisible());
    // Two outputs: channel 2 is out of use.
    EXPECT_FALSE(levels.OutputShown(2));
    EXPECT_EQ(levels.ChannelCaption(1)->text(), "Out1");

    // Three Page Down steps on the slider: 3 dB down.
    levels.LevelSlider(1)->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(levels.LevelSlider(1), Qt::Key_PageDown);
    }
    EXPECT_EQ(Text(levels.LevelField(1)), "-3.0");
    EXPECT_NEAR(Config().Levels[0].OutputGain, 0.70795, 1e-5); // 10^(-3/20)

    // A typed level moves the slider.
    Type(levels.LevelField(1), "-30");
    EXPECT_EQ(levels.LevelSlider(1)->Position(), 361);
    Type(levels.LevelField(1), "+6");
    QTest::keyClick(levels.LevelField(1)->Edit(), Qt::Key_Up);
    EXPECT_EQ(Text(levels.LevelField(1)), "6.0");
    EXPECT_NEAR(Config().Levels[0].OutputGain, 1.99526, 1e-5);

    // Mute lights its switch and the main window's indication; the label field locks.
    QTest::mouseClick(levels.MuteSwitch(1), Qt::LeftButton);
    EXPECT_TRUE(levels.MuteSwitch(1)->Lit());
    EXPECT_TRUE(MainShows("muteMarker1"));
    EXPECT_FALSE(program->Main().SignalChain().LabelField(3)->isEnabled());
    QTest::mouseClick(levels.PolaritySwitch(1), Qt::LeftButton);
    EXPECT_TRUE(levels.PolaritySwitch(1)->Lit());
    EXPECT_NEAR(Config().Levels[0].OutputGain, -1.99526, 1e-5);
    EXPECT_EQ(Config().Levels[0].OutputOnFactor, 0.0);
    QTest::mouseClick(levels.MuteSwitch(1), Qt::LeftButton);
    EXPECT_FALSE(MainShows("muteMarker1"));
    EXPECT_TRUE(program->Main().SignalChain().LabelField(3)->isEnabled());

    ThreeOutputs();
    EXPECT_TRUE(levels.OutputShown(2));
    QTest::keyClick(&levels, Qt::Key_Escape);
    EXPECT_FALSE(levels.isVisible());
}

TEST_F(OutputEditorWindows, DelaySliderShowsItsDelayAndAutoAlignFollowsTypedDistances) {
    ThreeOutputs();
    DelayWindow& delay = program->Delay();
    ClickEditorButton(EditorWindow::Delay, 2);
    ASSERT_TRUE(delay.isVisible());
    EXPECT_EQ(Text(delay.MsField(3)), "0.00");

    // OUT 2 at the far top: 164 samples, 3.42 ms, 118.3 cm of travel at 25 degrees C.
    MoveTo(delay.DelaySlider(2), 0);
    EXPECT_EQ(Text(delay.SamplesField(2)), "164");
    EXPECT_EQ(Text(delay.MsField(2)), "3.42");
    EXPECT_EQ(Text(delay.CmField(2)), "118.3");
    EXPECT_EQ(Config().Delays[1].DelayWord, 164);
    // Down in the millisecond field takes one sample off.
    QTest::keyClick(delay.MsField(2)->Edit(), Qt::Key_Down);
    EXPECT_EQ(Text(delay.SamplesField(2)), "163");

    // Temperatures, mirrored in F.
    Type(delay.CelsiusField(), "0");
    EXPECT_EQ(Text(delay.CelsiusField()), "0");
    EXPECT_EQ(Text(delay.FahrenheitField()), "32");
    EXPECT_EQ(Text(delay.CmField(2)), "112.6"); // 163 / 48000 s at 331.44 m/s
    Type(delay.FahrenheitField(), "77");
    EXPECT_EQ(Text(delay.CelsiusField()), "25");

    // OUT 2 stands 34.6 cm farther away (48 samples): Auto Align delays it alone.
    Type(delay.DistanceField(2), "34.6");
    QTest::mouseClick(delay.AutoAlignButton(), Qt::LeftButton);
    EXPECT_EQ(delay.DelaySlider(2)->Position(), 164 - 48);
    EXPECT_EQ(Text(delay.SamplesField(2)), "48");
    EXPECT_EQ(Text(delay.MsField(2)), "1.00");
    EXPECT_EQ(Text(delay.MsField(1)), "0.00");
    EXPECT_EQ(Text(delay.MsField(3)), "0.00");
}

TEST_F(OutputEditorWindows, DynamicsCurveFollowsTheSlidersAndThePowerCheckWarns) {
    ThreeOutputs();
    DynamicsWindow& dynamics = program->Dynamics();
    ClickEditorButton(EditorWindow::Dynamics, 3);
    ASSERT_TRUE(dynamics.isVisible());
    EXPECT_TRUE(dynamics.Selector(2)->Lit());
    ClickEditorButton(EditorWindow::Dynamics, 1);
    EXPECT_TRUE(dynamics.Selector(1)->Lit());
    EXPECT_EQ(dynamics.Selector(1)->text().remove('&'), "Dynamic OUT 1-2");

    // The start-up limiter, held to -11.5 dBFS (its slider's top) by the two-output start,
    // into 8 ohms through a gain of 41 gives 2000 W, more than the 400 W box.
    const DynamicsPowerPanel& power = *dynamics.PowerPanel();
    EXPECT_EQ(power.PowerCaption()->text(), "2000 W");
    EXPECT_TRUE(power.InformationBox()->text().startsWith("1 - Max RMS Out Power : 2000 Watts"));
    EXPECT_TRUE(power.WarningLit());
    EXPECT_EQ(power.WarningCaption()->text(), "WARNING!!!");
    EXPECT_EQ(power.ExceededCaption()->text(), "The Out Power exceeds your Box Power capacity!");

    // A lower threshold redraws the curve lower, and the power drops below the box's.
    const PlotSeries& curve =
        program->Editors().dynamics.Plot().Series(dynamics_curve::kTransferCurve);
    const double topBefore = curve.Points().back().y;
    MoveTo(dynamics.Threshold().slider, 60);
    EXPECT_EQ(dynamics.Threshold().value->text(), "-12.0");
    EXPECT_LT(curve.Points().back().y, topBefore - 20.0);
    EXPECT_FALSE(power.WarningLit());
    EXPECT_TRUE(power.ExceededCaption()->text().isEmpty());

    // The ratio belongs to the compressor; its last position is 1:1, never 0.
    EXPECT_FALSE(dynamics.Ratio().slider->isEnabled());
    QTest::mouseClick(dynamics.CompressorButton(), Qt::LeftButton);
    EXPECT_EQ(dynamics.Threshold().caption->text().remove('&'), "Threshold");
    ASSERT_TRUE(dynamics.Ratio().slider->isEnabled());
    MoveTo(dynamics.Ratio().slider, dynamics.Ratio().slider->LastPosition());
    EXPECT_EQ(dynamics.Ratio().value->text(), "1: 1");

    // A typed time and the gate list reach the record.
    Type(dynamics.TimeField(DynamicsTimeField::Attack), "250");
    EXPECT_NEAR(Config().Dynamics[0].AttackRate(), 250.0, 1e-9);
    dynamics.GateList()->setFocus();
    QTest::keyClick(dynamics.GateList(), Qt::Key_End);
    EXPECT_EQ(Config().Dynamics[0].GateIndex, 16.0f);

    // Advanced: collapsed at first; a ramp longer than the gate is held, bypass
    // disables the curve controls.
    EXPECT_FALSE(dynamics.AdvancedPanel()->isVisible());
    QTest::mouseClick(dynamics.AdvancedButton(), Qt::LeftButton);
    ASSERT_TRUE(dynamics.AdvancedPanel()->isVisible());
    Type(dynamics.GateIndexField(), "2");
    Type(dynamics.RampField(), "40");
    EXPECT_EQ(Text(dynamics.RampField()), "10");
    EXPECT_EQ(Config().Dynamics[0].GateIndex, 2.0f);
    for (const PlotPoint& point : curve.Points()) {
        ASSERT_TRUE(std::isfinite(point.y));
    }
    Type(dynamics.TimeField(DynamicsTimeField::LookAhead), "5");
    EXPECT_EQ(Text(dynamics.TimeField(DynamicsTimeField::LookAhead)), "2.00");
    EXPECT_EQ(Config().Dynamics[0].LookAheadSamples, 96);
    QTest::mouseClick(dynamics.BypassButton(), Qt::LeftButton);
    EXPECT_FALSE(dynamics.Threshold().slider->isEnabled());
    EXPECT_FALSE(dynamics.LimiterButton()->isEnabled());
}

TEST_F(OutputEditorWindows, SpeakerSettingsChangeTheDynamicsPowerWarning) {
    ThreeOutputs();
    DynamicsWindow& dynamics = program->Dynamics();
    SpeakerWindow& speaker = program->Speaker();
    ClickEditorButton(EditorWindow::Dynamics, 1);
    // About 800 W at the amplifier: 8 dBu through a gain of 41 into 8 ohms.
    MoveTo(dynamics.Threshold().slider, 20);
    ASSERT_TRUE(dynamics.PowerPanel()->WarningLit());
    const double watts = dynamics.PowerPanel()->PowerCaption()->text().split(' ')[0].toDouble();

    QTest::mouseClick(dynamics.PowerPanel()->SpeakerButton(), Qt::LeftButton);
    ASSERT_TRUE(speaker.isVisible());
    EXPECT_TRUE(speaker.OutputButton(1)->Lit());
    EXPECT_EQ(Text(speaker.BoxPowerField()), "400");
    EXPECT_TRUE(speaker.BoxPowerField()->Edit()->isReadOnly());

    // Step the box power up until the box takes what the amplifier gives.
    int steps = 0;
    while (dynamics.PowerPanel()->WarningLit() && steps++ < 40) {
        QTest::mouseClick(speaker.BoxPowerField()->UpButton(), Qt::LeftButton);
    }
    const double boxPower = Text(speaker.BoxPowerField()).toDouble();
    EXPECT_GE(boxPower, watts);
    EXPECT_LT(boxPower - 25.0, watts);
    EXPECT_EQ(Config().Dynamics[0].PowerMaxLoad, static_cast<float>(boxPower));
    EXPECT_TRUE(dynamics.PowerPanel()->ExceededCaption()->text().isEmpty());

    // A typed gain reaches the record and the power check.
    Type(speaker.AmpGainField(), "200");
    EXPECT_EQ(Text(speaker.AmpGainField()), "200");
    EXPECT_TRUE(dynamics.PowerPanel()->WarningLit());

    // The SUB's settings are record 2's, shown in the dynamics window too; the speaker
    // window goes when the dynamics window does.
    QTest::mouseClick(speaker.OutputButton(3), Qt::LeftButton);
    EXPECT_TRUE(dynamics.Selector(2)->Lit());
    EXPECT_EQ(Text(speaker.AmpGainField()), "41");
    QTest::keyClick(&dynamics, Qt::Key_Escape);
    EXPECT_FALSE(speaker.isVisible());
}
