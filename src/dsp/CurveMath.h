#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace veld23 {

// Logarithm and arctangent for values that end in single-precision curves. The
// library's double-precision functions cost a large share of every redraw while a
// point is dragged; these short series are accurate to about 1e-9, far below the
// curves' own float resolution, and exact where it matters (log of 1 is 0).

// log10(x) for x > 0; anything else (0, negative, infinite, NaN, subnormal) goes to
// the library, which gives the usual -inf / NaN answers.
inline double CurveLog10(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF || (bits >> 63) != 0) {
        return std::log10(x);
    }
    // x = m * 2^e with m in [sqrt(1/2), sqrt(2)), so that log(m) stays small.
    int e = biased - 1023;
    double m = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    if (m > std::numbers::sqrt2) {
        m *= 0.5;
        ++e;
    }
    // log(m) = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172.
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    const double series =
        s *
        (2.0 + s2 * (2.0 / 3 + s2 * (2.0 / 5 + s2 * (2.0 / 7 + s2 * (2.0 / 9 + s2 * (2.0 / 11))))));
    return (e * std::numbers::ln2 + series) * (1.0 / std::numbers::ln10);
}

// atan(t) for any finite t, folded onto |t| <= tan(pi/8) where the series converges fast.
inline double CurveAtan(double t) {
    const double a = std::fabs(t);
    double base = 0.0;
    double r = a;
    if (a > 1.0) {
        base = std::numbers::pi / 2;
        r = -1.0 / a; // atan(a) = pi/2 + atan(-1/a)
    }
    if (std::fabs(r) > 0.41421356237309503) {
        const double shift = r > 0 ? std::numbers::pi / 4 : -std::numbers::pi / 4;
        base += shift;
        r = r > 0 ? (r - 1.0) / (r + 1.0) : (r + 1.0) / (1.0 - r);
    }
    const double r2 = r * r;
    const double series =
        r *
        (1.0 + r2 * (-1.0 / 3 +
                     r2 * (1.0 / 5 +
                           r2 * (-1.0 / 7 +
                                 r2 * (1.0 / 9 +
                                       r2 * (-1.0 / 11 +
                                             r2 * (1.0 / 13 +
                                                   r2 * (-1.0 / 15 +
                                                         r2 * (1.0 / 17 + r2 * (-1.0 / 19))))))))));
    const double result = base + series;
    return t < 0 ? -result : result;
}

// The processor software's quadrant rules around an arctangent of y/x: range [-pi, pi),
// y = 0 gives exactly 0 or -pi.
template <typename Atan> double QuadrantArctan(double y, double x, Atan atan) {
    constexpr double pi = std::numbers::pi;
    if (y == 0.0) {
        return x >= 0.0 ? 0.0 : -pi;
    }
    if (x == 0.0) {
        return y > 0.0 ? pi / 2 : -pi / 2;
    }
    const double a = atan(y / x);
    if (x > 0.0) {
        return a;
    }
    return y > 0.0 ? a + pi : a - pi;
}

// Arctan2 for phases that end in single-precision curves.
inline double CurveArctan2(double y, double x) {
    return QuadrantArctan(y, x, CurveAtan);
}

} // namespace veld23
