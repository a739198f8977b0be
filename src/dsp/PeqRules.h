#pragma once

#include "dsp/Tsos.h"

#include <array>
#include <cstdint>

namespace veld23 {

// One entry of the equaliser's type list, in the order the user sees it.
struct EqTypeEntry {
    const char* caption;
    std::uint8_t sectionType;
    bool usesGain;
    bool usesQ;
    bool usesCoefficients; // "IIR Coeff": the five coefficients are typed in
};

inline constexpr int kEqTypeCount = 14;
const std::array<EqTypeEntry, kEqTypeCount>& EqTypeList();
// Inverse of the list; codes that have no entry show as "Bypass".
int EqTypeListIndex(std::uint8_t sectionType);

// Band ranges as the editor holds them.
inline constexpr double kBandMinHz = 10.0;
inline constexpr double kBandMaxHz = 20000.0;
inline constexpr double kBandMinGainDb = -15.0;
inline constexpr double kBandMaxGainDb = 12.0;
inline constexpr double kShelvingMaxGainDb = 6.0;
inline constexpr double kBandMinQ = 0.5;
inline constexpr double kBandMaxQ = 20.0;

// Floors and caps that follow a type choice: BandPass Q >= 1.7, StopBand Q >= 1.0,
// shelving gain <= +6 dB.
void ApplyTypeChoiceRules(TSOS& band);
// The same BandPass/StopBand floors, applied when the Q slider moves.
void ApplyQFloor(TSOS& band);
// The shelving cap, applied when the gain slider moves.
void ApplyShelvingGainCap(TSOS& band);
// "Parametric Q Const" bands get a minimum Q that rises with frequency, keeping
// the bilinear design from collapsing its bandwidth near the top of the band.
void ApplyConstQFloor(TSOS& band);

// A typed coefficient as the device will hold it: the nearest multiple of 2^-20,
// held to the word's range (+2.0 itself would wrap to -2.0 in the processor).
long double QuantiseEnteredCoefficient(double value);

// What every band edit goes through: the frequency-dependent Q floor, then the design.
void RedesignBand(TSOS& band);

} // namespace veld23
