#pragma once

#include "dsp/Crossover.h"
#include "dsp/Tsos.h"

#include <array>

namespace veld23 {

class RealTimeSender;

// What an output's two five-word coefficient slots carry, each section with the
// CoefIndex of its slot.
//   - A half above order 2 (only ever the half a solo leaves in use) fills both
//     slots with its sections 1 and 2.
//   - Otherwise each half fills its own slot: the low-pass half first, then the
//     high-pass half. A half made of two first-order sections (a Linkwitz-Riley of
//     order 2) sends their product, so the processor runs the 12 dB/octave filter
//     the plot shows and not a single 6 dB/octave section.
using CrossoverSlotSections = std::array<TSOS, 2>;
CrossoverSlotSections SlotSections(const TXOVER& crossover);

// Sends every slot section as one five-value message at its CoefIndex. The caller
// has checked that the sender may send.
void SendSlotSections(const TXOVER& crossover, RealTimeSender& sender);

} // namespace veld23
