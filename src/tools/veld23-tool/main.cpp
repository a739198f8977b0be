// veld23-tool: what the editor runs, without windows. Every command is a subcommand
// of its own file; the arguments are read and checked with CLI11 before it runs.
#include "CommandRegistry.h"

#include "ProgramVersion.h"
#include "config/PrintableText.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>

namespace veld23::tool {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

CommandRegistration::CommandRegistration(std::string name, std::string usage, std::string summary,
                                         CommandDefinition define) {
    Commands().push_back(
        {std::move(name), std::move(usage), std::move(summary), std::move(define)});
}

int UsageError(const std::string& name) {
    for (const Command& c : Commands()) {
        if (c.name == name) {
            std::fprintf(stderr, "usage: veld23-tool %s\n", c.usage.c_str());
            return kExitUsage;
        }
    }
    std::fprintf(stderr, "usage: veld23-tool COMMAND [ARGS...]; commands:");
    for (const Command& c : Commands()) {
        std::fprintf(stderr, " %s", c.name.c_str());
    }
    std::fprintf(stderr, "\n");
    return kExitUsage;
}

void PrintMessage(const std::string& text) {
    std::fprintf(stderr, "%s\n", PrintableText(text).c_str());
}

} // namespace veld23::tool

int main(int argc, char** argv) {
    using namespace veld23::tool;
    auto& commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });

    CLI::App tool("Runs what the VELD23 editor runs, without windows. Exit status: 0 done, "
                  "1 failed (the reason on stderr), 2 bad arguments.",
                  "veld23-tool");
    tool.set_version_flag("-v,--version", std::string("veld23-tool ") + veld23::kProgramVersion,
                          "Print the version and exit");
    tool.set_help_flag("-h,--help", "Print this help and exit");
    tool.require_subcommand(1);
    std::vector<std::pair<const CLI::App*, CommandRun>> runs;
    for (const Command& c : commands) {
        CLI::App* subcommand = tool.add_subcommand(c.name, c.summary);
        runs.emplace_back(subcommand, c.define(*subcommand));
    }

    try {
        tool.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return tool.exit(e); // --help or --version, on stdout
        }
        const auto chosen = tool.get_subcommands();
        return UsageError(chosen.empty() ? std::string() : chosen.front()->get_name());
    }
    const CLI::App* chosen = tool.get_subcommands().front();
    for (const auto& [subcommand, run] : runs) {
        if (subcommand == chosen) {
            return run();
        }
    }
    return UsageError({});
}
