#pragma once

// Shared helpers of the device image tests.

#include "config/RecordingLoadedSteps.h"
#include "config/NewConfigurationSteps.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "device/Encodings.h"
#include "dsp/Coef22Range.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/PeqRules.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace veld23::testing {

class NoNewConfigurationSteps : public NewConfigurationSteps {
  public:
    void CloseWindows() override {}
    void SwitchRealTimeOff() override {}
    void ResetGainsEditor(ProcessorConfiguration&) override {}
    void ResetCrossoverEditor(ProcessorConfiguration&) override {}
    void ResetPeqEditor(ProcessorConfiguration&) override {}
    void ResetDynamicsEditor(ProcessorConfiguration&) override {}
    void ResetDelayEditor(ProcessorConfiguration&) override {}
    void ResetLoudnessEditor(ProcessorConfiguration&) override {}
    void ConfirmMeasurementImport(ProcessorConfiguration&) override {}
};

// A new configuration as the topology chooser makes it: the reset, the topology
// command, then the delay editor's creation step for that topology.
inline void MakeNew(ProcessorConfiguration& config,
                    OutputTopology topology = OutputTopology::TwoOutputs) {
    NoNewConfigurationSteps steps;
    RecordingRealTimeSender sender;
    sender.mode = false;
    config.ResetToNew(steps);
    if (topology == OutputTopology::TwoOutputs) {
        ApplyTwoOutputs(config, sender);
    } else {
        ApplyThreeOutputs(config, sender);
    }
    ZeroDelays(config.Delays, topology == OutputTopology::TwoOutputs);
}

inline void SetBand(TSOS& band, std::uint8_t type, double hz, double gainDb, double q) {
    band.SectionType = type;
    band.Frequency = hz;
    band.GainDb = gainDb;
    band.Q = q;
    RedesignBand(band);
}

inline void SetHalf(TXOVERPB& half, std::uint8_t family, int order, double hz) {
    half.Family = family;
    half.Order = order;
    half.Frequency = hz;
    half.Sections[0].Frequency = hz;
    half.Sections[1].Frequency = hz;
    ASSERT_EQ(half.Design(), HalfDesignStatus::Ok);
}

// Applies with a quiet sender and recording steps; returns whether it was applied.
inline bool Apply(ProcessorConfiguration& config, const std::vector<std::uint8_t>& image) {
    RecordingRealTimeSender sender;
    sender.mode = false;
    RecordingLoadedSteps steps;
    return ApplyDeviceImage(config, image, sender, steps).applied;
}

inline std::vector<std::uint8_t> Bytes(const DeviceImage& image) {
    return {image.begin(), image.end()};
}

// The three bytes of word w of processor block 1 or 2.
inline std::vector<std::uint8_t> WordAt(const DeviceImage& image, int block, std::size_t word) {
    const std::size_t at =
        (block == 1 ? kProcessorBlock1Offset : kProcessorBlock2Offset) + 3 * word;
    return {image[at], image[at + 1], image[at + 2]};
}

inline std::vector<std::uint8_t> CoefBytes(long double value) {
    const Coef22Bytes b = EncodeCoef22(value);
    return {b[0], b[1], b[2]};
}

inline bool InCoefRange(long double v) {
    return std::isfinite(v) && v >= kCoef22Min && v <= kCoef22Max;
}

inline void ExpectSectionUsable(const TSOS& s, const std::string& what) {
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(std::isfinite(s.GetCoefficient(k))) << what << " coefficient " << k;
    }
    EXPECT_TRUE(std::isfinite(s.Frequency) && std::isfinite(s.Q) && std::isfinite(s.GainDb))
        << what;
}

// Everything the editors' controls can produce, and nothing that could break a
// design, a table or an image.
inline void ExpectModelInvariants(const ProcessorConfiguration& c) {
    for (int input = 0; input < 2; ++input) {
        for (const PeqBand& b : c.Peq[input].bands) {
            const std::string what = "band of input " + std::to_string(input + 1);
            EXPECT_LE(b.SectionType, kParametricQConst) << what;
            EXPECT_TRUE(b.Frequency >= kBandMinHz && b.Frequency <= kBandMaxHz) << what;
            EXPECT_TRUE(b.GainDb >= kBandMinGainDb && b.GainDb <= kBandMaxGainDb) << what;
            EXPECT_TRUE(b.Q >= kBandMinQ && b.Q <= kBandMaxQ) << what;
            for (int k = 0; k < 5; ++k) {
                EXPECT_TRUE(InCoefRange(b.GetCoefficient(k))) << what << " coefficient " << k;
            }
        }
    }
    for (std::size_t o = 0; o < 3; ++o) {
        const TXOVER& x = c.Crossovers[o];
        const CrossoverSolo& solo = c.CrossoverSolos[o];
        EXPECT_FALSE(solo.HighPassAux && solo.LowPassAux);
        for (const TXOVERPB* half : {&x.HighPass, &x.LowPass}) {
            EXPECT_LE(half->Family, kLastXoverFamily);
            EXPECT_TRUE(half->Order == 2 || half->Order == 4) << half->Order;
            EXPECT_TRUE(half->Frequency >= 20.0 && half->Frequency <= 20000.0);
            EXPECT_TRUE(half->SectionCount >= 1 && half->SectionCount <= 3);
            for (const TSOS& s : half->Sections) {
                ExpectSectionUsable(s, "crossover section");
            }
        }
    }
    const LoudnessSection& loud = c.Loudness[0];
    EXPECT_TRUE(loud.SectionType == kParametricQAdap || loud.SectionType == kHiPassQ);
    EXPECT_TRUE(loud.Frequency >= 29.0 && loud.Frequency <= 80.0);
    EXPECT_TRUE(loud.GainDb >= 0.0 && loud.GainDb <= 12.0);
    ExpectSectionUsable(loud, "loudness");
    for (const OutputLevel& l : c.Levels) {
        EXPECT_TRUE(l.LevelPosition >= 0 && l.LevelPosition <= OutputLevel::kMaxPosition);
        EXPECT_LT(std::fabs(l.DeviceValue()), 2.0);
        EXPECT_EQ(l.OutputPolarity, l.OutputInverted ? -1.0f : 1.0f);
    }
    const bool two = c.Topology == OutputTopology::TwoOutputs;
    for (int output = 1; output <= 3; ++output) {
        const OutputDelay& d = c.Delays[static_cast<std::size_t>(output - 1)];
        EXPECT_TRUE(d.DelayPosition >= 0 &&
                    d.DelayPosition <= OutputDelay::Layout(output, two).SliderMaximum);
        EXPECT_TRUE(d.DelayWord >= 0 && d.DelayWord <= OutputDelay::kMaxSamples);
        EXPECT_TRUE(d.AlignmentDelay >= 0 &&
                    d.AlignmentDelay <= OutputDelay::MaxAlignmentDelay(output));
    }
    EXPECT_TRUE(c.DelayTemperature >= 0 && c.DelayTemperature <= 50);
    for (const TDYNAMIC& d : c.Dynamics) {
        using namespace dynamics;
        EXPECT_TRUE(d.Umbral >= kUmbralMin && d.Umbral <= kUmbralMax) << d.Umbral;
        EXPECT_TRUE(d.Ratio >= kRatioMin && d.Ratio <= kRatioMax) << d.Ratio;
        EXPECT_TRUE(d.Knee >= kKneeMin && d.Knee <= kKneeMax) << d.Knee;
        EXPECT_TRUE(d.GateIndex >= kGateIndexMin && d.GateIndex <= kGateIndexMax);
        EXPECT_TRUE(d.Pendiente >= kPendienteMin && d.Pendiente <= kPendienteMax);
        EXPECT_LE(d.Tipo, kCompressor);
        EXPECT_NE(std::find(std::begin(kZloadChoices), std::end(kZloadChoices), d.Zload),
                  std::end(kZloadChoices));
        EXPECT_TRUE(d.AmpGain >= kAmpGainMin && d.AmpGain <= kAmpGainMax);
        EXPECT_TRUE(d.PowerMaxLoad >= kPowerMaxLoadMin && d.PowerMaxLoad <= kPowerMaxLoadMax);
        EXPECT_TRUE(d.PowerAmpMax >= kPowerAmpMaxMin && d.PowerAmpMax <= kPowerAmpMaxMax);
        EXPECT_TRUE(d.AttackRate() >= kAttackMinDbPerS - 1e-9 &&
                    d.AttackRate() <= kAttackMaxDbPerS + 1e-9);
        EXPECT_TRUE(d.HoldMs() >= kHoldMinMs && d.HoldMs() <= kHoldMaxMs);
        EXPECT_TRUE(d.ReleaseRate() >= kReleaseMinDbPerS - 0.1 && d.ReleaseRate() <= 80.1);
        EXPECT_TRUE(d.LookAheadMs() >= kLookAheadMinMs && d.LookAheadMs() <= kLookAheadMaxMs);
        for (long double t : d.Tabla) {
            EXPECT_TRUE(InCoefRange(t));
        }
        EXPECT_TRUE(InCoefRange(d.RmsCoef) && InCoefRange(d.OutGain));
    }
    const InputRouting& r = c.Routing;
    EXPECT_TRUE(r.RouteState >= 0 && r.RouteState <= 2);
    for (double v : {r.RouteA, r.RouteB, r.RouteC, r.RouteD}) {
        EXPECT_TRUE(v >= 0.0 && v <= 1.0);
    }
}

} // namespace veld23::testing
