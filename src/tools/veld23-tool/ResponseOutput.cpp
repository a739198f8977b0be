#include "ResponseOutput.h"

#include "dsp/FrequencyGrid.h"

namespace veld23::tool {

void PrintResponse(std::span<const TSOS* const> sections, int count) {
    ResponseCurve curve;
    AccumulateResponse(sections, count, curve);
    const auto& grid = FrequencyGrid::Shared();
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        const double line[] = {static_cast<double>(grid.GridHz[i]), curve.magnitudeDb[i],
                               curve.phaseRad[i]};
        PrintNumbers(line);
    }
}

} // namespace veld23::tool
