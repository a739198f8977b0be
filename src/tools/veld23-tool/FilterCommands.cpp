// grid and section: the shared frequency grid and single equaliser sections.
#include "CommandArguments.h"
#include "CommandRegistry.h"
#include "ResponseOutput.h"

#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"
#include "dsp/SectionDesign.h"

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

int RunGrid() {
    for (int hz : FrequencyGrid::Shared().GridHz) {
        std::printf("%d\n", hz);
    }
    return kExitOk;
}

struct SectionArguments {
    long type = 0;
    double hz = 0;
    double gainDb = 0;
    double q = 0;
};

int RunSection(const SectionArguments& a) {
    TSOS section;
    section.SectionType = static_cast<std::uint8_t>(a.type);
    section.Frequency = a.hz;
    section.GainDb = a.gainDb;
    section.Q = a.q;
    RedesignBand(section);
    const double coefficients[] = {section.GetCoefficient(0), section.GetCoefficient(1),
                                   section.GetCoefficient(2), section.GetCoefficient(3),
                                   section.GetCoefficient(4)};
    PrintNumbers(coefficients);
    const TSOS* list[] = {&section};
    PrintResponse(list, 1);
    return kExitOk;
}

// The ranges of the equaliser's own fields.
CommandRun DefineSection(CLI::App& command) {
    auto a = std::make_shared<SectionArguments>();
    AddInteger(command, "TYPE", a->type, "section type", 0, 13);
    AddNumber(command, "FREQ", a->hz, "frequency in Hz", kBandMinHz, kBandMaxHz);
    AddNumber(command, "GAIN", a->gainDb, "gain in dB", kBandMinGainDb, kBandMaxGainDb);
    AddNumber(command, "Q", a->q, "quality factor", kBandMinQ, kBandMaxQ);
    return [a] { return RunSection(*a); };
}

const CommandRegistration grid("grid", "grid", "the 401 grid frequencies in Hz, one per line",
                               [](CLI::App&) -> CommandRun { return RunGrid; });
const CommandRegistration
    section("section", "section TYPE(0..13) FREQ(10..20000) GAIN(-15..12) Q(0.5..20)",
            "one equaliser section after the rules a band redesign applies: its coefficients "
            "and its response",
            DefineSection);

} // namespace
} // namespace veld23::tool
