#include "dsp/Response.h"

#include "dsp/FrequencyGrid.h"

#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace veld23 {

namespace {

// A section with a true zero on a grid point would give log10(0); the curve shows
// the floor instead so that sums stay finite.
constexpr double kSmallestMagnitude = 1e-15; // -300 dB

// 1 when the principal argument, in [-pi, pi), is negative, else 0.
int NegativeArgument(double re, double im) {
    return (im < 0.0) | ((im == 0.0) & (re < 0.0));
}

} // namespace

double Arctan2(double y, double x) {
    constexpr double pi = std::numbers::pi;
    if (y == 0.0) {
        return x >= 0.0 ? 0.0 : -pi;
    }
    if (x == 0.0) {
        return y > 0.0 ? pi / 2 : -pi / 2;
    }
    const double a = std::atan(y / x);
    if (x > 0.0) {
        return a;
    }
    return y > 0.0 ? a + pi : a - pi;
}

double WrapPhaseDegrees(double phaseRad) {
    constexpr double pi = std::numbers::pi;
    const double s = phaseRad < 0.0 ? -1.0 : 1.0;
    const double k = std::trunc(phaseRad / pi / 2 + 0.5 * s);
    return phaseRad * 180.0 / pi - 360.0 * k;
}

void AccumulateResponse(std::span<const TSOS* const> sections, int count, CurveArray& phase,
                        CurveArray& magnitude) {
    // Summing 20 log10|H| and the principal phase of every section costs one logarithm
    // and one arctangent per section and point, far too slow while dragging. Instead the
    // sections are multiplied per point: the product's modulus gives the summed dB with
    // one logarithm, and its argument plus the 2 pi wraps counted along the way gives
    // exactly the sum of the principal phases with one arctangent.
    constexpr int n = FrequencyGrid::N;
    constexpr int points = FrequencyGrid::kPoints;
    // cos and sin of w and 2w per grid point: with them a section's numerator and
    // denominator take four products each instead of a complex Horner step.
    struct Trig {
        std::array<double, points> c1, s1, c2, s2;
    };
    static const Trig trig = [] {
        Trig t{};
        const FrequencyGrid& grid = FrequencyGrid::Shared();
        for (int i = 0; i < points; ++i) {
            const std::complex<double> z = grid.GridZInverse[i];
            const std::complex<double> z2 = z * z;
            t.c1[i] = z.real();
            t.s1[i] = -z.imag();
            t.c2[i] = z2.real();
            t.s2[i] = -z2.imag();
        }
        return t;
    }();
    std::array<double, points> productRe;
    std::array<double, points> productIm;
    std::array<double, points> denominatorNorm;
    std::array<int, points> wraps; // whole turns between the summed and the product phase
    productRe.fill(1.0);
    productIm.fill(0.0);
    denominatorNorm.fill(1.0);
    wraps.fill(0);

    const int used =
        count < 0 ? 0
                  : (count > static_cast<int>(sections.size()) ? static_cast<int>(sections.size())
                                                               : count);
    for (int s = 0; s < used; ++s) {
        const TSOS& sec = *sections[s];
        const double B0 = static_cast<double>(sec.b0);
        const double B1 = static_cast<double>(sec.b1);
        const double B2 = static_cast<double>(sec.b2);
        const double P1 = -static_cast<double>(sec.a1);
        const double P2 = -static_cast<double>(sec.a2);
        for (int i = 0; i <= n; ++i) {
            // num = B0 + B1 z^-1 + B2 z^-2 and den = 1 + P1 z^-1 + P2 z^-2 with
            // z^-1 = cos w - j sin w; "+ 0.0" keeps a zero imaginary part positive so
            // that it reads as phase 0, not as a negative angle.
            const double nr = B0 + B1 * trig.c1[i] + B2 * trig.c2[i];
            const double ni = 0.0 - (B1 * trig.s1[i] + B2 * trig.s2[i]);
            const double dr = 1.0 + P1 * trig.c1[i] + P2 * trig.c2[i];
            const double di = 0.0 - (P1 * trig.s1[i] + P2 * trig.s2[i]);
            const double rawNorm = dr * dr + di * di;
            const double nNorm = nr * nr + ni * ni;
            // A zero of the section on a grid point (or a pole exactly on it) counts as
            // the floor with zero phase rather than an infinity.
            const bool pole = rawNorm == 0.0;
            const double dNorm = pole ? 1.0 : rawNorm;
            const bool degenerate =
                pole | !(nNorm >= kSmallestMagnitude * kSmallestMagnitude * dNorm);
            // num * conj(den) has the section's phase; its modulus carries |den|^2 extra.
            const double hr = degenerate ? kSmallestMagnitude * dNorm : nr * dr + ni * di;
            const double hi = degenerate ? 0.0 : ni * dr - nr * di;
            const double pr = productRe[i];
            const double pi = productIm[i];
            const double ar = pr * hr - pi * hi;
            const double ai = pr * hi + pi * hr;
            // Two arguments of the same sign whose sum leaves [-pi, pi) wrapped once.
            const int b = NegativeArgument(pr, pi);
            const int h = NegativeArgument(hr, hi);
            const int a = NegativeArgument(ar, ai);
            wraps[i] += ((1 - b) & (1 - h) & a) - (b & h & (1 - a));
            productRe[i] = ar;
            productIm[i] = ai;
            denominatorNorm[i] *= dNorm;
        }
    }
    constexpr double twoPi = 2 * std::numbers::pi;
    for (int i = 0; i <= n; ++i) {
        const double pNorm = productRe[i] * productRe[i] + productIm[i] * productIm[i];
        double db = 10.0 * std::log10(pNorm / (denominatorNorm[i] * denominatorNorm[i]));
        if (!std::isfinite(db) || std::fabs(db) < 1e-8) {
            db = std::isfinite(db) ? 0.0 : 20.0 * std::log10(kSmallestMagnitude);
        }
        magnitude[i] = static_cast<float>(db);
        phase[i] = static_cast<float>(Arctan2(productIm[i], productRe[i]) + twoPi * wraps[i]);
    }
}

void AccumulateResponse(std::span<const TSOS* const> sections, int count, ResponseCurve& curve) {
    AccumulateResponse(sections, count, curve.phaseRad, curve.magnitudeDb);
}

} // namespace veld23
