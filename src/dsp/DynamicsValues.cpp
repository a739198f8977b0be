#include "dsp/DynamicsValues.h"

#include "dsp/DynamicsLimits.h"

#include <cmath>

namespace veld23::dynamics {

std::optional<int> GateItemFromIndex(float gateIndex) {
    // Judged as the table applies it: held to the gate field's range, then rounded.
    const float g =
        std::nearbyint(HoldField(gateIndex, kGateIndexMin, kGateIndexMax, kDefaultGateIndex));
    if (g == kGateOffIndex) {
        return 0;
    }
    for (int item = 1; item <= 7; ++item) {
        if (g == GateIndexFromItem(item)) {
            return item;
        }
    }
    return std::nullopt;
}

} // namespace veld23::dynamics
