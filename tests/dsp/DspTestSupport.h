#pragma once

// Shared helpers of the section, crossover half and response tests.

#include "dsp/CrossoverHalf.h"
#include "dsp/DesignNotifier.h"
#include "dsp/Response.h"
#include "dsp/SampleRate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace veld23::testing {

inline constexpr double kMinus3dB = -3.0102999566398121; // 20 log10(1/sqrt 2)
inline constexpr double kMinus6dB = 2 * kMinus3dB;
inline constexpr int kGrid693Hz = 200; // grid point 200 is 693 Hz

class RecordingNotifier : public DesignNotifier {
  public:
    std::vector<std::pair<double, int>> limits;
    void BesselCutoffLimited(double limitHz, int order) override {
        limits.emplace_back(limitHz, order);
    }
};

inline TXOVERPB MakeHalf(std::uint8_t family, int order, double hz) {
    TXOVERPB half;
    half.Family = family;
    half.Order = order;
    half.Frequency = hz;
    for (TSOS& s : half.Sections) {
        s.Frequency = hz; // as the editor does before every design
    }
    return half;
}

inline TXOVERPB Designed(std::uint8_t family, int order, double hz) {
    TXOVERPB half = MakeHalf(family, order, hz);
    EXPECT_EQ(half.Design(), HalfDesignStatus::Ok);
    return half;
}

// Sections evaluated straight from their coefficients at any frequency, independent of
// the grid.
inline double CascadeDb(std::span<const TSOS> sections, double hz) {
    const long double w = 2 * std::numbers::pi_v<long double> * hz / SampleRate;
    const std::complex<long double> z1 = std::polar(1.0L, -w);
    std::complex<long double> h = 1.0L;
    for (const TSOS& s : sections) {
        h *= (s.b0 + s.b1 * z1 + s.b2 * z1 * z1) / (1.0L - s.a1 * z1 - s.a2 * z1 * z1);
    }
    return static_cast<double>(20 * std::log10(std::abs(h)));
}
inline double CascadeDb(const TSOS& section, double hz) {
    return CascadeDb({&section, 1}, hz);
}
inline double CascadeDb(const TXOVERPB& half, double hz) {
    return CascadeDb(std::span(half.Sections).first(static_cast<std::size_t>(half.SectionCount)),
                     hz);
}

// One section's response on the grid.
inline ResponseCurve Evaluate(const TSOS& section) {
    const TSOS* list[] = {&section};
    ResponseCurve curve;
    AccumulateResponse(list, 1, curve);
    return curve;
}

inline double GridDb(const TXOVERPB& half, int index) {
    ResponseCurve curve;
    EvaluateHalf(half, curve);
    return curve.magnitudeDb[index];
}

// Every field of a section, for comparing two sections in one assertion.
inline auto Fields(const TSOS& s) {
    return std::tuple(s.b0, s.b1, s.b2, s.a1, s.a2, s.SectionType, s.Frequency, s.Q, s.GainDb,
                      s.CoefIndex);
}

inline void ExpectSameHalf(const TXOVERPB& a, const TXOVERPB& b) {
    EXPECT_EQ(std::tuple(a.Order, a.SectionCount, a.Family),
              std::tuple(b.Order, b.SectionCount, b.Family));
    if (!(std::isnan(a.Frequency) && std::isnan(b.Frequency))) {
        EXPECT_EQ(a.Frequency, b.Frequency);
    }
    for (int i = 0; i < kSectionsPerHalf; ++i) {
        EXPECT_EQ(Fields(a.Sections[i]), Fields(b.Sections[i])) << "section " << i;
    }
}

} // namespace veld23::testing
