#include "dsp/Response.h"

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

// No section contributes less than the floor, so neither does a cascade of them.
double FloorDb(int sections) {
    return 20.0 * std::log10(kSmallestMagnitude) * sections;
}

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

namespace {

constexpr int kPoints = FrequencyGrid::kPoints;

// cos and sin of w and 2w per grid point: with them a section's numerator and
// denominator take four products each instead of a complex Horner step.
struct GridTrig {
    std::array<double, kPoints> c1, s1, c2, s2;
};

const GridTrig& Trig() {
    static const GridTrig trig = [] {
        GridTrig t{};
        const FrequencyGrid& grid = FrequencyGrid::Shared();
        for (int i = 0; i < kPoints; ++i) {
            const std::complex<double> z = grid.GridZInverse[i];
            const std::complex<double> z2 = z * z;
            t.c1[i] = z.real();
            t.s1[i] = -z.imag();
            t.c2[i] = z2.real();
            t.s2[i] = -z2.imag();
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

// Numerator and denominator of one section at grid point i.
// "0.0 -" keeps a zero imaginary part positive, so it reads as phase 0.
struct SectionValue {
    double nr, ni, dr, di;
};

SectionValue Evaluate(const SectionConstants& k, const GridTrig& t, int i) {
    return {k.B0 + k.B1 * t.c1[i] + k.B2 * t.c2[i], 0.0 - (k.B1 * t.s1[i] + k.B2 * t.s2[i]),
            1.0 + k.P1 * t.c1[i] + k.P2 * t.c2[i], 0.0 - (k.P1 * t.s1[i] + k.P2 * t.s2[i])};
}

// The plain sum, section by section, for the rare point where a section is
// exactly zero or infinite and the product can't carry the others' phase.
void AccumulatePoint(std::span<const TSOS* const> sections, int used, int i, double& db,
                     double& rad) {
    db = 0.0;
    rad = 0.0;
    for (int s = 0; s < used; ++s) {
        const SectionValue v = Evaluate(ConstantsOf(*sections[s]), Trig(), i);
        const std::complex<double> h =
            std::complex<double>(v.nr, v.ni) / std::complex<double>(v.dr, v.di);
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
    std::array<double, kPoints> productRe;
    std::array<double, kPoints> productIm;
    std::array<double, kPoints> denominatorNorm;
    std::array<int, kPoints> negative; // the product's argument is below zero
    std::array<int, kPoints> wraps;    // whole turns between the summed and the product phase
    productRe.fill(1.0);
    productIm.fill(0.0);
    denominatorNorm.fill(1.0);
    negative.fill(0);
    wraps.fill(0);

    const int used = std::clamp(count, 0, static_cast<int>(sections.size()));
    for (int s = 0; s < used; ++s) {
        const SectionConstants k = ConstantsOf(*sections[s]);
        for (int i = 0; i < kPoints; ++i) {
            const SectionValue v = Evaluate(k, trig, i);
            // num * conj(den) has the section's phase; its modulus carries |den|^2 extra.
            const double hr = v.nr * v.dr + v.ni * v.di;
            const double hi = v.ni * v.dr - v.nr * v.di;
            const double pr = productRe[i];
            const double pi = productIm[i];
            const double ar = pr * hr - pi * hi;
            const double ai = pr * hi + pi * hr;
            // Two arguments of the same sign whose sum leaves [-pi, pi) wrap once:
            // the product's sign then differs from theirs.
            const int b = negative[i];
            const int h = NegativeArgument(hr, hi);
            const int a = NegativeArgument(ar, ai);
            wraps[i] += (1 - (b ^ h)) * (a - b);
            negative[i] = a;
            productRe[i] = ar;
            productIm[i] = ai;
            denominatorNorm[i] *= v.dr * v.dr + v.di * v.di;
        }
    }
    constexpr double twoPi = 2 * std::numbers::pi;
    const double floorDb = FloorDb(used);
    for (int i = 0; i < kPoints; ++i) {
        const double pNorm = productRe[i] * productRe[i] + productIm[i] * productIm[i];
        const double dNorm = denominatorNorm[i];
        // |H|^2 of the cascade: the product carries every |den|^2 once too many.
        const double power = pNorm / dNorm / dNorm;
        double db = 0.0;
        double rad = 0.0;
        if (power > 0.0 && std::isfinite(power)) {
            db = 10.0 * std::log10(power);
            rad = Arctan2(productIm[i], productRe[i]) + twoPi * wraps[i];
        } else {
            AccumulatePoint(sections, used, i, db, rad);
        }
        db = std::max(db, floorDb);
        magnitude[i] = static_cast<float>(std::fabs(db) < 1e-8 ? 0.0 : db);
        phase[i] = static_cast<float>(rad);
    }
}

void AccumulateResponse(std::span<const TSOS* const> sections, int count, ResponseCurve& curve) {
    AccumulateResponse(sections, count, curve.phaseRad, curve.magnitudeDb);
}

} // namespace veld23
