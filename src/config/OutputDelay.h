#pragma once

#include <cstdint>

namespace veld23 {

// Delay of one output channel.
struct OutputDelay {
    std::int32_t DelayPosition = 0;
    std::int32_t DelayWord = 0;      // samples, written to the processor
    std::int32_t AlignmentDelay = 0; // samples, from the distance fields or auto-align
};

} // namespace veld23
