#pragma once

#include "dsp/Response.h"

#include <cstdio>
#include <span>

namespace veld23::tool {

// "%.17g" everywhere: every printed number reads back to the same double.
inline void PrintNumbers(std::span<const double> values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::printf(i == 0 ? "%.17g" : " %.17g", values[i]);
    }
    std::printf("\n");
}

// Evaluates the sections on the shared grid and prints `hz magnitude_db phase_rad` lines.
void PrintResponse(std::span<const TSOS* const> sections, int count);

} // namespace veld23::tool
