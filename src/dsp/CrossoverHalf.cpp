#include "dsp/CrossoverHalf.h"

#include "dsp/DesignNotifier.h"
#include "dsp/Response.h"
#include "dsp/SampleRate.h"
#include "dsp/SectionDesign.h"

#include <cmath>
#include <numbers>

namespace veld23 {

// Entry j holds the factor of order N, section j - kBesselFirstEntry[N] + 1.
const std::array<BesselFactor, 21> BesselFactorTable = {{
    {0.0f, 0.0f},       // unused
    {0.0f, 0.0f},       // 1: order 1, real pole
    {1.3617f, 0.6180f}, // 2: order 2
    {0.0f, 0.0f},       // 3: order 3, real pole
    {0.9996f, 0.4772f}, // 4: order 3
    {1.3397f, 0.4889f}, // 5: order 4
    {0.7743f, 0.3890f}, // 6: order 4
    {0.0f, 0.0f},       // 7: order 5, real pole
    {1.1402f, 0.4128f}, // 8: order 5
    {0.6216f, 0.3245f}, // 9: order 5
    {1.2217f, 0.3887f}, // 10: order 6
    {0.9686f, 0.3505f}, // 11: order 6
    {0.5131f, 0.2756f}, // 12: order 6
    {0.0f, 0.0f},       // 13: order 7, real pole
    {1.0944f, 0.3395f}, // 14: order 7
    {0.8304f, 0.3011f}, // 15: order 7
    {0.4332f, 0.2381f}, // 16: order 7
    {1.1112f, 0.3162f}, // 17: order 8
    {0.9754f, 0.2979f}, // 18: order 8
    {0.7202f, 0.2621f}, // 19: order 8
    {0.3728f, 0.2087f}, // 20: order 8
}};

const std::array<int, kBesselHighestOrder + 1> kBesselFirstEntry = {0, 1, 2, 3, 5, 7, 10, 13, 17};

const std::array<float, 4> kBesselRealPoleFactor = {1.0f, 1.323f, 1.502f, 1.684f};

const std::array<float, kBesselHighestOrder + 1> kBesselCutoffLimitHz = {
    0.0f, 20000.0f, 18800.0f, 16500.0f, 14900.0f, 13650.0f, 12550.0f, 11650.0f, 10900.0f};

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// How close to 1 the bilinear constant K of a first-order section may come before
// its corner counts as sitting on fs/4; covers tan(pi/4) rounding off by an ulp,
// while 11999 Hz (|K - 1| ~ 1e-4) is far outside.
constexpr long double kQuarterRateTolerance = 1e-9L;

// At K = 1 (fs/4) a1 comes out as -0; stored, shown and sent it should read 0.
long double WithoutNegativeZero(long double x) {
    return x + 0.0L;
}

bool UsesHalfFrequency(std::uint8_t family) {
    return family >= kButterworthLowPass && family <= kBesselHighPass;
}

// Bilinear Butterworth of order n whose -3 dB point is exactly f, written into
// sections[first] onwards. Returns the index after the last section written.
// Refuses (writes nothing) when the sections would not fit.
int Butterworth(std::array<TSOS, kSectionsPerHalf>& sections, int n, int first, bool lowPass,
                double f) {
    const int needed = (n + 1) / 2;
    if (n < 1 || first < 0 || first + needed > kSectionsPerHalf) {
        return first;
    }
    const long double sigma = lowPass ? 1.0L : -1.0L;
    const long double t = std::tan(kPi * static_cast<long double>(f) / SampleRate);
    const long double k = lowPass ? t : 1.0L / t;
    int s = first;
    if (n % 2 == 1) {
        TSOS& sec = sections[s];
        sec.b0 = k / (k + 1.0L);
        sec.b1 = sigma * sec.b0;
        sec.b2 = 0.0L;
        sec.a1 = WithoutNegativeZero(-sigma * (k - 1.0L) / (k + 1.0L));
        sec.a2 = 0.0L;
        sec.SectionType = lowPass ? kFirstOrder : kFirstOrderHighPassButtw;
        sec.Frequency = f;
        sec.Q = std::fabs(k - 1.0L) <= kQuarterRateTolerance ? kQuarterRateFirstOrderQ
                                                             : QFromCoefficients(sec, lowPass);
        ++s;
    }
    for (int i = 1; i <= n / 2; ++i) {
        TSOS& sec = sections[s];
        const long double theta = (n - 1 + 2 * i) * kPi / (2 * n);
        const long double c = std::cos(theta);
        const long double d = 1.0L - 2.0L * k * c + k * k;
        sec.b0 = k * k / d;
        sec.b1 = 2.0L * sigma * sec.b0;
        sec.b2 = sec.b0;
        sec.a1 = WithoutNegativeZero(-2.0L * sigma * (k * k - 1.0L) / d);
        sec.a2 = -(1.0L + 2.0L * k * c + k * k) / d;
        sec.SectionType = lowPass ? kLowPassQ : kHiPassQ;
        sec.Frequency = f;
        sec.Q = QFromCoefficients(sec, lowPass);
        ++s;
    }
    return s;
}

// Bessel of the half's order at the half's frequency; returns the sections used.
int Bessel(TXOVERPB& half, bool lowPass) {
    const int n = half.Order;
    const double f = half.Frequency;
    for (TSOS& sec : half.Sections) {
        sec.Frequency = f;
    }
    const int m = n / 2;
    int j = kBesselFirstEntry[n];
    int s = 0;
    if (n % 2 == 1) {
        TSOS& sec = half.Sections[s];
        const double r = kBesselRealPoleFactor[m];
        if (lowPass) {
            sec.Frequency = f * r;
            DesignFirstOrderLowPass(sec);
        } else {
            sec.Frequency = f / r;
            DesignFirstOrderHighPass(sec);
        }
        ++j;
        ++s;
    }
    for (int i = 0; i < m; ++i, ++j, ++s) {
        TSOS& sec = half.Sections[s];
        const double a = BesselFactorTable[j].a;
        const double rootB = std::sqrt(static_cast<double>(BesselFactorTable[j].b));
        sec.Q = rootB / a;
        if (lowPass) {
            sec.Frequency = f / rootB;
            DesignLowPassQ(sec);
        } else {
            sec.Frequency = f * rootB;
            DesignHiPassQ(sec);
        }
    }
    return s;
}

// Families 7 and 8: every section keeps its own Frequency and Q.
int FromOwnSections(TXOVERPB& half, bool lowPass) {
    int s = 0;
    if (half.Order % 2 == 1) {
        if (lowPass) {
            DesignFirstOrderLowPass(half.Sections[s]);
        } else {
            DesignFirstOrderHighPass(half.Sections[s]);
        }
        ++s;
    }
    for (int i = 0; i < half.Order / 2; ++i, ++s) {
        if (lowPass) {
            DesignLowPassQ(half.Sections[s]);
        } else {
            DesignHiPassQ(half.Sections[s]);
        }
    }
    return s;
}

} // namespace

OrderRange AcceptedOrders(std::uint8_t family) {
    switch (family) {
    case kXoverBypass:
        return {1, kBesselHighestOrder};
    case kLinkwitzRileyLowPass:
    case kLinkwitzRileyHighPass:
        return {1, 4};
    case kButterworthLowPass:
    case kButterworthHighPass:
    case kBesselLowPass:
    case kBesselHighPass:
    case kSectionsLowPass:
    case kSectionsHighPass:
        return {1, 2 * kSectionsPerHalf};
    default:
        return {1, 0};
    }
}

bool IsOrderAccepted(std::uint8_t family, int order) {
    const OrderRange range = AcceptedOrders(family);
    return order >= range.lowest && order <= range.highest;
}

const char* HalfDesignStatusText(HalfDesignStatus status) {
    switch (status) {
    case HalfDesignStatus::Ok:
        return "ok";
    case HalfDesignStatus::UnknownFamily:
        return "unknown crossover family";
    case HalfDesignStatus::OrderRefused:
        return "order not available for this crossover family";
    case HalfDesignStatus::FrequencyOutOfRange:
        return "crossover frequency must lie between 0 Hz and half the sampling rate";
    }
    return "unknown status";
}

double BesselCutoffLimit(int order) {
    if (order < 1 || order > kBesselHighestOrder) {
        return 0.0;
    }
    return kBesselCutoffLimitHz[order];
}

double QFromCoefficients(const TSOS& section, bool lowPass) {
    const long double b0 = section.b0;
    const long double a1 = section.a1;
    long double q = 0.0L;
    if (lowPass) {
        const long double v = std::sqrt(a1 / (2.0L * b0) + 1.0L);
        q = v / (1.0L / b0 - 1.0L - v * v);
    } else {
        const long double v = std::sqrt(2.0L * b0 / (2.0L * b0 - a1));
        q = 1.0L / (v / b0 - (v * v + 1.0L) / v);
    }
    const double result = static_cast<double>(q);
    return std::isfinite(result) ? result : kQuarterRateFirstOrderQ;
}

HalfDesignStatus TXOVERPB::Design(DesignNotifier* notifier) {
    // Everything is checked before anything is written, so a refusal leaves the
    // half as it was.
    if (Family > kLastXoverFamily) {
        return HalfDesignStatus::UnknownFamily;
    }
    if (!IsOrderAccepted(Family, Order)) {
        return HalfDesignStatus::OrderRefused;
    }
    if (UsesHalfFrequency(Family) && !(Frequency > 0.0 && Frequency < SampleRate / 2)) {
        return HalfDesignStatus::FrequencyOutOfRange;
    }

    for (TSOS& sec : Sections) {
        sec.SetBypass();
    }
    const bool lowPass = IsLowPassFamily(Family);
    bool limited = false;
    switch (Family) {
    case kButterworthLowPass:
    case kButterworthHighPass:
        SectionCount = Butterworth(Sections, Order, 0, lowPass, Frequency);
        break;
    case kLinkwitzRileyLowPass:
    case kLinkwitzRileyHighPass: {
        // A Linkwitz-Riley is a Butterworth of half the order, squared; odd orders
        // have no such form and are raised.
        if (Order % 2 == 1) {
            ++Order;
        }
        const int next = Butterworth(Sections, Order / 2, 0, lowPass, Frequency);
        SectionCount = Butterworth(Sections, Order / 2, next, lowPass, Frequency);
        break;
    }
    case kBesselLowPass:
    case kBesselHighPass:
        // Above the limit the low-pass sections would approach fs/2; the request is
        // corrected, not refused.
        if (lowPass && Frequency > BesselCutoffLimit(Order)) {
            Frequency = BesselCutoffLimit(Order);
            limited = true;
        }
        SectionCount = Bessel(*this, lowPass);
        break;
    case kSectionsLowPass:
    case kSectionsHighPass:
        SectionCount = FromOwnSections(*this, lowPass);
        break;
    default: // bypass
        SectionCount = 1;
        break;
    }
    if (limited && notifier != nullptr) {
        notifier->BesselCutoffLimited(Frequency, Order);
    }
    return HalfDesignStatus::Ok;
}

std::array<const TSOS*, kSectionsPerHalf> TXOVERPB::SectionPointers() const {
    return {&Sections[0], &Sections[1], &Sections[2]};
}

int TXOVERPB::UsedSections() const {
    if (SectionCount < 0) {
        return 0;
    }
    return SectionCount > kSectionsPerHalf ? kSectionsPerHalf : SectionCount;
}

void EvaluateHalf(const TXOVERPB& half, ResponseCurve& curve) {
    const auto sections = half.SectionPointers();
    AccumulateResponse(sections, half.UsedSections(), curve);
}

} // namespace veld23
