#include "editors/ChannelCopy.h"

#include "config/ProcessorConfiguration.h"
#include "editors/ConfigurationChanges.h"
#include "editors/ConfigurationSnapshot.h"
#include "editors/EditorSet.h"

#include <algorithm>

namespace veld23 {

namespace {

std::size_t Index(int channel) {
    return static_cast<std::size_t>(channel - 1);
}

void CopyPeq(ProcessorConfiguration& config, EqualiserEditor& editor, int from, int to) {
    const ConfigurationFileContent before = CaptureConfiguration(config);
    const PeqSet& source = config.Peq[Index(from)];
    PeqSet& target = config.Peq[Index(to)];
    for (int k = 0; k < PeqSet::kBands; ++k) {
        const PeqBand& s = source.bands[k];
        PeqBand& t = target.bands[k];
        // Each band keeps its own place in the processor's coefficient memory.
        t.SectionType = s.SectionType;
        t.Frequency = s.Frequency;
        t.GainDb = s.GainDb;
        t.Q = s.Q;
        for (int j = 0; j < 5; ++j) {
            t.SetCoefficient(j, s.GetCoefficient(j));
        }
    }
    target.UsedBands = std::max(source.UsedBands, target.UsedBands);
    const int shownPeq = editor.CurrentEqualiser();
    const int shownBand = editor.CurrentBand();
    // The bands that changed are chosen, so they are redesigned as the source's were (an
    // "IIR Coeff" band keeps the copied coefficients), redrawn and sent.
    ShowChangedBands(editor, CompareConfigurations(before, CaptureConfiguration(config)));
    editor.ShowBand(shownPeq, shownBand);
}

void CopyCrossover(ProcessorConfiguration& config, CrossoverController& editor, int from, int to) {
    const TXOVER& source = config.Crossovers[Index(from)];
    TXOVER& target = config.Crossovers[Index(to)];
    for (const auto half : {&TXOVER::HighPass, &TXOVER::LowPass}) {
        (target.*half).Family = (source.*half).Family;
        (target.*half).Order = (source.*half).Order;
        (target.*half).Frequency = (source.*half).Frequency;
    }
    config.CrossoverSolos[Index(to)] = config.CrossoverSolos[Index(from)];
    editor.ChooseOutput(to);
}

void CopyLevel(ProcessorConfiguration& config, LevelController& editor, int from, int to) {
    const OutputLevel& source = config.Levels[Index(from)];
    OutputLevel& target = config.Levels[Index(to)];
    target.OutputGain = source.OutputGain;
    target.OutputMuted = source.OutputMuted;
    target.OutputInverted = source.OutputInverted;
    // As after opening a file: switches, slider and field from the gain.
    editor.ActualizaValores();
    editor.ActualizaMainMute();
}

void CopyDelay(const ProcessorConfiguration& config, DelayController& editor, int from, int to) {
    const bool two = config.Topology == OutputTopology::TwoOutputs;
    const std::int32_t shown =
        config.Delays[Index(from)].DisplaySamples(OutputDelay::Layout(from, two));
    const DelayLayout layout = OutputDelay::Layout(to, two);
    const std::int32_t position = layout.base - (shown - layout.displayOffset);
    editor.SetDelayPosition(to, std::clamp(position, 0, layout.sliderMaximum));
}

void CopyDynamics(ProcessorConfiguration& config, DynamicsController& editor, int from, int to) {
    const TDYNAMIC& s = config.Dynamics[Index(from)];
    TDYNAMIC& t = config.Dynamics[Index(to)];
    // The records' thresholds are shown in dBu with offsets of their own.
    t.Umbral = config.UmbralFromThresholdPosition(to, config.ThresholdPosition(from));
    t.Ratio = s.Ratio;
    t.Knee = s.Knee;
    t.Tipo = s.Tipo;
    t.Gain = s.Gain;
    t.GateIndex = s.GateIndex;
    t.Pendiente = s.Pendiente;
    t.Bypass = s.Bypass;
    t.RmsCoef = s.RmsCoef;
    t.HoldSamples = s.HoldSamples;
    t.DecayCode = s.DecayCode;
    editor.RefreshRecord(to);
    editor.SendRecord();
}

} // namespace

int CopyChannels(CopyBlock block) {
    switch (block) {
    case CopyBlock::Peq:
        return ProcessorConfiguration::kInputs;
    case CopyBlock::Dynamics:
        return ProcessorConfiguration::kDynamicsRecords;
    default:
        return ProcessorConfiguration::kOutputs;
    }
}

bool CopyChannel(ProcessorConfiguration& config, EditorSet& editors, CopyBlock block, int from,
                 int to) {
    const int channels = CopyChannels(block);
    if (from == to || from < 1 || to < 1 || from > channels || to > channels) {
        return false;
    }
    switch (block) {
    case CopyBlock::Peq:
        CopyPeq(config, editors.equaliser, from, to);
        break;
    case CopyBlock::Crossover:
        CopyCrossover(config, editors.crossover, from, to);
        break;
    case CopyBlock::Levels:
        CopyLevel(config, editors.levels, from, to);
        break;
    case CopyBlock::Delay:
        CopyDelay(config, editors.delays, from, to);
        break;
    case CopyBlock::Dynamics:
        CopyDynamics(config, editors.dynamics, from, to);
        break;
    }
    return true;
}

std::string CopyChannelName(CopyBlock block, int channel, OutputTopology topology) {
    switch (block) {
    case CopyBlock::Peq:
        return "PEQ " + std::to_string(channel);
    case CopyBlock::Dynamics:
        return DynamicsRecordName(channel, topology);
    default:
        return OutputName(channel, topology);
    }
}

std::string CopyStepName(CopyBlock block, int from, int to, OutputTopology topology) {
    static constexpr const char* kBlockNames[] = {"", "crossover ", "level ", "delay ",
                                                  "dynamics "};
    return std::string("copy ") + kBlockNames[static_cast<int>(block)] +
           CopyChannelName(block, from, topology) + " \u2192 " +
           CopyChannelName(block, to, topology);
}

std::optional<std::pair<int, int>> WindowCopyPair(CopyBlock block, OutputTopology topology) {
    const bool three = topology == OutputTopology::ThreeOutputs;
    switch (block) {
    case CopyBlock::Peq:
        return std::pair{1, 2};
    case CopyBlock::Dynamics:
        return three ? std::nullopt : std::optional{std::pair{1, 2}};
    default:
        return std::pair{1, three ? 2 : 3};
    }
}

} // namespace veld23
