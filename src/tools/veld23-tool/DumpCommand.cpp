// dump: a configuration, as the editor holds it after loading, as JSON on stdout.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "config/ConfigurationJson.h"

#include <cstdio>

namespace veld23::tool {
namespace {

constexpr const char* kName = "dump";

int RunDump(const Arguments& args) {
    if (args.size() != 1) {
        return UsageError(kName);
    }
    ConfigurationSession session;
    if (!session.Load(args[0])) {
        return kExitFailed;
    }
    const std::string json = ConfigurationToJson(session.Configuration());
    std::fwrite(json.data(), 1, json.size(), stdout);
    return kExitOk;
}

const CommandRegistration dumpCommand(kName, "dump FILE (.v23, .v13, .json or .bin)", RunDump);

} // namespace
} // namespace veld23::tool
