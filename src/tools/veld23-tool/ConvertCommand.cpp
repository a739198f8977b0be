// convert: a configuration from one form into another (.v23/.v13 file, .json, .bin image).
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

namespace veld23::tool {
namespace {

constexpr const char* kName = "convert";

// Reading runs exactly what the editor runs on Open or Read, so the output is what the
// editor would save or write after loading the input.
int RunConvert(const Arguments& args) {
    if (args.size() != 2) {
        return UsageError(kName);
    }
    ConfigurationSession session;
    if (!session.Load(args[0]) || !session.Save(args[1])) {
        return kExitFailed;
    }
    return kExitOk;
}

const CommandRegistration convertCommand(kName, "convert IN OUT (each .v23, .v13, .json or .bin)",
                                         RunConvert);

} // namespace
} // namespace veld23::tool
