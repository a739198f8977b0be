// grid and section: the shared frequency grid and single equaliser sections.
#include "CommandRegistry.h"
#include "ResponseOutput.h"

#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"
#include "dsp/SectionDesign.h"

#include <cstdio>

namespace veld23::tool {
namespace {

int RunGrid(const Arguments& args) {
    if (!args.empty()) {
        return UsageError("grid");
    }
    for (int hz : FrequencyGrid::Shared().GridHz) {
        std::printf("%d\n", hz);
    }
    return kExitOk;
}

int RunSection(const Arguments& args) {
    if (args.size() != 4) {
        return UsageError("section");
    }
    long type = 0;
    double hz = 0;
    double gainDb = 0;
    double q = 0;
    if (!ParseInt(args[0], type) || !ParseDouble(args[1], hz) || !ParseDouble(args[2], gainDb) ||
        !ParseDouble(args[3], q) || type < 0 || type > 13 || hz < kBandMinHz || hz > kBandMaxHz ||
        gainDb < kBandMinGainDb || gainDb > kBandMaxGainDb || q < kBandMinQ || q > kBandMaxQ) {
        return UsageError("section");
    }
    TSOS section;
    section.SectionType = static_cast<std::uint8_t>(type);
    section.Frequency = hz;
    section.GainDb = gainDb;
    section.Q = q;
    RedesignBand(section);
    const double coefficients[] = {section.GetCoefficient(0), section.GetCoefficient(1),
                                   section.GetCoefficient(2), section.GetCoefficient(3),
                                   section.GetCoefficient(4)};
    PrintNumbers(coefficients);
    const TSOS* list[] = {&section};
    PrintResponse(list, 1);
    return kExitOk;
}

const CommandRegistration grid("grid", "grid", RunGrid);
const CommandRegistration
    section("section", "section TYPE(0..13) FREQ(10..20000) GAIN(-15..12) Q(0.5..20)", RunSection);

} // namespace
} // namespace veld23::tool
