#include "dsp/Dynamics.h"

#include "dsp/Coef22Range.h"
#include "dsp/SampleRate.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

using namespace dynamics;

namespace {

// The grid's amplitudes stay between -120 dB and +24 dB so their logarithms are finite.
constexpr long double kMinGridAmplitude = 1.0e-6L;
constexpr long double kMaxGridAmplitude = 16.0L;

// A gain counts as lower than its upper neighbour only below this fraction of it:
// about eight float ulps, far under one step of the coefficient word.
constexpr float kRiseTolerance = 1.0f - 1.0e-6f;

long double HoldAmplitude(long double x, long double fallback) {
    if (std::isnan(x)) {
        return fallback;
    }
    return std::clamp(x, kMinGridAmplitude, kMaxGridAmplitude);
}

std::int32_t NearestSamples(double ms) {
    return static_cast<std::int32_t>(std::nearbyint(ms * 0.001 * SampleRate));
}

std::int32_t ReleaseCode(double dbPerSecond) {
    return static_cast<std::int32_t>(std::nearbyint(dbPerSecond / kReleaseStepDbPerS));
}

std::int32_t HeldNpuntos(std::int32_t n) {
    return HoldField(n, kNpuntosMin, kNpuntosMax);
}

} // namespace

long double RmsCoefFromAttack(double dbPerSecond) {
    const long double rate =
        HoldField(dbPerSecond, kAttackMinDbPerS, kAttackMaxDbPerS, kDefaultAttackDbPerS);
    return 1.0L - std::pow(10.0L, -rate / (10.0L * SampleRate));
}

double AttackFromRmsCoef(long double rmsCoef) {
    // A coefficient of 1 or more has no rate (log of zero or less); hold it to the
    // coefficients that the attack field's range gives.
    const long double lo = RmsCoefFromAttack(kAttackMinDbPerS);
    const long double hi = RmsCoefFromAttack(kAttackMaxDbPerS);
    const long double c =
        std::isnan(rmsCoef) ? RmsCoefFromAttack(kDefaultAttackDbPerS) : std::clamp(rmsCoef, lo, hi);
    return static_cast<double>(-10.0L * SampleRate * std::log10(1.0L - c));
}

TDYNAMIC::TDYNAMIC(int recordNumber) {
    ResetToDefaults(recordNumber);
}

void TDYNAMIC::ResetToDefaults(int recordNumber) {
    Umbral = recordNumber == 2 ? kDefaultUmbralRecord2 : kDefaultUmbralRecord1;
    Ratio = kDefaultRatio;
    Gain = kDefaultGain;
    GateIndex = kDefaultGateIndex;
    Pendiente = kDefaultPendiente;
    SpareFlag = 0;
    Zload = kDefaultZload;
    PowerMaxLoad = kDefaultPowerMaxLoad;
    AmpGain = kDefaultAmpGain;
    PowerAmpMax = kDefaultPowerAmpMax;
    Balanceado = true;
    NumberSpeakers = kDefaultNumberSpeakers;
    Tipo = kLimiter;
    Knee = kDefaultKnee;
    Bypass = false;
    Diezmado = true;
    Npuntos = kDefaultNpuntos;
    xdBmaxLimit = kDefaultXdBmaxLimit;
    OutGain = 1.0L;
    SetAttack(kDefaultAttackDbPerS);
    SetHold(kDefaultHoldMs);
    SetRelease(kDefaultReleaseDbPerS);
    SetLookAhead(kDefaultLookAheadMs);
    Design();
    // The table is built here too, so a record never holds an undesigned table.
    BuildTable();
}

void TDYNAMIC::BuildLevelGrid(std::int32_t n, long double xTop, long double xBottom) {
    n = HeldNpuntos(n);
    xTop = HoldAmplitude(xTop, 1.0L);
    xBottom = HoldAmplitude(xBottom, xTop);
    const int m = n - kTableSize;
    const long double step = (xTop - xBottom) / m;
    for (int i = 1; i <= m; ++i) {
        Xlin[i] = static_cast<float>((i - 1) * step + xBottom);
        XdB[i] = static_cast<float>(20.0L * std::log10(static_cast<long double>(Xlin[i])));
    }
    // The last fine point (index m) is one step below x_top; the level table
    // starts on it.
    for (int j = 0; j < kTableSize; ++j) {
        const int i = m + j;
        XdB[i] = static_cast<float>(-96 + 3 * j);
        Xlin[i] = static_cast<float>(std::pow(10.0L, static_cast<long double>(XdB[i]) / 20.0L));
    }
}

void TDYNAMIC::Design() {
    if (Umbral == 0.0f) {
        Umbral = -0.001f;
    }
    // Designed from held copies: a loaded byte can never reach the arithmetic.
    const long double umbral = HoldField(Umbral, kUmbralMin, kUmbralMax, kDefaultUmbralRecord1);
    const long double ratio = HoldField(Ratio, kRatioMin, kRatioMax, kDefaultRatio);
    const long double gain = HoldField(Gain, kGainMin, kGainMax, kDefaultGain);
    const long double knee = HoldField(Knee, kKneeMin, kKneeMax, kDefaultKnee);
    const int n = HeldNpuntos(Npuntos);
    const bool compressor = Tipo != kLimiter;

    // Start from clean curves so the result depends only on the parameters. In
    // particular Ganancia[N] and Ganancia[N+1], which the clean-up compares
    // against, are 0 again after a bypassed design has set Ganancia[N] to 1;
    // otherwise un-bypassing would turn the whole table to unity.
    Xlin.fill(0.0f);
    XdB.fill(0.0f);
    Ylin.fill(0.0f);
    YdB.fill(0.0f);
    Ganancia.fill(0.0f);

    const long double a = 1.0L;
    const long double b = compressor ? 1.0L / ratio : 0.0L;

    BuildLevelGrid(n, 1.0L, std::pow(10.0L, (umbral - knee) / 20.0L));

    // The threshold as the grid actually starts, so the knee meets the first point.
    const long double t = static_cast<long double>(XdB[1]) + knee;
    const long double w = knee > 0.5L ? knee : 0.2L;

    const long double c2 = -(a - b) / (4.0L * w);
    const long double c1 = ((a - b) * t + (a + b) * w) / (2.0L * w);
    const long double c0 =
        -(2.0L * t * w * (a + b - 2.0L) + (t * t + w * w) * (a - b)) / (4.0L * w);

    for (int i = 1; i <= n - 1; ++i) {
        const long double x = XdB[i];
        long double y;
        if (x > t + w) {
            y = gain + t + (x - t) * b;
        } else {
            y = gain + c0 + c1 * x + c2 * x * x;
        }
        YdB[i] = static_cast<float>(y);
        Ylin[i] = static_cast<float>(std::pow(10.0L, y / 20.0L));
        Ganancia[i] = Ylin[i] / Xlin[i];
    }

    // Below the knee the quadratic makes the gain rise with level again; from the
    // top down, every table point whose gain is below its upper neighbour's, and
    // so everything under it, becomes unity. Equal gains (a 1:1 curve with make-up
    // gain) come out of the single-precision division a few ulps apart; such a
    // difference is not a rise, or the table would get unity holes at random points.
    for (int i = n; i >= n - kTableSize; --i) {
        if (Ganancia[i] < Ganancia[i + 1] * kRiseTolerance) {
            Ganancia[i] = 1.0f;
        }
    }

    if (Bypass) {
        for (int i = n - kTableSize; i <= n; ++i) {
            Ganancia[i] = 1.0f;
        }
    }
}

int TDYNAMIC::GateTableIndex() const {
    return static_cast<int>(
        std::nearbyint(HoldField(GateIndex, kGateIndexMin, kGateIndexMax, kDefaultGateIndex)));
}

int TDYNAMIC::GateRampLength() const {
    return static_cast<int>(
        std::nearbyint(HoldField(Pendiente, kPendienteMin, kPendienteMax, kDefaultPendiente)));
}

void TDYNAMIC::BuildTable() {
    const int n = HeldNpuntos(Npuntos);
    for (int k = 0; k < kTableSize; ++k) {
        // A make-up gain can push a point past the word's top; hold it there
        // instead of letting it wrap to a large negative gain.
        Tabla[k] = HoldToCoef22Range(Ganancia[n - kTableSize + k]);
    }

    // g <= 33 and p >= 1 keep both loops inside the table.
    const int g = GateTableIndex();
    const int p = GateRampLength();
    const int z = std::max(g - p, 1);
    for (int k = 0; k < z; ++k) {
        Tabla[k] = 0.0L;
    }
    for (int k = z; k < g; ++k) {
        Tabla[k] = static_cast<long double>(k - z + 1) / p;
    }
}

void TDYNAMIC::SetAttack(double dbPerSecond) {
    RmsCoef = RmsCoefFromAttack(dbPerSecond);
}

void TDYNAMIC::SetHold(double ms) {
    HoldSamples = NearestSamples(HoldField(ms, kHoldMinMs, kHoldMaxMs, kDefaultHoldMs));
}

void TDYNAMIC::SetRelease(double dbPerSecond) {
    DecayCode = ReleaseCode(
        HoldField(dbPerSecond, kReleaseMinDbPerS, kReleaseMaxDbPerS, kDefaultReleaseDbPerS));
}

void TDYNAMIC::SetLookAhead(double ms) {
    LookAheadSamples =
        NearestSamples(HoldField(ms, kLookAheadMinMs, kLookAheadMaxMs, kDefaultLookAheadMs));
}

double TDYNAMIC::AttackRate() const {
    return AttackFromRmsCoef(RmsCoef);
}
double TDYNAMIC::HoldMs() const {
    return HoldSamples / (SampleRate * 0.001);
}
double TDYNAMIC::ReleaseRate() const {
    return DecayCode * kReleaseStepDbPerS;
}
double TDYNAMIC::LookAheadMs() const {
    return LookAheadSamples / (SampleRate * 0.001);
}

void TDYNAMIC::HoldToEditorRanges() {
    Umbral = HoldField(Umbral, kUmbralMin, kUmbralMax, kDefaultUmbralRecord1);
    Ratio = HoldField(Ratio, kRatioMin, kRatioMax, kDefaultRatio);
    Gain = HoldField(Gain, kGainMin, kGainMax, kDefaultGain);
    GateIndex = HoldField(GateIndex, kGateIndexMin, kGateIndexMax, kDefaultGateIndex);
    Pendiente = HoldField(Pendiente, kPendienteMin, kPendienteMax, kDefaultPendiente);
    Zload = NearestZloadChoice(Zload);
    PowerMaxLoad =
        HoldField(PowerMaxLoad, kPowerMaxLoadMin, kPowerMaxLoadMax, kDefaultPowerMaxLoad);
    AmpGain = HoldField(AmpGain, kAmpGainMin, kAmpGainMax, kDefaultAmpGain);
    PowerAmpMax = HoldField(PowerAmpMax, kPowerAmpMaxMin, kPowerAmpMaxMax, kDefaultPowerAmpMax);
    NumberSpeakers = HoldField(NumberSpeakers, kNumberSpeakersMin, kNumberSpeakersMax);
    // Any non-zero selector means compressor, as the device image writes it.
    Tipo = Tipo != kLimiter ? kCompressor : kLimiter;
    Knee = HoldField(Knee, kKneeMin, kKneeMax, kDefaultKnee);
    Npuntos = HeldNpuntos(Npuntos);
    if (!std::isfinite(xdBmaxLimit)) {
        xdBmaxLimit = kDefaultXdBmaxLimit;
    }

    OutGain = std::isfinite(OutGain) ? HoldToCoef22Range(OutGain) : 1.0L;
    RmsCoef = std::isnan(RmsCoef) ? RmsCoefFromAttack(kDefaultAttackDbPerS)
                                  : std::clamp(RmsCoef, RmsCoefFromAttack(kAttackMinDbPerS),
                                               RmsCoefFromAttack(kAttackMaxDbPerS));
    HoldSamples = HoldField(HoldSamples, NearestSamples(kHoldMinMs), NearestSamples(kHoldMaxMs));
    DecayCode =
        HoldField(DecayCode, ReleaseCode(kReleaseMinDbPerS), ReleaseCode(kReleaseMaxDbPerS));
    LookAheadSamples = HoldField(LookAheadSamples, NearestSamples(kLookAheadMinMs),
                                 NearestSamples(kLookAheadMaxMs));
}

} // namespace veld23
