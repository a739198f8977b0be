#pragma once

#include "config/ConfigurationFileContent.h"
#include "config/OutputTopology.h"

#include <array>
#include <string>
#include <vector>

namespace veld23 {

// What differs between two stored configurations, block by block. Restoring a snapshot
// refreshes only the blocks that differ (so only they are redesigned and sent in Real
// Time mode), and an undo step is named after what it changed.
//
// Choosing a band is not an edit, so what it does to the configuration is no change: how
// many equaliser bands are drawn (UsedBands) grows, and a bypassed band's gain and Q (whose
// controls are off) are rounded to what their fields show.
struct ConfigurationChanges {
    bool topology = false;
    bool routing = false;
    std::array<bool, ConfigurationFileContent::kInputs> peq{};
    // The bands whose parameters or coefficients differ, [input - 1][band - 1].
    std::array<std::array<bool, ConfigurationFileContent::kBands>,
               ConfigurationFileContent::kInputs>
        bands{};
    std::array<bool, ConfigurationFileContent::kOutputs> crossover{};
    bool loudness = false;
    bool levels = false;
    bool delays = false;    // the delay words
    bool distances = false; // alignment delays or the temperature
    std::array<bool, ConfigurationFileContent::kDynamicsRecords> dynamics{};
    bool lookAhead = false; // record 1's, which the delays follow
    bool measurement = false;

    // Every change in words ("PEQ 1 band 3 frequency", "level OUT 2"), the most telling
    // first. Empty when nothing that counts differs.
    std::vector<std::string> names;

    bool Any() const { return !names.empty(); }
    // The one name of a step: the first change, "and more" when there are others.
    std::string StepName() const;
};

ConfigurationChanges CompareConfigurations(const ConfigurationFileContent& before,
                                           const ConfigurationFileContent& after);

// How the steps, the copy commands and the windows name output channel 1..3 and dynamics
// record 1..2 in a topology: the third channel is the SUB with three outputs and OUT 2
// with two; record 1 serves "OUT 1-2" with three outputs.
std::string OutputName(int output, OutputTopology topology);
std::string DynamicsRecordName(int record, OutputTopology topology);

} // namespace veld23
