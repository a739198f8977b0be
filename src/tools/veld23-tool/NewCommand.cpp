// new: a new configuration as the topology chooser makes it, saved in any form.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

namespace veld23::tool {
namespace {

constexpr const char* kName = "new";

int RunNew(const Arguments& args) {
    OutputTopology topology = OutputTopology::TwoOutputs;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--outputs" && i + 1 < args.size()) {
            const std::string& count = args[++i];
            if (count == "2") {
                topology = OutputTopology::TwoOutputs;
            } else if (count == "3") {
                topology = OutputTopology::ThreeOutputs;
            } else {
                return UsageError(kName);
            }
        } else if (out.empty() && !args[i].starts_with("--")) {
            out = args[i];
        } else {
            return UsageError(kName);
        }
    }
    if (out.empty()) {
        return UsageError(kName);
    }
    ConfigurationSession session;
    session.New(topology);
    return session.Save(out) ? kExitOk : kExitFailed;
}

const CommandRegistration newCommand(kName, "new [--outputs 2|3] OUT (.v23, .v13, .json or .bin)",
                                     RunNew);

} // namespace
} // namespace veld23::tool
