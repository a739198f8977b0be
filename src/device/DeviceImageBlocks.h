#pragma once

#include "device/DeviceImage.h"
#include "dsp/Crossover.h"
#include "dsp/Tsos.h"

#include <array>
#include <cstdint>
#include <span>

namespace veld23 {

class ProcessorConfiguration;

using ProcessorBlockBytes = std::span<std::uint8_t, kProcessorBlockSize>;
using PanelRecordBytes = std::span<std::uint8_t, kPanelRecordSize>;

// Fills processor block 1 (the running coefficients) or 2 (flat equalisers, the
// low-pass halves and the second loudness section) word by word.
void WriteProcessorBlock(const ProcessorConfiguration& config, int block,
                         ProcessorBlockBytes bytes);

// Fills panel copy 1 or 2; the copies differ only in the loudness type (section 1
// or 2) and the route state (copy 2 always 0).
void WritePanelRecord(const ProcessorConfiguration& config, int copy, PanelRecordBytes bytes);

// The two sections an output's crossover puts into its slots in block 1:
//   - a high-pass half of order 4: its section 2, then its section 1;
//   - otherwise a low-pass half of order 4: the same with the low-pass half;
//   - otherwise the low-pass half in the first slot and the high-pass half in the
//     second, each when its order is 2.
// A half of order 2 made of two first-order sections (a Linkwitz-Riley) puts their
// product into its slot, so the processor runs the 12 dB/octave filter the editor
// shows rather than one 6 dB/octave section. A slot no half fills (an order the
// editor never produces) passes the signal unchanged, so the block keeps its
// length and every later word its place.
std::array<TSOS, 2> CrossoverSlotSections(const TXOVER& crossover);

} // namespace veld23
