#include "config/ProcessorConfiguration.h"
#include "device/DeviceImageBlocks.h"
#include "device/DeviceImageLayout.h"
#include "device/Encodings.h"
#include "dsp/SampleRate.h"

#include <cmath>

namespace veld23 {

using namespace image_layout;

namespace {

constexpr long double kFs = SampleRate;
constexpr long double kSamplesPerMs = kFs * 0.001L;

// Writes the codes of one panel record by offset.
class PanelWriter {
  public:
    explicit PanelWriter(PanelRecordBytes bytes) : bytes_(bytes) {}

    void Byte(std::size_t offset, long double code) { Put(offset, PanelByte(code)); }
    void Word(std::size_t offset, long double code) {
        const std::array<std::uint8_t, 2> w = PanelWord(code);
        Put(offset, w[0]);
        Put(offset + 1, w[1]);
    }
    void Flag(std::size_t offset, bool flag) { Put(offset, StrictBoolean(flag ? 1 : 0)); }

  private:
    void Put(std::size_t offset, std::uint8_t value) {
        if (offset < bytes_.size()) {
            bytes_[offset] = value;
        }
    }

    PanelRecordBytes bytes_;
};

void WriteEqualiser(PanelWriter& w, const PeqSet& set, std::size_t first) {
    for (int k = 1; k <= PeqSet::kBands; ++k) {
        const PeqBand& band = set.Band(k);
        const std::size_t at = first + kEqBandStride * static_cast<std::size_t>(k - 1);
        w.Byte(at + kBandType, PeqTypeCode(band.SectionType));
        w.Word(at + kBandFrequency, band.Frequency);
        w.Word(at + kBandGain,
               (-static_cast<long double>(band.GainDb) - 15.0L) / 0.1L + kGainCodeOffset);
        w.Byte(at + kBandQ, kQCodeTop - 10.0L * static_cast<long double>(band.Q));
    }
}

void WriteCrossover(PanelWriter& w, const TXOVER& crossover, const CrossoverSolo& solo,
                    std::size_t at) {
    w.Byte(at + kLowPassFamily, crossover.LowPass.Family);
    w.Word(at + kLowPassFrequency, crossover.LowPass.Frequency);
    w.Byte(at + kLowPassOrder, crossover.LowPass.Order);
    w.Flag(at + kLowPassAux, solo.LowPassAux);
    w.Byte(at + kHighPassFamily, crossover.HighPass.Family);
    w.Word(at + kHighPassFrequency, crossover.HighPass.Frequency);
    w.Byte(at + kHighPassOrder, crossover.HighPass.Order);
    w.Flag(at + kHighPassAux, solo.HighPassAux);
}

// The attack rate in dB/s that the RMS coefficient stands for. A coefficient of 1
// or more has no rate; its code is then 0 (PanelCode of a non-finite value).
long double AttackRate(long double rmsCoef) {
    return -10.0L * kFs * std::log10(1.0L - rmsCoef);
}

void WriteDynamics(PanelWriter& w, const ProcessorConfiguration& config, int record) {
    const TDYNAMIC& d = config.Dynamics[static_cast<std::size_t>(record - 1)];
    const std::size_t at = kDynamics + kDynamicsStride * static_cast<std::size_t>(record - 1);
    // The threshold code is the threshold slider's position, which the configuration
    // keeps within the slider.
    w.Byte(at + kThreshold, config.ThresholdPosition(record));
    w.Byte(at + kRatio, kRatioTop - static_cast<long double>(d.Ratio));
    w.Byte(at + kKnee, kKneeTop - 2.0L * static_cast<long double>(d.Knee));
    w.Byte(at + kTipo, d.Tipo != 0 ? 1 : 0);
    w.Flag(at + kBypassSwitch, d.Bypass);
    w.Byte(at + kAttack, AttackRate(d.RmsCoef));
    w.Byte(at + kLookAhead, d.LookAheadSamples / kSamplesPerMs);
    w.Byte(at + kHold, d.HoldSamples / kSamplesPerMs);
    w.Byte(at + kRelease, d.DecayCode * kReleaseStep);

    const std::size_t speaker = kSpeaker + kSpeakerStride * static_cast<std::size_t>(record - 1);
    w.Word(speaker + kZload, static_cast<long double>(d.Zload) * kZloadScale);
    w.Word(speaker + kPowerMaxLoad, d.PowerMaxLoad);
    w.Word(speaker + kPowerAmpMax, d.PowerAmpMax);
    w.Byte(speaker + kAmpGain, d.AmpGain);
    w.Flag(speaker + kBalanceado, d.Balanceado);
}

} // namespace

void WritePanelRecord(const ProcessorConfiguration& config, int copy, PanelRecordBytes bytes) {
    PanelWriter w(bytes);
    WriteEqualiser(w, config.Peq[0], kEqIn1);
    WriteEqualiser(w, config.Peq[1], kEqIn2);
    for (std::size_t o = 0; o < config.Crossovers.size(); ++o) {
        WriteCrossover(w, config.Crossovers[o], config.CrossoverSolos[o],
                       kCrossover + kCrossoverStride * o);
    }

    // Both copies carry section 1's frequency and gain; only the type is the copy's own.
    const LoudnessSection& loudness = config.Loudness[0];
    w.Byte(kLoudnessFrequency, kLoudnessFrequencyTop - loudness.Frequency);
    w.Byte(kLoudnessGain, kLoudnessGainTop - 10.0L * static_cast<long double>(loudness.GainDb));
    w.Byte(kLoudnessType, PeqTypeCode(config.Loudness[copy == 2 ? 1 : 0].SectionType));

    for (std::size_t o = 0; o < config.Levels.size(); ++o) {
        const OutputLevel& level = config.Levels[o];
        const std::size_t at = kLevel + kLevelStride * o;
        w.Word(at, level.LevelPosition);
        w.Flag(at + 2, level.OutputMuted);
        w.Flag(at + 3, level.OutputInverted);
    }
    for (std::size_t o = 0; o < config.Delays.size(); ++o) {
        w.Byte(kDelayPosition + o, kDelayPositionTop - config.Delays[o].DelayPosition);
    }
    w.Byte(kDelayTemperature, config.DelayTemperature);

    WriteDynamics(w, config, 1);
    WriteDynamics(w, config, 2);

    w.Byte(kRouteC, static_cast<long double>(config.Routing.RouteC) * kRouteScale);
    w.Byte(kRouteD, static_cast<long double>(config.Routing.RouteD) * kRouteScale);
    w.Byte(kRouteState, copy == 2 ? 0 : config.Routing.RouteState);
    for (std::size_t o = 0; o < config.Delays.size(); ++o) {
        // Only the low eight bits of the alignment delay fit.
        w.Byte(kAlignmentDelay + o, config.Delays[o].AlignmentDelay);
    }
    w.Byte(kGateIndex, config.Dynamics[0].GateIndex);
    w.Byte(kGateIndex + 1, config.Dynamics[1].GateIndex);
    w.Byte(kPendiente, config.Dynamics[0].Pendiente);
    w.Byte(kPendiente + 1, config.Dynamics[1].Pendiente);
}

} // namespace veld23
