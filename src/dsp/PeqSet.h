#pragma once

#include "dsp/Tsos.h"

#include <array>
#include <cstdint>

namespace veld23 {

using PeqBand = TSOS;

// Seven bands of one input equaliser. Band k occupies five device words from
// firstCoefIndex + 5 (k - 1).
struct PeqSet {
    static constexpr int kBands = 7;
    static constexpr int kPeq1CoefIndex = 0;
    static constexpr int kPeq2CoefIndex = 35;

    std::array<PeqBand, kBands> bands{};
    std::int32_t UsedBands = 2; // bands 1..UsedBands are drawn

    explicit PeqSet(std::int32_t firstCoefIndex) {
        for (int k = 0; k < kBands; ++k) {
            bands[k].CoefIndex = firstCoefIndex + 5 * k;
        }
    }
    // 1-based band access, as the editor numbers them.
    PeqBand& Band(int k) { return bands[k - 1]; }
    const PeqBand& Band(int k) const { return bands[k - 1]; }
};

} // namespace veld23
