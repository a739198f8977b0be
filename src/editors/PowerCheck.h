#pragma once

#include "config/FixedText.h"

#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

inline constexpr std::string_view kPowerWarningCaption = "WARNING!!!";
inline constexpr std::string_view kBoxPowerExceededCaption =
    "The Out Power exceeds your Box Power capacity!";

// The level meter beside the power figures, in half-dB steps.
struct PowerMeter {
    int maximum = 0;        // where the box's power capacity lies
    int secondColourAt = 0; // 70 % of the maximum
    int thirdColourAt = 0;  // 95 % of the maximum
    int position = 0;       // from the threshold, shown within 0..maximum
};

// Whether the loudspeaker behind a dynamics record can take what the amplifier
// delivers at the dynamics' highest output level. What the dynamics window shows:
// its information box, the power caption, the meter and the warning captions.
struct PowerCheckResult {
    using Line = FixedText<64>;

    int record = 1;
    double maxOutLevelDbu = 0.0;    // what the dynamics lets through at 0 dBFS, at most 18
    double maxOutVoltageVrms = 0.0; // at the processor's output
    double maxOutPowerWatts = 0.0;  // at the amplifier's output
    Line powerLine;                 // "1 - Max RMS Out Power : 7097 Watts"
    Line voltageLine;               // "    VELD23 max Out Voltage : 5.81 vrms"
    Line powerCaption;              // "7097 W"
    bool boxPowerExceeded = false;  // the warning and the power caption turn bright red
    PowerMeter meter;

    // "WARNING!!!" is always there (dark red unless exceeded); the second caption
    // only speaks when the box power is exceeded.
    std::string_view WarningCaption() const { return kPowerWarningCaption; }
    std::string_view ExceededCaption() const {
        return boxPowerExceeded ? kBoxPowerExceededCaption : std::string_view{};
    }
};

// The check of record 1 (OUT 1-2) and of record 2 (SUB). Speaker and amplifier
// values are used as the editor's controls would hold them, so a record loaded
// with a zero impedance or gain still gives finite figures. The meter follows the
// record's own threshold slider position.
PowerCheckResult CalculaPower(const ProcessorConfiguration& config);
PowerCheckResult CalculaPowerSUB(const ProcessorConfiguration& config);
// record 2 runs CalculaPowerSUB, anything else CalculaPower.
PowerCheckResult RunPowerCheck(const ProcessorConfiguration& config, int record);

} // namespace veld23
