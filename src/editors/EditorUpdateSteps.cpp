#include "editors/EditorUpdateSteps.h"

#include "config/ProcessorConfiguration.h"
#include "editors/CrossoverController.h"
#include "editors/DelayController.h"
#include "editors/DynamicsController.h"
#include "editors/EqualiserEditor.h"
#include "editors/LevelController.h"
#include "editors/LoudnessController.h"

#include <utility>

namespace veld23 {

EditorUpdateSteps::EditorUpdateSteps(BlockEditors editors, ApplicationHooks hooks)
    : editors_(editors), hooks_(std::move(hooks)) {}

// ---- A new configuration.

void EditorUpdateSteps::CloseWindows() {
    // A frequency typed but not yet taken lands now, before anything is reset.
    editors_.crossover.StorePendingParameters();
    if (hooks_.closeWindows) {
        hooks_.closeWindows();
    }
}

void EditorUpdateSteps::SwitchRealTimeOff() {
    if (hooks_.switchRealTimeOff) {
        hooks_.switchRealTimeOff();
    }
}

void EditorUpdateSteps::ResetGainsEditor(ProcessorConfiguration&) {
    editors_.levels.ResetToNew();
}

void EditorUpdateSteps::ResetCrossoverEditor(ProcessorConfiguration&) {
    editors_.crossover.ResetToNew();
}

void EditorUpdateSteps::ResetPeqEditor(ProcessorConfiguration&) {
    editors_.equaliser.ResetToNew();
}

void EditorUpdateSteps::ResetDynamicsEditor(ProcessorConfiguration&) {
    editors_.dynamics.ResetToNew();
}

void EditorUpdateSteps::ResetDelayEditor(ProcessorConfiguration&) {
    editors_.delays.ResetToNew();
}

void EditorUpdateSteps::ResetLoudnessEditor(ProcessorConfiguration&) {
    editors_.loudness.ResetToNew();
}

void EditorUpdateSteps::ConfirmMeasurementImport(ProcessorConfiguration& config) {
    if (hooks_.importMeasurements) {
        hooks_.importMeasurements(config);
    }
}

// ---- A loaded configuration.

void EditorUpdateSteps::TopologyApplied(ProcessorConfiguration&) {
    // The delay editor asks for the topology on every use, so its sliders already
    // follow; the crossover and dynamics editors re-read what the topology decides.
    editors_.crossover.ApplyTopology();
    editors_.dynamics.TopologyChanged();
}

void EditorUpdateSteps::RefreshEqualiser(ProcessorConfiguration&, int input) {
    editors_.equaliser.RefreshEqualiser(input);
}

void EditorUpdateSteps::RefreshCrossover(ProcessorConfiguration&, int output) {
    // Choosing an output refills its controls from what was loaded (held to their
    // ranges) and designs both halves. The loaders refresh outputs 1, 2 and 3 in turn;
    // the first one's refresh also forgets the families the solo buttons held for the
    // previous configuration, which the editor's RefreshOutputs does before choosing
    // every output. Choosing the later outputs again designs the same halves again.
    if (output == 1) {
        editors_.crossover.RefreshOutputs();
    } else {
        editors_.crossover.ChooseOutput(output);
    }
}

void EditorUpdateSteps::RefreshLoudness(ProcessorConfiguration&) {
    editors_.loudness.Show();
}

void EditorUpdateSteps::RefreshDynamics(ProcessorConfiguration&, int record) {
    editors_.dynamics.RefreshRecord(record);
}

void EditorUpdateSteps::RefreshGainsFromFile(ProcessorConfiguration&) {
    editors_.levels.ActualizaValores();
    editors_.levels.ActualizaMainMute();
}

void EditorUpdateSteps::RefreshGainsFromPositions(ProcessorConfiguration& config) {
    for (int output = 1; output <= LevelController::kOutputs; ++output) {
        OutputLevel& level = config.Levels[static_cast<std::size_t>(output - 1)];
        // Polarity follows the switch before the slider derives the gain.
        level.OutputPolarity = level.OutputInverted ? -1.0f : 1.0f;
        editors_.levels.SetLevelPosition(output, level.LevelPosition);
    }
    editors_.levels.ActualizaMainMute();
}

void EditorUpdateSteps::RefreshDelays(ProcessorConfiguration& config) {
    for (int output = 1; output <= DelayController::kOutputs; ++output) {
        editors_.delays.SetDelayPosition(
            output, config.Delays[static_cast<std::size_t>(output - 1)].DelayPosition);
    }
}

void EditorUpdateSteps::RefreshDistances(ProcessorConfiguration&) {
    editors_.delays.DistancesFromAlignment();
}

void EditorUpdateSteps::LookAheadChanged(ProcessorConfiguration&) {
    editors_.delays.Activate();
}

} // namespace veld23
