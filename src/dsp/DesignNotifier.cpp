#include "dsp/DesignNotifier.h"

#include <cstdio>

namespace veld23 {

std::string BesselCutoffMessage(double limitHz, int order) {
    // The limits are whole hertz; "%.15g" prints them without a decimal part
    // and would still show a fractional limit faithfully.
    char limit[32];
    std::snprintf(limit, sizeof limit, "%.15g", limitHz);
    return "Maximum Bessel Cutoff = " + std::string(limit) + " for LowPass of order " +
           std::to_string(order);
}

} // namespace veld23
