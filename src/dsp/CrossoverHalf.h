#pragma once

#include "dsp/Tsos.h"

#include <array>
#include <cstdint>

namespace veld23 {

class DesignNotifier;
struct ResponseCurve;

// Family codes of a crossover half.
enum XoverFamily : std::uint8_t {
    kXoverBypass = 0,
    kButterworthLowPass = 1,
    kButterworthHighPass = 2,
    kLinkwitzRileyLowPass = 3,
    kLinkwitzRileyHighPass = 4,
    kBesselLowPass = 5,
    kBesselHighPass = 6,
    kSectionsLowPass = 7,  // each section's own Frequency and Q
    kSectionsHighPass = 8, // each section's own Frequency and Q
};
inline constexpr std::uint8_t kLastXoverFamily = kSectionsHighPass;

// Odd codes are low-pass families, even ones above bypass high-pass families.
inline bool IsLowPassFamily(std::uint8_t family) {
    return family % 2 == 1;
}

inline constexpr int kSectionsPerHalf = 3;

// A half owns three sections and a design never writes past them, so orders
// that would need a fourth section are refused rather than cut short.
// Accepted orders per family:
//   bypass                  1..8 (the order is kept but not used; 8 is the
//                           highest order any family knows)
//   Butterworth             1..6 (ceil(N/2) sections)
//   Linkwitz-Riley          1..4 (odd orders are raised by one; 6 and 8 would
//                           be a Butterworth of order 3 or 4 twice: 4 sections)
//   Bessel                  1..6 (the tables go to 8, but 7 and 8 need 4 sections)
//   sections' own F and Q   1..6
struct OrderRange {
    int lowest;
    int highest;
};
// An unknown family gives the empty range {1, 0}.
OrderRange AcceptedOrders(std::uint8_t family);
bool IsOrderAccepted(std::uint8_t family, int order);

enum class HalfDesignStatus {
    Ok,
    UnknownFamily,       // Family above 8
    OrderRefused,        // Order outside AcceptedOrders(Family)
    FrequencyOutOfRange, // Butterworth, Linkwitz-Riley, Bessel: Frequency not in (0, fs/2)
};
const char* HalfDesignStatusText(HalfDesignStatus status);

// Normalised Bessel factors 1/(1 + a s + b s^2), cutoff at -3 dB, held in single
// precision as the processor software holds them. Entries are numbered j = 1..20;
// order N starts at kBesselFirstEntry[N]. Entries 1, 3, 7 and 13 stand for the
// real pole of the odd orders, which uses kBesselRealPoleFactor instead, and are 0.
struct BesselFactor {
    float a;
    float b;
};
inline constexpr int kBesselHighestOrder = 8;
extern const std::array<BesselFactor, 21> BesselFactorTable;
extern const std::array<int, kBesselHighestOrder + 1> kBesselFirstEntry;      // by N
extern const std::array<float, 4> kBesselRealPoleFactor;                      // by floor(N/2)
extern const std::array<float, kBesselHighestOrder + 1> kBesselCutoffLimitHz; // by N

// Highest cutoff a Bessel low-pass of this order may have; 0 for orders outside 1..8.
double BesselCutoffLimit(int order);

// Q given to a first-order Butterworth section whose corner is at a quarter of the
// sampling rate (12000 Hz). There the Q-from-coefficients rule divides by zero;
// a first-order section has no real Q, so it gets the value a new section starts
// with: finite, harmless if anything ever designs from it, and shown as "0.7".
inline constexpr double kQuarterRateFirstOrderQ = 0.707;

// The Q read back from a low-pass or high-pass section's coefficients. For a
// second-order section this is its true Q; for a first-order one a number kept
// only for display and storage. Never returns NaN or infinity: where the rule has
// no finite value the result is kQuarterRateFirstOrderQ.
double QFromCoefficients(const TSOS& section, bool lowPass);

// One crossover half: a family, an order and a frequency turned into up to three
// sections, used from Sections[0] ("section 1") on.
class TXOVERPB {
  public:
    std::array<TSOS, kSectionsPerHalf> Sections{};
    std::int32_t Order = 4;
    std::int32_t SectionCount = 1;
    std::uint8_t Family = kXoverBypass;
    double Frequency = 1000.0;

    // Recomputes the sections from Family, Order and Frequency and sets
    // SectionCount. Anything but Ok leaves the half exactly as it was.
    // A Bessel low-pass above its limit is moved to the limit (the half's and
    // every section's Frequency), designed there, and reported to the notifier
    // when one is given.
    [[nodiscard]] HalfDesignStatus Design(DesignNotifier* notifier = nullptr);

    // Pointers to the three sections, for AccumulateResponse over SectionCount.
    std::array<const TSOS*, kSectionsPerHalf> SectionPointers() const;
    // SectionCount held to 0..3, whatever was loaded into it.
    int UsedSections() const;
};

// Response of the half's sections in use on the shared grid.
void EvaluateHalf(const TXOVERPB& half, ResponseCurve& curve);

} // namespace veld23
