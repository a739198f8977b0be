#pragma once

#include "dsp/Tsos.h"

#include <cstdint>

namespace veld23 {

// The low-frequency boost of the subwoofer path ("SUB Reinforcement"): one
// section at coefficient word 100, either a peaking filter (type 1) or a resonant
// high-pass (type 11) between 29 and 80 Hz with up to +12 dB.
inline constexpr std::int32_t kLoudnessCoefIndex = 100;
inline constexpr double kLoudnessParametricQ = 1.5;

class LoudnessSection : public TSOS {
  public:
    LoudnessSection() {
        CoefIndex = kLoudnessCoefIndex;
        Q = kLoudnessParametricQ;
        SectionType = kParametricQAdap;
        Frequency = 55.0;
        GainDb = 0.0;
    }
};

// The Q a loudness design uses: 1.5 for the peaking type; for the high-pass type
// GainDb / 3.8 + 0.707, so 0 dB is a Butterworth-like 0.707 and 12 dB a
// resonance of about 3.865.
double LoudnessQ(std::uint8_t sectionType, double gainDb);

// Sets Q by LoudnessQ and designs: "HiPass Q" for type 11, "Parametric Q Adap"
// for anything else (the window lights "Param" for every type but 11). Because Q
// always follows type and gain, the result depends only on type, frequency and
// gain, also for a section whose Q was loaded from elsewhere.
void DesignLoudness(TSOS& section);

// Slider laws of the loudness window. Frequency slider: positions 0..51 for
// 80..29 Hz. Gain slider: positions 0..121 for 12.0..0.0 dB in 0.1 dB steps; the
// bottom position 121 is held to 0.0 dB. Positions from values round to the
// nearest integer (halves to even) and are held to the slider's range.
inline constexpr int kLoudnessFrequencyPositions = 51; // highest position
inline constexpr int kLoudnessGainPositions = 121;     // highest position
double LoudnessFrequencyFromPosition(int position);
int LoudnessFrequencyPosition(double frequencyHz);
double LoudnessGainFromPosition(int position);
int LoudnessGainPosition(double gainDb);

} // namespace veld23
