#pragma once

#include "dsp/Response.h"

#include <array>

namespace veld23 {

// The imported loudspeaker responses on the shared grid, read by the final response.
// Row c - 1 belongs to output channel c (1..3); the fourth row stays zero.
// Magnitudes are dB relative to the reference level; phases are radians, except for
// the layouts whose phase column is kept as read.
struct SpeakerCurves {
    static constexpr int kRows = 4;

    std::array<CurveArray, kRows> SpeakerMagnitude{};
    std::array<CurveArray, kRows> SpeakerPhase{};

    void ClearRow(int row) {
        SpeakerMagnitude[row].fill(0.0f);
        SpeakerPhase[row].fill(0.0f);
    }
    void ClearAll() {
        for (int row = 0; row < kRows; ++row) {
            ClearRow(row);
        }
    }
};

} // namespace veld23
