#include "config/ProcessorConfiguration.h"

#include "config/NewConfigurationSteps.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/DynamicsValues.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

namespace {

// Top of the threshold slider in dBFS, before the level offset: record 1 at 0 dB
// offset, and record 2, whose offset is fixed.
constexpr double kRecord1ThresholdTop = -11.5;
constexpr double kRecord2ThresholdTop = -5.5;

double ThresholdTop(const ProcessorConfiguration& config, int record) {
    return record == 2 ? kRecord2ThresholdTop : kRecord1ThresholdTop + config.LevelOffsetOf(1);
}

void ResetPeqSet(PeqSet& set) {
    for (PeqBand& band : set.bands) {
        const std::int32_t coefIndex = band.CoefIndex;
        band = PeqBand{};
        band.CoefIndex = coefIndex;
    }
    set.UsedBands = 2;
}

} // namespace

ProcessorConfiguration::ProcessorConfiguration() {
    for (int output = 1; output <= kOutputs; ++output) {
        SetInitialCrossover(Crossovers[output - 1], output);
    }
    // Delays start at zero for the topology the configuration starts in, so the
    // SUB's word carries its fixed 21 samples from the first moment.
    ZeroDelays(Delays, Topology == OutputTopology::TwoOutputs);
}

double ProcessorConfiguration::LevelOffsetOf(int record) const {
    return dynamics::LevelOffsetOf(record, Record1LevelOffset(Topology));
}

std::string_view ProcessorConfiguration::DynamicsCaption(int record) const {
    return veld23::DynamicsCaption(Topology, record);
}

bool ProcessorConfiguration::ChannelOffered(int output) const {
    return veld23::ChannelOffered(Topology, output);
}

const ChannelLabelTexts::Label& ProcessorConfiguration::OutputChannelLabel(int output) const {
    if (output == 1) {
        return ChannelLabels.Out1;
    }
    if (output == 2 || Topology == OutputTopology::TwoOutputs) {
        return ChannelLabels.Out2;
    }
    return ChannelLabels.Sub;
}

int ProcessorConfiguration::ThresholdPosition(int record) const {
    const TDYNAMIC& d = Dynamics[record == 2 ? 1 : 0];
    const double umbral = dynamics::HoldField(d.Umbral, dynamics::kUmbralMin, dynamics::kUmbralMax,
                                              dynamics::kDefaultUmbralRecord1);
    // Held to the slider: record 1's start-up threshold (-6 dBFS) lies above the
    // top of the slider in TwoOutputs and would otherwise give -11, a byte of 245
    // in the memory and a threshold near -134 dBFS when read back.
    const double position = std::nearbyint(2.0 * (ThresholdTop(*this, record) - umbral));
    return static_cast<int>(
        std::clamp(position, 0.0, static_cast<double>(dynamics::kThresholdPositionMax)));
}

float ProcessorConfiguration::UmbralFromThresholdPosition(int record, int position) const {
    const int held = std::clamp(position, 0, dynamics::kThresholdPositionMax);
    return static_cast<float>(ThresholdTop(*this, record) - held / 2.0);
}

void ProcessorConfiguration::HoldThresholdsToSliders() {
    for (int record = 1; record <= kDynamicsRecords; ++record) {
        TDYNAMIC& d = Dynamics[static_cast<std::size_t>(record - 1)];
        if (std::isnan(d.Umbral)) {
            continue; // the design holds it; there is no range to place it in
        }
        const double top = ThresholdTop(*this, record);
        const double bottom = top - dynamics::kThresholdPositionMax / 2.0;
        const float held = static_cast<float>(std::clamp<double>(d.Umbral, bottom, top));
        if (held != d.Umbral) {
            d.Umbral = held;
            d.Design();
            d.BuildTable();
        }
    }
}

void ProcessorConfiguration::SelectProgram(std::int32_t program) {
    ProgramNumber = std::clamp(program, kFirstProgram, kLastProgram);
}

void ProcessorConfiguration::ResetCrossovers() {
    for (int output = 1; output <= kOutputs; ++output) {
        Crossovers[output - 1] = TXOVER{};
        SetInitialCrossover(Crossovers[output - 1], output);
        CrossoverSolos[output - 1] = CrossoverSolo{};
    }
}

void ProcessorConfiguration::ResetEqualisers() {
    for (int input = 0; input < kInputs; ++input) {
        ResetPeqSet(Peq[input]);
        ResetPeqSet(ShadowPeq[input]);
    }
}

void ProcessorConfiguration::ResetDynamics() {
    for (int record = 1; record <= kDynamicsRecords; ++record) {
        Dynamics[record - 1].ResetToDefaults(record);
    }
}

void ProcessorConfiguration::ResetLoudness() {
    for (LoudnessSection& section : Loudness) {
        section = LoudnessSection{};
    }
}

void ProcessorConfiguration::ResetToNew(NewConfigurationSteps& steps) {
    steps.CloseWindows();
    steps.SwitchRealTimeOff();

    ResetLevels(Levels);
    steps.ResetGainsEditor(*this);
    ResetCrossovers();
    steps.ResetCrossoverEditor(*this);
    ResetEqualisers();
    steps.ResetPeqEditor(*this);
    ResetDynamics();
    steps.ResetDynamicsEditor(*this);
    ResetDelays(Delays, DelayTemperature, Topology == OutputTopology::TwoOutputs);
    steps.ResetDelayEditor(*this);
    ResetLoudness();
    steps.ResetLoudnessEditor(*this);
    // The name is one field for both windows, so there is nothing to copy.
    SystemInformation.ProjectName.Clear();
    SystemInformation.Engineer.Clear();
    SystemInformation.Comments.Clear();

    SystemInformation.SystemName.Assign(kNewSystemName);
    ChannelLabels = ChannelLabelTexts{};
    SampleRate = static_cast<std::int32_t>(veld23::SampleRate);

    // State 2 and one press of the route button: the even mix. Real Time mode is
    // already off, so the press has nothing to send.
    Routing.RouteState = 2;
    Routing.AdvanceRoute();

    MeasurementImport.ResetToDefaults();
    steps.ConfirmMeasurementImport(*this);

    FinalResponse.SpkData = true;
    FinalResponse.PEQBox = true;
    FinalResponse.XOVERBox = true;
    FinalResponse.GAINBox = true;

    for (OutputDelay& delay : Delays) {
        delay.AlignmentDelay = 0;
    }
}

} // namespace veld23
