// veld23-tool xover FAMILY ORDER FREQ: designs one crossover half and prints its
// sections and its response on the shared grid.

#include "CommandArguments.h"
#include "CommandRegistry.h"

#include "dsp/CrossoverHalf.h"
#include "dsp/DesignNotifier.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/Response.h"

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

// The families the editor can produce; 7 and 8 only come from stored files.
constexpr long kHighestToolFamily = kBesselHighPass;
// The widest frequency range any editor field allows.
constexpr double kLowestHz = 10.0;
constexpr double kHighestHz = 20000.0;

class StderrNotifier : public DesignNotifier {
  public:
    void BesselCutoffLimited(double limitHz, int order) override {
        std::fprintf(stderr, "%s\n", BesselCutoffMessage(limitHz, order).c_str());
    }
};

struct XoverArguments {
    long family = 0;
    long order = 0;
    double hz = 0.0;
};

int RunXover(const XoverArguments& a) {
    // Orders the family cannot hold in a half's three sections are bad arguments.
    const OrderRange orders = AcceptedOrders(static_cast<std::uint8_t>(a.family));
    if (a.order < orders.lowest || a.order > orders.highest) {
        return UsageError("xover");
    }

    TXOVERPB half;
    half.Family = static_cast<std::uint8_t>(a.family);
    half.Order = static_cast<std::int32_t>(a.order);
    half.Frequency = a.hz;
    // The editor starts every design from sections carrying the half's frequency.
    for (TSOS& section : half.Sections) {
        section.Frequency = a.hz;
    }
    StderrNotifier notifier;
    const HalfDesignStatus status = half.Design(&notifier);
    if (status != HalfDesignStatus::Ok) {
        std::fprintf(stderr, "xover: %s\n", HalfDesignStatusText(status));
        return kExitFailed;
    }

    std::printf("%d %d\n", static_cast<int>(half.Order), static_cast<int>(half.SectionCount));
    for (int i = 0; i < half.UsedSections(); ++i) {
        const TSOS& s = half.Sections[i];
        std::printf("%d %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", s.SectionType, s.Frequency,
                    s.Q, s.GetCoefficient(0), s.GetCoefficient(1), s.GetCoefficient(2),
                    s.GetCoefficient(3), s.GetCoefficient(4));
    }
    ResponseCurve curve;
    EvaluateHalf(half, curve);
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        std::printf("%d %.17g %.17g\n", static_cast<int>(grid.GridHz[i]),
                    static_cast<double>(curve.magnitudeDb[i]),
                    static_cast<double>(curve.phaseRad[i]));
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "xover: could not write the output\n");
        return kExitFailed;
    }
    return kExitOk;
}

CommandRun DefineXover(CLI::App& command) {
    auto a = std::make_shared<XoverArguments>();
    AddInteger(command, "FAMILY", a->family, "crossover family", 0, kHighestToolFamily);
    command.add_option("ORDER", a->order, "filter order the family holds")
        ->required()
        ->transform(DecimalInteger());
    AddNumber(command, "FREQ", a->hz, "crossover frequency in Hz", kLowestHz, kHighestHz);
    return [a] { return RunXover(*a); };
}

const CommandRegistration kXover("xover", "xover FAMILY(0..6) ORDER FREQ(10..20000 Hz)",
                                 "one crossover half: its sections and its response", DefineXover);

} // namespace
} // namespace veld23::tool
