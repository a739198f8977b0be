#pragma once

#include "config/ChannelLabels.h"
#include "config/FinalResponseSelections.h"
#include "config/MeasurementImportSettings.h"
#include "config/OutputTopology.h"
#include "config/SystemInformation.h"
#include "dsp/Tsos.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace veld23 {

class ProcessorConfiguration;

// Everything a configuration file stores, field by field in the model's own units:
// what saving takes from the configuration, what the binary record and the JSON form
// carry, and what opening restores from. Nothing here is checked; opening holds every
// value to what the editors accept. Texts are Windows-1252 bytes.
struct ConfigurationFileContent {
    static constexpr int kInputs = 2;
    static constexpr int kBands = 7;
    static constexpr int kOutputs = 3;
    static constexpr int kDynamicsRecords = 2;
    static constexpr int kCoefficients = 5; // b0 b1 b2 a1 a2

    struct Band {
        std::uint8_t SectionType = kBypass;
        double GainDb = 0.0;
        double Frequency = 1000.0;
        double Q = 0.707;
        std::array<long double, kCoefficients> Coefficients{1.0L, 0.0L, 0.0L, 0.0L, 0.0L};
        friend bool operator==(const Band&, const Band&) = default;
    };
    struct Equaliser {
        std::int32_t UsedBands = 2;
        std::array<Band, kBands> bands{};
        friend bool operator==(const Equaliser&, const Equaliser&) = default;
    };
    struct Half {
        std::uint8_t Family = 0;
        std::int32_t Order = 2;
        double Frequency = 1000.0;
        friend bool operator==(const Half&, const Half&) = default;
    };
    struct Crossover {
        Half HighPass;
        Half LowPass;
        friend bool operator==(const Crossover&, const Crossover&) = default;
    };
    struct Solo {
        bool HighPassAux = false;
        bool LowPassAux = false;
        friend bool operator==(const Solo&, const Solo&) = default;
    };
    struct Loudness {
        std::uint8_t SectionType = kParametricQAdap;
        double GainDb = 0.0;
        double Frequency = 55.0;
        friend bool operator==(const Loudness&, const Loudness&) = default;
    };
    struct Level {
        double OutputGain = 1.0;
        bool OutputInverted = false;
        bool OutputMuted = false;
        friend bool operator==(const Level&, const Level&) = default;
    };
    struct Delay {
        std::int32_t DelayWord = 0;
        std::int32_t AlignmentDelay = 0;
        friend bool operator==(const Delay&, const Delay&) = default;
    };
    struct RouteFields {
        std::int32_t RouteState = 0;
        double RouteC = 0.5;
        double RouteD = 0.5;
        friend bool operator==(const RouteFields&, const RouteFields&) = default;
    };
    struct DynamicsRecord {
        float Umbral = 0.0f;
        float Ratio = 1.0f;
        float Gain = 0.0f;
        float GateIndex = 1.0f;
        float Pendiente = 4.0f;
        std::uint8_t SpareFlag = 0;
        float Zload = 8.0f;
        float PowerMaxLoad = 400.0f;
        float AmpGain = 41.0f;
        float PowerAmpMax = 600.0f;
        bool Balanceado = true;
        std::int32_t NumberSpeakers = 1;
        std::uint8_t Tipo = 0;
        float Knee = 4.0f;
        bool Bypass = false;
        bool Diezmado = true;
        float xdBmaxLimit = 12.5f;
        float RmsCoef = 0.0f; // the file keeps it in single precision
        std::int32_t HoldSamples = 0;
        std::int32_t DecayCode = 0;
        std::int32_t LookAheadSamples = 0;
        friend bool operator==(const DynamicsRecord&, const DynamicsRecord&) = default;
    };

    SystemInformationTexts SystemInformation;
    ChannelLabelTexts ChannelLabels;
    OutputTopology Topology = OutputTopology::TwoOutputs;
    std::int32_t SampleRate = 48000;
    std::int32_t DelayTemperature = 25;
    RouteFields Routing;
    std::array<Equaliser, kInputs> Peq{};
    std::array<Crossover, kOutputs> Crossovers{};
    std::array<Solo, kOutputs> CrossoverSolos{};
    // Only the first loudness section is stored; the second never changes.
    Loudness Loudness1;
    std::array<Level, kOutputs> Levels{};
    std::array<Delay, kOutputs> Delays{};
    std::array<DynamicsRecord, kDynamicsRecords> Dynamics{};
    MeasurementImportSettings MeasurementImport;
    FinalResponseSelections FinalResponse;
};

// The single-precision value the file keeps for a real. Narrowing a value beyond
// float's range is undefined, so such a value lands on the largest finite float of its
// sign instead; NaN stays NaN for the loader to hold.
constexpr float StoredFloat(long double value) {
    constexpr long double kMax = std::numeric_limits<float>::max();
    if (value > kMax) {
        return std::numeric_limits<float>::max();
    }
    if (value < -kMax) {
        return -std::numeric_limits<float>::max();
    }
    return static_cast<float>(value);
}

// The integer the file keeps for a real: nearest, halves to even, held to int32 so no
// value can overflow the field (NaN gives 0).
inline std::int32_t StoredInt32(long double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr long double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr long double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(value), kLow, kHigh));
}

// What a save writes: the configuration's stored fields. Measurement paths are cut
// to the hundred characters the file keeps.
ConfigurationFileContent CaptureConfiguration(const ProcessorConfiguration& config);

} // namespace veld23
