#pragma once

#include "dsp/Response.h"
#include "measure/SpeakerCurves.h"
#include "plot/PlotConfigurations.h"

#include <array>

namespace veld23 {

class ProcessorConfiguration;

// The block curves the final response adds up, as their editors last evaluated them.
// A missing curve counts as flat (0 dB, 0 rad).
struct FinalResponseSources {
    std::array<const ResponseCurve*, 2> equalisers{}; // PEQ1, PEQ2
    const ResponseCurve* loudness = nullptr;
    std::array<const ResponseCurve*, 3> crossovers{}; // outputs 1..3, without the SUB low-pass
    const SpeakerCurves* speakers = nullptr;
};

// What the view draws: curves 0..2 are the output channels, 3 their acoustic sum. A
// recompute fills only the view asked for.
struct FinalResponseCurves {
    static constexpr int kChannels = 3;
    static constexpr int kSum = 3;
    std::array<CurveArray, 4> magnitudeDb{};
    std::array<CurveArray, 4> phaseDeg{};
};

// The level of a sum that cancels exactly: the same -300 dB floor as a section's zero.
inline constexpr double kSilentSumDb = -300.0;

// One recompute over the grid from the configuration (switches, gains, polarity, delays,
// routing, topology) and the sources, for one view: levels in dB or wrapped phases in
// degrees. lookAheadSamples is dynamics record 1's look-ahead as it was when the view was
// activated. Allocates nothing.
void ComputeFinalResponse(const ProcessorConfiguration& config, const FinalResponseSources& sources,
                          int lookAheadSamples, ResponseView view, FinalResponseCurves& out);

} // namespace veld23
