#pragma once

#include <array>
#include <complex>
#include <cstdint>

namespace veld23 {

// Every curve in the editor is evaluated on one logarithmic grid of whole hertz.
class FrequencyGrid {
  public:
    static constexpr int N = 400; // upper index: points 0..N
    static constexpr int kPoints = N + 1;

    std::array<std::int32_t, kPoints> GridHz{};
    std::array<float, kPoints> GridOmega{};
    std::array<std::complex<double>, kPoints> GridZInverse{};

    // The one grid of the program: 401 points from 20 Hz to SampleRate/2 - 1.
    static const FrequencyGrid& Shared();

    void Build(int upperIndex, double lowestHz, double highestHz);
};

} // namespace veld23
