#pragma once

#include "dsp/DynamicsLimits.h"

#include <array>
#include <cstdint>

namespace veld23 {

// One compressor/limiter with noise gate. The processor does not evaluate a
// compressor law: it looks its gain up in a table of 33 linear gains, one per
// input level -96, -93, ..., 0 dBFS, and smooths its RMS detector with an
// attack coefficient, a hold time and a release code. This record turns the
// user's parameters into that table and those values.
//
// All levels inside are dBFS. The editor shows dBu = dBFS + 29.5 - LevelOffset
// (see DynamicsValues.h); nothing here depends on the topology.
class TDYNAMIC {
  public:
    // Curves are indexed 1..256 like the grid they hold; index 0 is never used.
    static constexpr int kCurveSize = 257;
    static constexpr int kTableSize = 33;
    using Curve = std::array<float, kCurveSize>;

    // record 1 serves OUT 1-2, record 2 the third output; they differ only in
    // their start-up threshold. Designs and builds the table once.
    explicit TDYNAMIC(int recordNumber = 1);

    // Every field back to its start-up value, in place, then designed and tabled.
    void ResetToDefaults(int recordNumber);

    // Fields in the record's own order.
    float Umbral = dynamics::kDefaultUmbralRecord1;      // threshold T, dBFS
    float Ratio = dynamics::kDefaultRatio;               // R:1, 1..10
    float Gain = dynamics::kDefaultGain;                 // make-up gain G, dB
    float GateIndex = dynamics::kDefaultGateIndex;       // 1 = gate off, 10..16 = levels 1..7
    float Pendiente = dynamics::kDefaultPendiente;       // gate ramp length in table points
    std::uint8_t SpareFlag = 0;                          // only saved and loaded
    float Zload = dynamics::kDefaultZload;               // ohms
    float PowerMaxLoad = dynamics::kDefaultPowerMaxLoad; // W the box takes
    float AmpGain = dynamics::kDefaultAmpGain;           // amplifier voltage gain, times
    float PowerAmpMax = dynamics::kDefaultPowerAmpMax;   // W the amplifier gives
    bool Balanceado = true;                              // amplifier bridged
    std::int32_t NumberSpeakers = dynamics::kDefaultNumberSpeakers;
    std::uint8_t Tipo = dynamics::kLimiter; // 0 limiter, 1 compressor
    float Knee = dynamics::kDefaultKnee;    // knee half-width k, dB
    bool Bypass = false;
    bool Diezmado = true;                              // only saved and loaded
    std::int32_t Npuntos = dynamics::kDefaultNpuntos;  // grid size N
    float xdBmaxLimit = dynamics::kDefaultXdBmaxLimit; // only saved and loaded

    Curve Xlin{};     // input amplitude
    Curve XdB{};      // input level, dBFS
    Curve Ylin{};     // output amplitude
    Curve YdB{};      // output level, dBFS
    Curve Ganancia{}; // output amplitude / input amplitude

    long double OutGain = 1.0L; // linear gain sent after the table
    long double RmsCoef = 0.0L; // set from the attack rate
    std::array<long double, kTableSize> Tabla{};
    std::int32_t HoldSamples = 0;
    std::int32_t DecayCode = 0;
    std::int32_t LookAheadSamples = 0; // only record 1's is used

    // Fills Xlin and XdB for indices 1..N-1: N-34 points evenly spaced in
    // amplitude from x_bottom upward, then the 33 table levels at N-33..N-1.
    // N and both amplitudes are held to workable values first.
    void BuildLevelGrid(std::int32_t n, long double xTop, long double xBottom);

    // Recomputes the grid, the working curves and Ganancia[1..N] from Umbral,
    // Ratio, Gain, Tipo, Knee, Bypass and Npuntos. Leaves Tabla alone.
    // Out-of-range parameters are designed as if held to the editor's ranges;
    // the fields themselves keep what was stored (except Umbral 0, which moves to
    // -0.001 dBFS as it always has).
    void Design();

    // Copies the 33 table-point gains into Tabla (held to the coefficient word's
    // range) and applies the noise gate. Run after every Design.
    void BuildTable();

    // Time setters: each holds its argument to the editor field's range and
    // stores the derived device value. NaN takes the start-up value.
    void SetAttack(double dbPerSecond);
    void SetHold(double ms);
    void SetRelease(double dbPerSecond);
    void SetLookAhead(double ms);

    // The field values shown for the stored device values (always finite).
    double AttackRate() const;
    double HoldMs() const;
    double ReleaseRate() const;
    double LookAheadMs() const;

    // Holds every field to what the editor's controls can produce. File and
    // device-image loading call this before designing; it leaves in-range
    // values (and so every start-up value) untouched.
    void HoldToEditorRanges();

    // The gate as applied: g and p after holding and rounding.
    int GateTableIndex() const;
    int GateRampLength() const;
};

// RmsCoef = 1 - 10^(-rate / (10 fs)) and back.
long double RmsCoefFromAttack(double dbPerSecond);
double AttackFromRmsCoef(long double rmsCoef);

} // namespace veld23
