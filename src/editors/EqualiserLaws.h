#pragma once

#include <cstdint>

namespace veld23::equaliser {

// The equaliser window's sliders and fields: how a slider position becomes a band value,
// which position shows a value, and the ranges the fields hold values to. Positions are
// integers; every value a field holds is the one its text shows.

// Frequency slider: a cube law, so that the low octaves get most of the travel.
inline constexpr int kFrequencyMinPosition = 10;
inline constexpr int kFrequencyMaxPosition = 20000;
inline constexpr int kFrequencyStartPosition = 100;
// Gain slider: 0.1 dB per step, the top of the slider at the bottom of the range.
inline constexpr int kGainMinPosition = 0;
inline constexpr int kGainMaxPosition = 274;
// Q slider: 0.1 per step, falling as the position rises.
inline constexpr int kQMinPosition = 2;
inline constexpr int kQMaxPosition = 200;

// Field ranges and decimals.
inline constexpr double kMinHz = 10.0;
inline constexpr double kMaxHz = 20000.0;
inline constexpr int kHzDecimals = 0;
inline constexpr double kMinGainDb = -15.0;
inline constexpr double kMaxGainDb = 12.0;
inline constexpr double kShelvingMaxGainDb = 6.0;
inline constexpr int kGainDecimals = 1;
inline constexpr double kMinQ = 0.5;
inline constexpr double kMaxQ = 20.0;
inline constexpr int kQDecimals = 1;
inline constexpr double kMinCoefficient = -2.0;
inline constexpr double kMaxCoefficient = 2.0;
inline constexpr int kCoefficientDecimals = 6;
// Gain and Q buttons and the arrow keys in their fields.
inline constexpr double kGainStepDb = 0.1;
inline constexpr double kQStep = 0.1;
// The Q field takes at most this many typed characters.
inline constexpr int kQTypedCharacters = 2;

int HoldFrequencyPosition(int position);
int HoldGainPosition(int position);
int HoldQPosition(int position);

// Frequency = 20000 ((20000 - position) / 20000)^3: position 12632 gives 999.97 Hz.
double FrequencyFromPosition(int position);
// The nearest position for a frequency (itself held to the field's range first).
int PositionForFrequency(double hz);
// GainDb = (273 - position) 0.1 - 15: position 0 gives 12.3 dB, which the field holds to 12.0.
double GainFromPosition(int position);
int PositionForGain(double gainDb);
// Q = (200 - position) / 10: position 200 gives 0, which the field holds to 0.5.
double QFromPosition(int position);
int PositionForQ(double q);

// A value held to a field's range. NaN, which no field can show, lands on the low end.
double HoldToRange(double value, double min, double max);

// The value a field holds after showing `value` held to its range: whole hertz, tenths of
// a dB, tenths of Q.
double ShownFrequency(double hz);
double ShownGain(double gainDb);
double ShownQ(double q);

// Which controls a type (by its place in the type list) lets the user change. The types
// that do not use a parameter have its control disabled; "IIR Coeff" swaps the frequency,
// gain and Q captions for the panel of five coefficient fields.
struct EqualiserControls {
    bool frequency = true;
    bool gain = false;
    bool q = false;
    bool coefficientPanel = false;
    bool captions = true; // the frequency, gain and Q captions
    friend bool operator==(const EqualiserControls&, const EqualiserControls&) = default;
};
EqualiserControls ControlsForType(int listIndex);

// The two Butterworth types and "LowPass Q"/"HiPass Q" set the gain field to 0.0 when
// they are chosen or shown.
bool TypeZeroesGain(std::uint8_t sectionType);
// The types whose design ignores the gain: dragging their point keeps the gain at 0.0.
bool DragKeepsGainZero(std::uint8_t sectionType);
bool IsShelving(std::uint8_t sectionType);

} // namespace veld23::equaliser
