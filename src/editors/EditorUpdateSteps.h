#pragma once

#include "config/LoadedConfigurationSteps.h"
#include "config/NewConfigurationSteps.h"

#include <functional>

namespace veld23 {

class CrossoverController;
class DelayController;
class DynamicsController;
class EqualiserEditor;
class LevelController;
class LoudnessController;

// The block editors a configuration's update steps run through.
struct BlockEditors {
    EqualiserEditor& equaliser;
    LevelController& levels;
    DynamicsController& dynamics;
    DelayController& delays;
    CrossoverController& crossover;
    LoudnessController& loudness;
};

// What lives above the editors. An unset hook means there is nothing of that kind
// (the command-line tool has no windows and no Real Time mode).
struct ApplicationHooks {
    // Hides the editor windows and the main window.
    std::function<void()> closeWindows;
    // Real Time mode off, every Real Time button on its off picture.
    std::function<void()> switchRealTimeOff;
    // The measurement import with the configuration's slots: reads the files into the
    // speaker curves and redraws the final response.
    std::function<void(ProcessorConfiguration&)> importMeasurements;
};

// The editors' own steps for a new, an opened and a read configuration, over the real
// editors, so that loading a configuration ends exactly as the windows would leave it.
class EditorUpdateSteps final : public LoadedConfigurationSteps, public NewConfigurationSteps {
  public:
    EditorUpdateSteps(BlockEditors editors, ApplicationHooks hooks);

    // ---- NewConfigurationSteps.
    void CloseWindows() override;
    void SwitchRealTimeOff() override;
    void ResetGainsEditor(ProcessorConfiguration& config) override;
    void ResetCrossoverEditor(ProcessorConfiguration& config) override;
    void ResetPeqEditor(ProcessorConfiguration& config) override;
    void ResetDynamicsEditor(ProcessorConfiguration& config) override;
    void ResetDelayEditor(ProcessorConfiguration& config) override;
    void ResetLoudnessEditor(ProcessorConfiguration& config) override;

    // ---- Both: the measurement import with the slots as they now are.
    void ConfirmMeasurementImport(ProcessorConfiguration& config) override;

    // ---- LoadedConfigurationSteps.
    void TopologyApplied(ProcessorConfiguration& config) override;
    void RefreshEqualiser(ProcessorConfiguration& config, int input) override;
    void RefreshCrossover(ProcessorConfiguration& config, int output) override;
    void RefreshLoudness(ProcessorConfiguration& config) override;
    void RefreshDynamics(ProcessorConfiguration& config, int record) override;
    void RefreshGainsFromFile(ProcessorConfiguration& config) override;
    void RefreshGainsFromPositions(ProcessorConfiguration& config) override;
    void RefreshDelays(ProcessorConfiguration& config) override;
    void RefreshDistances(ProcessorConfiguration& config) override;
    void LookAheadChanged(ProcessorConfiguration& config) override;

  private:
    BlockEditors editors_;
    ApplicationHooks hooks_;
};

} // namespace veld23
