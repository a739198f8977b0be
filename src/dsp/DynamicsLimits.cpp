#include "dsp/DynamicsLimits.h"

#include <cmath>

namespace veld23::dynamics {

float HoldField(float value, float lo, float hi, float fallback) {
    if (std::isnan(value)) {
        return fallback;
    }
    return value < lo ? lo : (value > hi ? hi : value);
}

double HoldField(double value, double lo, double hi, double fallback) {
    if (std::isnan(value)) {
        return fallback;
    }
    return value < lo ? lo : (value > hi ? hi : value);
}

std::int32_t HoldField(std::int32_t value, std::int32_t lo, std::int32_t hi) {
    return value < lo ? lo : (value > hi ? hi : value);
}

float NearestZloadChoice(float value) {
    if (std::isnan(value)) {
        return kDefaultZload;
    }
    float best = kZloadChoices[0];
    for (float choice : kZloadChoices) {
        if (std::fabs(value - choice) < std::fabs(value - best)) {
            best = choice;
        }
    }
    return best;
}

} // namespace veld23::dynamics
