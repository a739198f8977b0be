// response: the curves the final response view would draw for a configuration.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "commands/FinalResponseSources.h"
#include "dsp/FrequencyGrid.h"
#include "measure/FinalResponse.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

struct ResponseArguments {
    std::string path;
    std::string view = "mag";
};

int RunResponse(const ResponseArguments& a) {
    const bool phase = a.view == "phase";
    ConfigurationSession session;
    if (!session.Load(a.path)) {
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

CommandRun DefineResponse(CLI::App& command) {
    auto a = std::make_shared<ResponseArguments>();
    command.add_option("CONFIG", a->path, "the configuration (.v23, .v13, .json or .bin)")
        ->required();
    command.add_option("--view", a->view, "magnitude in dB (the default) or phase in degrees")
        ->check(CLI::IsMember({"mag", "phase"}));
    return [a] { return RunResponse(*a); };
}

const CommandRegistration response("response", "response CONFIG [--view mag|phase]",
                                   "the final response as CSV hz,ch1,ch2,ch3,sum, measurements "
                                   "imported as the editor does",
                                   DefineResponse);

} // namespace
} // namespace veld23::tool
