// One recompute of the final response with every block switched on: the cost every
// feeding editor adds to its own redraw.
#include "config/ProcessorConfiguration.h"
#include "dsp/Response.h"
#include "measure/FinalResponse.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veld23;

void FinalResponseRecompute(benchmark::State& state, ResponseView view) {
    ProcessorConfiguration config;
    ResponseCurve peq1;
    ResponseCurve peq2;
    ResponseCurve loudness;
    std::array<ResponseCurve, 3> crossovers;
    SpeakerCurves speakers;
    for (int j = 0; j < kCurveLength; ++j) {
        peq1.magnitudeDb[j] = 0.01f * j;
        peq1.phaseRad[j] = 0.002f * j;
        peq2.magnitudeDb[j] = -0.01f * j;
        speakers.SpeakerMagnitude[0][j] = 1.0f;
    }
    const FinalResponseSources sources{
        {&peq1, &peq2}, &loudness, {&crossovers[0], &crossovers[1], &crossovers[2]}, &speakers};
    config.Delays[0].DelayWord = 12;
    FinalResponseCurves curves;
    for (auto _ : state) {
        ComputeFinalResponse(config, sources, 5, view, curves);
        benchmark::DoNotOptimize(curves.magnitudeDb[3].data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(FinalResponseRecompute, Magnitude, ResponseView::Magnitude)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FinalResponseRecompute, Phase, ResponseView::Phase)
    ->Unit(benchmark::kMicrosecond);

} // namespace
