// convert: a configuration from one form into another (.v23/.v13 file, .json, .bin image).
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace veld23::tool {
namespace {

struct ConvertArguments {
    std::string in;
    std::string out;
};

// Reading runs exactly what the editor runs on Open or Read, so the output is what the
// editor would save or write after loading the input.
int RunConvert(const ConvertArguments& a) {
    ConfigurationSession session;
    if (!session.Load(a.in) || !session.Save(a.out)) {
        return kExitFailed;
    }
    return kExitOk;
}

CommandRun DefineConvert(CLI::App& command) {
    auto a = std::make_shared<ConvertArguments>();
    command.add_option("IN", a->in, "the configuration read (.v23, .v13, .json or .bin)")
        ->required();
    command.add_option("OUT", a->out, "the configuration written (.v23, .v13, .json or .bin)")
        ->required();
    return [a] { return RunConvert(*a); };
}

const CommandRegistration convertCommand("convert",
                                         "convert IN OUT (each .v23, .v13, .json or .bin)",
                                         "a configuration from one form into another",
                                         DefineConvert);

} // namespace
} // namespace veld23::tool
