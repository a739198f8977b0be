#pragma once

#include "config/OutputTopology.h"

#include <optional>
#include <string>
#include <utility>

namespace veld23 {

class EditorSet;
class ProcessorConfiguration;

// The blocks whose settings can be copied from one channel to another.
enum class CopyBlock { Peq, Crossover, Levels, Delay, Dynamics };

// Channels as the configuration numbers them: inputs 1..2 for the equaliser, output
// channels 1..3 for the crossover, level and delay, dynamics records 1..2.
int CopyChannels(CopyBlock block);

// Makes channel `to` of the block what channel `from` is, through the block's editor, so
// the copy is redesigned, redrawn and (in Real Time mode) sent as the editor's own edit
// would be:
//  - equaliser: every band's type, frequency, gain, Q and coefficients;
//  - crossover: both halves (family, order, frequency) and the solo switches;
//  - level: gain, mute and polarity;
//  - delay: the delay shown (the sliders of the outputs differ in offsets and reach);
//  - dynamics: threshold (as shown in dBu), ratio, knee, type, make-up gain, gate,
//    bypass and the times; the speaker settings and the look-ahead are the channel's own.
// The equaliser window keeps the band it shows; the other editors show the target.
// False for a channel outside the block's range or a copy onto itself.
bool CopyChannel(ProcessorConfiguration& config, EditorSet& editors, CopyBlock block, int from,
                 int to);

// "PEQ 1", "OUT 2", "SUB": the channel as the windows name it.
std::string CopyChannelName(CopyBlock block, int channel, OutputTopology topology);
// "copy PEQ 1 → PEQ 2", "copy crossover OUT 1 → OUT 2": the undo step.
std::string CopyStepName(CopyBlock block, int from, int to, OutputTopology topology);

// The channels of a window's "Copy OUT 1 → OUT 2": OUT 2 is output channel 2 with
// three outputs and channel 3 with two. With three outputs OUT 1 and OUT 2 share one
// dynamics record, so there is nothing to copy between them. The equaliser's pair is
// PEQ 1 and PEQ 2.
std::optional<std::pair<int, int>> WindowCopyPair(CopyBlock block, OutputTopology topology);

} // namespace veld23
