#pragma once

#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// Every section of every output path in signal order, as the text blocks DSP tools load
// biquads from:
//
//   # OUT 1 PEQ
//   biquad1,
//   b0=1,
//   b1=0,
//   ...
//   a2=0,
//
// one '#' comment per block (equaliser, "SUB Reinforcement", crossover, the SUB path's
// fixed low-pass), sections numbered from 1 within a block, "%.17g" so every value reads
// back exactly. a1 and a2 carry the processor's sign:
// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2).
std::string BiquadExportText(const ProcessorConfiguration& config, std::string_view origin);

} // namespace veld23
