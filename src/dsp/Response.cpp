#include "dsp/Response.h"

#include "dsp/CurveMath.h"
#include "dsp/FrequencyGrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace veld23 {

namespace {

// A section with a true zero on a grid point would give log10(0); the curve shows
// the floor instead so that sums stay finite.
constexpr double kSmallestMagnitude = 1e-15; // -300 dB

} // namespace

double Arctan2(double y, double x) {
    return QuadrantArctan(y, x, [](double r) { return std::atan(r); });
}

double WrapPhaseDegrees(double phaseRad) {
    constexpr double pi = std::numbers::pi;
    if (!std::isfinite(phaseRad) || std::fabs(phaseRad) > 1e15) {
        return 0.0; // no meaningful angle left; keeps the integer conversion defined
    }
    const double s = phaseRad < 0.0 ? -1.0 : 1.0;
    // Truncation toward zero, done by the conversion: std::trunc is a library call on
    // the baseline instruction set and this runs for every point of every phase curve.
    const auto k = static_cast<long long>(phaseRad / pi / 2 + 0.5 * s);
    return phaseRad * 180.0 / pi - 360.0 * static_cast<double>(k);
}

namespace {

constexpr int kPoints = FrequencyGrid::kPoints;

// Two grid points at a time: the compiler's vector types map onto the machine's
// SIMD registers where it has them and stay plain code where it does not.
using Pair = double __attribute__((vector_size(16)));
using PairMask = long long __attribute__((vector_size(16)));
constexpr int kPairs = (kPoints + 1) / 2; // the last pair repeats the last point

// cos and sin of w and 2w per grid point: with them a section's numerator and
// denominator take four products each instead of a complex Horner step.
struct GridTrig {
    std::array<Pair, kPairs> c1, s1, c2, s2;
};

const GridTrig& Trig() {
    static const GridTrig trig = [] {
        GridTrig t{};
        const FrequencyGrid& grid = FrequencyGrid::Shared();
        for (int j = 0; j < 2 * kPairs; ++j) {
            const std::complex<double> z = grid.GridZInverse[std::min(j, kPoints - 1)];
            const std::complex<double> z2 = z * z;
            t.c1[j / 2][j % 2] = z.real();
            t.s1[j / 2][j % 2] = -z.imag();
            t.c2[j / 2][j % 2] = z2.real();
            t.s2[j / 2][j % 2] = -z2.imag();
        }
        return t;
    }();
    return trig;
}

struct SectionConstants {
    double B0, B1, B2, P1, P2;
};

SectionConstants ConstantsOf(const TSOS& s) {
    return {static_cast<double>(s.b0), static_cast<double>(s.b1), static_cast<double>(s.b2),
            -static_cast<double>(s.a1), -static_cast<double>(s.a2)};
}

// All lanes set where the principal argument, in [-pi, pi), is negative.
PairMask NegativeArgument(Pair re, Pair im) {
    const Pair zero{0.0, 0.0};
    return (im < zero) | ((im == zero) & (re < zero));
}

// The plain sum, section by section, for the rare point where a section is
// exactly zero or infinite and the product can't carry the others' phase.
void AccumulatePoint(std::span<const TSOS* const> sections, int used, int i, double& db,
                     double& rad) {
    const GridTrig& t = Trig();
    const double c1 = t.c1[i / 2][i % 2], s1 = t.s1[i / 2][i % 2];
    const double c2 = t.c2[i / 2][i % 2], s2 = t.s2[i / 2][i % 2];
    db = 0.0;
    rad = 0.0;
    for (int s = 0; s < used; ++s) {
        const SectionConstants k = ConstantsOf(*sections[s]);
        const std::complex<double> num(k.B0 + k.B1 * c1 + k.B2 * c2, 0.0 - (k.B1 * s1 + k.B2 * s2));
        const std::complex<double> den(1.0 + k.P1 * c1 + k.P2 * c2, 0.0 - (k.P1 * s1 + k.P2 * s2));
        const std::complex<double> h = num / den;
        const double absH = std::abs(h);
        if (!(absH >= kSmallestMagnitude) || !std::isfinite(absH)) {
            db += 20.0 * std::log10(kSmallestMagnitude);
            continue;
        }
        db += 20.0 * std::log10(absH);
        rad += Arctan2(h.imag(), h.real());
    }
}

} // namespace

void AccumulateResponse(std::span<const TSOS* const> sections, int count, CurveArray& phase,
                        CurveArray& magnitude) {
    // Summing 20 log10|H| and the principal phase of every section costs one logarithm
    // and one arctangent per section and point, far too slow while dragging. Instead the
    // sections are multiplied per point: the product's modulus gives the summed dB with
    // one logarithm, and its argument plus the 2 pi wraps counted along the way gives
    // exactly the sum of the principal phases with one arctangent.
    const GridTrig& trig = Trig();
    std::array<Pair, kPairs> productRe;
    std::array<Pair, kPairs> productIm;
    std::array<Pair, kPairs> denominatorNorm;
    std::array<PairMask, kPairs> negative; // the product's argument is below zero
    std::array<PairMask, kPairs> wraps;    // whole turns between summed and product phase
    productRe.fill(Pair{1.0, 1.0});
    productIm.fill(Pair{0.0, 0.0});
    denominatorNorm.fill(Pair{1.0, 1.0});
    negative.fill(PairMask{0, 0});
    wraps.fill(PairMask{0, 0});

    const int used = std::clamp(count, 0, static_cast<int>(sections.size()));
    const Pair zero{0.0, 0.0};
    const Pair one{1.0, 1.0};
    for (int s = 0; s < used; ++s) {
        const SectionConstants k = ConstantsOf(*sections[s]);
        const Pair B0 = zero + k.B0, B1 = zero + k.B1, B2 = zero + k.B2;
        const Pair P1 = zero + k.P1, P2 = zero + k.P2;
        for (int p = 0; p < kPairs; ++p) {
            // "zero -" keeps a zero imaginary part positive, so it reads as phase 0.
            const Pair nr = B0 + B1 * trig.c1[p] + B2 * trig.c2[p];
            const Pair ni = zero - (B1 * trig.s1[p] + B2 * trig.s2[p]);
            const Pair dr = one + P1 * trig.c1[p] + P2 * trig.c2[p];
            const Pair di = zero - (P1 * trig.s1[p] + P2 * trig.s2[p]);
            // num * conj(den) has the section's phase; its modulus carries |den|^2 extra.
            const Pair hr = nr * dr + ni * di;
            const Pair hi = ni * dr - nr * di;
            const Pair pr = productRe[p];
            const Pair pi = productIm[p];
            const Pair ar = pr * hr - pi * hi;
            const Pair ai = pr * hi + pi * hr;
            // Two arguments of the same sign whose sum leaves [-pi, pi) wrap once: the
            // product's sign then differs from theirs. Masks are -1 where set.
            const PairMask b = negative[p];
            const PairMask h = NegativeArgument(hr, hi);
            const PairMask a = NegativeArgument(ar, ai);
            wraps[p] += ~(b ^ h) & (b - a);
            negative[p] = a;
            productRe[p] = ar;
            productIm[p] = ai;
            denominatorNorm[p] *= dr * dr + di * di;
        }
    }
    constexpr double twoPi = 2 * std::numbers::pi;
    const double floorDb = 20.0 * std::log10(kSmallestMagnitude) * used;
    for (int i = 0; i < kPoints; ++i) {
        const double re = productRe[i / 2][i % 2];
        const double im = productIm[i / 2][i % 2];
        const double dNorm = denominatorNorm[i / 2][i % 2];
        // |H|^2 of the cascade: the product carries every |den|^2 once too many.
        const double power = (re * re + im * im) / dNorm / dNorm;
        double db = 0.0;
        double rad = 0.0;
        if (power > 0.0 && std::isfinite(power)) {
            db = 10.0 * CurveLog10(power);
            rad = CurveArctan2(im, re) + twoPi * static_cast<double>(wraps[i / 2][i % 2]);
        } else {
            AccumulatePoint(sections, used, i, db, rad);
        }
        // No section counts below the floor, so neither does the cascade.
        db = std::max(db, floorDb);
        magnitude[i] = static_cast<float>(std::fabs(db) < 1e-8 ? 0.0 : db);
        phase[i] = static_cast<float>(rad);
    }
}

void AccumulateResponse(std::span<const TSOS* const> sections, int count, ResponseCurve& curve) {
    AccumulateResponse(sections, count, curve.phaseRad, curve.magnitudeDb);
}

} // namespace veld23
