#include "measure/MeasurementResampler.h"

#include "dsp/FrequencyGrid.h"

#include <cassert>
#include <numbers>

namespace veld23 {

void ResampleOntoGrid(const MeasuredPoints& points, double referenceLevel, bool degreesToRadians,
                      CurveArray& magnitudeDb, CurveArray& phase) {
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    const std::size_t n = points.Size();
    assert(n >= 2);
    const double* const F = points.frequencyHz.data();
    const double* const M = points.magnitudeDb.data();
    const double* const P = points.phase.data();
    const double phaseScale = degreesToRadians ? std::numbers::pi / 180.0 : 1.0;

    std::size_t m = 0;
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        const double f = grid.GridHz[j];
        if (n < 2 || f < F[0] || f > F[n - 1]) {
            magnitudeDb[j] = kOutsideMeasurementDb;
            phase[j] = 0.0f;
            continue;
        }
        // The grid rises, so the measured segment only ever moves forward.
        while (m + 1 < n && f > F[m] && f >= F[m + 1]) {
            ++m;
        }
        double mj = M[m];
        double pj = P[m];
        if (m + 1 < n) {
            const double span = F[m + 1] - F[m];
            mj = M[m] + (M[m + 1] - M[m]) / span * (f - F[m]);
            pj = P[m] + (P[m + 1] - P[m]) / span * (f - F[m]);
        }
        magnitudeDb[j] = static_cast<float>(mj - referenceLevel);
        phase[j] = static_cast<float>(pj * phaseScale);
    }
}

} // namespace veld23
