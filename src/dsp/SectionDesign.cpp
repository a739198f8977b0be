#include "dsp/SectionDesign.h"

#include "dsp/SampleRate.h"

#include <cmath>
#include <numbers>

namespace veld23 {

namespace {

using Real = long double;
constexpr Real kPi = std::numbers::pi_v<long double>;
constexpr Real kSqrt2 = std::numbers::sqrt2_v<long double>;

Real Omega(const TSOS& s) {
    return 2 * kPi * s.Frequency / SampleRate;
}

// Writes the five coefficients, or bypass when a degenerate frequency produced
// an infinity or NaN: a section must never carry a value the device can't hold.
void Store(TSOS& s, std::uint8_t type, Real b0, Real b1, Real b2, Real a1, Real a2) {
    s.SectionType = type;
    if (!std::isfinite(b0) || !std::isfinite(b1) || !std::isfinite(b2) || !std::isfinite(a1) ||
        !std::isfinite(a2)) {
        s.SetBypass();
        return;
    }
    s.b0 = b0;
    s.b1 = b1;
    s.b2 = b2;
    s.a1 = a1;
    s.a2 = a2;
}

Real LimitOne(Real v) {
    if (v > 1.9999999999L) {
        return 1.99999999999L;
    }
    if (v < -1.999999999L) {
        return -1.99999999999L;
    }
    return v;
}

// Gain at the corner of a 6 dB shelf: half the boost in dB for small gains,
// 3 dB from the plateau for large ones.
Real ShelfCornerGain(Real g) {
    if (g > kSqrt2) {
        return g / kSqrt2;
    }
    if (g < 1 / kSqrt2) {
        return kSqrt2 * g;
    }
    return std::sqrt(g);
}

Real BandQ(const TSOS& s) {
    const Real floor = 2 * s.Frequency / SampleRate;
    return s.Q < floor ? floor : static_cast<Real>(s.Q);
}

} // namespace

void CoefficientLimit(TSOS& s) {
    s.b0 = LimitOne(s.b0);
    s.b1 = LimitOne(s.b1);
}

void DesignBypass(TSOS& s) {
    s.SectionType = kBypass;
    s.SetBypass();
}

void DesignParametricQAdap(TSOS& s) {
    const Real w0 = Omega(s);
    const Real A = std::sqrt(std::pow(10.0L, s.GainDb / 20.0L));
    const Real alpha = std::sin(w0) / (2 * s.Q);
    const Real d = 1 + alpha / A;
    Store(s, kParametricQAdap, (1 + alpha * A) / d, -2 * std::cos(w0) / d, (1 - alpha * A) / d,
          2 * std::cos(w0) / d, -(1 - alpha / A) / d);
    CoefficientLimit(s);
}

void DesignParametricQConst(TSOS& s) {
    // At exactly fs/4 the bilinear terms cancel (1 - K^2 = 0); nudging half a hertz
    // keeps b1 and a1 small but present, as the processor software always did.
    const Real f = s.Frequency == 12000.0 ? 12000.5L : static_cast<Real>(s.Frequency);
    const Real K = 1 / std::tan(kPi * f / SampleRate);
    const Real V = std::pow(10.0L, std::fabs(s.GainDb) / 20.0L);
    const Real n = s.GainDb >= 0 ? V / s.Q : 1 / static_cast<Real>(s.Q);
    const Real m = s.GainDb >= 0 ? 1 / static_cast<Real>(s.Q) : V / s.Q;
    const Real K2 = K * K;
    const Real d = K2 + m * K + 1;
    Store(s, kParametricQConst, (K2 + n * K + 1) / d, 2 * (1 - K2) / d, (K2 - n * K + 1) / d,
          -2 * (1 - K2) / d, -(K2 - m * K + 1) / d);
}

void DesignShelvLow6dB(TSOS& s) {
    if (s.GainDb == 0.0) {
        s.SectionType = kShelvLow6dB;
        s.SetBypass();
        return;
    }
    const Real G = std::pow(10.0L, s.GainDb / 20.0L);
    const Real gc = ShelfCornerGain(G);
    const Real t = std::tan(Omega(s) / 2);
    const Real beta = t * std::sqrt((gc * gc - 1) / (G * G - gc * gc));
    const Real alpha = 1 / (1 + beta);
    Store(s, kShelvLow6dB, (1 + G * beta) * alpha, -(1 - G * beta) * alpha, 0, 2 * alpha - 1, 0);
    CoefficientLimit(s);
}

void DesignShelvHigh6dB(TSOS& s) {
    if (s.GainDb == 0.0) {
        s.SectionType = kShelvHigh6dB;
        s.SetBypass();
        return;
    }
    const Real G = std::pow(10.0L, s.GainDb / 20.0L);
    const Real gc = ShelfCornerGain(G);
    const Real t = std::tan(Omega(s) / 2);
    const Real beta = std::sqrt((gc * gc - 1) / (G * G - gc * gc)) / t;
    const Real alpha = 1 / (1 + beta);
    Store(s, kShelvHigh6dB, (1 + G * beta) * alpha, (1 - G * beta) * alpha, 0, 1 - 2 * alpha, 0);
    CoefficientLimit(s);
}

void DesignLowPassButtw(TSOS& s) {
    const Real w0 = Omega(s);
    const Real sn = kSqrt2 * std::sin(w0);
    const Real d = 2 + sn;
    const Real c = (1 - std::cos(w0)) / d;
    Store(s, kLowPassButtw, c, 2 * c, c, 4 * std::cos(w0) / d, -(2 - sn) / d);
}

void DesignHiPassButtw(TSOS& s) {
    const Real w0 = Omega(s);
    const Real sn = kSqrt2 * std::sin(w0);
    const Real d = 2 + sn;
    const Real c = (1 + std::cos(w0)) / d;
    Store(s, kHiPassButtw, c, -2 * c, c, 4 * std::cos(w0) / d, -(2 - sn) / d);
}

void DesignBandPass(TSOS& s) {
    const Real w0 = Omega(s);
    const Real beta = 1 / (1 + std::tan(w0 / (2 * BandQ(s))));
    const Real G = std::pow(10.0L, s.GainDb / 20.0L);
    Store(s, kBandPass, (1 - beta) * G, 0, -(1 - beta) * G, 2 * beta * std::cos(w0), 1 - 2 * beta);
}

void DesignStopBand(TSOS& s) {
    const Real w0 = Omega(s);
    const Real beta = 1 / (1 + std::tan(w0 / (2 * BandQ(s))));
    Store(s, kStopBand, beta, -2 * beta * std::cos(w0), beta, 2 * beta * std::cos(w0),
          1 - 2 * beta);
}

void DesignAllPass1(TSOS& s) {
    const Real K = 1 / std::tan(kPi * s.Frequency / SampleRate);
    Store(s, kAllPass1, (1 - K) / (1 + K), 1, 0, (K - 1) / (K + 1), 0);
}

void DesignAllPass2(TSOS& s) {
    const Real K = 1 / std::tan(kPi * s.Frequency / SampleRate);
    const Real K2 = K * K;
    const Real kq = K / s.Q;
    const Real d = K2 + kq + 1;
    Store(s, kAllPass2, (K2 - kq + 1) / d, 2 * (1 - K2) / d, (K2 + kq + 1) / d, -2 * (1 - K2) / d,
          -(K2 - kq + 1) / d);
}

void DesignLowPassQ(TSOS& s) {
    const Real w0 = Omega(s);
    const Real alpha = std::sin(w0) / (2 * s.Q);
    const Real d = 2 * (1 + alpha);
    const Real c = (1 - std::cos(w0)) / d;
    Store(s, kLowPassQ, c, 2 * c, c, 4 * std::cos(w0) / d, -2 * (1 - alpha) / d);
}

void DesignHiPassQ(TSOS& s) {
    const Real w0 = Omega(s);
    const Real alpha = std::sin(w0) / (2 * s.Q);
    const Real d = 2 * (1 + alpha);
    const Real c = (1 + std::cos(w0)) / d;
    Store(s, kHiPassQ, c, -2 * c, c, 4 * std::cos(w0) / d, -2 * (1 - alpha) / d);
}

void DesignFirstOrderLowPass(TSOS& s) {
    const Real t = std::tan(Omega(s) / 2);
    const Real p = (1 - t) / (1 + t);
    Store(s, kFirstOrder, (1 - p) / 2, (1 - p) / 2, 0, p, 0);
}

void DesignFirstOrderHighPass(TSOS& s) {
    const Real t = std::tan(Omega(s) / 2);
    const Real p = (1 - t) / (1 + t);
    Store(s, kFirstOrder, (1 + p) / 2, -(1 + p) / 2, 0, p, 0);
}

void Design(TSOS& s) {
    switch (s.SectionType) {
    case kBypass:
        DesignBypass(s);
        break;
    case kParametricQAdap:
        DesignParametricQAdap(s);
        break;
    case kShelvLow6dB:
        DesignShelvLow6dB(s);
        break;
    case kShelvHigh6dB:
        DesignShelvHigh6dB(s);
        break;
    case kLowPassButtw:
        DesignLowPassButtw(s);
        break;
    case kHiPassButtw:
        DesignHiPassButtw(s);
        break;
    case kBandPass:
        DesignBandPass(s);
        break;
    case kStopBand:
        DesignStopBand(s);
        break;
    case kAllPass1:
        DesignAllPass1(s);
        break;
    case kAllPass2:
        DesignAllPass2(s);
        break;
    case kLowPassQ:
        DesignLowPassQ(s);
        break;
    case kHiPassQ:
        DesignHiPassQ(s);
        break;
    case kParametricQConst:
        DesignParametricQConst(s);
        break;
    // Entered coefficients, and first-order crossover sections whose
    // direction only their crossover design knows, stay as they are.
    case kIirCoeff:
    case kFirstOrder:
    case kFirstOrderHighPassButtw:
        break;
    default:
        DesignBypass(s);
        break;
    }
}

} // namespace veld23
