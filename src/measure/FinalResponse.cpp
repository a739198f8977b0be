#include "measure/FinalResponse.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/CurveMath.h"
#include "dsp/FrequencyGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace veld23 {

namespace {

constexpr double kLn10Over20 = 0.11512925464970228420; // ln(10) / 20

const ResponseCurve& Flat() {
    static const ResponseCurve flat{};
    return flat;
}

const ResponseCurve& Or(const ResponseCurve* curve) {
    return curve != nullptr ? *curve : Flat();
}

// 20 log10 |g|, with a gain of exactly zero held at the floor rather than -infinity.
double GainDb(double gain) {
    const double magnitude = std::fabs(gain);
    return magnitude > 1e-15 ? 20.0 * std::log10(magnitude) : kSilentSumDb;
}

// A curve point as drawn: the sum of several single-precision curves can pass the largest
// float, which must not turn into an infinity.
float CurvePoint(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}

} // namespace

void ComputeFinalResponse(const ProcessorConfiguration& config, const FinalResponseSources& sources,
                          int lookAheadSamples, ResponseView view, FinalResponseCurves& out) {
    constexpr double pi = std::numbers::pi;
    constexpr double twoPi = 2 * pi;
    const FinalResponseSelections& sel = config.FinalResponse;
    const double S = sel.SpkData ? 1.0 : 0.0;
    const double P = sel.PEQBox ? 1.0 : 0.0;
    const double X = sel.XOVERBox ? 1.0 : 0.0;
    const double G = sel.GAINBox ? 1.0 : 0.0;
    const double D = sel.DelayBox ? 1.0 : 0.0;
    const bool three = config.Topology == OutputTopology::ThreeOutputs;
    const bool phaseView = view == ResponseView::Phase;
    constexpr int kSum = FinalResponseCurves::kSum;

    static const SpeakerCurves silentSpeakers{};
    const SpeakerCurves& speakers =
        sources.speakers != nullptr ? *sources.speakers : silentSpeakers;
    const ResponseCurve& peq1 = Or(sources.equalisers[0]);
    const ResponseCurve& peq2 = Or(sources.equalisers[1]);
    const ResponseCurve& loudness = Or(sources.loudness);
    const ResponseCurve& fixedSub = SubLowPassResponse();

    std::array<double, 3> gainDb{};
    std::array<double, 3> on{};
    std::array<double, 3> polarityRad{};
    std::array<double, 3> delaySamples{};
    for (int c = 0; c < 3; ++c) {
        const OutputLevel& level = config.Levels[c];
        gainDb[c] = GainDb(level.OutputGain);
        on[c] = level.OutputOnFactor;
        polarityRad[c] = (level.OutputPolarity - 1.0) * pi / 2;
        delaySamples[c] = config.Delays[c].DelayWord - config.Delays[c].AlignmentDelay;
    }
    // The paths' fixed latencies: OUT 1 runs one sample early with two outputs, the SUB
    // path 21 samples late with three; only OUT 1 and OUT 2 wait for the look-ahead.
    delaySamples[0] += lookAheadSamples + (three ? 0 : -1);
    delaySamples[1] += lookAheadSamples;
    delaySamples[2] += three ? -21 : 0;
    // Channel 2 is not heard in the two-output sum: the third channel is that output.
    const std::array<double, 3> inSum{on[0], three ? on[1] : 0.0, on[2]};

    const auto& grid = FrequencyGrid::Shared();
    const InputRouting& routing = config.Routing;
    const ResponseCurve& xo1 = Or(sources.crossovers[0]);
    const ResponseCurve& xo2 = Or(sources.crossovers[1]);
    const ResponseCurve& xo3 = Or(sources.crossovers[2]);
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        const double omega = 2 * pi * grid.GridHz[j] / SampleRate;
        // The SUB path's fixed 470 Hz low-pass belongs to its crossover term.
        const double xo3Mag = xo3.magnitudeDb[j] + (three ? fixedSub.magnitudeDb[j] : 0.0);
        const double xo3Ph = xo3.phaseRad[j] + (three ? fixedSub.phaseRad[j] : 0.0);
        const double peq3 = routing.RouteC * peq1.magnitudeDb[j] +
                            routing.RouteD * peq2.magnitudeDb[j] + loudness.magnitudeDb[j];
        const std::array<double, 3> magnitude{
            S * speakers.SpeakerMagnitude[0][j] + X * xo1.magnitudeDb[j] + P * peq1.magnitudeDb[j] +
                G * gainDb[0],
            S * speakers.SpeakerMagnitude[1][j] + X * xo2.magnitudeDb[j] + P * peq2.magnitudeDb[j] +
                G * gainDb[1],
            S * speakers.SpeakerMagnitude[2][j] + X * xo3Mag + P * peq3 + G * gainDb[2]};
        const double path3Ph = three ? loudness.phaseRad[j] : peq2.phaseRad[j];
        const std::array<double, 3> blockPhase{P * peq1.phaseRad[j] + X * xo1.phaseRad[j],
                                               P * peq2.phaseRad[j] + X * xo2.phaseRad[j],
                                               P * path3Ph + X * xo3Ph};
        // The loudest channel in the sum sets the scale: the others' amplitudes are taken
        // relative to it, so no level, however high, overflows the phasors.
        double loudestDb = -std::numeric_limits<double>::infinity();
        for (int c = 0; c < 3; ++c) {
            if (inSum[c] != 0.0) {
                loudestDb = std::max(loudestDb, magnitude[c] * on[c]);
            }
        }
        double re = 0.0;
        double im = 0.0;
        for (int c = 0; c < 3; ++c) {
            const double phase = S * speakers.SpeakerPhase[c][j] + blockPhase[c] +
                                 G * polarityRad[c] - D * omega * delaySamples[c];
            const double shown = magnitude[c] * on[c];
            if (phaseView) {
                out.phaseDeg[c][j] = static_cast<float>(WrapPhaseDegrees(phase));
            } else {
                out.magnitudeDb[c][j] = CurvePoint(shown);
            }
            if (inSum[c] == 0.0) {
                continue;
            }
            // The curves feeding this are single precision, so single-precision phasors
            // lose nothing that was there; the turns are taken off in double first, as a
            // long delay reaches hundreds of thousands of radians.
            const auto reduced = static_cast<float>(std::remainder(phase, twoPi));
            const float amplitude = std::exp(static_cast<float>((shown - loudestDb) * kLn10Over20));
            re += amplitude * std::cos(reduced) * inSum[c];
            im += amplitude * std::sin(reduced) * inSum[c];
        }
        if (phaseView) {
            out.phaseDeg[kSum][j] =
                static_cast<float>(CurveArctan2(im, re == 0.0 ? 1e-15 : re) * 180.0 / pi);
        } else {
            // 20 log10 of the modulus, taken as 10 log10 of its square, back on the scale;
            // a sum that cancels exactly (or an empty one) lies on the floor.
            const double power = re * re + im * im;
            out.magnitudeDb[kSum][j] = power > 0.0
                                           ? CurvePoint(loudestDb + 10.0 * CurveLog10(power))
                                           : static_cast<float>(kSilentSumDb);
        }
    }
}

} // namespace veld23
