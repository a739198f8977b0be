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
        // The topology's even mix is route state 0; the state the user left (IN 2 alone
        // after two outputs) would show one route while the other plays, and the saved
        // file would open as the route shown. Opening a file keeps its own state.
        config_.Routing.SelectRoute(0);
    }
    steps.TopologyApplied(config_);
    delays.CreationStep();
}

void EditorSet::NewConfiguration(OutputTopology topology) {
    config_.ResetToNew(steps);
    ChooseTopology(topology);
}

} // namespace veld23
