#pragma once

#include <cstdint>

namespace veld23 {

// Section designs by code. 0..13 are the equaliser types; 14 and 15 only occur
// inside crossover halves.
enum SectionTypeCode : std::uint8_t {
    kBypass = 0,
    kParametricQAdap = 1,
    kShelvLow6dB = 2,
    kShelvHigh6dB = 3,
    kLowPassButtw = 4,
    kHiPassButtw = 5,
    kBandPass = 6,
    kStopBand = 7,
    kAllPass1 = 8,
    kAllPass2 = 9,
    kLowPassQ = 10,
    kHiPassQ = 11,
    kIirCoeff = 12,
    kParametricQConst = 13,
    kFirstOrder = 14,
    kFirstOrderHighPassButtw = 15,
};

// One second-order section.
// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2): a1 and a2 are kept
// negated with respect to the textbook denominator, because that is how the
// processor, its image and its real-time messages carry them.
class TSOS {
  public:
    long double b0 = 1.0L;
    long double b1 = 0.0L;
    long double b2 = 0.0L;
    long double a1 = 0.0L;
    long double a2 = 0.0L;
    std::uint8_t SectionType = kBypass;
    double GainDb = 0.0;
    double Frequency = 1000.0;
    double Q = 0.707;
    std::int32_t CoefIndex = 0;

    void SetBypass();
    // k = 0..4 gives b0, b1, b2, a1, a2; anything else 0.
    double GetCoefficient(int k) const;
    void SetCoefficient(int k, long double value);
};

} // namespace veld23
