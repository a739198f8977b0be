// The edit cycle of one equaliser band while the user drags it: redesign the
// band, then evaluate all seven bands over the grid into preallocated curves.
#include "dsp/PeqRules.h"
#include "dsp/PeqSet.h"
#include "dsp/Response.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace veld23;

void EqualiserBandEditCycle(benchmark::State& state) {
    PeqSet peq(PeqSet::kPeq1CoefIndex);
    for (int k = 1; k <= PeqSet::kBands; ++k) {
        PeqBand& band = peq.Band(k);
        band.SectionType = kParametricQConst;
        band.Frequency = 60.0 * k * k;
        band.GainDb = k % 2 ? 4.5 : -3.0;
        band.Q = 1.4;
        RedesignBand(band);
    }
    std::array<const TSOS*, PeqSet::kBands> list{};
    for (int k = 0; k < PeqSet::kBands; ++k) {
        list[k] = &peq.bands[k];
    }
    ResponseCurve curve;
    double hz = 200.0;
    for (auto _ : state) {
        PeqBand& dragged = peq.Band(4);
        hz = hz > 15000.0 ? 200.0 : hz * 1.01;
        dragged.Frequency = hz;
        RedesignBand(dragged);
        AccumulateResponse(list, PeqSet::kBands, curve);
        benchmark::DoNotOptimize(curve.magnitudeDb.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(EqualiserBandEditCycle)->Unit(benchmark::kMicrosecond);

} // namespace
