#pragma once

#include "config/OutputTopology.h"
#include "editors/CrossoverController.h"
#include "editors/DelayController.h"
#include "editors/DynamicsController.h"
#include "editors/EditorUpdateSteps.h"
#include "editors/EqualiserEditor.h"
#include "editors/LevelController.h"
#include "editors/LoudnessController.h"
#include "editors/SpeakerSettingsController.h"

namespace veld23 {

class ProcessorConfiguration;
class RealTimeSender;

// The block editors of the one configuration, created once in the order the start
// sequence creates their windows, and the update steps that run through them. The
// windows bind to these; the command-line tool and the tests use them as they are.
class EditorSet {
  public:
    EditorSet(ProcessorConfiguration& config, RealTimeSender& sender, ApplicationHooks hooks = {});
    EditorSet(const EditorSet&) = delete;
    EditorSet& operator=(const EditorSet&) = delete;

    // The topology chooser's two-ways or three-ways action: the topology command, the
    // editors' follow-up, then the delay editor's creation step (every output at zero
    // delay for the new topology).
    void ChooseTopology(OutputTopology topology);

    // A new configuration as the topology chooser makes one: the reset, then the action.
    void NewConfiguration(OutputTopology topology);

  private:
    ProcessorConfiguration& config_;
    RealTimeSender& sender_;

  public:
    EqualiserEditor equaliser;
    LevelController levels;
    DynamicsController dynamics;
    DelayController delays;
    CrossoverController crossover;
    // Hands its power checks and output choices to the dynamics editor.
    SpeakerSettingsController speaker;
    LoudnessController loudness;
    EditorUpdateSteps steps;
};

} // namespace veld23
