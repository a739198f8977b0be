#include "CommandRegistry.h"

#include "config/PrintableText.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veld23::tool {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

CommandRegistration::CommandRegistration(std::string name, std::string usage, CommandFn run) {
    Commands().push_back({std::move(name), std::move(usage), std::move(run)});
}

int UsageError(const Command& command) {
    std::fprintf(stderr, "usage: veld23-tool %s\n", command.usage.c_str());
    return kExitUsage;
}

int UsageError(const std::string& name) {
    for (const Command& c : Commands()) {
        if (c.name == name) {
            return UsageError(c);
        }
    }
    std::fprintf(stderr, "usage: veld23-tool %s\n", name.c_str());
    return kExitUsage;
}

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    // "nan" and "inf" read as numbers but no argument can mean them.
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseInt(const std::string& text, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end == text.c_str() + text.size();
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
    const auto printUsage = [&] {
        std::fprintf(stderr, "usage: veld23-tool COMMAND [ARGS...]; commands:");
        for (const Command& c : commands) {
            std::fprintf(stderr, " %s", c.name.c_str());
        }
        std::fprintf(stderr, "\n");
    };
    if (argc < 2) {
        printUsage();
        return kExitUsage;
    }
    const std::string name = argv[1];
    for (const Command& c : commands) {
        if (c.name == name) {
            return c.run(Arguments(argv + 2, argv + argc));
        }
    }
    printUsage();
    return kExitUsage;
}
