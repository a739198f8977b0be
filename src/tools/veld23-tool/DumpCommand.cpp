// dump: a configuration, as the editor holds it after loading, as JSON on stdout.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "config/ConfigurationJson.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

int RunDump(const std::string& path) {
    ConfigurationSession session;
    if (!session.Load(path)) {
        return kExitFailed;
    }
    const std::string json = ConfigurationToJson(session.Configuration());
    std::fwrite(json.data(), 1, json.size(), stdout);
    return kExitOk;
}

CommandRun DefineDump(CLI::App& command) {
    auto path = std::make_shared<std::string>();
    command.add_option("FILE", *path, "the configuration (.v23, .v13, .json or .bin)")->required();
    return [path] { return RunDump(*path); };
}

const CommandRegistration dumpCommand("dump", "dump FILE (.v23, .v13, .json or .bin)",
                                      "the configuration as JSON on stdout", DefineDump);

} // namespace
} // namespace veld23::tool
