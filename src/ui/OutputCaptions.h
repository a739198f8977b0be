#pragma once

#include <QString>

namespace veld23 {

class ProcessorConfiguration;

// How the output editors caption output 1..3, as the main window's rows show them:
// "OUT 1", "OUT 2" and "SUB", the third being "OUT 2" where it is the second
// full-range output; and the label the user gave the row (the OUT 1, OUT 2 and SUB
// label fields).
QString OutputName(const ProcessorConfiguration& config, int output);
QString OutputRowLabel(const ProcessorConfiguration& config, int output);

} // namespace veld23
