#pragma once

#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace veld23::tool {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs a command once its arguments have been read and checked; returns the exit code.
using CommandRun = std::function<int()>;
// Declares a command's arguments on its subcommand, bound to the values the returned
// run reads.
using CommandDefinition = std::function<CommandRun(CLI::App& command)>;

struct Command {
    std::string name;
    std::string usage;   // one line, printed on bad arguments
    std::string summary; // one line, in the tool's --help
    CommandDefinition define;
};

std::vector<Command>& Commands();

// A static instance of this in a command's file adds the command to the tool.
struct CommandRegistration {
    CommandRegistration(std::string name, std::string usage, std::string summary,
                        CommandDefinition define);
};

// Prints "usage: veld23-tool <usage>" of the command on stderr and returns kExitUsage.
int UsageError(const std::string& name);

// One message for the user on stderr, as the editor would show it in a box. Names in it
// (paths, texts from files) show their control bytes as \xNN, so none can act on the
// terminal or cut the line short.
void PrintMessage(const std::string& text);

} // namespace veld23::tool
