#include "editors/PowerCheck.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/DynamicsValues.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veld23 {

namespace {

using namespace dynamics;

constexpr double kMaxOutLevelDbu = 18.0; // the processor's output stage clips above
constexpr double kDbuReferenceVolts = 0.775;
constexpr int kPowerDigits = 5;

// The power is shown to five significant digits without decimals; above 99999 W
// the last digits are zeros rather than an exponent.
double ShownPower(double watts) {
    if (watts < 1.0e5) {
        return watts;
    }
    const double scale = std::pow(10.0, std::floor(std::log10(watts)) + 1 - kPowerDigits);
    return std::nearbyint(watts / scale) * scale;
}

template <typename... Args> PowerCheckResult::Line Format(const char* format, Args... args) {
    char text[PowerCheckResult::Line::kCapacity + 1] = {};
    std::snprintf(text, sizeof text, format, args...);
    return PowerCheckResult::Line(text);
}

PowerCheckResult Check(const ProcessorConfiguration& config, int record) {
    const bool sub = record == 2;
    const TDYNAMIC& d = config.Dynamics[sub ? 1 : 0];
    const double levelOffset = config.LevelOffsetOf(record);
    const float zload = NearestZloadChoice(d.Zload);
    const float ampGain = HoldField(d.AmpGain, kAmpGainMin, kAmpGainMax, kDefaultAmpGain);
    const float boxPower =
        HoldField(d.PowerMaxLoad, kPowerMaxLoadMin, kPowerMaxLoadMax, kDefaultPowerMaxLoad);
    const int n = HoldField(d.Npuntos, kNpuntosMin, kNpuntosMax);

    PowerCheckResult r;
    r.record = sub ? 2 : 1;
    double x = DbfsToDisplayDbu(d.YdB[n - 1], levelOffset);
    if (!(x <= kMaxOutLevelDbu)) { // also an undesigned NaN: assume the worst
        x = kMaxOutLevelDbu;
    }
    double v = std::pow(10.0, x / 20.0) * kDbuReferenceVolts;
    double p = (v * ampGain) * (v * ampGain) / zload;
    if (!d.Balanceado) {
        p /= 4.0;
        v /= 2.0;
    }
    r.maxOutLevelDbu = x;
    r.maxOutVoltageVrms = v;
    r.maxOutPowerWatts = p;

    const double shownPower = ShownPower(p);
    r.powerLine = Format("1 - Max RMS Out Power : %.0f Watts", shownPower);
    r.voltageLine = Format("    VELD23 max Out Voltage : %.2f vrms", v);
    r.powerCaption = Format("%.0f W", shownPower);
    r.boxPowerExceeded = p > boxPower;

    // The meter's top is the box capacity expressed as a processor output level.
    PowerMeter& m = r.meter;
    const double capacityDb = 20.0 * std::log10(std::sqrt(static_cast<double>(boxPower) * zload) /
                                                (kDbuReferenceVolts * ampGain));
    m.maximum = (static_cast<int>(std::nearbyint(capacityDb)) + 32) * 2;
    m.secondColourAt = static_cast<int>(std::nearbyint(0.70 * m.maximum));
    m.thirdColourAt = static_cast<int>(std::nearbyint(0.95 * m.maximum));

    const int pos = config.ThresholdPosition(r.record);
    double position = 0.0;
    if (d.Tipo == kLimiter) {
        position = kThresholdPositionMax - pos - (sub ? 3 : 0);
    } else {
        const double ratio = HoldField(d.Ratio, kRatioMin, kRatioMax, kDefaultRatio);
        position =
            std::nearbyint(0.97 * kThresholdPositionMax - (sub ? 6 : 0) - (pos - 100.0 / ratio));
    }
    // A gauge shows nothing beyond its ends.
    m.position = static_cast<int>(std::clamp(position, 0.0, std::max(0.0, 1.0 * m.maximum)));
    return r;
}

} // namespace

PowerCheckResult CalculaPower(const ProcessorConfiguration& config) {
    return Check(config, 1);
}

PowerCheckResult CalculaPowerSUB(const ProcessorConfiguration& config) {
    return Check(config, 2);
}

PowerCheckResult RunPowerCheck(const ProcessorConfiguration& config, int record) {
    return Check(config, record == 2 ? 2 : 1);
}

} // namespace veld23
