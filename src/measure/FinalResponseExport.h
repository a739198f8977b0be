#pragma once

#include "measure/ExportFiles.h"
#include "measure/FinalResponse.h"

#include <string_view>
#include <vector>

namespace veld23 {

class ProcessorConfiguration;

// The final response as the text that measurement and crossover tools exchange: one
// file per output channel and one for the sum ("out1.frd", "out2.frd", "sub.frd" with
// three outputs or "out3.frd" with two, "sum.frd"). Each is a '*' comment header naming
// the configuration and the blocks taken into account, then lines
// "hz magnitude_db phase_deg" at the grid's frequencies, each frequency once and rising.
// The values are those the view draws, with the same switches and look-ahead.
std::vector<ExportFile> FinalResponseFrdFiles(const ProcessorConfiguration& config,
                                              const FinalResponseSources& sources,
                                              int lookAheadSamples, std::string_view origin);

} // namespace veld23
