#pragma once

#include "dsp/Tsos.h"

namespace veld23 {

// Coefficient designs of a single section. Each reads Frequency, GainDb and Q
// (as its type needs them) and SampleRate, writes the five coefficients and sets
// SectionType. A design that meets a zero denominator (0 Hz or exactly fs/2,
// which the editors' ranges keep out) leaves bypass coefficients rather than
// infinities.

// Designs by the section's own SectionType; type 12 keeps its entered coefficients,
// unknown codes give bypass.
void Design(TSOS& s);

void DesignBypass(TSOS& s);
void DesignParametricQAdap(TSOS& s);
void DesignParametricQConst(TSOS& s);
void DesignShelvLow6dB(TSOS& s);
void DesignShelvHigh6dB(TSOS& s);
void DesignLowPassButtw(TSOS& s);
void DesignHiPassButtw(TSOS& s);
void DesignBandPass(TSOS& s);
void DesignStopBand(TSOS& s);
void DesignAllPass1(TSOS& s);
void DesignAllPass2(TSOS& s);
void DesignLowPassQ(TSOS& s);
void DesignHiPassQ(TSOS& s);
// First-order low-pass / high-pass used by crossover halves; both set SectionType 14.
void DesignFirstOrderLowPass(TSOS& s);
void DesignFirstOrderHighPass(TSOS& s);

// Holds b0 and b1 just inside the device word's range after the peaking and
// shelving designs.
void CoefficientLimit(TSOS& s);

} // namespace veld23
