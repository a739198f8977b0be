// The level, delay, dynamics and speaker windows in both topologies: plain names for
// three outputs, "-two-outputs" for two.
#include "Shots.h"

#include "ui/DelayWindow.h"
#include "ui/DynamicsWindow.h"
#include "ui/LevelsWindow.h"
#include "ui/SpeakerWindow.h"

#include <QToolButton>

namespace veld23::shots {
namespace {

QString Named(const char* name, OutputTopology topology) {
    return topology == OutputTopology::ThreeOutputs
               ? QString::fromLatin1(name)
               : QString::fromLatin1(name) + QStringLiteral("-two-outputs");
}

void ShootLevelsAndDelays(EditorProgram& program, OutputTopology topology, ShotFolder& shots) {
    EditorSet& editors = program.Editors();
    editors.levels.SetLevelPosition(1, 91);
    editors.levels.SetLevelPosition(3, 20);
    editors.levels.ToggleMute(2);
    editors.levels.TogglePolarity(3);
    program.RefreshWindows();
    shots.Save(program.Levels(), Named("output-levels", topology));
    program.Levels().hide();
    editors.levels.ToggleMute(2);
    editors.levels.TogglePolarity(3);

    editors.delays.EnterDistance(1, "34.6");
    editors.delays.EnterDistance(3, "80");
    editors.delays.AutoAlign();
    editors.delays.SetDelayPosition(2, 120);
    program.RefreshWindows();
    shots.Save(program.Delay(), Named("output-delay", topology));
    program.Delay().hide();
}

void ShootDynamicsAndSpeaker(EditorProgram& program, OutputTopology topology, ShotFolder& shots) {
    DynamicsController& dynamics = program.Editors().dynamics;
    dynamics.SelectRecord(1);
    dynamics.ChooseLimiter();
    dynamics.SetThresholdPosition(40);
    dynamics.SetKneePosition(12);
    program.RefreshWindows();
    shots.Save(program.Dynamics(), Named("dynamics-limiter", topology));

    dynamics.ChooseCompressor();
    dynamics.SetThresholdPosition(6);
    dynamics.SetRatioPosition(6);
    dynamics.SelectGateItem(3);
    program.RefreshWindows();
    shots.Save(program.Dynamics(), Named("dynamics-compressor-warning", topology));

    program.Dynamics().AdvancedButton()->click();
    shots.Save(program.Dynamics(), Named("dynamics-advanced", topology));
    program.Dynamics().AdvancedButton()->click();

    program.Speaker().FollowRecord(2);
    shots.Save(program.Speaker(), Named("speaker-amplifier", topology));
    program.Dynamics().hide();
}

} // namespace

void ShootOutputEditors(ShotFolder& shots) {
    // Each pair of windows from a program of its own, as a user would come to them.
    for (const auto shoot : {&ShootLevelsAndDelays, &ShootDynamicsAndSpeaker}) {
        testing::ScriptedDialogs dialogs;
        EditorProgram program(dialogs, {});
        program.SetEndHandler([] {});
        for (OutputTopology topology : {OutputTopology::ThreeOutputs, OutputTopology::TwoOutputs}) {
            program.Commands().ChooseTopology(topology);
            shoot(program, topology, shots);
        }
    }
}

} // namespace veld23::shots
