#pragma once

namespace veld23 {

class ProcessorConfiguration;

// The editors' own update steps that a loaded configuration (an opened file or a
// memory read from the processor) runs through. They are not mere redraws: an
// equaliser refresh selects every band, so stored parameters come back quantised
// to what the controls show, exactly as if the user had visited each one. The
// loaders call them in their own order; the application implements them over the
// real editors.
class LoadedConfigurationSteps {
  public:
    virtual ~LoadedConfigurationSteps() = default;

    // After a topology command: the topology chooser's follow-up (delay sliders,
    // which channel controls are offered).
    virtual void TopologyApplied(ProcessorConfiguration& config) = 0;

    // The equaliser of input 1 or 2, selecting its bands 7, 6, ..., 1 in turn.
    virtual void RefreshEqualiser(ProcessorConfiguration& config, int input) = 0;
    // The crossover of output 1..3 (redesigns its halves).
    virtual void RefreshCrossover(ProcessorConfiguration& config, int output) = 0;
    // The loudness controls from section 1 (redesigns it).
    virtual void RefreshLoudness(ProcessorConfiguration& config) = 0;
    // The dynamics editor for record 1 or 2 (redesigns the record and its table).
    virtual void RefreshDynamics(ProcessorConfiguration& config, int record) = 0;

    // Gains after a file: every level from OutputGain, then each output's
    // controls, then the main window's mute indication.
    virtual void RefreshGainsFromFile(ProcessorConfiguration& config) = 0;
    // Gains after a memory read: each output from its LevelPosition.
    virtual void RefreshGainsFromPositions(ProcessorConfiguration& config) = 0;
    // Delays of outputs 1..3 from their DelayPosition.
    virtual void RefreshDelays(ProcessorConfiguration& config) = 0;
    // The three distance fields from AlignmentDelay and DelayTemperature.
    virtual void RefreshDistances(ProcessorConfiguration& config) = 0;
    // The record 1 look-ahead has changed: the delay block follows it.
    virtual void LookAheadChanged(ProcessorConfiguration& config) = 0;

    // The measurement import with the loaded slots (reads the files, redraws).
    virtual void ConfirmMeasurementImport(ProcessorConfiguration& config) = 0;
};

} // namespace veld23
