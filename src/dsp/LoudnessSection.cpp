#include "dsp/LoudnessSection.h"

#include "dsp/SectionDesign.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

double LoudnessQ(std::uint8_t sectionType, double gainDb) {
    if (sectionType == kHiPassQ) {
        return gainDb / 3.8 + 0.707;
    }
    return kLoudnessParametricQ;
}

void DesignLoudness(TSOS& section) {
    section.Q = LoudnessQ(section.SectionType, section.GainDb);
    if (section.SectionType == kHiPassQ) {
        DesignHiPassQ(section);
    } else {
        DesignParametricQAdap(section);
    }
}

double LoudnessFrequencyFromPosition(int position) {
    return 80.0 - std::clamp(position, 0, kLoudnessFrequencyPositions);
}

int LoudnessFrequencyPosition(double frequencyHz) {
    const double position = std::nearbyint(51.0 - (frequencyHz - 29.0));
    if (!(position >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(position, double{kLoudnessFrequencyPositions}));
}

double LoudnessGainFromPosition(int position) {
    // (120 - position) / 10 is the same double as the one-decimal text it is shown
    // as, so the stored value equals the parsed display.
    const int tenths = std::clamp(120 - position, 0, 120);
    return tenths / 10.0;
}

int LoudnessGainPosition(double gainDb) {
    const double position = std::nearbyint(121.0 - (10.0 * gainDb + 1.0));
    if (!(position >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(position, double{kLoudnessGainPositions}));
}

} // namespace veld23
