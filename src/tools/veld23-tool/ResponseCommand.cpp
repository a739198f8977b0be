// response: the curves the final response view would draw for a configuration.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "commands/FinalResponseSources.h"
#include "dsp/FrequencyGrid.h"
#include "measure/FinalResponse.h"

#include <cstdio>

namespace veld23::tool {
namespace {

int RunResponse(const Arguments& args) {
    bool phase = false;
    std::string path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--view" && i + 1 < args.size() &&
            (args[i + 1] == "mag" || args[i + 1] == "phase")) {
            phase = args[++i] == "phase";
        } else if (path.empty() && !args[i].starts_with("--")) {
            path = args[i];
        } else {
            return UsageError("response");
        }
    }
    if (path.empty()) {
        return UsageError("response");
    }
    ConfigurationSession session;
    if (!session.Load(path)) {
        return kExitFailed;
    }
    const ProcessorConfiguration& config = session.Configuration();
    FinalResponseCurves curves;
    // The view reads the look-ahead when it comes up; here it comes up once.
    ComputeFinalResponse(config, FinalResponseSourcesOf(session.Editors(), session.Speakers()),
                         config.Dynamics[0].LookAheadSamples,
                         phase ? ResponseView::Phase : ResponseView::Magnitude, curves);
    const auto& values = phase ? curves.phaseDeg : curves.magnitudeDb;
    const auto& grid = FrequencyGrid::Shared();
    std::printf("hz,ch1,ch2,ch3,sum\n");
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        std::printf("%d,%.17g,%.17g,%.17g,%.17g\n", grid.GridHz[j], double{values[0][j]},
                    double{values[1][j]}, double{values[2][j]}, double{values[3][j]});
    }
    return kExitOk;
}

const CommandRegistration response("response", "response CONFIG [--view mag|phase]", RunResponse);

} // namespace
} // namespace veld23::tool
