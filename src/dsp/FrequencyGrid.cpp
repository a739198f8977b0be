#include "dsp/FrequencyGrid.h"

#include "dsp/SampleRate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veld23 {

const FrequencyGrid& FrequencyGrid::Shared() {
    static const FrequencyGrid grid = [] {
        FrequencyGrid g;
        g.Build(N, 20.0, SampleRate / 2 - 1);
        return g;
    }();
    return grid;
}

void FrequencyGrid::Build(int upperIndex, double lowestHz, double highestHz) {
    const int n = std::clamp(upperIndex, 1, N);
    const double lo = std::log10(lowestHz);
    const double hi = std::log10(highestHz);
    const double step = (hi - lo) / n;
    for (int i = 0; i <= n; ++i) {
        GridHz[i] = static_cast<std::int32_t>(std::nearbyint(std::pow(10.0, lo + i * step)));
        GridOmega[i] = static_cast<float>(2.0 * std::numbers::pi * GridHz[i] / SampleRate);
        const double w = GridOmega[i];
        GridZInverse[i] = std::complex<double>(std::cos(w), -std::sin(w));
    }
}

} // namespace veld23
