#include "dsp/Response.h"

#include "dsp/FrequencyGrid.h"

#include <cmath>
#include <numbers>

namespace veld23 {

namespace {

// A section with a true zero on a grid point would give log10(0); the curve shows
// the floor instead so that sums stay finite.
constexpr double kSmallestMagnitude = 1e-15; // -300 dB

struct Complex {
    double re;
    double im;
};

// Smith's division: scales by the larger of the denominator's parts so that
// neither product overflows nor loses precision.
Complex Divide(Complex n, Complex d) {
    if (std::fabs(d.re) >= std::fabs(d.im)) {
        if (d.re == 0.0) {
            return {0.0, 0.0};
        }
        const double r = d.im / d.re;
        const double den = d.re + d.im * r;
        return {(n.re + n.im * r) / den, (n.im - n.re * r) / den};
    }
    const double r = d.re / d.im;
    const double den = d.re * r + d.im;
    return {(n.re * r + n.im) / den, (n.im * r - n.re) / den};
}

Complex Multiply(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
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
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    constexpr int n = FrequencyGrid::N;
    for (int i = 0; i <= n; ++i) {
        phase[i] = 0.0f;
        magnitude[i] = 0.0f;
    }
    const int used = count < 0 ? 0 : (count > static_cast<int>(sections.size())
                                          ? static_cast<int>(sections.size())
                                          : count);
    for (int s = 0; s < used; ++s) {
        const TSOS& sec = *sections[s];
        const double B0 = static_cast<double>(sec.b0);
        const double B1 = static_cast<double>(sec.b1);
        const double B2 = static_cast<double>(sec.b2);
        const double P1 = -static_cast<double>(sec.a1);
        const double P2 = -static_cast<double>(sec.a2);
        for (int i = 0; i <= n; ++i) {
            const Complex w{grid.GridZInverse[i].real(), grid.GridZInverse[i].imag()};
            // Horner form, as the processor software evaluates it.
            const Complex inner{B1 + w.re * B2, w.im * B2};
            const Complex wn = Multiply(w, inner);
            const Complex num{B0 + wn.re, wn.im};
            const Complex innerDen{P1 + w.re * P2, w.im * P2};
            const Complex wd = Multiply(w, innerDen);
            const Complex den{1.0 + wd.re, wd.im};
            const Complex h = Divide(num, den);
            double absH = std::sqrt(h.re * h.re + h.im * h.im);
            if (!(absH >= kSmallestMagnitude)) {
                absH = kSmallestMagnitude;
            }
            magnitude[i] = static_cast<float>(magnitude[i] + 20.0 * std::log10(absH));
            if (std::fabs(magnitude[i]) < 1e-8f) {
                magnitude[i] = 0.0f;
            }
            phase[i] = static_cast<float>(phase[i] + Arctan2(h.im, h.re));
        }
    }
}

void AccumulateResponse(std::span<const TSOS* const> sections, int count, ResponseCurve& curve) {
    AccumulateResponse(sections, count, curve.phaseRad, curve.magnitudeDb);
}

} // namespace veld23
