#include "editors/EqualiserLaws.h"

#include "config/FieldNumber.h"
#include "dsp/PeqRules.h"

#include <algorithm>
#include <cmath>

namespace veld23::equaliser {

namespace {

// Slider positions are whole numbers; halves go to the even neighbour as everywhere else.
int NearestPosition(double position, int min, int max) {
    if (std::isnan(position)) {
        return min;
    }
    return static_cast<int>(std::nearbyint(std::clamp(position, double(min), double(max))));
}

} // namespace

int HoldFrequencyPosition(int position) {
    return std::clamp(position, kFrequencyMinPosition, kFrequencyMaxPosition);
}

int HoldGainPosition(int position) {
    return std::clamp(position, kGainMinPosition, kGainMaxPosition);
}

int HoldQPosition(int position) {
    return std::clamp(position, kQMinPosition, kQMaxPosition);
}

double FrequencyFromPosition(int position) {
    const double fraction = (kMaxHz - HoldFrequencyPosition(position)) / kMaxHz;
    return kMaxHz * fraction * fraction * fraction;
}

int PositionForFrequency(double hz) {
    const double held = HoldToRange(hz, kMinHz, kMaxHz);
    return NearestPosition(kMaxHz - kMaxHz * std::cbrt(held / kMaxHz), kFrequencyMinPosition,
                           kFrequencyMaxPosition);
}

double GainFromPosition(int position) {
    return (273 - HoldGainPosition(position)) * 0.1 - 15;
}

int PositionForGain(double gainDb) {
    const double held = HoldToRange(gainDb, kMinGainDb, kMaxGainDb);
    return NearestPosition((-held - 15) / 0.1 + 273, kGainMinPosition, kGainMaxPosition);
}

double QFromPosition(int position) {
    return (200 - HoldQPosition(position)) / 10.0;
}

int PositionForQ(double q) {
    const double held = HoldToRange(q, kMinQ, kMaxQ);
    return NearestPosition(200 - 10 * held, kQMinPosition, kQMaxPosition);
}

double HoldToRange(double value, double min, double max) {
    if (std::isnan(value)) {
        return min;
    }
    return std::clamp(value, min, max);
}

double ShownFrequency(double hz) {
    return field_number::Shown(HoldToRange(hz, kMinHz, kMaxHz), kHzDecimals);
}

double ShownGain(double gainDb) {
    return field_number::Shown(HoldToRange(gainDb, kMinGainDb, kMaxGainDb), kGainDecimals);
}

double ShownQ(double q) {
    return field_number::Shown(HoldToRange(q, kMinQ, kMaxQ), kQDecimals);
}

EqualiserControls ControlsForType(int listIndex) {
    if (listIndex < 0 || listIndex >= kEqTypeCount) {
        listIndex = 0;
    }
    const EqTypeEntry& entry = EqTypeList()[static_cast<std::size_t>(listIndex)];
    EqualiserControls controls;
    controls.frequency = !entry.usesCoefficients;
    controls.gain = entry.usesGain;
    controls.q = entry.usesQ;
    controls.coefficientPanel = entry.usesCoefficients;
    controls.captions = !entry.usesCoefficients;
    return controls;
}

bool TypeZeroesGain(std::uint8_t sectionType) {
    return sectionType == kLowPassButtw || sectionType == kHiPassButtw ||
           sectionType == kLowPassQ || sectionType == kHiPassQ;
}

bool DragKeepsGainZero(std::uint8_t sectionType) {
    return sectionType == kLowPassButtw || sectionType == kHiPassButtw ||
           (sectionType >= kStopBand && sectionType <= kHiPassQ);
}

bool IsShelving(std::uint8_t sectionType) {
    return sectionType == kShelvLow6dB || sectionType == kShelvHigh6dB;
}

} // namespace veld23::equaliser
