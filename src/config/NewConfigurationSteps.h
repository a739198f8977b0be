#pragma once

namespace veld23 {

class ProcessorConfiguration;

// The parts of a new configuration that live above the model: windows, Real Time
// mode and the editors' own state. ProcessorConfiguration::ResetToNew calls them
// in their place in the sequence; the application implements them.
class NewConfigurationSteps {
  public:
    virtual ~NewConfigurationSteps() = default;

    // Hides the final response, PEQ, gains, crossover, dynamics, delay and loudness
    // windows and the main window. The crossover editor stores its pending
    // parameters before it goes, so nothing half-entered lands after the reset.
    virtual void CloseWindows() = 0;

    // Real Time mode off and every Real Time button on its off picture. Runs before
    // any value changes, so the reset itself sends nothing to the processor.
    virtual void SwitchRealTimeOff() = 0;

    // The block editors' own reset steps, called in this order, each right after
    // the configuration has restored that block's records: the step only resets
    // the editor's own state and refills its controls. The delay editor's step
    // also clears its distance fields.
    virtual void ResetGainsEditor(ProcessorConfiguration& config) = 0;
    virtual void ResetCrossoverEditor(ProcessorConfiguration& config) = 0;
    virtual void ResetPeqEditor(ProcessorConfiguration& config) = 0;
    virtual void ResetDynamicsEditor(ProcessorConfiguration& config) = 0;
    virtual void ResetDelayEditor(ProcessorConfiguration& config) = 0;
    virtual void ResetLoudnessEditor(ProcessorConfiguration& config) = 0;

    // The measurement import's confirmation with the emptied slots: the speaker
    // curves are cleared and the final response redrawn.
    virtual void ConfirmMeasurementImport(ProcessorConfiguration& config) = 0;
};

} // namespace veld23
