#pragma once

#include "config/ChannelLabels.h"
#include "config/FinalResponseSelections.h"
#include "config/InputRouting.h"
#include "config/MeasurementImportSettings.h"
#include "config/OutputDelay.h"
#include "config/OutputLevel.h"
#include "config/OutputTopology.h"
#include "config/SystemInformation.h"
#include "dsp/Crossover.h"
#include "dsp/Dynamics.h"
#include "dsp/LoudnessSection.h"
#include "dsp/PeqSet.h"
#include "dsp/SampleRate.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace veld23 {

class NewConfigurationSteps;

// The crossover editor's solo states of one output. HighPassAux: only the
// high-pass half is in use; LowPassAux: only the low-pass half. At most one is set.
struct CrossoverSolo {
    bool HighPassAux = false;
    bool LowPassAux = false;
};

// The one configuration of the program: everything a processor memory holds, a
// configuration file stores and the editors show. It is created once and lives
// for the whole run; New, Open and Read overwrite its values in place, so every
// record, section and table stays at the address editors and views hold.
//
// Arrays are indexed from 0: Peq[0] is IN 1, Crossovers[2] the third output,
// Dynamics[1] record 2 ("SUB"). Functions that take a channel or record number
// count from 1, as the windows do.
class ProcessorConfiguration {
  public:
    static constexpr int kInputs = 2;
    static constexpr int kOutputs = 3;
    static constexpr int kDynamicsRecords = 2;
    static constexpr int kLoudnessSections = 2;
    static constexpr std::int32_t kFirstProgram = 1;
    static constexpr std::int32_t kLastProgram = 8;

    // The state the main window starts from: ThreeOutputs with the even mix. The
    // start sequence then applies TwoOutputs, as New does.
    ProcessorConfiguration();
    ProcessorConfiguration(const ProcessorConfiguration&) = delete;
    ProcessorConfiguration& operator=(const ProcessorConfiguration&) = delete;

    SystemInformationTexts SystemInformation;
    ChannelLabelTexts ChannelLabels;
    OutputTopology Topology = OutputTopology::ThreeOutputs;
    std::int32_t SampleRate = static_cast<std::int32_t>(veld23::SampleRate);
    std::int32_t ProgramNumber = kFirstProgram; // memory addressed by device commands
    InputRouting Routing;

    std::array<PeqSet, kInputs> Peq{PeqSet(PeqSet::kPeq1CoefIndex), PeqSet(PeqSet::kPeq2CoefIndex)};
    // Flat sets that fill the equaliser slots of the memory's second processor
    // block; nothing edits them.
    std::array<PeqSet, kInputs> ShadowPeq{PeqSet(PeqSet::kPeq1CoefIndex),
                                          PeqSet(PeqSet::kPeq2CoefIndex)};
    std::array<TXOVER, kOutputs> Crossovers{};
    std::array<CrossoverSolo, kOutputs> CrossoverSolos{};
    // Section 1 is the one the loudness window edits; section 2 only travels.
    std::array<LoudnessSection, kLoudnessSections> Loudness{};
    std::array<OutputLevel, kOutputs> Levels{};
    std::array<OutputDelay, kOutputs> Delays{};
    std::int32_t DelayTemperature = OutputDelay::kDefaultTemperature; // degrees C
    std::array<TDYNAMIC, kDynamicsRecords> Dynamics{TDYNAMIC(1), TDYNAMIC(2)};
    MeasurementImportSettings MeasurementImport;
    FinalResponseSelections FinalResponse;

    // ---- Topology-dependent views of the model.

    // Level offset of dynamics record 1 or 2 (record 2's is always 6 dB).
    double LevelOffsetOf(int record) const;
    std::string_view DynamicsCaption(int record) const;
    bool ChannelOffered(int output) const;
    // The label a window shows for output 1..3: the third output is labelled with
    // OUT 2's label where it is the second full-range output.
    const ChannelLabelTexts::Label& OutputChannelLabel(int output) const;

    // The dynamics threshold slider position of record 1 or 2 for its Umbral, held
    // to the slider (0..101); the processor memory keeps the same number as the
    // record's threshold code. In TwoOutputs record 1's positions lie 12 below
    // their ThreeOutputs value for the same Umbral (6 dB in half-dB steps).
    int ThresholdPosition(int record) const;
    // Umbral (dBFS) that a slider position gives, position held to 0..101.
    float UmbralFromThresholdPosition(int record, int position) const;
    // Each record's Umbral held to the range its threshold slider spans in the
    // current topology, and a record that moved designed again. The topology
    // commands run it, so a start-up or loaded threshold the slider cannot show
    // (record 1's -6 dBFS in two outputs, record 2's -5 dBFS) does not come back
    // changed, with another limiter table, from a memory that was written.
    void HoldThresholdsToSliders();

    // The memory selector; a number outside 1..8 lands on the nearer end.
    void SelectProgram(std::int32_t program);

    // A new configuration, in place: windows closed and Real Time off (through the
    // steps), every record back to its default in the editors' order (gains,
    // crossover, PEQ, dynamics, delay, loudness, system information), name and
    // labels, routing back to the even mix, measurement import emptied and
    // confirmed, four final-response selections on (DELAY is left as it is),
    // alignment delays 0. The topology and the memory selector are left alone: the
    // caller applies a topology next, which also places the delay sliders for it.
    void ResetToNew(NewConfigurationSteps& steps);

    // The record groups ResetToNew restores itself, also for loaders that start
    // from defaults.
    void ResetCrossovers();
    void ResetEqualisers();
    void ResetDynamics();
    void ResetLoudness();
};

} // namespace veld23
