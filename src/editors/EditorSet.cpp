#include "editors/EditorSet.h"

#include "config/ProcessorConfiguration.h"

#include <utility>

namespace veld23 {

EditorSet::EditorSet(ProcessorConfiguration& config, RealTimeSender& sender, ApplicationHooks hooks)
    : config_(config), sender_(sender), equaliser(config, sender), levels(config, sender),
      dynamics(config, sender), delays(config, sender), crossover(config, sender),
      speaker(config, &dynamics), loudness(config, sender, crossover),
      steps({equaliser, levels, dynamics, delays, crossover, loudness}, std::move(hooks)) {
    // The output delays include the look-ahead of the dynamics.
    dynamics.SetLookAheadChanged([this] { delays.Activate(); });
}

void EditorSet::ChooseTopology(OutputTopology topology) {
    if (topology == OutputTopology::TwoOutputs) {
        ApplyTwoOutputs(config_, sender_);
    } else {
        ApplyThreeOutputs(config_, sender_);
    }
    steps.TopologyApplied(config_);
    delays.CreationStep();
}

void EditorSet::NewConfiguration(OutputTopology topology) {
    config_.ResetToNew(steps);
    ChooseTopology(topology);
}

} // namespace veld23
